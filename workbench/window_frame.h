#pragma once
// Placing windows by their frames. Under a window manager a window's outer size and corner are
// only known once the manager has framed it, after its first show; until then Qt takes a position
// as the inner corner and a size as the inner size. Every window placed here is placed by its
// frame: with its own frame when it has one, else with the frame of a window that has (the main
// window's, the same manager's frame), and placed again once its own frame is known if that
// differs. So the first show lands where every later one does.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

namespace quorvex {

// `window`'s outer rectangle as the window manager has framed it (its inner one before that).
QRect frame_geometry(const QWidget& window);

// The frame around `window`: its own once the window manager has framed it, else the frame of
// its parent's window or of another framed top-level window, else none.
QMargins frame_margins(const QWidget& window);

// Places `window` so that its frame covers `frame_for(margins)`, the inner size being that less
// the margins. `frame_for` is asked again, with the real margins, when the window's own frame
// becomes known and differs from the guess (for a short while after the call; a later call
// replaces a pending one).
void place_by_frame(QWidget& window, const std::function<QRect(const QMargins&)>& frame_for);

// `frame` made usable on the screen its centre lies on (or the primary screen when none holds
// it): no larger than that screen's available area, its title bar not above it, moved onto the
// primary screen when it lies off every screen.
QRect fit_to_screen(const QRect& frame);

// Places `window` as stored: its frame's corner at `corner`, its inner size `inner`, fitted to
// the screen by the frame (fit_to_screen).
void place_stored(QWidget& window, QPoint corner, QSize inner);

} // namespace quorvex
