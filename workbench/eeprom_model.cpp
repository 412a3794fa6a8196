#include "workbench/eeprom_model.h"

#include "interpreter/interpreter.h"

namespace quorvex {

EepromModel::EepromModel(Interpreter& core, QObject* parent) : QAbstractTableModel(parent), core_(core) {}

int EepromModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows; }

int EepromModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns; }

QVariant EepromModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const std::optional<int32_t> value = core_.eeprom.get(index.row() * columns + index.column());
    if (!value) return {};
    // Two digits at least; a value above 255 (or below 0) shows all its digits.
    return QStringLiteral("%1").arg(static_cast<uint32_t>(*value), 2, 16, QLatin1Char('0')).toUpper();
}

QVariant EepromModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) return QStringLiteral("%1").arg(section, 2, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("%1").arg(section * columns, 4, 16, QLatin1Char('0')).toUpper();
}

Qt::ItemFlags EepromModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool EepromModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    if (!core_.eeprom.set(index.row() * columns + index.column(), StrToHex(value.toString().toStdString())))
        return false;
    emit dataChanged(index, index);
    return true;
}

void EepromModel::reread() { emit dataChanged(index(0, 0), index(rows - 1, columns - 1)); }

} // namespace quorvex
