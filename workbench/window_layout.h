#pragma once
// Window geometry without a toolkit: centring on the main window, fitting a stored window to a
// screen, and the analog section's layout for each board.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvex {

// Where a window of `own` extent starts when centred on a main window starting at `main_start`
// with `main_extent` (outer sizes; the halving truncates).
constexpr int centre_on(int main_start, int main_extent, int own) { return main_start + main_extent / 2 - own / 2; }

// A rectangle in screen pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// A stored window frame made usable on the screen it lands on (`available`, that screen's area
// without panels): no larger than that area, its title bar not above it, and moved to the area's
// corner when `on_screen` is false (no screen holds its centre, as after a monitor was removed).
ScreenRect fit_frame(ScreenRect frame, const ScreenRect& available, bool on_screen);

// The analog section's fixed sizes.
inline constexpr int analog_bar_width = 16;
inline constexpr int analog_bar_top = 16;
inline constexpr int analog_bar_height = 121;
inline constexpr int analog_box_width = 35;
inline constexpr int analog_box_height = 21;
inline constexpr int analog_box_top = 156;
inline constexpr int analog_close_width = 48;
inline constexpr int analog_close_height = 17;
inline constexpr int show_a16_width = 16;
inline constexpr int show_a16_height = 49;

struct AnalogSlot {
    bool visible = false;
    int left = 0;
};

struct AnalogLayout {
    std::array<AnalogSlot, 16> bars{};
    std::array<AnalogSlot, 16> boxes{};
    bool ShowA16 = false; // the ">" / "<" button
    int Analog_Close = 0; // the Close button's left
};

// The analog section for a window `outer_width` wide: the Uno shows six bars and no boxes at
// twelfths; another board eight bars and boxes at sixteenths, or sixteen at thirty-seconds.
AnalogLayout analog_layout(int outer_width, bool uno, bool ShowAll);

} // namespace quorvex
