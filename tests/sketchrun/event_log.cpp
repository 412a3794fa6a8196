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

void EventLog::lcd_state(int32_t x, int32_t y, bool cursor, bool blink, int32_t scroll, bool backwards, uint32_t font,
                         uint32_t background) {
    const auto rgb = [](uint32_t c) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu);
        return std::string(hex);
    };
    out_ << "lcd x " << x << " y " << y << " cursor " << cursor << " blink " << blink << " scroll " << scroll
         << " backwards " << backwards << " colour " << rgb(font) << '/' << rgb(background) << '\n';
}

void EventLog::lcd_item(int32_t item, const std::string& line, int32_t width) {
    if (item % 2 == 1) {
        const size_t end = line.find_last_not_of(' ');
        if (end == std::string::npos) {
            out_ << "LCD|\n";
            return;
        }
        out_ << "LCD| ";
        printable(line.substr(0, end + 1));
        out_ << '\n';
        return;
    }
    out_ << "LCD| ";
    printable(line);
    int32_t chars = 0; // UTF-8 lead bytes
    for (const char c : line) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    for (; chars < width; ++chars) out_ << ' ';
    out_ << "|\n";
}

void EventLog::lcd_trace(long step, int32_t first) { out_ << "LCD @" << step << " item " << first << '\n'; }

void EventLog::servo(int32_t row, const std::string& name, int32_t pin, bool attached) {
    out_ << "servo " << row << ' ' << name << " pin " << pin << (attached ? " attached" : " unattached") << '\n';
}

void EventLog::stepper(const std::string& name, const std::string& pins, int32_t steps, int32_t stepx, bool running,
                       int32_t interval, const std::string& status) {
    out_ << "stepper " << name << " pins " << pins << " steps " << steps << " stepx " << stepx << " timer "
         << (running ? "on " : "off ") << interval << " ms \"" << status << "\"\n";
}

void EventLog::clock(int64_t us) { out_ << "us: " << us << '\n'; }

void EventLog::millis(int64_t us) {
    if (us / 1000 != 0) out_ << "millis: " << us / 1000 << '\n';
}

void EventLog::delay(int64_t ms, int64_t us) { out_ << "delay " << ms << " @" << us << '\n'; }

void EventLog::line(int32_t line, int32_t line_count) { out_ << "Line: " << where(line, line_count) << '\n'; }

void EventLog::step_trace(long step, int32_t line, int32_t line_count, int64_t us, int32_t level, bool run,
                          size_t updates, uint64_t vars) {
    out_ << "trace " << step << " line " << where(line, line_count) << " us " << us << " level " << level << " run "
         << (run ? 1 : 0) << " updates " << updates << " vars " << std::hex << vars << std::dec << '\n';
}

void EventLog::steps(long count) { out_ << "steps: " << count << '\n'; }

} // namespace quorvex::sketchrun
