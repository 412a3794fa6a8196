#pragma once
// The tool buttons' pictures, indexed as the tool bar names them: 0 reset, 2 back, 4 step over,
// 8 step into, 10 step out, 12 run, 14 abort, 16 stop; the step picture on the board is 8.

#include <QIcon>

namespace quorvex {

QIcon tool_icon(int index);
// The picture itself, for drawing on the board.
QPixmap tool_picture(int index, int size);

} // namespace quorvex
