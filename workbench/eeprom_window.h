#pragma once
// "EEPROM": cells 0..1023 of the simulated EEPROM, sixteen to a row, in hexadecimal. A typed
// cell is stored as it is typed; a write by the sketch shows at the next refresh.

#include <QAbstractTableModel>
#include <QDialog>
#include <QPointer>

class QLineEdit;
class QTableView;

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

class EepromWindow : public QDialog {
    Q_OBJECT
public:
    EepromWindow(Interpreter& core, QWidget* main = nullptr);

    // FormShow: placed on the main window, every cell shown.
    void FormShow();
    // Update_EEPROM1.
    void Update_EEPROM1() { model_->reread(); }
    // A write by the sketch: the cells are read again at the next flush.
    void mark_stale() { stale_ = true; }
    // The refresh hook: re-reads the cells when a write made them stale.
    void flush();

    QTableView* StringGrid1;
    EepromModel* model() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class EepromDelegate;
    EepromModel* model_;
    bool stale_ = false;
};

} // namespace quorvex
