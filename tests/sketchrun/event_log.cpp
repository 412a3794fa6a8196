#include "sketchrun/event_log.h"

#include <cstdio>

namespace quorvex::sketchrun {

namespace {

std::string where(int32_t line, int32_t line_count) {
    char text[16];
    if (line >= 0 && line < line_count)
        std::snprintf(text, sizeof text, "%.4d", line);
    else
        std::snprintf(text, sizeof text, "Past End");
    return text;
}

// Digital pins print as D13, the analog pins of the display (60..75) as A0..A15.
std::string pin_name(int32_t pin) { return pin >= 60 ? "A" + std::to_string(pin - 60) : "D" + std::to_string(pin); }

const char* mode_name(int32_t mode) {
    switch (mode) {
    case 0:
        return "INPUT";
    case 1:
        return "OUTPUT";
    case 2:
        return "SPECIAL";
    default:
        return "UNDEFINED";
    }
}

} // namespace

void EventLog::error(int32_t line, int32_t line_count, const std::string& message) {
    out_ << "error " << where(line, line_count) << ": " << message << '\n';
}

void EventLog::level(int32_t pin, bool high, int64_t us) {
    out_ << pin_name(pin) << '=' << (high ? 1 : 0) << " @" << us << '\n';
}

void EventLog::shade(int32_t pin, int32_t shade, int64_t us) {
    out_ << pin_name(pin) << '~' << shade << " @" << us << '\n';
}

void EventLog::tone(int32_t freq, int32_t ms) { out_ << "tone " << freq << ' ' << ms << '\n'; }

void EventLog::eeprom(int32_t addr, int32_t value) { out_ << "eeprom " << addr << '=' << value << '\n'; }

void EventLog::variable(const std::string& name, int32_t type, const std::string& value) {
    out_ << "var " << name << " = ";
    if (type == 7)
        out_ << '"' << value << '"';
    else
        out_ << value;
    out_ << '\n';
}

void EventLog::pin(int32_t pin, int32_t mode, bool high, const std::string& caption) {
    out_ << "pin " << pin << ' ' << mode_name(mode) << ' ' << (high ? 1 : 0);
    if (!caption.empty()) out_ << " \"" << caption << '"';
    out_ << '\n';
}

void EventLog::led13(bool on) {
    if (on) out_ << "led13 on\n";
}

void EventLog::analog_out(int32_t pin, const std::string& caption) {
    out_ << "analog out " << pin << " \"" << caption << "\"\n";
}

void EventLog::analog_in(int32_t ch, const std::string& name, int32_t level) {
    out_ << "analog in " << ch << " \"" << name << "\" " << level << '\n';
}

void EventLog::notice(int32_t line, int32_t line_count, const std::string& text) {
    out_ << "notice " << where(line, line_count) << ": " << text << '\n';
}

void EventLog::panel(int32_t k, const std::string& caption, bool visible) {
    out_ << "panel " << k << " \"" << caption << "\" " << (visible ? "shown" : "hidden") << '\n';
}

void EventLog::input_box(int32_t k, bool visible, std::string_view text) {
    out_ << "IN" << k << ' ';
    if (!visible) {
        out_ << "hidden\n";
        return;
    }
    out_ << "shown \"";
    printable(text);
    out_ << "\"\n";
}

void EventLog::event(const std::string& name, int32_t panel) { out_ << "event " << name << ' ' << panel << '\n'; }

void EventLog::sd_file(const std::string& name) { out_ << "sd_file: " << name << '\n'; }

void EventLog::panel_line(int32_t k, const std::string& text) {
    out_ << 'E' << k << "| ";
    printable(text);
    out_ << '\n';
}

void EventLog::printable(std::string_view text) {
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out_ << c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out_ << hex;
        }
    }
}

void EventLog::clock(int64_t us) { out_ << "us: " << us << '\n'; }

void EventLog::millis(int64_t us) {
    if (us / 1000 != 0) out_ << "millis: " << us / 1000 << '\n';
}

void EventLog::delay(int64_t ms, int64_t us) { out_ << "delay " << ms << " @" << us << '\n'; }

void EventLog::line(int32_t line, int32_t line_count) { out_ << "Line: " << where(line, line_count) << '\n'; }

void EventLog::steps(long count) { out_ << "steps: " << count << '\n'; }

} // namespace quorvex::sketchrun
