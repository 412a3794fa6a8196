#include "workbench/tool_icons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

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

struct Inks {
    QColor line; // the black-and-white pictures
    QColor go;   // run
    QColor halt; // abort and stop
};

void draw(QPainter& p, int index, qreal s, const Inks& ink) {
    p.setPen(QPen(ink.line, s / 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
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
        p.fillPath(path, ink.go);
        break;
    }
    case 14: // abort: a red cross
        p.setPen(QPen(ink.halt, s / 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.25, s * 0.25), QPointF(s * 0.75, s * 0.75));
        p.drawLine(QPointF(s * 0.75, s * 0.25), QPointF(s * 0.25, s * 0.75));
        break;
    case 16: // stop: a red square
        p.fillRect(QRectF(s * 0.22, s * 0.22, s * 0.56, s * 0.56), ink.halt);
        break;
    default:
        break;
    }
}

// Run, abort and stop; the others are drawn in the line colour alone.
bool coloured(int index) { return index == 12 || index == 14 || index == 16; }

// The line colour, and the run and stop colours readable on `backgrounds` when `index` needs
// them: each readable() search takes up to 50 steps.
Inks inks(int index, const QColor& line, std::initializer_list<QColor> backgrounds) {
    if (!coloured(index)) return {line, line, line};
    return {line, readable(QColor(30, 160, 60), backgrounds), readable(QColor(200, 30, 30), backgrounds)};
}

// The inks of `index` in the application palette. The run and stop colours depend only on the
// three colours read here, so they are worked out again only when one of those changes (a new
// style): every tool button paints its picture at each repaint of the tool bar.
Inks palette_inks(int index, const QPalette& palette) {
    struct Colours {
        QColor line, window, button;
        bool operator==(const Colours&) const = default;
    };
    const Colours now{palette.color(QPalette::ButtonText), palette.color(QPalette::Window),
                      palette.color(QPalette::Button)};
    if (!coloured(index)) return inks(index, now.line, {});
    static std::optional<std::pair<Colours, Inks>> cached;
    if (!cached || cached->first != now) cached.emplace(now, inks(index, now.line, {now.window, now.button}));
    return cached->second;
}

void draw_in(QPainter& p, int index, const QRectF& rect, const Inks& ink) {
    const qreal s = std::min(rect.width(), rect.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.center() - QPointF(s / 2, s / 2));
    draw(p, index, s, ink);
    p.restore();
}

// Reads the palette when it paints, so a new style reaches the tool bar without new icons.
class ToolIconEngine : public QIconEngine {
public:
    explicit ToolIconEngine(int index) : index_(index) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette palette = QGuiApplication::palette();
        if (mode == QIcon::Disabled) {
            const QColor grey = palette.color(QPalette::Disabled, QPalette::ButtonText);
            draw_in(*painter, index_, rect, {grey, grey, grey});
            return;
        }
        draw_in(*painter, index_, rect, palette_inks(index_, palette));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ToolIconEngine(index_); }
    QString key() const override { return QStringLiteral("quorvex_tool"); }

private:
    int index_;
};

double luminance(const QColor& c) {
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

QIcon tool_icon(int index) { return QIcon(new ToolIconEngine(index)); }

void draw_tool_picture(QPainter& p, int index, const QRectF& rect, const QColor& ink, const QColor& background) {
    draw_in(p, index, rect, inks(index, ink, {background}));
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readable(const QColor& colour, std::initializer_list<QColor> backgrounds, double ratio) {
    const auto enough = [&](const QColor& c) {
        for (const QColor& b : backgrounds)
            if (contrast(c, b) < ratio) return false;
        return true;
    };
    double dark = 0;
    for (const QColor& b : backgrounds) dark += luminance(b) < 0.18 ? 1 : -1;
    float h = 0, s = 0, l = 0, a = 0;
    colour.getHslF(&h, &s, &l, &a);
    const float step = dark > 0 ? 0.02f : -0.02f;
    QColor c = colour;
    while (!enough(c) && l + step >= 0 && l + step <= 1) {
        l += step;
        c = QColor::fromHslF(h, s, l, a);
    }
    return c;
}

} // namespace quorvex
