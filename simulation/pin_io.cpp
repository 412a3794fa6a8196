// Digital and analog I/O: pin modes, levels, analog inputs and outputs, tone, pulseIn and the
// shift routines, and the user's clicks on the pin shapes.
#include "simulation/pin_io.h"

#include <algorithm>
#include <cstdio>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "interpreter/text_routines.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

// A tool-bar box's number: digits with an optional sign, within 32 bits; anything else faults.
int32_t box_number(std::string_view text) { return text_to_int32(dtrim(text)); }

// `name[index]` with one bracket pair closing at the end: the name and the index text.
bool single_index(std::string_view p, std::string_view& name, std::string_view& index) {
    const size_t open = p.find('[');
    if (open == std::string_view::npos || open == 0) return false;
    const size_t close = closing_bracket(p, open + 1, '[', ']');
    if (close != p.size() - 1) return false;
    name = dtrim(p.substr(0, open));
    index = p.substr(open + 1, close - open - 1);
    return true;
}

} // namespace

PinIO::PinIO(Interpreter& in) : in_(in) {
    // The display reports its own errors (driving a system pin) through the error stop.
    in_.board.on_error = [&in](const std::string& message) { in.ShowMessage1(message); };
}

void PinIO::check_maximum(const char* fn, int32_t pin) {
    if (pin <= in_.board.maxPin) return;
    char text[96];
    std::snprintf(text, sizeof text, "Sketch Error - %s Pin %d past maximum of %d", fn, pin, in_.board.maxPin);
    in_.ShowMessage1(text);
}

void PinIO::no_such_pin(const char* fn, int32_t pin) {
    char text[96];
    std::snprintf(text, sizeof text, "Sketch Error - %s Pin %d does not exist", fn, pin);
    in_.ShowMessage1(text);
}

int32_t PinIO::kpinmode(const Match& m) { return pin_mode(m.rest); }

int32_t PinIO::pin_mode(std::string_view s) {
    s = cut_statement(s);
    in_.parse(s, '(', ')');
    std::string label = in_.varx[0];
    // The mode is compared as text, never evaluated: INPUT_PULLUP, or a variable holding 1, is INPUT.
    const std::string mode_text = lower_ascii(in_.varx[1]);
    const int32_t mode = mode_text == "output" || mode_text == "1" ? OUTPUT : INPUT;

    const ArgumentErrors errors(in_);
    const int32_t pin = in_.get_var(label);
    // An element's label shows its index resolved: «leds[i]» reads «leds[2]».
    std::string_view name, index;
    if (single_index(label, name, index)) {
        const int32_t i = in_.get_var(index);
        label = std::string(name) + "[" + std::to_string(i) + "]";
    }
    if (errors.raised()) return 0;

    if (pin < 0) {
        no_such_pin("pinMode", pin);
        return 0;
    }
    in_.board.set_output(pin, mode, label);
    check_maximum("pinMode", pin);
    return 0;
}

int32_t PinIO::kdigwrite(const Match& m) {
    const std::string inner = in_.StripBrackets(m.rest);
    in_.SplitString(",", inner);
    const std::string pin_text = in_.lefts;
    const std::string level_text = in_.rights;

    const ArgumentErrors errors(in_);
    const int32_t pin = in_.get_var(pin_text);
    const bool level = in_.get_var(level_text) == 1; // only 1 is HIGH: 2 and -1 drive LOW
    if (errors.raised()) return 0;

    if (pin < 0) {
        no_such_pin("digitalWrite", pin);
        return 0;
    }
    Board& board = in_.board;
    if (Board::has_display(pin)) {
        // The sketch is told, and the pin is driven all the same.
        if (!board.pin(pin).is_output())
            in_.ShowMessage1("Sketch Error - " + board.pin(pin).label.caption + " pin is not an output");
        board.output_on(pin, level);
    }
    check_maximum("digitalWrite", pin);
    return 0;
}

int32_t PinIO::kdigread(const Match& m) {
    // Another digitalRead inside the brackets: let the operators split the expression first.
    if (dpos("(", m.rest) < dpos("digitalRead", m.rest)) {
        in_.keep_going = 1;
        return 0;
    }
    const std::string inner = in_.StripBrackets(m.rest);

    const ArgumentErrors errors(in_);
    const int32_t pin = in_.get_var(inner);
    if (errors.raised()) return int_result(in_, 0);

    if (pin < 0) {
        no_such_pin("digitalRead", pin);
        return int_result(in_, 0);
    }
    // Whatever the mode: an output reads back its own level, an input its clicked level.
    const int32_t value = in_.board.is_high(pin) ? 1 : 0;
    check_maximum("digitalRead", pin);
    return int_result(in_, value);
}

int32_t PinIO::kanalog(const Match& m) {
    const std::string_view s = m.rest;
    if (contains(s, '=')) {
        in_.ops.kequals(s);
        return int_result(in_, 0);
    }
    if (contains(s, ',') || s.empty() || s.rfind(')') != s.size() - 1) {
        in_.keep_going = 1;
        return 0;
    }
    const std::string name = in_.StripBrackets(s);

    const ArgumentErrors errors(in_);
    const int32_t ch = in_.get_var(name); // "A3" is channel 3
    if (errors.raised()) return int_result(in_, 0);

    if (ch < 0 || ch >= Board::analog_inputs) {
        no_such_pin("analogRead", ch);
        return int_result(in_, 0);
    }
    const int32_t value = in_.board.analog_val[static_cast<size_t>(ch)];
    in_.board.name_analog_input(ch, name);
    return int_result(in_, value);
}

int32_t PinIO::kanalogWrite(const Match& m) {
    const std::string inner = in_.StripBrackets(m.rest);
    in_.SplitString(",", inner);
    const std::string pin_text = in_.lefts;
    const std::string value_text = in_.rights;

    const ArgumentErrors errors(in_);
    const int32_t pin = in_.get_var(pin_text);
    const int32_t v = in_.get_var(value_text);
    if (errors.raised()) return 0;

    if (!Board::has_display(pin)) {
        no_such_pin("analogWrite", pin);
        return 0;
    }
    char text[32];
    if (options.ShowVolts.Checked) {
        const std::string volts = float_text(v * 5.0L / 255.0L, 2) + "V"; // a point whatever the locale
        std::snprintf(text, sizeof text, "%s", volts.c_str());
    } else {
        std::snprintf(text, sizeof text, "%.3d", v);
    }
    Board& board = in_.board;
    board.set_output(pin, OUTPUT, pin_text);
    board.show_analog_value(pin, text); // only pins 0..13 have a value label
    board.output_var(pin, v);
    return 0;
}

int32_t PinIO::ktone(const Match& m) {
    in_.parse(m.rest, '(', ')');
    const std::string freq_text = in_.varx[1];
    const std::string ms_text = in_.varx[2];

    const ArgumentErrors errors(in_);
    const int32_t freq = in_.get_var(freq_text);
    int32_t ms = in_.get_var(ms_text); // absent: 0
    if (errors.raised()) return 0;

    ms = std::clamp(ms, 100, max_tone_ms);
    if (options.SimulateTone1.Checked) in_.host().play_tone(freq, ms);
    return 0;
}

int32_t PinIO::kpulsein(const Match&) {
    const std::string_view box = dtrim(inputs.EPulseIn);
    return int_result(in_, box.empty() ? 0 : box_number(box), n_int);
}

void PinIO::define_shift_pins(const std::string& data, const std::string& clock) {
    in_.decl.check_declarations("#define dataPin " + data);
    in_.decl.check_declarations("#define clkPin " + clock);
    pin_mode("(dataPin,OUTPUT)");
    pin_mode("(clkPin,OUTPUT)");
}

int32_t PinIO::kshiftOut(const Match& m) {
    const int n = in_.parse(m.rest, '(', ')');
    if (n != 4) {
        in_.ShowMessage1("Sketch Error - shiftOut needs 4 parameters - has " + std::to_string(n));
        return 0;
    }
    define_shift_pins(in_.varx[0], in_.varx[1]);
    return 0;
}

int32_t PinIO::kshiftIn(const Match& m) {
    const int n = in_.parse(m.rest, '(', ')');
    if (n != 3) {
        in_.ShowMessage1("Sketch Error - shiftIn needs 3 parameters - has " + std::to_string(n));
        return int_result(in_, 0);
    }
    const std::string data = in_.varx[0];
    const std::string clock = in_.varx[1];
    const int32_t value = box_number(inputs.EShiftIn); // read first: a bad box changes nothing
    define_shift_pins(data, clock);
    return int_result(in_, value, n_byte);
}

int32_t PinIO::kanalogReference(const Match& m) {
    const int n = in_.parse(m.rest, '(', ')');
    if (n != 1) in_.ShowMessage1("Sketch Error - analogReference needs 1 parameter - has " + std::to_string(n));
    return 0;
}

void PinIO::store_port_register(std::string_view name, int32_t value) { drive_port_register(in_.board, name, value); }

void PinIO::LD0MouseDown(int32_t pin) {
    if (pin < 0 || pin > 53 || !in_.board.toggle(pin)) return;
    const int32_t n = in_.board.click_interrupt(pin);
    if (n < 0) return;
    in_.interrupts.check_int(n);
}

void PinIO::LDAN0MouseDown(int32_t k) {
    if (k < 0 || k >= Board::analog_inputs) return;
    in_.board.toggle(Board::analog_pin_base + k);
}

} // namespace quorvex
