#include "workbench/port_list_model.h"

#include <algorithm>

namespace quorvex {

PortListModel::PortListModel(const OutputList& list, QObject* parent) : QAbstractListModel(parent), list_(list) {
    rows_ = list_.Count();
}

int PortListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant PortListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
    const std::string& line = list_.item(index.row() - removing_);
    // Four bytes a character at most; the cut backs off to the start of a UTF-8 sequence.
    size_t size = std::min(line.size(), size_t{4} * shown_chars);
    while (size < line.size() && size > 0 && (static_cast<unsigned char>(line[size]) & 0xC0) == 0x80) --size;
    QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(size));
    if (text.size() > shown_chars) text.truncate(shown_chars);
    return text;
}

void PortListModel::apply(const ListChanges& changes) {
    const int n = list_.Count();
    if (changes.reset) {
        beginResetModel();
        rows_ = n;
        endResetModel();
        return;
    }
    if (const int gone = std::min(static_cast<int>(changes.removed_front), rows_); gone > 0) {
        // The list has dropped them already: until the view has too, its rows sit `gone` lower.
        removing_ = gone;
        beginRemoveRows({}, 0, gone - 1);
        rows_ -= gone;
        removing_ = 0;
        endRemoveRows();
    }
    if (n < rows_) { // the list lost rows the record does not account for
        beginResetModel();
        rows_ = n;
        endResetModel();
        return;
    }
    if (changes.first_line < rows_) emit dataChanged(index(std::max(0, changes.first_line)), index(rows_ - 1));
    if (n > rows_) {
        beginInsertRows({}, rows_, n - 1);
        rows_ = n;
        endInsertRows();
    }
}

} // namespace quorvex
