// The variables grid: the header-row drawing, the fixed column, marks and typed writes.
#include "workbench/variables_grid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "interpreter/interpreter.h"

namespace quorvex {

// Header rows in the button face and its text colour, bold italic; value cells edited in a line edit that writes
// at every change the user makes.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(VariablesGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const GridRow* r = grid_.model_->row(index.row());
        if (r == nullptr || !r->header) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->fillRect(option.rect, option.palette.brush(QPalette::Button));
        QFont font = option.font;
        font.setBold(true);
        font.setItalic(true);
        font.setPointSize(13);
        painter->setFont(font);
        painter->setPen(option.palette.color(QPalette::ButtonText)); // black in the plain style
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const int row = index.row();
        VariablesGrid* grid = &grid_;
        QObject::connect(editor, &QLineEdit::textEdited, editor,
                         [grid, row](const QString& text) { grid->write_typed(row, text); });
        grid_.editor_ = editor;
        return editor;
    }

    // A refresh while the editor is open must not replace what the user is typing.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = static_cast<QLineEdit*>(editor);
        if (!line->isModified()) line->setText(index.data().toString());
    }

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

private:
    VariablesGrid& grid_;
};

// --- grid ------------------------------------------------------------------------------------

VariablesGrid::VariablesGrid(Interpreter& core, QWidget* parent) : QTableView(parent), core_(core) {
    setObjectName(QStringLiteral("StringGrid1"));
    setProperty("helpContext", 29);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    model_ = new GridModel(state, this);
    setModel(model_);
    setItemDelegate(new GridDelegate(*this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setDefaultSectionSize(80);
    horizontalHeader()->setSectionsMovable(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    // A range may be selected; only the current cell is ever acted on.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QTableView::clicked, this, [this] {
        if (selectionModel()->selectedIndexes().size() <= 1) StringGrid1Exit(); // not a Shift+click range
    });
    setColumnWidth(0, 30);
    setColumnWidth(1, 25);

    // The fixed column is a second view of column 0 over the grid's left edge, sharing the rows,
    // the selection and the vertical scrolling; the grid's own column 0 scrolls away under it.
    fixed_ = new QTableView(this);
    fixed_->setObjectName(QStringLiteral("FixedColumn"));
    fixed_->setProperty("helpContext", 29);
    fixed_->setModel(model_);
    QItemSelectionModel* own = fixed_->selectionModel();
    fixed_->setSelectionModel(selectionModel());
    delete own;
    fixed_->setItemDelegate(new GridDelegate(*this));
    fixed_->setFrameShape(QFrame::NoFrame);
    fixed_->setFocusPolicy(Qt::ClickFocus);
    fixed_->setFocusProxy(this);
    fixed_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fixed_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    fixed_->setWordWrap(false);
    fixed_->verticalHeader()->hide();
    fixed_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->verticalHeader()->setDefaultSectionSize(20);
    fixed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->stackUnder(fixed_);
    connect(fixed_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, fixed_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
        if (section == 0) place_fixed_column();
    });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this] {
        const int at = horizontalHeader()->visualIndex(0);
        if (at != 0) horizontalHeader()->moveSection(at, 0); // the fixed column stays first
    });
    // A reset of the rows shows every column of both views again.
    connect(model_, &QAbstractItemModel::modelReset, this, &VariablesGrid::place_fixed_column);
    place_fixed_column();
}

void VariablesGrid::place_fixed_column() {
    if (fixed_ == nullptr) return;
    for (int c = 1; c < grid_column_count; ++c)
        if (!fixed_->isColumnHidden(c)) fixed_->setColumnHidden(c, true);
    fixed_->setColumnWidth(0, columnWidth(0));
    fixed_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    fixed_->setGeometry(viewport()->x(), horizontalHeader()->y(), columnWidth(0),
                        viewport()->height() + horizontalHeader()->height());
}

void VariablesGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    place_fixed_column();
}

void VariablesGrid::updateGeometries() {
    QTableView::updateGeometries();
    place_fixed_column();
}

void VariablesGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid() || fixed_ == nullptr) {
        QTableView::scrollTo(index, hint);
        return;
    }
    if (index.column() == 0) {
        // Always in view: only the row is scrolled to, beside it.
        const int beside = columnAt(fixed_->width());
        if (beside > 0) QTableView::scrollTo(index.siblingAtColumn(beside), hint);
        return;
    }
    QTableView::scrollTo(index, hint);
    const int covered = fixed_->width() - visualRect(index).left();
    if (covered > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

void VariablesGrid::set_row_hidden(int row, bool hidden) {
    setRowHidden(row, hidden);
    fixed_->setRowHidden(row, hidden);
}

void VariablesGrid::rebuild() {
    const bool reset = core_.reset_count != shown_reset_;
    if (reset) {
        shown_reset_ = core_.reset_count;
        state.marks.clear(); // a new run: no marks, as the reset clears the grid
    }
    build_rows(core_.vars, state, next_);
    model_->apply(next_, reset);
    show_hidden_rows();
}

void VariablesGrid::show_hidden_rows() {
    const std::vector<GridRow>& rows = model_->rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (isRowHidden(static_cast<int>(i)) != rows[i].hidden) set_row_hidden(static_cast<int>(i), rows[i].hidden);
}

void VariablesGrid::refresh(bool update1) {
    if (!update1) return;
    const bool reset = core_.reset_count != shown_reset_;
    rebuild();
    setColumnWidth(0, 30);
    setColumnWidth(1, 25);
    if (columnWidth(2) < 20) setColumnWidth(2, 80);
    if (columnWidth(3) < 20) setColumnWidth(3, 80);
    if (columnWidth(4) < 5) setColumnWidth(4, 80);
    // Row 1 current, in the column the user was in; an open editor keeps its cell.
    if (editor_ == nullptr && model_->rowCount() > 0) {
        const QModelIndex current = currentIndex();
        const QModelIndex first = model_->index(0, current.isValid() ? current.column() : 2);
        if (current != first) selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
    }
    if (reset) horizontalScrollBar()->setValue(0); // a new run opens at the first columns
}

void VariablesGrid::StringGrid1Exit() {
    if (state.format != GridFormat::Decimal) return;
    const QModelIndex current = currentIndex();
    GridRow* r = model_->row(current.row());
    if (r == nullptr || r->header) return;
    if (current.column() == 1) {
        commit_editor();
        std::string mark;
        if (r->name.find('[') == std::string::npos)
            mark = r->mark.empty() ? "w" : "";
        else
            mark = r->mark.empty() ? "+" : (r->mark == "+" ? "" : r->mark);
        state.set_mark(r->type, r->name, mark);
        r->mark = mark;
        model_->mark_changed(current.row());
        UpdateArrays();
        selectionModel()->setCurrentIndex(model_->index(current.row(), 2), QItemSelectionModel::ClearAndSelect);
        return;
    }
    if (current.column() == 3 && editor_ == nullptr) edit(current);
}

void VariablesGrid::commit_editor() {
    if (editor_ == nullptr) return;
    QLineEdit* editor = editor_;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void VariablesGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_) editor_ = nullptr;
    QTableView::closeEditor(editor, hint);
}

void VariablesGrid::UpdateArrays() {
    const int current = currentIndex().row();
    if (current < 0) return;
    // From what the grid shows now: marks since the last refresh have folded rows already.
    std::vector<GridRow>& rows = next_;
    rows = model_->rows();
    for (size_t i = 0; i < rows.size(); ++i) rows[i].hidden = isRowHidden(static_cast<int>(i));
    update_arrays(rows, static_cast<size_t>(current));
    for (size_t i = 0; i < rows.size(); ++i)
        if (isRowHidden(static_cast<int>(i)) != rows[i].hidden) set_row_hidden(static_cast<int>(i), rows[i].hidden);
}

void VariablesGrid::WatchClick() {
    state.Watch = !state.Watch;
    refresh(true);
}

void VariablesGrid::set_format(GridFormat format) {
    commit_editor();
    state.format = format;
    refresh(true);
}

void VariablesGrid::DecimalClick() { set_format(GridFormat::Decimal); }
void VariablesGrid::HexClick() { set_format(GridFormat::Hex); }
void VariablesGrid::Char1Click() { set_format(GridFormat::Char); }

void VariablesGrid::write_typed(int row, const QString& text) {
    const GridRow* r = model_->row(row);
    if (state.format != GridFormat::Decimal || core_.in_step() || r == nullptr || r->header) return;
    const std::string name(dtrim(r->name));
    const std::string value = text.trimmed().toStdString();
    // A number still being typed is left alone before the variable is looked up.
    if (still_typing(value)) return;
    const TypedValue typed = read_typed(value, core_.find_value(name).type);
    switch (typed.kind) {
    case TypedValue::Kind::Typing: // left above, before the lookup
        return;
    case TypedValue::Kind::Text:
        core_.set_string(name, value);
        break;
    case TypedValue::Kind::Float:
        core_.set_float1(name, value);
        break;
    case TypedValue::Kind::Whole:
        core_.set_var(name, typed.whole);
        break;
    case TypedValue::Kind::NotAValue:
        if (on_hint) on_hint(QStringLiteral("Not a value for %1: %2").arg(QString::fromStdString(name), text.left(40)));
        return;
    }
    rebuild();
    if (on_written) on_written();
}

} // namespace quorvex
