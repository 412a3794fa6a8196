#pragma once
// "EEPROM": cells 0..1023 of the simulated EEPROM, sixteen to a row, in hexadecimal. A typed
// cell is stored as it is typed; a write by the sketch shows at the next refresh.

#include <QDialog>
#include <QPointer>

#include "workbench/eeprom_model.h"

class QLineEdit;
class QTableView;

namespace quorvex {

class Interpreter;

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
