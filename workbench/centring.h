#pragma once
// Places a window centred on the main window (its parent), outer sizes, as the small windows do.

#include <QWidget>

#include "workbench/window_frame.h"
#include "workbench/window_layout.h"

namespace quorvex {

inline void centre_on_main(QWidget& window) {
    const QWidget* main = window.parentWidget();
    if (main == nullptr) return;
    place_by_frame(window, [&window, main](const QMargins& m) {
        const QRect outer = frame_geometry(*main);
        const QSize own = window.size().grownBy(m);
        return QRect(centre_on(outer.x(), outer.width(), own.width()),
                     centre_on(outer.y(), outer.height(), own.height()), own.width(), own.height());
    });
}

} // namespace quorvex
