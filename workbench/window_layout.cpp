// Fitting a window to a screen, and the analog section's layout.
#include "workbench/window_layout.h"

#include <algorithm>

namespace quorvex {

ScreenRect fit_frame(ScreenRect frame, const ScreenRect& available, bool on_screen) {
    if (available.width <= 0 || available.height <= 0) return frame;
    frame.width = std::clamp(frame.width, 1, available.width);
    frame.height = std::clamp(frame.height, 1, available.height);
    if (!on_screen) {
        frame.left = available.left;
        frame.top = available.top;
    }
    frame.top = std::max(frame.top, available.top);
    return frame;
}

AnalogLayout analog_layout(int outer_width, bool uno, bool ShowAll) {
    AnalogLayout l;
    int shown = 0;
    int step = 0;
    bool boxes = true;
    if (uno) {
        step = outer_width / 12;
        shown = 6;
        boxes = false;
    } else if (ShowAll) {
        step = outer_width / 32;
        shown = 16;
    } else {
        step = outer_width / 16;
        shown = 8;
    }
    l.ShowA16 = !uno;
    for (int i = 0; i < shown; ++i) {
        const int centre = (2 * i + 1) * step;
        l.bars[static_cast<std::size_t>(i)] = {true, centre - analog_bar_width / 2};
        l.boxes[static_cast<std::size_t>(i)] = {boxes, centre - analog_box_width / 2};
    }
    l.Analog_Close = outer_width / 2 - analog_close_width / 2;
    return l;
}

} // namespace quorvex
