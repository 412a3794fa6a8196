#pragma once
// The main window: the code list of the loaded sketch with the current line selected.

#include <QMainWindow>
#include <memory>

#include "interpreter/clock.h"
#include "interpreter/interpreter.h"
#include "workbench/qt_host.h"

class QListWidget;

namespace quorvex {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Loads a sketch from a file or a Qt resource path, then resets. False, with the loaded
    // sketch kept, when the path is not a readable file.
    bool load_sketch(const QString& path);
    // Shows the core's code list and selects the current line.
    void refresh_code_list();

    Interpreter& core() { return core_; }
    QtHost& host() { return host_; }
    QListWidget* code_list() const { return list_; }

private:
    QtHost host_;
    SystemClock clock_;
    Interpreter core_;
    QListWidget* list_;
};

} // namespace quorvex
