#pragma once
// The variables grid's rows as an item model: the cells of the rows a refresh built, changed by
// the smallest span it can so that a step repaints only what moved.

#include <QAbstractTableModel>
#include <vector>

#include "workbench/grid_state.h"

namespace quorvex {

// The columns: "No", "W", "Variable", "Value", "Qualifier".
inline constexpr int grid_column_count = 5;

// The rows under the titles. A refresh applies the new rows as the smallest change it can:
// changed cells, a removed or inserted span, or a reset after the core's reset.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(const GridState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The editor writes as it is typed; committing it changes nothing more.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Takes `next` (left with the old rows' storage for the next build).
    void apply(std::vector<GridRow>& next, bool reset);
    const std::vector<GridRow>& rows() const { return rows_; }
    GridRow* row(int r) {
        return r >= 0 && r < static_cast<int>(rows_.size()) ? &rows_[static_cast<size_t>(r)] : nullptr;
    }
    void mark_changed(int r);

private:
    const GridState& state_;
    std::vector<GridRow> rows_;

    void emit_changed(size_t first, size_t last);
};

} // namespace quorvex
