#pragma once
// Places a window centred on the main window (its parent), outer sizes, as the small windows do.

#include <QWidget>

#include "workbench/window_layout.h"

namespace quorvex {

inline void centre_on_main(QWidget& window) {
    const QWidget* main = window.parentWidget();
    if (main == nullptr) return;
    const QRect m = main->frameGeometry();
    const QSize own = window.frameGeometry().size();
    window.move(centre_on(m.x(), m.width(), own.width()), centre_on(m.y(), m.height(), own.height()));
}

} // namespace quorvex
