#pragma once
// "Subroutines": the sketch's functions as the reset scan found them, refilled at every show.

#include <QDialog>

class QTableWidget;

namespace quorvex {

class Interpreter;

class SubroutinesWindow : public QDialog {
    Q_OBJECT
public:
    SubroutinesWindow(const Interpreter& core, QWidget* main = nullptr);

    // FormShow: one row per subroutine: number, name, parameter count, "%.4d" header line.
    void FormShow();

    QTableWidget* StringGrid1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Interpreter& core_;

    void fit_columns();
};

} // namespace quorvex
