#include "simulation/board_geometry.h"

#include <algorithm>

namespace quorvex::geometry {

namespace {

constexpr int32_t header_x = 367;   // the digital header on the right edge
constexpr int32_t analog_x = 45;    // the analog header on the left edge
constexpr int32_t pitch = 17;       // header pitch along the long edges
constexpr int32_t row_pitch = 20;   // column pitch of the double header at the bottom (Mega)
constexpr int32_t pin0_y = 494;     // pins 0..13 run upward from here
constexpr int32_t pin14_y = 526;    // pins 14..21 run downward from here
constexpr int32_t analog0_y = 406;  // A0..A15 run downward from here
constexpr int32_t row_even_y = 695; // pins 22, 24 .. 52
constexpr int32_t row_odd_y = 711;  // pins 23, 25 .. 53

constexpr int32_t label_w = 44; // room for "D53" and short captions; longer ones grow outward
constexpr int32_t row_label_w = 19;
constexpr int32_t row_label_h = 13;

int32_t doubled(int32_t pos) { return 2 * pos + shape_size; }

} // namespace

bool has_shape(int32_t pin) { return (pin >= 0 && pin <= 53) || (pin >= 60 && pin <= 75); }

std::optional<Rect> shape_rect(int32_t pin) {
    if (pin >= 0 && pin <= 13) return Rect{header_x, pin0_y - pitch * pin, shape_size, shape_size};
    if (pin >= 14 && pin <= 21) return Rect{header_x, pin14_y + pitch * (pin - 14), shape_size, shape_size};
    if (pin >= 22 && pin <= 53) {
        const int32_t column = (pin - 22) / 2;
        const int32_t y = (pin % 2 == 0) ? row_even_y : row_odd_y;
        return Rect{header_x - row_pitch * column, y, shape_size, shape_size};
    }
    if (pin >= 60 && pin <= 75) return Rect{analog_x, analog0_y + pitch * (pin - 60), shape_size, shape_size};
    return std::nullopt;
}

std::optional<LabelBox> label_box(int32_t pin) {
    const std::optional<Rect> shape = shape_rect(pin);
    if (!shape) return std::nullopt;
    if (pin <= 21) return LabelBox{{shape->x - 3 - label_w, shape->y, label_w, shape_size}, Align::Right};
    if (pin <= 53) {
        // The even row's labels above it, the odd row's below, centred on their shapes.
        const int32_t y = (pin % 2 == 0) ? shape->y - row_label_h - 1 : shape->y + shape_size + 1;
        return LabelBox{{shape->x - 2, y, row_label_w, row_label_h}, Align::Centre};
    }
    return LabelBox{{71, shape->y, label_w, shape_size}, Align::Left};
}

std::optional<LabelBox> analog_value_box(int32_t pin) {
    if (pin < 0 || pin > 13) return std::nullopt;
    const Rect shape = *shape_rect(pin);
    return LabelBox{{396, shape.y, 40, shape_size}, Align::Left};
}

std::optional<LabelBox> analog_input_box(int32_t channel) {
    if (channel < 0 || channel > 15) return std::nullopt;
    const Rect shape = *shape_rect(60 + channel);
    return LabelBox{{2, shape.y, 36, shape_size}, Align::Right};
}

int32_t pin_at(int32_t x, int32_t y) {
    for (int32_t pin = 0; pin <= 75; ++pin) {
        const std::optional<Rect> r = shape_rect(pin);
        if (r && r->contains(x, y)) return pin;
    }
    return -1;
}

Rect led13_rect() { return {312, 256, 10, 15}; }
Rect rxled_rect() { return {261, 256, 10, 15}; }
Rect txled_rect() { return {276, 256, 10, 15}; }

Rect on_led_rect(BoardKind layout) {
    return layout == BoardKind::Mega ? Rect{280, 576, 10, 15} : Rect{273, 454, 10, 15};
}

Rect reset_switch_rect(BoardKind layout) {
    return layout == BoardKind::Mega ? Rect{205, 550, 41, 40} : Rect{345, 105, 41, 40};
}

Rect step_image_rect() { return {2, 2, 34, 22}; }

// Partly past the panel's right edge, which cuts it: the designed place.
Rect legend_rect() { return {339, 0, 120, 139}; }

Rect board_outline(BoardKind kind) {
    // The Mega's long board fills the picture; the shorter Uno spans its headers and jacks.
    return kind == BoardKind::Mega ? Rect{42, 40, 346, 704} : Rect{42, 84, 346, 456};
}

std::vector<HeaderStrip> header_strips(BoardKind kind) {
    const bool mega = kind == BoardKind::Mega;
    std::vector<HeaderStrip> strips;

    // Digital 0..13 upward, then the ground, reference and I2C holes above pin 13.
    HeaderStrip digital{doubled(header_x), doubled(pin0_y), 0, -2 * pitch, {}, {}};
    // "~" marks the pins with PWM output.
    static const char* const uno_names[] = {"RX0", "TX0", "2",  "~3",  "4",   "~5", "~6",
                                            "7",   "8",   "~9", "~10", "~11", "12", "13"};
    static const char* const mega_names[] = {"RX0", "TX0", "~2", "~3",  "~4",  "~5",  "~6",
                                             "~7",  "~8",  "~9", "~10", "~11", "~12", "~13"};
    for (int32_t pin = 0; pin <= 13; ++pin) {
        digital.pins.push_back(pin);
        digital.names.emplace_back(mega ? mega_names[pin] : uno_names[pin]);
    }
    for (const char* name : {"GND", "AREF", "SDA", "SCL"}) {
        digital.pins.push_back(-1);
        digital.names.emplace_back(name);
    }
    strips.push_back(digital);

    // Power, two pitches above A0.
    constexpr int32_t power_holes = 7;
    HeaderStrip power{doubled(analog_x), doubled(analog0_y - pitch * (power_holes + 1)), 0, 2 * pitch, {}, {}};
    for (const char* name : {"IOREF", "RESET", "3V3", "5V", "GND", "GND", "VIN"}) {
        power.pins.push_back(-1);
        power.names.emplace_back(name);
    }
    strips.push_back(power);

    HeaderStrip analog{doubled(analog_x), doubled(analog0_y), 0, 2 * pitch, {}, {}};
    const int32_t channels = mega ? 16 : 6;
    for (int32_t k = 0; k < channels; ++k) {
        analog.pins.push_back(60 + k);
        // Built by append: GCC 12 at -O3 warns falsely (-Wrestrict) about "A" + std::to_string.
        std::string name(1, 'A');
        name.append(std::to_string(k));
        analog.names.push_back(std::move(name));
    }
    strips.push_back(analog);

    if (mega) {
        static const char* const comms[] = {"TX3", "RX3", "TX2", "RX2", "TX1", "RX1", "SDA", "SCL"};
        HeaderStrip serial{doubled(header_x), doubled(pin14_y), 0, 2 * pitch, {}, {}};
        for (int32_t pin = 14; pin <= 21; ++pin) {
            serial.pins.push_back(pin);
            serial.names.emplace_back(comms[pin - 14]);
        }
        strips.push_back(serial);

        // The double header along the bottom edge, even pins in the upper row; one spare
        // column of supply holes at its far end.
        for (int32_t first : {22, 23}) {
            const int32_t y = first == 22 ? row_even_y : row_odd_y;
            HeaderStrip row{doubled(header_x), doubled(y), -2 * row_pitch, 0, {}, {}};
            for (int32_t pin = first; pin <= 53; pin += 2) {
                row.pins.push_back(pin);
                row.names.push_back(std::to_string(pin));
            }
            row.pins.push_back(-1);
            row.names.emplace_back(first == 22 ? "5V" : "GND");
            strips.push_back(row);
        }
    }
    return strips;
}

bool on_board(BoardKind kind, int32_t pin) {
    if (kind == BoardKind::Mega) return has_shape(pin);
    return (pin >= 0 && pin <= 13) || (pin >= 60 && pin <= 65);
}

} // namespace quorvex::geometry
