#pragma once
// The tool buttons' pictures, indexed as the tool bar names them: 0 reset, 2 back, 4 step over,
// 8 step into, 10 step out, 12 run, 14 abort, 16 stop; the step picture on the board is 8.

#include <QIcon>

class QPainter;

namespace quorvex {

// Drawn at each paint in the application palette's button-text colour, so the pictures stay
// readable in every style; the coloured ones (run, abort, stop) are lightened or darkened until
// they stand out from the window and button colours.
QIcon tool_icon(int index);
// The picture in the square `rect`, its lines in `ink`, its colours readable on `background`.
void draw_tool_picture(QPainter& p, int index, const QRectF& rect, const QColor& ink, const QColor& background);

// The contrast ratio of two colours by their relative luminance, from 1 (equal) to 21.
double contrast(const QColor& a, const QColor& b);
// `colour` made lighter or darker, keeping its hue, until it has a contrast of at least `ratio`
// with each of `backgrounds` (or as far as it goes).
QColor readable(const QColor& colour, std::initializer_list<QColor> backgrounds, double ratio = 3.0);

} // namespace quorvex
