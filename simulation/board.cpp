#include "simulation/board.h"

#include <algorithm>
#include <cstdio>

#include "interpreter/text_routines.h"
#include "interpreter/value_format.h"

namespace quorvex {

namespace {

// The Mega's extra analog inputs and pins: the Uno hides them.
constexpr int32_t first_mega_analog = 6;

} // namespace

Board::Board() {
    for (int32_t k = 0; k < analog_inputs; ++k) {
        reset_analog_pin(k);
        ValAn[static_cast<size_t>(k)].visible = true;
        set_analog(k, 1023, false); // the input bars start at their top
    }
    for (TextLabel& a : analog) a = {"An", false};
    LoadPins();
    Uno1Click();
}

std::string Board::digital_label(int32_t pin) {
    char text[16];
    std::snprintf(text, sizeof text, "D%d", pin);
    return text;
}

void Board::LoadPins() {
    for (int32_t i = 0; i <= 53; ++i) set_output(i, UNDEFINED, digital_label(i));
}

// An analog pin as the window starts: caption "An", green on white, label and shape hidden.
void Board::reset_analog_pin(int32_t k) {
    PinState& p = at(analog_pin_base + k);
    p.shape = PinShape{};
    p.label.caption = "An";
    p.label.text = clGreen;
    p.label.background = LabelBackground::White;
    p.label.visible = false;
}

void Board::undefine_pins() {
    // All 54 digital pins, whatever the board: a board chosen by the sketch's first line after
    // this must not find modes or levels from the previous run.
    LoadPins();
    for (int32_t k = 0; k < analog_inputs; ++k) {
        reset_analog_pin(k);
        ValAn[static_cast<size_t>(k)].visible = false;
    }
    for (TextLabel& a : analog) a.visible = false;
    led13 = false;
    ++revision;
}

void Board::set_output(int32_t pin, int32_t mode, std::string_view label) {
    if (!has_display(pin)) return;
    PinState& p = at(pin);
    p.shape.visible = true;
    p.label.caption.assign(label);
    switch (mode) {
    case OUTPUT:
        p.label.text = clRed;
        p.label.background = LabelBackground::White;
        p.shape.hint = "OUTPUT";
        p.shape.brush = clWhite;
        break;
    case INPUT:
        p.label.text = clGreen;
        p.label.background = LabelBackground::White;
        p.shape.hint = "INPUT";
        p.shape.brush = clWhite;
        break;
    case SPECIAL:
        p.label.text = clBlue;
        p.label.background = LabelBackground::SkyBlue;
        p.shape.hint = "SYSTEM";
        p.shape.brush = clBlue;
        p.label.visible = true;
        break;
    case UNDEFINED:
        p.label.text = clGray;
        p.label.background = LabelBackground::ButtonFace;
        p.shape.hint = "UNDEFINED";
        p.shape.brush = clWhite;
        p.shape.visible = false;
        break;
    default:
        break;
    }
    ++revision;
}

void Board::set_caption(int32_t pin, std::string_view caption) {
    if (!has_display(pin)) return;
    at(pin).label.caption.assign(caption);
    ++revision;
}

void Board::output_on(int32_t pin, bool level) {
    if (!has_display(pin)) return;
    PinState& p = at(pin);
    p.shape.visible = true;
    ++revision;
    if (p.is_system()) {
        report("Sketch Error - " + p.label.caption + " is a System pin");
        return;
    }
    const bool was = p.is_high();
    // HIGH takes the label's colour: red output, green input, grey undefined.
    p.shape.brush = level ? p.label.text : clWhite;
    if (pin == 13) led13 = p.shape.brush == clRed;
    if (was != p.is_high() && on_level) on_level(pin, p.is_high());
}

void Board::output_var(int32_t pin, int32_t value) {
    if (!has_display(pin)) return;
    PinState& p = at(pin);
    const auto shade = static_cast<uint8_t>(value & 255);
    const Rgb brush{255, static_cast<uint8_t>(255 - shade), static_cast<uint8_t>(255 - shade)};
    p.shape.brush = brush;
    p.shape.visible = true;
    ++revision;
    if (on_shade) on_shade(pin, shade);
}

void Board::show_analog_value(int32_t pin, std::string caption) {
    if (pin < 0 || pin >= analog_outputs) return;
    analog[static_cast<size_t>(pin)] = {std::move(caption), true};
    ++revision;
}

void Board::name_analog_input(int32_t ch, std::string_view name) {
    if (ch < 0 || ch >= analog_inputs) return;
    PinLabel& label = at(analog_pin_base + ch).label;
    label.caption.assign(name);
    label.visible = true;
    analog_box[static_cast<size_t>(ch)].assign(name);
    ++revision;
}

void Board::set_analog(int32_t ch, int32_t level, bool show_volts) {
    if (ch < 0 || ch >= analog_inputs) return;
    level = std::clamp(level, 0, 1023);
    const auto k = static_cast<size_t>(ch);
    analog_val[k] = level;
    // Volts are written with a point whatever the locale.
    ValAn[k].caption = show_volts ? float_text(level * 5.0L / 1023.0L, 2) + "V" : std::to_string(level);
    ++revision;
}

void Board::Uno1Click() {
    kind = BoardKind::Uno;
    layout = kind;
    picture = "UnoR3.jpg";
    maxPin = 13;
    maxInt = 1;
    for (int32_t i = 14; i <= 53; ++i) {
        at(i).label.visible = false;
        at(i).shape.visible = false;
    }
    for (int32_t k = first_mega_analog; k < analog_inputs; ++k) {
        ValAn[static_cast<size_t>(k)].visible = false;
        at(analog_pin_base + k).label.visible = false;
        at(analog_pin_base + k).shape.visible = false;
    }
    ++revision;
}

void Board::Mega1Click() {
    kind = BoardKind::Mega;
    layout = kind;
    picture = "MegaR3.jpg";
    maxPin = 53;
    maxInt = 5;
    for (int32_t i = 14; i <= 53; ++i) at(i).label.visible = true;
    for (int32_t k = first_mega_analog; k < analog_inputs; ++k) {
        ValAn[static_cast<size_t>(k)].visible = true;
        at(analog_pin_base + k).label.visible = true;
    }
    ++revision;
}

void Board::Other1Click() {
    kind = BoardKind::Other;
    ++revision;
}

void Board::set_other_picture(std::string path) {
    picture = std::move(path);
    ++revision;
}

bool Board::toggle(int32_t pin) {
    if (!has_display(pin)) return false;
    output_on(pin, !at(pin).is_high());
    return true;
}

int32_t Board::click_interrupt(int32_t pin) const {
    if (pin == 0 || pin == 1) return pin;
    if (kind == BoardKind::Mega && pin >= 18 && pin <= 21) return 23 - pin;
    return -1;
}

} // namespace quorvex
