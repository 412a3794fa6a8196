#pragma once
// The EEPROM window's cells as an item model: 1024 cells of the simulated EEPROM, sixteen to a
// row, in hexadecimal.

#include <QAbstractTableModel>

namespace quorvex {

class Interpreter;

class EepromModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int rows = 64;
    static constexpr int columns = 16;

    explicit EepromModel(Interpreter& core, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The cell's value: the leading hexadecimal digits of the text, 0 without any.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Update_EEPROM1: every cell read again.
    void reread();

private:
    Interpreter& core_;
};

} // namespace quorvex
