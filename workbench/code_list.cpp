#include "workbench/code_list.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "interpreter/interpreter.h"
#include "workbench/window_frame.h"

namespace quorvex {

QColor line_colour(LineColour colour) {
    switch (colour) {
    case LineColour::Comment:
        return {200, 200, 200};
    case LineColour::Decl:
        return {0, 160, 0};
    case LineColour::Const:
        return {128, 128, 0};
    case LineColour::Hash:
        return {160, 160, 160};
    case LineColour::Sub:
        return {0, 0, 255};
    case LineColour::Default:
        break;
    }
    return {0, 0, 0};
}

RowColours row_colours(const Interpreter& core, int32_t index, bool selected, const QPalette& palette) {
    const QColor list_text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (core.BreakLine >= 2 && index == core.BreakLine)
        return {index == core.Line ? QColor(128, 0, 128) : QColor(255, 0, 0), list_text};
    if (core.pre.from_include(index)) return {palette.color(QPalette::Button), list_text};
    if (core.match_Start <= index && index <= core.match_end) return {QColor(220, 200, 40), list_text};
    if (index == core.Line) return {QColor(0, 0, 255), list_text};
    const bool coloured =
        core.SyntaxColouring1.Checked && index >= 0 && static_cast<size_t>(index) < core.f_color.size();
    return {Qt::white, coloured ? line_colour(core.f_color[static_cast<size_t>(index)]) : QColor(Qt::black)};
}

LineBox line_box(const QFont& font) {
    static const QString printable = [] {
        QString text;
        for (char16_t c = 0x21; c < 0x7F; ++c) text += QChar(c);
        return text;
    }();
    const QFontMetrics metrics(font);
    // Some fonts draw a glyph beyond their own ascent or descent.
    const QRect ink = metrics.tightBoundingRect(printable);
    const int above = std::max(metrics.ascent(), -ink.top());
    const int below = std::max(metrics.descent(), ink.bottom() + 1);
    return {above, above + below};
}

QFont code_font(const QString& name, int h) {
    QFont font(name); // no style hint: it would put a monospace font in place of "Arial"
    h = std::clamp(h, -400, 400);
    if (h < 0) font.setPixelSize(-h);
    if (h <= 0) return font;
    const auto fits = [&](int px) {
        font.setPixelSize(px);
        return line_box(font).height <= h;
    };
    // A cell height holds the ascent and the descent: start from the size it scales to.
    int px = h;
    if (!fits(px)) {
        px = std::max(1, h * h / line_box(font).height);
        while (px > 1 && !fits(px)) --px;
        while (px < h && fits(px + 1)) ++px;
    }
    font.setPixelSize(px);
    return font;
}

int code_row_height(const QFont& font, int h, int current) {
    return std::max(h > 0 ? h + 2 : current, line_box(font).height);
}

int32_t break_line_at(int y, int item_height, int first_visible) {
    return y / std::max(item_height, 1) + first_visible;
}

// --- delegate ---

CodeListDelegate::CodeListDelegate(Interpreter& core, QObject* parent) : QStyledItemDelegate(parent), core_(core) {}

void CodeListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int row = index.row();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const RowColours colours = row_colours(core_, row, selected, option.palette);
    painter->fillRect(option.rect, colours.background);
    if (!core_.ListBox1.has(row)) return;
    QString text = QString::fromStdString(core_.ListBox1.item(row));
    if (core_.LineNumbers1.Checked) text = QString::asprintf("%.4d ", row) + text;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setPen(colours.text);
    painter->setFont(option.font);
    painter->drawText(QPoint(option.rect.left(), option.rect.top() + baseline), text);
    painter->restore();
}

QSize CodeListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), item_height};
}

// --- view ---

CodeListView::CodeListView(Interpreter& core, QWidget* parent)
    : QListView(parent), core_(core), model_(new CodeListModel(core, this)),
      delegate_(new CodeListDelegate(core, this)) {
    setObjectName(QStringLiteral("ListBox1"));
    setModel(model_);
    setItemDelegate(delegate_);
    setUniformItemSizes(true); // long sketches: one row height for all
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setProperty("helpContext", 28);
}

void CodeListView::set_item_height(int h) {
    delegate_->item_height = h;
    // The view caches the uniform row size: a new height needs a fresh layout.
    emit delegate_->sizeHintChanged(model_->index(0, 0));
    doItemsLayout();
}

void CodeListView::set_code_font(const QString& name, int h) {
    const QFont font = code_font(name, h);
    setFont(font);
    delegate_->baseline = line_box(font).baseline;
    set_item_height(code_row_height(font, h, item_height()));
}

int CodeListView::first_visible() const { return verticalScrollBar()->value(); }

int CodeListView::visible_rows() const { return viewport()->height() / std::max(item_height(), 1); }

void CodeListView::set_first_visible(int row) { verticalScrollBar()->setValue(row); }

void CodeListView::mousePressEvent(QMouseEvent* event) {
    core_.BreakLine1 = break_line_at(static_cast<int>(event->position().y()), item_height(), first_visible());
    if (event->button() == Qt::RightButton) return; // the pop-up opens; the selection stays
    QListView::mousePressEvent(event);
}

// --- ChangeLine ---

ChangeLineDialog::ChangeLineDialog(QWidget* main_window) : QDialog(main_window), main_(main_window) {
    setObjectName(QStringLiteral("ChangeLine"));
    setWindowTitle(QStringLiteral("ChangeLine"));
    setProperty("helpContext", 14);
    Label1 = new QLabel(QStringLiteral("Move to this new line"), this);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(18);
    Label1->setFont(font);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, [this] { done(1); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(2); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    setFixedSize(319, 106);
}

void ChangeLineDialog::showEvent(QShowEvent* event) {
    if (main_ != nullptr)
        place_by_frame(*this, [this](const QMargins& frame) {
            return QRect(frame_geometry(*main_).topLeft() + QPoint(20, 100), size().grownBy(frame));
        });
    QDialog::showEvent(event);
}

} // namespace quorvex
