// The EEPROM window.
#include "workbench/eeprom_window.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "interpreter/interpreter.h"
#include "workbench/centring.h"

namespace quorvex {

// Cells are edited in a line edit that stores every change the user makes, as the window
// stored the cell after every key.
class EepromDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        QAbstractItemModel* model = const_cast<QAbstractItemModel*>(index.model());
        const QPersistentModelIndex cell(index);
        QObject::connect(editor, &QLineEdit::textEdited, editor,
                         [model, cell](const QString& text) { model->setData(cell, text, Qt::EditRole); });
        return editor;
    }
    // A re-read while the cell is being typed leaves the text alone.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = static_cast<QLineEdit*>(editor);
        if (!line->isModified()) line->setText(index.data().toString());
    }
};

// --- window ----------------------------------------------------------------------------------

EepromWindow::EepromWindow(Interpreter& core, QWidget* main) : QDialog(main) {
    setObjectName(QStringLiteral("EEPROM_Form"));
    setWindowTitle(QStringLiteral("EEPROM"));
    model_ = new EepromModel(core, this);
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setModel(model_);
    StringGrid1->setItemDelegate(new EepromDelegate(StringGrid1));
    StringGrid1->horizontalHeader()->setDefaultSectionSize(35);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(16);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                 QAbstractItemView::AnyKeyPressed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
    resize(633, 355);
}

void EepromWindow::FormShow() {
    // Centred across the main window, as tall as it and level with its top.
    if (const QWidget* main = parentWidget()) {
        place_by_frame(*this, [this, main](const QMargins& frame) {
            const QRect m = frame_geometry(*main);
            const int own = width() + frame.left() + frame.right();
            return QRect(centre_on(m.x(), m.width(), own), m.y(), own, m.height());
        });
    }
    Update_EEPROM1();
}

void EepromWindow::flush() {
    if (!stale_) return;
    stale_ = false;
    Update_EEPROM1();
}

void EepromWindow::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

} // namespace quorvex
