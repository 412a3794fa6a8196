// The subroutines list.
#include "workbench/subroutines_window.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "interpreter/interpreter.h"

namespace quorvex {

SubroutinesWindow::SubroutinesWindow(const Interpreter& core, QWidget* main) : QDialog(main), core_(core) {
    setObjectName(QStringLiteral("FM_Subroutines"));
    setWindowTitle(QStringLiteral("Subroutines"));
    setProperty("helpContext", 22);
    StringGrid1 = new QTableWidget(0, 4, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels({"No", "Name", "Parameters", "Line"});
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setColumnWidth(0, 20);
    // Every resize that changes the width fits the columns again (not a height change: a
    // horizontal scroll bar shown after the user widened a column must not undo that).
    StringGrid1->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
    resize(267, 449);
}

void SubroutinesWindow::FormShow() {
    const int n = core_.subs.srx();
    StringGrid1->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const Subroutine& s = core_.subs.at(i);
        const QString cells[4] = {QString::number(i), QString::fromStdString(s.name), QString::number(s.params),
                                  QStringLiteral("%1").arg(s.header_line, 4, 10, QLatin1Char('0'))};
        for (int c = 0; c < 4; ++c) StringGrid1->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
    fit_columns();
}

void SubroutinesWindow::fit_columns() {
    // Number, parameters and line as wide as their texts and headers; the name takes the rest
    // of the window, so the line column is never cut off (a long name is cut instead).
    int used = 0;
    for (int c : {0, 2, 3}) {
        StringGrid1->resizeColumnToContents(c);
        used += StringGrid1->columnWidth(c);
    }
    StringGrid1->resizeColumnToContents(1);
    const int name = StringGrid1->columnWidth(1);
    StringGrid1->setColumnWidth(1, std::max(StringGrid1->viewport()->width() - used, std::min(name, 40)));
}

bool SubroutinesWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StringGrid1->viewport() && event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->size().width() != resize->oldSize().width()) fit_columns();
    }
    return QDialog::eventFilter(watched, event);
}

void SubroutinesWindow::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

} // namespace quorvex
