#include "workbench/code_list_model.h"

#include "interpreter/interpreter.h"

namespace quorvex {

CodeListModel::CodeListModel(Interpreter& core, QObject* parent) : QAbstractListModel(parent), core_(core) {}

int CodeListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant CodeListModel::data(const QModelIndex& index, int role) const {
    // Between a change of the items and the next sync the rows may outnumber them.
    if (role != Qt::DisplayRole || !core_.ListBox1.has(index.row())) return {};
    return QString::fromStdString(core_.ListBox1.item(index.row()));
}

bool CodeListModel::sync() {
    if (core_.ListBox1.revision() == revision_) return false;
    beginResetModel();
    revision_ = core_.ListBox1.revision();
    rows_ = core_.ListBox1.Count();
    endResetModel();
    return true;
}

} // namespace quorvex
