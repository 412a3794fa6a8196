// The simulation window: analog inputs and port panels.
#include "workbench/simulation_window.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "interpreter/interpreter.h"
#include "workbench/window_layout.h"

namespace quorvex {

namespace {

// Paints a row as one line of plain text: the list shows device output, which needs no
// elision, icons or rich layout, and a step may add many rows.
class PlainRowDelegate : public QAbstractItemDelegate {
public:
    using QAbstractItemDelegate::QAbstractItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        if (selected) painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, 13}; }
};

QColor colour_of(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void set_text_if_changed(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

} // namespace

// --- window ----------------------------------------------------------------------------------

SimulationWindow::SimulationWindow(Interpreter& core, QWidget* main) : QWidget(main, Qt::Window), core_(core) {
    setObjectName(QStringLiteral("Simulation"));
    setWindowTitle(QStringLiteral("Simulation Input and Output"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(185);
    Panel2->setProperty("helpContext", 21);
    QFont small = font;
    small.setPixelSize(9);
    for (int i = 0; i < AnalogInputs::count; ++i) {
        const auto k = static_cast<size_t>(i);
        QScrollBar* bar = new QScrollBar(Qt::Vertical, Panel2);
        bar->setObjectName(QStringLiteral("ScrollBar%1").arg(i + 1));
        bar->setRange(0, AnalogInputs::max_level);
        bar->setSingleStep(1);
        bar->setPageStep(0);
        bar->setGeometry(0, analog_bar_top, analog_bar_width, analog_bar_height);
        bar->setProperty("helpContext", 21);
        // A click gives the bar the keys (arrows move it, F1 shows its page), as a slider's does.
        bar->setFocusPolicy(Qt::ClickFocus);
        connect(bar, &QScrollBar::valueChanged, this, [this, i](int value) { bar_moved(i, value); });
        ScrollBar[k] = bar;
        QLineEdit* box = new QLineEdit(Panel2);
        box->setObjectName(QStringLiteral("An%1").arg(i));
        box->setGeometry(0, analog_box_top, analog_box_width, analog_box_height);
        box->setProperty("helpContext", 21);
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) { box_edited(i, text); });
        An[k] = box;
        QLabel* label = new QLabel(QStringLiteral("Analog%1").arg(i), Panel2);
        label->setFont(small);
        label->setGeometry(0, analog_box_top - 13, 44, 12);
        AnLabel[k] = label;
    }
    Analog_Close = new QPushButton(QStringLiteral("Close"), Panel2);
    Analog_Close->setObjectName(QStringLiteral("Analog_Close"));
    Analog_Close->setProperty("helpContext", 21);
    Analog_Close->resize(analog_close_width, analog_close_height);
    connect(Analog_Close, &QPushButton::clicked, this, &SimulationWindow::Analog_CloseClick);
    ShowA16 = new QPushButton(QStringLiteral(">"), Panel2);
    ShowA16->setObjectName(QStringLiteral("ShowA16"));
    ShowA16->resize(show_a16_width, show_a16_height);
    connect(ShowA16, &QPushButton::clicked, this, &SimulationWindow::ShowA16Click);

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    for (int k = 0; k < port_panel_count; ++k) Splitter1->addWidget(make_panel(k));
    Splitter1->setSizes({101, 118, 118, 118, 200});
    Splitter1->setStretchFactor(port_panel_count - 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2);
    layout->addWidget(Splitter1, 1);

    PopupMenu1 = new QMenu(this);
    QAction* all = PopupMenu1->addAction(QStringLiteral("Show All Ports"));
    all->setObjectName(QStringLiteral("ShowAllPorts1"));
    connect(all, &QAction::triggered, this, [this] {
        core_.panels.ShowAllPorts1Click();
        refresh();
    });
    QAction* unused = PopupMenu1->addAction(QStringLiteral("Hide Unused ports"));
    unused->setObjectName(QStringLiteral("HideUnusedports1"));
    connect(unused, &QAction::triggered, this, [this] {
        core_.panels.HideUnusedports1Click();
        refresh();
    });

    resize(458, 341);
    refresh();
}

QWidget* SimulationWindow::make_panel(int k) {
    const auto i = static_cast<size_t>(k);
    PortPanel& port = core_.panels[k + 1];
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel_E%1").arg(k + 1));
    Panel_E[i] = panel;
    panel->setMinimumHeight(40);
    auto* caption = new QLabel(QStringLiteral("Port%1").arg(k + 1), panel);
    caption->setTextFormat(Qt::PlainText);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    Caption_E[i] = caption;

    auto* in_label = new QLabel(QStringLiteral("In<<"), panel);
    IN_Label[i] = in_label;
    auto* in = new QLineEdit(panel);
    in->setObjectName(QStringLiteral("IN_E%1").arg(k + 1));
    in->setFixedHeight(20);
    connect(in, &QLineEdit::textEdited, this, [this, k](const QString& text) {
        InputBox& box = core_.panels[k + 1].IN;
        box.set_text(text.toStdString());
        in_revision_[static_cast<size_t>(k)] = box.revision(); // the box already shows it
    });
    IN_E[i] = in;

    // A one-column table rather than a list view: a list view lays every row out again on each
    // insert, while the table's fixed rows make appending at 100,000 lines as cheap as at 10.
    auto* list = new QTableView(panel);
    list->setObjectName(QStringLiteral("ListBox_E%1").arg(k + 1));
    list->horizontalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setMinimumSectionSize(13);
    list->verticalHeader()->setDefaultSectionSize(13);
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->setTextElideMode(Qt::ElideNone);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(11);
    list->setFont(fixed);
    list->setItemDelegate(new PlainRowDelegate(list));
    models_[i] = new PortListModel(port.ListBox, list);
    list->setModel(models_[i]);
    ListBox_E[i] = list;
    shown_index_[i] = -2;
    shown_colours_[i] = {~uint32_t{0}, ~uint32_t{0}};

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(caption);
    auto* row = new QHBoxLayout;
    row->addWidget(in_label);
    row->addWidget(in, 1);
    layout->addLayout(row);
    layout->addWidget(list, 1);
    panel->setVisible(port.Panel.Visible);
    return panel;
}

void SimulationWindow::FormResize() {
    const AnalogLayout l =
        analog_layout(frameGeometry().width(), core_.board.kind == BoardKind::Uno, core_.analog.ShowAll);
    for (size_t i = 0; i < ScrollBar.size(); ++i) {
        ScrollBar[i]->move(l.bars[i].left, analog_bar_top);
        ScrollBar[i]->setVisible(l.bars[i].visible);
        An[i]->move(l.boxes[i].left, analog_box_top);
        An[i]->setVisible(l.boxes[i].visible);
        AnLabel[i]->move(l.boxes[i].left, analog_box_top - 13);
        AnLabel[i]->setVisible(l.boxes[i].visible);
    }
    ShowA16->setVisible(l.ShowA16);
    ShowA16->move(Panel2->width() - show_a16_width, analog_bar_top + 36);
    Analog_Close->move(l.Analog_Close, 0);
}

void SimulationWindow::ShowA16Click() {
    core_.analog.ShowAll = !core_.analog.ShowAll;
    FormResize();
    ShowA16->setText(core_.analog.ShowAll ? QStringLiteral("<") : QStringLiteral(">"));
}

void SimulationWindow::FormInit() {
    core_.analog.FormInit();
    show_levels();
    if (on_levels_changed) on_levels_changed();
}

void SimulationWindow::show_for_device() {
    if (isHidden()) show();
}

void SimulationWindow::bar_moved(int i, int value) {
    core_.analog.set_position(i, value);
    show_levels();
    if (on_levels_changed) on_levels_changed();
}

void SimulationWindow::box_edited(int i, const QString& text) {
    core_.analog.An0Change(i, text.toStdString());
    show_levels();
    if (on_levels_changed) on_levels_changed();
}

void SimulationWindow::show_levels() {
    for (size_t i = 0; i < ScrollBar.size(); ++i) {
        if (ScrollBar[i]->value() != core_.analog.Position[i]) {
            const QSignalBlocker quiet(ScrollBar[i]);
            ScrollBar[i]->setValue(core_.analog.Position[i]);
        }
        const QString text = QString::fromStdString(core_.analog.An[i]);
        if (An[i]->text() != text) An[i]->setText(text);
    }
}

void SimulationWindow::show_panel(int k) {
    const auto i = static_cast<size_t>(k);
    PortPanel& port = core_.panels[k + 1];
    if (Panel_E[i]->isHidden() == port.Panel.Visible) Panel_E[i]->setVisible(port.Panel.Visible);
    if (!port.Panel.Caption.empty()) set_text_if_changed(Caption_E[i], QString::fromStdString(port.Panel.Caption));
    if (IN_E[i]->isHidden() == port.IN.Visible) {
        IN_E[i]->setVisible(port.IN.Visible);
        IN_Label[i]->setVisible(port.IN.Visible);
    }
    if (port.IN.revision() != in_revision_[i]) {
        in_revision_[i] = port.IN.revision();
        IN_E[i]->setText(QString::fromStdString(std::string(port.IN.Text())));
    }
    const std::pair<uint32_t, uint32_t> colours{port.ListBox.Color, port.ListBox.FontColor};
    if (shown_colours_[i] != colours) {
        shown_colours_[i] = colours;
        QPalette palette = ListBox_E[i]->palette();
        palette.setColor(QPalette::Base, colour_of(colours.first));
        palette.setColor(QPalette::Text, colour_of(colours.second));
        ListBox_E[i]->setPalette(palette);
    }
    const ListChanges changes = port.ListBox.take_changes();
    models_[i]->apply(changes);
    const int32_t selected = port.ListBox.ItemIndex;
    if (!changes.any() && selected == shown_index_[i]) return;
    shown_index_[i] = selected;
    QTableView* list = ListBox_E[i];
    if (selected < 0 || selected >= models_[i]->rowCount()) {
        list->selectionModel()->clear();
        return;
    }
    // A new current row scrolls the list to it, once.
    list->selectionModel()->setCurrentIndex(models_[i]->index(selected), QItemSelectionModel::ClearAndSelect);
}

void SimulationWindow::refresh() {
    const int board = static_cast<int>(core_.board.kind);
    if (board != shown_board_ || core_.reset_count != shown_reset_) {
        shown_board_ = board;
        shown_reset_ = core_.reset_count;
        FormResize();
    }
    for (int k = 0; k < port_panel_count; ++k) show_panel(k);
    show_levels();
}

void SimulationWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormInit();
    FormResize();
}

void SimulationWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void SimulationWindow::contextMenuEvent(QContextMenuEvent* event) { PopupMenu1->exec(event->globalPos()); }

} // namespace quorvex
