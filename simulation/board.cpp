#include "simulation/board.h"

#include <cstdio>

namespace quorvex {

Board::Board() { LoadPins(); }

std::string Board::digital_label(int32_t pin) {
    char text[16];
    std::snprintf(text, sizeof text, "D%d", pin);
    return text;
}

void Board::LoadPins() {
    for (int32_t i = 0; i <= 53; ++i) set_output(i, UNDEFINED, digital_label(i));
}

void Board::undefine_pins() {
    for (int32_t i = 0; i <= maxPin; ++i) set_output(i, UNDEFINED, digital_label(i));
}

void Board::set_output(int32_t pin, int32_t mode, const std::string& label) {
    if (!has_display(pin)) return;
    PinState& p = pins_[static_cast<size_t>(pin)];
    p.label = label;
    if (mode < INPUT || mode > UNDEFINED) return;
    p.mode = mode;
    p.shape_visible = mode != UNDEFINED;
    p.level = false; // a mode change repaints the shape white
    if (pin == 13) led13 = false;
}

void Board::output_on(int32_t pin, bool level) {
    if (!has_display(pin)) return;
    PinState& p = pins_[static_cast<size_t>(pin)];
    p.shape_visible = true;
    if (p.mode == SPECIAL) return; // a system pin cannot be driven
    const bool changed = p.level != level;
    p.level = level;
    if (pin == 13) led13 = p.mode == OUTPUT && level;
    if (changed && on_level) on_level(pin, level);
}

void Board::Uno1Click() {
    kind = BoardKind::Uno;
    maxPin = 13;
    maxInt = 1;
}

void Board::Mega1Click() {
    kind = BoardKind::Mega;
    maxPin = 53;
    maxInt = 5;
}

void Board::Other1Click() { kind = BoardKind::Other; }

} // namespace quorvex
