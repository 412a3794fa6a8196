// sketchrun [--steps N] [--fail-on-error] [--run] [--board uno|mega] [--statements] [pin inputs] FILE
// Pin inputs: --pin P=0|1 holds input pin P at that level (set before every step while P is an
// input); --click P@N clicks pin P (A0..A15 for the analog shapes) before step N (from 1);
// --analog CH=LEVEL sets an analog input; --pulse TEXT and --shift TEXT fill the pulseIn and
// shiftIn boxes; --option simulate-tone|show-volts|simulate-delay ticks that option.
// Port input: --input K=TEXT puts TEXT in port panel K's input box at the start and again
// whenever a device's begin opens the panel (replacing its example input); --input K@N=TEXT
// puts it there before step N instead; --input-file K=PATH does what --input does with a regular
// file's text, as much as the box holds (its final line break dropped, any other one written as
// the two characters \n). TEXT is taken as written: a typed backslash-n is the box's own
// line-end escape.
// --all-panels prints all five port panels, hidden and empty ones too, with their input boxes.
// --eeprom ADDR=VALUE fills an EEPROM cell (0..4096) before the reset, as an earlier run would.
// Timers: --stepper-ticks K gives the stepper up to K ticks after each step while its timer is
// on (default 1); --half-ticks-every N runs the half-second tick after every Nth step (default
// never); --trace-lcd prints the LCD items each step changed. --trace-steps prints the line, clock,
// block level, run state, refresh count and a digest of the variables after every step, so that
// two builds can be compared step by step. --fixed-clock gives the computer's clock one fixed
// time (2024-05-06 13:04:05), so the Time library and an unseeded random() repeat run by run.
// Loads a sketch, resets, and steps it headless (or runs it on ticks), printing what it
// produced. Exit status: 0 done, 1 an error occurred with --fail-on-error, 2 bad usage or
// an unreadable file.
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/interpreter.h"
#include "sketchrun/event_log.h"
#include "support/recording_host.h"

using namespace quorvex;

namespace {

int usage(const char* why) {
    std::cerr << "sketchrun: " << why
              << "\nusage: sketchrun [--steps N] [--fail-on-error] [--run] [--board uno|mega] [--statements]"
                 " [--pin P=0|1] [--click P@N] [--analog CH=LEVEL] [--pulse TEXT] [--shift TEXT]"
                 " [--option simulate-tone|show-volts|simulate-delay] [--input K[@N]=TEXT]"
                 " [--input-file K=PATH] [--all-panels] [--eeprom ADDR=VALUE] [--stepper-ticks K]"
                 " [--half-ticks-every N] [--trace-lcd] [--trace-steps] [--fixed-clock] FILE\n";
    return 2;
}

struct Options {
    long max_steps = 1000;
    bool fail_on_error = false;
    bool run = false;
    bool statements = false; // plain statements, no setup(): no reset scan, start on the first code line
    const char* board = nullptr;
    const char* file = nullptr;
    // Pin inputs.
    struct Held {
        int32_t pin;
        bool high;
    };
    struct Click {
        int32_t pin; // 60..75 for the analog shapes
        long step;
    };
    struct Analog {
        int32_t ch;
        int32_t level;
    };
    std::vector<Held> held;
    std::vector<Click> clicks;
    std::vector<Analog> analog;
    const char* pulse = nullptr;
    const char* shift = nullptr;
    bool simulate_tone = false;
    bool show_volts = false;
    bool simulate_delay = false;
    bool all_panels = false;
    // Port input.
    struct Input {
        int32_t panel;
        long step; // 0: at the start and after every begin that opens the panel
        std::string text;
    };
    std::vector<Input> port_inputs;
    struct Cell {
        int32_t addr;
        int32_t value;
    };
    std::vector<Cell> eeprom;
    // Timers.
    long stepper_ticks = 1;
    long half_ticks_every = 0;
    bool trace_lcd = false;
    bool trace_steps = false;
    bool fixed_clock = false;
};

// A whole decimal number in `text`, within the range of a long.
bool whole_number(const char* text, long& value) {
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, value);
    return ptr != text && ec == std::errc() && ptr == end;
}

// "LEFT<sep>RIGHT" as two whole numbers; LEFT may be "A<k>" (pin 60 + k) when `analog_names`.
bool number_pair(const char* text, char sep, bool analog_names, long& left, long& right) {
    const char* mark = std::strchr(text, sep);
    if (mark == nullptr) return false;
    std::string head(text, mark);
    long base = 0;
    if (analog_names && !head.empty() && head[0] == 'A') {
        head.erase(0, 1);
        base = 60;
    }
    if (!whole_number(head.c_str(), left) || !whole_number(mark + 1, right)) return false;
    left += base;
    return true;
}

// "K=TEXT" or "K@N=TEXT" (K a port panel 1..5, N a step from 1) into `in`; false when malformed.
bool port_input(const char* arg, bool allow_step, Options::Input& in) {
    const char* eq = std::strchr(arg, '=');
    if (eq == nullptr) return false;
    const std::string head(arg, eq);
    const size_t at = head.find('@');
    long panel = 0;
    long step = 0;
    if (!whole_number(head.substr(0, at).c_str(), panel) || panel < 1 || panel > 5) return false;
    if (at != std::string::npos && (!allow_step || !whole_number(head.substr(at + 1).c_str(), step) || step < 1))
        return false;
    in = {static_cast<int32_t>(panel), step, std::string(eq + 1)};
    return true;
}

// The workbench's input box holds at most this many characters.
constexpr size_t input_box_limit = 32767;

// A file's text as one input line: the final line break dropped, the others written as "\n".
// Only a regular file is read (a folder, a FIFO or a device is refused), and only as much of it
// as the input box holds.
bool input_file_text(const std::string& path, std::string& text) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string raw(input_box_limit, '\0');
    file.read(raw.data(), static_cast<std::streamsize>(raw.size()));
    if (file.bad()) return false;
    raw.resize(static_cast<size_t>(file.gcount()));
    std::string_view body = raw;
    if (body.ends_with("\r\n"))
        body.remove_suffix(2);
    else if (body.ends_with('\n'))
        body.remove_suffix(1);
    text.clear();
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') continue;
        if (body[i] == '\n' || body[i] == '\r')
            text += "\\n";
        else
            text += body[i];
    }
    return true;
}

// Parses the command line; returns 0 or the usage exit status.
int parse_options(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--steps") == 0) {
            if (++i >= argc || !whole_number(argv[i], o.max_steps) || o.max_steps < 0)
                return usage("--steps needs a number");
        } else if (std::strcmp(a, "--stepper-ticks") == 0 || std::strcmp(a, "--half-ticks-every") == 0) {
            long& n = a[2] == 's' ? o.stepper_ticks : o.half_ticks_every;
            if (++i >= argc || !whole_number(argv[i], n) || n < 0)
                return usage("--stepper-ticks and --half-ticks-every take a number");
        } else if (std::strcmp(a, "--trace-lcd") == 0) {
            o.trace_lcd = true;
        } else if (std::strcmp(a, "--trace-steps") == 0) {
            o.trace_steps = true;
        } else if (std::strcmp(a, "--fixed-clock") == 0) {
            o.fixed_clock = true;
        } else if (std::strcmp(a, "--fail-on-error") == 0) {
            o.fail_on_error = true;
        } else if (std::strcmp(a, "--statements") == 0) {
            o.statements = true;
        } else if (std::strcmp(a, "--run") == 0) {
            o.run = true;
        } else if (std::strcmp(a, "--board") == 0) {
            if (++i >= argc || (std::strcmp(argv[i], "uno") != 0 && std::strcmp(argv[i], "mega") != 0))
                return usage("--board takes uno or mega");
            o.board = argv[i];
        } else if (std::strcmp(a, "--pin") == 0) {
            long pin = 0, level = 0;
            if (++i >= argc || !number_pair(argv[i], '=', false, pin, level) || pin < 0 || pin > 53 ||
                (level != 0 && level != 1))
                return usage("--pin takes P=0 or P=1");
            o.held.push_back({static_cast<int32_t>(pin), level == 1});
        } else if (std::strcmp(a, "--click") == 0) {
            long pin = 0, step = 0;
            if (++i >= argc || !number_pair(argv[i], '@', true, pin, step) || pin < 0 || pin > 75 || step < 1)
                return usage("--click takes P@N (P a pin or A0..A15, N a step from 1)");
            o.clicks.push_back({static_cast<int32_t>(pin), step});
        } else if (std::strcmp(a, "--analog") == 0) {
            long ch = 0, level = 0;
            if (++i >= argc || !number_pair(argv[i], '=', false, ch, level) || ch < 0 || ch > 15 || level < 0 ||
                level > 1023)
                return usage("--analog takes CH=LEVEL (0..15, 0..1023)");
            o.analog.push_back({static_cast<int32_t>(ch), static_cast<int32_t>(level)});
        } else if (std::strcmp(a, "--pulse") == 0 || std::strcmp(a, "--shift") == 0) {
            if (++i >= argc) return usage("--pulse and --shift take a text");
            (a[2] == 'p' ? o.pulse : o.shift) = argv[i];
        } else if (std::strcmp(a, "--option") == 0) {
            if (++i >= argc) return usage("--option needs a name");
            if (std::strcmp(argv[i], "simulate-tone") == 0)
                o.simulate_tone = true;
            else if (std::strcmp(argv[i], "show-volts") == 0)
                o.show_volts = true;
            else if (std::strcmp(argv[i], "simulate-delay") == 0)
                o.simulate_delay = true;
            else
                return usage("--option takes simulate-tone, show-volts or simulate-delay");
        } else if (std::strcmp(a, "--input") == 0) {
            Options::Input in;
            if (++i >= argc || !port_input(argv[i], true, in))
                return usage("--input takes K=TEXT or K@N=TEXT (K 1..5)");
            o.port_inputs.push_back(std::move(in));
        } else if (std::strcmp(a, "--input-file") == 0) {
            Options::Input in;
            if (++i >= argc || !port_input(argv[i], false, in)) return usage("--input-file takes K=PATH (K 1..5)");
            const std::string path = std::move(in.text);
            if (!input_file_text(path, in.text)) {
                std::cerr << "sketchrun: cannot read " << path << '\n';
                return 2;
            }
            o.port_inputs.push_back(std::move(in));
        } else if (std::strcmp(a, "--all-panels") == 0) {
            o.all_panels = true;
        } else if (std::strcmp(a, "--eeprom") == 0) {
            long addr = 0, value = 0;
            if (++i >= argc || !number_pair(argv[i], '=', false, addr, value) || addr < 0 ||
                addr > Eeprom::max_address || value < INT32_MIN || value > INT32_MAX)
                return usage("--eeprom takes ADDR=VALUE (ADDR 0..4096)");
            o.eeprom.push_back({static_cast<int32_t>(addr), static_cast<int32_t>(value)});
        } else if (a[0] == '-' && a[1] != '\0') {
            return usage("unknown option");
        } else if (o.file == nullptr) {
            o.file = a;
        } else {
            return usage("one sketch file only");
        }
    }
    return o.file == nullptr ? usage("no sketch file") : 0;
}

// The value of entry [t][slot] as the variables grid shows it.
std::string value_text(const Interpreter& in, int32_t t, int32_t slot) {
    const Entry& e = in.vars.at(t, slot);
    if (t == n_string) return e.sval;
    if (t == n_define) return e.def;
    if (t == n_float) {
        char text[64];
        auto [end, ec] = std::to_chars(text, text + sizeof text, e.fval, std::chars_format::fixed, 2);
        return ec == std::errc() ? std::string(text, end) : std::string("?");
    }
    return std::to_string(e.ival);
}

// FNV-1a over every variable in table order: its name, type, flags and values.
uint64_t variables_digest(const Interpreter& in) {
    uint64_t h = 0xcbf29ce484222325ULL;
    const auto mix = [&h](const void* data, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            h ^= static_cast<const unsigned char*>(data)[i];
            h *= 0x100000001b3ULL;
        }
    };
    const auto mix_text = [&mix](const std::string& s) {
        const size_t n = s.size();
        mix(&n, sizeof n);
        mix(s.data(), n);
    };
    for (int32_t t : {1, 2, 3, 4, 5, 6, 7, 12})
        for (int32_t j = 1; j < in.vars.var_n[static_cast<size_t>(t)]; ++j) {
            const Entry& e = in.vars.at(t, j);
            mix(&t, sizeof t);
            mix_text(e.name);
            mix(&e.ival, sizeof e.ival);
            mix(&e.fval, sizeof e.fval);
            mix(&e.flags, sizeof e.flags);
            mix_text(e.sval);
            mix_text(e.def);
        }
    return h;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (const int status = parse_options(argc, argv, o); status != 0) return status;

    // Delay requests are printed as they are made, with the clock after the delay.
    struct Host : test::RecordingHost {
        std::function<void(int64_t)> on_delay;
        void show_delay(int64_t ms) override {
            RecordingHost::show_delay(ms);
            if (on_delay) on_delay(ms);
        }
        std::function<void(const std::string&)> on_notice;
        void notice(const std::string& text) override {
            RecordingHost::notice(text);
            if (on_notice) on_notice(text);
        }
        // Only counted: a long run refreshes on every step, and the trace prints the count.
        size_t update_count = 0;
        void update_click(bool, int32_t) override { ++update_count; }
    } host;
    SystemClock system_clock;
    FixedClock fixed_clock{{2024, 5, 6, 13, 4, 5}};
    const Clock& clock = o.fixed_clock ? static_cast<const Clock&>(fixed_clock) : system_clock;
    Interpreter in(host, clock);
    sketchrun::EventLog log(std::cout);
    host.on_error = [&](const std::string& message, const std::string&) {
        log.error(in.Line, in.ListBox1.Count(), message);
    };
    host.on_notice = [&](const std::string& text) { log.notice(in.Line, in.ListBox1.Count(), text); };

    if (o.board != nullptr && std::strcmp(o.board, "mega") == 0) in.board.Mega1Click();
    in.pinio.options.SimulateTone1.Checked = o.simulate_tone;
    in.pinio.options.ShowVolts.Checked = o.show_volts;
    in.pinio.options.SimulateDelay.Checked = o.simulate_delay;
    if (o.pulse != nullptr) in.pinio.inputs.EPulseIn = o.pulse;
    if (o.shift != nullptr) in.pinio.inputs.EShiftIn = o.shift;
    for (const Options::Analog& a : o.analog) in.board.set_analog(a.ch, a.level, o.show_volts);
    if (in.LoadFile1(o.file) == 0) {
        std::cerr << "sketchrun: cannot read " << o.file << '\n';
        return 2;
    }
    for (const Options::Cell& c : o.eeprom) in.eeprom.set(c.addr, c.value);
    host.on_eeprom = [&](int32_t addr) { log.eeprom(addr, in.eeprom.get(addr).value_or(0)); };
    if (o.statements) {
        in.Line = 0;
        if (!in.CodeLine()) in.FindNextLine();
    } else {
        in.RestartClick();
    }
    // Port input at the start, and in place of the example input whenever a begin opens the panel.
    const auto fill_inputs = [&](int32_t panel, long step) {
        for (const Options::Input& p : o.port_inputs)
            if (p.step == step && (panel == 0 || p.panel == panel)) in.panels[p.panel].IN.set_text(p.text);
    };
    fill_inputs(0, 0);
    in.panels.on_open = [&](int32_t k) { fill_inputs(k, 0); };
    in.board.on_level = [&](int32_t pin, bool high) { log.level(pin, high, in.us); };
    host.on_delay = [&](int64_t ms) { log.delay(ms, in.us); };
    in.board.on_shade = [&](int32_t pin, int32_t shade) { log.shade(pin, shade, in.us); };
    size_t tones_logged = 0;
    // Before step `step` (from 1): the held input levels, then the clicks due.
    const auto inputs = [&](long step) {
        fill_inputs(0, step);
        for (const Options::Held& h : o.held)
            if (in.board.pin(h.pin).mode() == INPUT && in.board.is_high(h.pin) != h.high)
                in.board.output_on(h.pin, h.high);
        for (const Options::Click& c : o.clicks) {
            if (c.step != step) continue;
            if (c.pin >= Board::analog_pin_base)
                in.pinio.LDAN0MouseDown(c.pin - Board::analog_pin_base);
            else
                in.pinio.LD0MouseDown(c.pin);
        }
    };
    OutputList& lcd_list = in.panels[4].ListBox;
    lcd_list.take_changes();
    const auto lcd_width = [&] { return in.lcd.display_width(); };
    // After step `step`: the timers' ticks, the LCD items changed, the tones as they sounded.
    const auto after = [&](long step) {
        for (long k = 0; k < o.stepper_ticks && in.motors.kStepper_Timer.Enabled; ++k) in.motors.kStepper_TimerTimer();
        if (o.half_ticks_every > 0 && step % o.half_ticks_every == 0) in.simtime.Timer2Timer();
        if (const ListChanges c = lcd_list.take_changes(); o.trace_lcd && c.any()) {
            const int32_t first = c.reset ? 0 : c.first_line;
            log.lcd_trace(step, first);
            for (int32_t i = first; i < lcd_list.Count(); ++i) log.lcd_item(i, lcd_list.item(i), lcd_width());
        }
        for (; tones_logged < host.tones.size(); ++tones_logged)
            log.tone(host.tones[tones_logged].freq, host.tones[tones_logged].ms);
        if (o.trace_steps)
            log.step_trace(step, in.Line, in.ListBox1.Count(), in.us, in.cs.loopx, in.Timer1.Enabled, host.update_count,
                           variables_digest(in));
    };

    long steps = 0;
    if (o.run) {
        if (steps < o.max_steps) {
            inputs(steps + 1);
            in.AutoStepClick();
            ++steps;
            after(steps);
        }
        while (steps < o.max_steps && in.Timer1.Enabled) {
            inputs(steps + 1);
            in.tick();
            ++steps;
            after(steps);
        }
    } else {
        while (steps < o.max_steps && in.Line < in.ListBox1.Count()) {
            inputs(steps + 1);
            in.Step1Click();
            ++steps;
            after(steps);
        }
    }

    for (int32_t t : {1, 2, 3, 4, 5, 6, 7, 12})
        for (int32_t j = 1; j < in.vars.var_n[static_cast<size_t>(t)]; ++j)
            log.variable(in.vars.at(t, j).name, t, value_text(in, t, j));
    // The pins the board shows, and digital pins that were given a mode or level; a caption
    // is printed when the label shows other than the pin's own name.
    for (int32_t p = 0; p < Board::pin_count; ++p) {
        if (!Board::has_display(p)) continue;
        const PinState& s = in.board.pin(p);
        const bool analog = p >= Board::analog_pin_base;
        if (!s.shape.visible && (analog || (s.mode() == UNDEFINED && !s.is_high()))) continue;
        const std::string own = analog ? "An" : Board::digital_label(p);
        log.pin(p, s.mode(), s.is_high(), s.label.caption == own ? std::string() : s.label.caption);
    }
    log.led13(in.board.led13);
    for (int32_t p = 0; p < Board::analog_outputs; ++p)
        if (const TextLabel& a = in.board.analog[static_cast<size_t>(p)]; a.visible) log.analog_out(p, a.caption);
    for (int32_t k = 0; k < Board::analog_inputs; ++k) // the inputs analogRead has named
        if (in.board.LabelAn(k).visible && in.board.LabelAn(k).caption != "An")
            log.analog_in(k, in.board.LabelAn(k).caption, in.board.analog_val[static_cast<size_t>(k)]);
    // Every port panel that is shown or holds output (all five with --all-panels), then its lines.
    for (int32_t k = 1; k <= port_panel_count; ++k) {
        const PortPanel& p = in.panels[k];
        if (!o.all_panels && !p.Panel.Visible && p.ListBox.empty()) continue;
        log.panel(k, p.Panel.Caption, p.Panel.Visible);
        if (o.all_panels) log.input_box(k, p.IN.Visible, p.IN.Text());
        if (k == 4 && in.lcd.lcd_box) {
            const Lcd& d = in.lcd;
            log.lcd_state(d.lcdx, d.lcdy, d.lcd_cursor, d.lcd_blink, d.lcd_scroll, d.lcd_backwards, p.ListBox.FontColor,
                          p.ListBox.Color);
            for (int32_t i = 0; i < p.ListBox.Count(); ++i) log.lcd_item(i, p.ListBox.item(i), lcd_width());
            continue;
        }
        for (const std::string& text : p.ListBox.items()) log.panel_line(k, text);
    }
    if (in.Event != "serialEvent" || in.Event_Panel != 1) log.event(in.Event, in.Event_Panel);
    if (!in.sd.sd_file.empty()) log.sd_file(in.sd.sd_file);
    // The objects the sketch declared since reset.
    for (const int row : {servo_key, servo_key2}) {
        if (!in.tables.kobj_live[row]) continue;
        const bool first = row == servo_key;
        log.servo(row, in.tables.kobj_word[row], first ? in.motors.s1pin : in.motors.s2pin,
                  first ? in.motors.s1attached : in.motors.s2attached);
    }
    if (in.tables.kobj_live[stepper_key]) {
        const Motors& m = in.motors;
        log.stepper(in.tables.kobj_word[stepper_key],
                    m.step_pin[1] + "," + m.step_pin[2] + "," + m.step_pin[3] + "," + m.step_pin[4], m.stepper_steps,
                    m.stepx, m.kStepper_Timer.Enabled, m.kStepper_Timer.Interval, in.StatusBar1[3]);
    }
    log.clock(in.us);
    log.millis(in.us);
    log.line(in.Line, in.ListBox1.Count());
    log.steps(steps);
    return o.fail_on_error && !host.errors.empty() ? 1 : 0;
}
