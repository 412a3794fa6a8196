#pragma once
// The workbench side of the core's Host: modal windows over Qt.

#include <functional>

#include "interpreter/host.h"

class QWidget;

namespace quorvex {

class ErrorDialog;

class QtHost : public Host {
public:
    explicit QtHost(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show_error(const std::string& message, const std::string& line_text) override;
    void update_click(bool update1, int32_t line) override {
        if (on_update) on_update(update1, line);
    }

    // The main window's refresh after a step.
    std::function<void(bool update1, int32_t line)> on_update;

    // The dialog while it is open, for tests that close it from a timer.
    ErrorDialog* open_dialog() const { return open_; }

private:
    QWidget* parent_;
    ErrorDialog* open_ = nullptr;
};

} // namespace quorvex
