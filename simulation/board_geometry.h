#pragma once
// Where the board panel draws each pin: the 15 x 15 level shapes, their labels, the analog value
// labels and the lights, in panel pixels. The positions do not depend on the board chosen (a
// board choice only shows or hides them); the board kind decides which header pins its picture
// has. The board view and the picture generator both place things from here, so a shape always
// sits on the header hole drawn for it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simulation/board.h"

namespace quorvex::geometry {

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;

    bool contains(int32_t px, int32_t py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    bool intersects(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
    bool inside(const Rect& o) const { return x >= o.x && y >= o.y && x + w <= o.x + o.w && y + h <= o.y + o.h; }
    // Centre doubled, so that odd sizes stay exact.
    int32_t cx2() const { return 2 * x + w; }
    int32_t cy2() const { return 2 * y + h; }
    bool operator==(const Rect&) const = default;
};

// Which side of its rectangle a label's text keeps to; a caption longer than the rectangle
// grows away from the shape.
enum class Align { Left, Right, Centre };

struct LabelBox {
    Rect rect;
    Align align = Align::Left;
};

inline constexpr int32_t shape_size = 15;
inline constexpr Rect panel{0, 0, 440, 760};
inline constexpr Rect picture{40, 26, 350, 720};

// Pins with a level shape: digital 0..53 and the analog pins 60..75 (A0..A15).
bool has_shape(int32_t pin);
std::optional<Rect> shape_rect(int32_t pin);
std::optional<LabelBox> label_box(int32_t pin);
// The analog-output value label of pins 0..13, beside the header.
std::optional<LabelBox> analog_value_box(int32_t pin);
// The analog-input value label of channel 0..15, left of the picture.
std::optional<LabelBox> analog_input_box(int32_t channel);

// The pin whose shape holds the point, or -1.
int32_t pin_at(int32_t x, int32_t y);

Rect led13_rect();
Rect rxled_rect();
Rect txled_rect();
// Placed by the Uno or Mega last chosen (Board::layout).
Rect on_led_rect(BoardKind layout);
Rect reset_switch_rect(BoardKind layout);
// The step picture: a click on it steps into.
Rect step_image_rect();
// Where the legend docks in the panel.
Rect legend_rect();

// The board's outline on the panel.
Rect board_outline(BoardKind kind);

// One row of header holes: hole i is centred at first + i * step (doubled coordinates, like
// Rect::cx2). A pin of -1 is a hole without a simulated pin (GND, 5V and so on).
struct HeaderStrip {
    int32_t first_cx2 = 0;
    int32_t first_cy2 = 0;
    int32_t step_x = 0;
    int32_t step_y = 0;
    std::vector<int32_t> pins;
    std::vector<std::string> names; // silk-screen names, one per hole
};

// The header strips drawn on the board's picture. Every simulated pin of the board appears in
// exactly one strip.
std::vector<HeaderStrip> header_strips(BoardKind kind);
// Whether the board's picture has a header hole for the pin.
bool on_board(BoardKind kind, int32_t pin);

} // namespace quorvex::geometry
