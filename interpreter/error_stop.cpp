// The sketch error stop and the daily error log.
#include <cstdio>

#include "interpreter/interpreter.h"

namespace quorvex {

void Interpreter::stop_run() {
    Timer1.Enabled = false;
    AutoStep.Checked = false;
    RunButton.ImageIndex = 12;
    RunButton.Hint = "Run F9";
    ON_LED.Visible = false;
    update1 = true;
    step_out = false;
    step_outi = 0;
    step_outj = 0;
}

std::string Interpreter::error_line_text() const {
    return ListBox1.has(Line) ? ListBox1.item(Line) : std::string("Past End");
}

void Interpreter::ShowMessage1(const std::string& s) {
    stop_run();
    error_str = s;
    const std::string line_text = error_line_text();
    log_error("**ERROR** Line:" + std::to_string(Line) + " " + line_text + " " + s);
    // An error raised while the window is already open (a timer or a pin click during it)
    // is stopped and logged, but does not stack a second window.
    if (error_window_open_) return;
    error_window_open_ = true;
    try {
        host_.show_error(s, line_text);
    } catch (...) {
        error_window_open_ = false;
        throw;
    }
    error_window_open_ = false;
}

void Interpreter::log_error(const std::string& s) {
    if (!LogErrors1.Checked) return;
    const LocalDateTime t = clock_.now();
    char name[64];
    std::snprintf(name, sizeof name, "Errorlog %.4d-%.2d-%.2d.txt", t.year, t.month, t.day);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.2d:%.2d:%.2d ", t.hour, t.minute, t.second);
    // Failures to write the log are dropped: a log must never stop the sketch.
    files->append(CurrentDir / name, stamp + s + "\r\n");
}

} // namespace quorvex
