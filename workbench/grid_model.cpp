// The variables grid's row model and its diff.
#include "workbench/grid_model.h"

namespace quorvex {

namespace {

// Converted at each paint: the grid shows a screenful at a time.
QString cell(const GridRow& r, int column) {
    switch (column) {
    case 1:
        return QString::fromStdString(r.mark);
    case 2:
        return QString::fromStdString(r.name);
    case 3:
        return QString::fromStdString(r.value);
    case 4:
        return QString::fromStdString(r.qualifier);
    default:
        return QString::fromStdString(r.no);
    }
}

} // namespace

GridModel::GridModel(const GridState& state, QObject* parent) : QAbstractTableModel(parent), state_(state) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_column_count; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return cell(rows_[static_cast<size_t>(index.row())], index.column());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* titles[grid_column_count] = {"No", "W", "Variable", "Value", "Qualifier"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < grid_column_count)
        return QString::fromLatin1(titles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.row() >= rowCount()) return f;
    const GridRow& r = rows_[static_cast<size_t>(index.row())];
    if (index.column() == 3 && !r.header && state_.format == GridFormat::Decimal) f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex&, const QVariant&, int) { return true; }

void GridModel::emit_changed(size_t first, size_t last) {
    emit dataChanged(index(static_cast<int>(first), 0), index(static_cast<int>(last), grid_column_count - 1));
}

void GridModel::mark_changed(int r) { emit dataChanged(index(r, 1), index(r, 1)); }

void GridModel::apply(std::vector<GridRow>& next, bool reset) {
    if (reset) {
        beginResetModel();
        rows_.swap(next);
        endResetModel();
        return;
    }
    // The rows that stand for the same variables at both ends are kept; the span between them
    // is replaced.
    const size_t old_n = rows_.size();
    const size_t new_n = next.size();
    size_t head = 0;
    while (head < old_n && head < new_n && rows_[head].same_key(next[head])) ++head;
    size_t tail = 0;
    while (tail < old_n - head && tail < new_n - head && rows_[old_n - 1 - tail].same_key(next[new_n - 1 - tail]))
        ++tail;
    if (old_n - tail > head) {
        beginRemoveRows({}, static_cast<int>(head), static_cast<int>(old_n - tail - 1));
        rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(head), rows_.begin() + static_cast<ptrdiff_t>(old_n - tail));
        endRemoveRows();
    }
    if (new_n - tail > head) {
        beginInsertRows({}, static_cast<int>(head), static_cast<int>(new_n - tail - 1));
        rows_.insert(rows_.begin() + static_cast<ptrdiff_t>(head), next.begin() + static_cast<ptrdiff_t>(head),
                     next.begin() + static_cast<ptrdiff_t>(new_n - tail));
        endInsertRows();
    }
    // Same rows now: announce the cells that differ, a run of rows at a time.
    size_t run = new_n;
    for (size_t i = 0; i < new_n; ++i) {
        const bool changed = !rows_[i].same_cells(next[i]);
        std::swap(rows_[i], next[i]);
        if (changed && run == new_n) run = i;
        if (!changed && run != new_n) {
            emit_changed(run, i - 1);
            run = new_n;
        }
    }
    if (run != new_n) emit_changed(run, new_n - 1);
}

} // namespace quorvex
