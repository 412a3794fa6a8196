#include "sketchrun/event_log.h"

#include <cstdio>

namespace quorvex::sketchrun {

namespace {

std::string where(int32_t line, int32_t line_count) {
    char text[16];
    if (line >= 0 && line < line_count) std::snprintf(text, sizeof text, "%.4d", line);
    else std::snprintf(text, sizeof text, "Past End");
    return text;
}

// Digital pins print as D13, the analog pins of the display (60..75) as A0..A15.
std::string pin_name(int32_t pin) { return pin >= 60 ? "A" + std::to_string(pin - 60) : "D" + std::to_string(pin); }

const char* mode_name(int32_t mode) {
    switch (mode) {
    case 0: return "INPUT";
    case 1: return "OUTPUT";
    case 2: return "SPECIAL";
    default: return "UNDEFINED";
    }
}

} // namespace

void EventLog::error(int32_t line, int32_t line_count, const std::string& message) {
    out_ << "error " << where(line, line_count) << ": " << message << '\n';
}

void EventLog::level(int32_t pin, bool high, int64_t us) {
    out_ << pin_name(pin) << '=' << (high ? 1 : 0) << " @" << us << '\n';
}

void EventLog::variable(const std::string& name, int32_t type, const std::string& value) {
    out_ << "var " << name << " = ";
    if (type == 7) out_ << '"' << value << '"';
    else out_ << value;
    out_ << '\n';
}

void EventLog::pin(int32_t pin, int32_t mode, bool high) {
    out_ << "pin " << pin << ' ' << mode_name(mode) << ' ' << (high ? 1 : 0) << '\n';
}

void EventLog::clock(int64_t us) { out_ << "us: " << us << '\n'; }

void EventLog::line(int32_t line, int32_t line_count) { out_ << "Line: " << where(line, line_count) << '\n'; }

void EventLog::steps(long count) { out_ << "steps: " << count << '\n'; }

} // namespace quorvex::sketchrun
