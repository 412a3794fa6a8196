#include "workbench/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorvex {

namespace {

// An arrow head at `tip`, pointing along (dx, dy).
void arrow_head(QPainter& p, QPointF tip, qreal dx, qreal dy, qreal size) {
    const QPointF back(tip.x() - dx * size, tip.y() - dy * size);
    const QPointF side(-dy * size * 0.6, dx * size * 0.6);
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(back + side);
    path.lineTo(back - side);
    path.closeSubpath();
    p.fillPath(path, p.pen().color());
}

void draw(QPainter& p, int index, qreal s) {
    const QColor ink(40, 60, 110);
    p.setPen(QPen(ink, s / 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (index) {
    case 0: { // reset: a circular arrow
        p.drawArc(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6), 100 * 16, 290 * 16);
        arrow_head(p, QPointF(s * 0.5, s * 0.2), -1, 0, s * 0.18);
        break;
    }
    case 2: // back: an arrow to the left
        p.drawLine(QPointF(s * 0.8, s * 0.5), QPointF(s * 0.3, s * 0.5));
        arrow_head(p, QPointF(s * 0.15, s * 0.5), -1, 0, s * 0.22);
        break;
    case 4: { // step over: an arc over a line, landing beyond it
        QPainterPath path;
        path.moveTo(s * 0.15, s * 0.6);
        path.cubicTo(s * 0.2, s * 0.1, s * 0.75, s * 0.1, s * 0.8, s * 0.5);
        p.drawPath(path);
        arrow_head(p, QPointF(s * 0.82, s * 0.68), 0.1, 1, s * 0.2);
        p.drawLine(QPointF(s * 0.4, s * 0.85), QPointF(s * 0.6, s * 0.85));
        break;
    }
    case 8: // step into: down into a line
        p.drawLine(QPointF(s * 0.5, s * 0.1), QPointF(s * 0.5, s * 0.55));
        arrow_head(p, QPointF(s * 0.5, s * 0.72), 0, 1, s * 0.22);
        p.drawLine(QPointF(s * 0.25, s * 0.88), QPointF(s * 0.75, s * 0.88));
        break;
    case 10: // step out: up out of a bracket
        p.drawLine(QPointF(s * 0.5, s * 0.9), QPointF(s * 0.5, s * 0.35));
        arrow_head(p, QPointF(s * 0.5, s * 0.12), 0, -1, s * 0.22);
        p.drawLine(QPointF(s * 0.2, s * 0.55), QPointF(s * 0.2, s * 0.9));
        p.drawLine(QPointF(s * 0.8, s * 0.55), QPointF(s * 0.8, s * 0.9));
        break;
    case 12: { // run: a green triangle
        QPainterPath path;
        path.moveTo(s * 0.25, s * 0.15);
        path.lineTo(s * 0.85, s * 0.5);
        path.lineTo(s * 0.25, s * 0.85);
        path.closeSubpath();
        p.fillPath(path, QColor(30, 160, 60));
        break;
    }
    case 14: // abort: a red cross
        p.setPen(QPen(QColor(200, 30, 30), s / 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.25, s * 0.25), QPointF(s * 0.75, s * 0.75));
        p.drawLine(QPointF(s * 0.75, s * 0.25), QPointF(s * 0.25, s * 0.75));
        break;
    case 16: // stop: a red square
        p.fillRect(QRectF(s * 0.22, s * 0.22, s * 0.56, s * 0.56), QColor(200, 30, 30));
        break;
    default:
        break;
    }
}

} // namespace

QPixmap tool_picture(int index, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, index, size);
    return pixmap;
}

QIcon tool_icon(int index) {
    QIcon icon;
    for (int size : {16, 24, 32}) icon.addPixmap(tool_picture(index, size));
    return icon;
}

} // namespace quorvex
