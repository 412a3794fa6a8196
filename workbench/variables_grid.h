#pragma once
// The variables grid "StringGrid1": every variable of the sketch grouped by type, refreshed after
// each step by a diff of the rows, with watch and fold marks and typed values written back.

#include <QPointer>
#include <QTableView>
#include <functional>
#include <vector>

#include "workbench/grid_model.h"
#include "workbench/grid_state.h"

class QLineEdit;

namespace quorvex {

class Interpreter;

class VariablesGrid : public QTableView {
    Q_OBJECT
public:
    VariablesGrid(Interpreter& core, QWidget* parent = nullptr);

    // The refresh hook: only with `update1` (a step under Run without it leaves the grid).
    void refresh(bool update1);
    // The grid's click on the current cell (Decimal only): the W column toggles the mark and
    // moves to column 2; a value cell opens its editor, assigning nothing.
    void StringGrid1Exit();
    // F7 from the grid: an open editor is committed and closed before the step.
    void commit_editor();
    // After a row's "+" changed: its element rows shown or hidden at once.
    void UpdateArrays();
    void WatchClick();
    void DecimalClick();
    void HexClick();
    void Char1Click();
    // A typed value cell: the trimmed text goes to the variable as the type reads it.
    void write_typed(int row, const QString& text);

    GridState state;
    GridModel* model() const { return model_; }
    // After a typed value was written: the rest of the main window may show its effect.
    std::function<void()> on_written;
    // A text that is no value of the variable's type: a hint, never a dialog.
    std::function<void(const QString&)> on_hint;

    // The fixed column: "No" drawn over the grid's left edge while the other columns scroll.
    QTableView* fixed_column() const { return fixed_; }

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    // A cell scrolled into view is not left under the fixed column.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    friend class GridDelegate;
    Interpreter& core_;
    GridModel* model_;
    QTableView* fixed_ = nullptr;
    std::vector<GridRow> next_;
    uint64_t shown_reset_ = ~uint64_t{0};
    QPointer<QLineEdit> editor_;

    void rebuild();
    void show_hidden_rows();
    void set_row_hidden(int row, bool hidden);
    void place_fixed_column();
    void set_format(GridFormat format);
};

} // namespace quorvex
