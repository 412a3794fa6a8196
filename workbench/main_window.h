#pragma once
// The main window: the code list of the loaded sketch with the current line selected.

#include <QMainWindow>
#include <array>
#include <memory>

#include "interpreter/clock.h"
#include "interpreter/interpreter.h"
#include "workbench/qt_host.h"

class QLabel;
class QListWidget;
class QTimer;

namespace quorvex {

class BoardView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Loads a sketch from a file or a Qt resource path, then resets. False, with the loaded
    // sketch kept, when the path is not a readable file.
    bool load_sketch(const QString& path);
    // Shows the core's code list and selects the current line.
    void refresh_code_list();

    // Run (F9) and Abort: the core decides, the Qt timer mirrors its Timer1.
    void run();
    void abort();
    // One tick of Timer1: a Run step or a step-out step.
    void timer1_tick();
    // "Load Sketch (F4)": the open dialog, then load and reset.
    void Open1Click();

    Interpreter& core() { return core_; }
    QTimer* timer1() const { return timer1_; }
    QtHost& host() { return host_; }
    QListWidget* code_list() const { return list_; }
    BoardView* board_view() const { return board_; }

private:
    QtHost host_;
    SystemClock clock_;
    Interpreter core_;
    QListWidget* list_;
    BoardView* board_;
    QTimer* timer1_;
    QTimer* timer2_;
    std::array<QLabel*, 4> status_{}; // the status bar's panels

    // Starts, stops or re-times the Qt timer to match the core's Timer1.
    void sync_timer();
    void select_line(int32_t line);
    void show_status();
};

} // namespace quorvex
