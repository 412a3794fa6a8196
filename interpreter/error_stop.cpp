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
    ++errors_shown_;
    stop_run();
    error_str = s;
    std::string line_text = error_line_text();
    log_error("**ERROR** Line:" + std::to_string(Line) + " " + line_text + " " + s);
    if (gathering_.on) {
        // A sketch full of faults must not mean one window per line: the first waits for the
        // end of the load, the others are counted.
        if (gathering_.any) {
            ++gathering_.more;
        } else {
            gathering_.any = true;
            gathering_.message = s;
            gathering_.line_text = std::move(line_text);
        }
        return;
    }
    show_error_window(s, line_text);
}

void Interpreter::show_error_window(const std::string& message, const std::string& line_text) {
    // An error raised while the window is already open (a timer or a pin click during it)
    // is stopped and logged, but does not stack a second window.
    if (error_window_open_) return;
    error_window_open_ = true;
    try {
        host_.show_error(message, line_text);
    } catch (...) {
        error_window_open_ = false;
        throw;
    }
    error_window_open_ = false;
}

Interpreter::GatheredErrors::GatheredErrors(Interpreter& in, const char* while_doing)
    : in_(in), outermost_(!in.gathering_.on && in.host_.gathers_load_errors()) {
    if (!outermost_) return;
    in.gathering_ = Gathering{};
    in.gathering_.on = true;
    in.gathering_.while_doing = while_doing;
}

Interpreter::GatheredErrors::~GatheredErrors() {
    if (outermost_ && !shown_) in_.gathering_ = Gathering{};
}

void Interpreter::GatheredErrors::show() {
    if (!outermost_ || shown_) return;
    shown_ = true;
    Gathering g = std::move(in_.gathering_);
    in_.gathering_ = Gathering{};
    if (!g.any) return;
    std::string text = std::move(g.message);
    if (g.more > 0)
        text += "\n\u2026 and " + std::to_string(g.more) +
                (g.more == 1 ? " more error while " : " more errors while ") + g.while_doing;
    in_.error_str = text;
    in_.show_error_window(text, g.line_text);
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
