// Draws the two stylised board pictures that the board panel shows behind the pins, from the
// same geometry that places the pins, so every level shape lands on a header hole.
// Usage: make_board_pictures <output folder>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "simulation/board_geometry.h"

namespace g = quorvex::geometry;
using quorvex::BoardKind;

namespace {

const QColor background(236, 236, 236);
const QColor pcb(32, 92, 70);
const QColor pcb_edge(20, 60, 46);
const QColor silk(236, 240, 232);
const QColor metal(196, 198, 202);
const QColor metal_dark(120, 124, 130);
const QColor black_part(34, 34, 38);

// Panel pixels to picture pixels.
QRectF to_picture(const g::Rect& r) { return QRectF(r.x - g::picture.x, r.y - g::picture.y, r.w, r.h); }

QPointF hole_centre(const g::HeaderStrip& s, size_t i) {
    const auto step = static_cast<int32_t>(i);
    return QPointF((s.first_cx2 + step * s.step_x) / 2.0 - g::picture.x,
                   (s.first_cy2 + step * s.step_y) / 2.0 - g::picture.y);
}

QFont silk_font(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void draw_strip(QPainter& p, const g::HeaderStrip& s) {
    const size_t n = s.pins.size();
    if (n == 0) return;
    const QPointF a = hole_centre(s, 0);
    const QPointF b = hole_centre(s, n - 1);
    const QRectF body = QRectF(a, b).normalized().adjusted(-9, -9, 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(black_part);
    p.drawRect(body);
    p.setBrush(QColor(70, 70, 74));
    for (size_t i = 0; i < n; ++i) {
        const QPointF c = hole_centre(s, i);
        p.drawRect(QRectF(c.x() - 4, c.y() - 4, 8, 8));
    }

    // Silk-screen names just outside the strip, on the board side.
    p.setFont(silk_font(8));
    p.setPen(silk);
    const bool vertical = s.step_x == 0;
    for (size_t i = 0; i < n; ++i) {
        const QPointF c = hole_centre(s, i);
        const QString name = QString::fromStdString(s.names[i]);
        if (vertical) {
            const bool right_edge = c.x() > g::picture.w / 2;
            // Where a pin has a label the board panel draws its label over the name.
            const QRectF box =
                right_edge ? QRectF(c.x() - 60, c.y() - 7, 49, 14) : QRectF(c.x() + 18.5, c.y() - 7, 49, 14);
            p.drawText(box, (right_edge ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, name);
        } else {
            // Rows along the bottom: the upper row's names above it, the lower row's below.
            const bool upper = s.first_cy2 < 2 * 703;
            const QRectF box = upper ? QRectF(c.x() - 10, c.y() - 22, 20, 12) : QRectF(c.x() - 10, c.y() + 10, 20, 12);
            p.drawText(box, Qt::AlignCenter, name);
        }
    }
}

void draw_chip(QPainter& p, const QRectF& body, int legs_long, int legs_short) {
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    const bool tall = body.height() >= body.width();
    const double along = tall ? body.height() : body.width();
    for (int i = 0; i < legs_long; ++i) {
        const double t = (i + 0.5) * along / legs_long;
        if (tall) {
            p.drawRect(QRectF(body.left() - 5, body.top() + t - 1.5, 5, 3));
            p.drawRect(QRectF(body.right(), body.top() + t - 1.5, 5, 3));
        } else {
            p.drawRect(QRectF(body.left() + t - 1.5, body.top() - 5, 3, 5));
            p.drawRect(QRectF(body.left() + t - 1.5, body.bottom(), 3, 5));
        }
    }
    const double across = tall ? body.width() : body.height();
    for (int i = 0; i < legs_short; ++i) {
        const double t = (i + 0.5) * across / legs_short;
        if (tall) {
            p.drawRect(QRectF(body.left() + t - 1.5, body.top() - 5, 3, 5));
            p.drawRect(QRectF(body.left() + t - 1.5, body.bottom(), 3, 5));
        } else {
            p.drawRect(QRectF(body.left() - 5, body.top() + t - 1.5, 5, 3));
            p.drawRect(QRectF(body.right(), body.top() + t - 1.5, 5, 3));
        }
    }
    p.setBrush(black_part);
    p.drawRoundedRect(body, 2, 2);
    p.setBrush(QColor(60, 60, 66));
    p.drawEllipse(QRectF(body.left() + 5, body.top() + 5, 6, 6)); // pin-1 mark
}

void draw_jacks(QPainter& p, const QRectF& outline) {
    // USB socket and barrel power jack overhang the top edge.
    const QRectF usb(outline.left() + 26, outline.top() - 12, 66, 76);
    p.setPen(QPen(metal_dark, 1.5));
    p.setBrush(metal);
    p.drawRect(usb);
    p.setBrush(metal_dark);
    p.drawRect(usb.adjusted(10, 6, -10, -44));
    const QRectF jack(outline.left() + 148, outline.top() - 10, 64, 80);
    p.setPen(Qt::NoPen);
    p.setBrush(black_part);
    p.drawRoundedRect(jack, 3, 3);
    p.setBrush(QColor(70, 70, 74));
    p.drawEllipse(QRectF(jack.center().x() - 14, jack.top() + 8, 28, 28));
    p.setBrush(metal);
    p.drawEllipse(QRectF(jack.center().x() - 4, jack.top() + 18, 8, 8));
}

void draw_light(QPainter& p, const g::Rect& r, const QString& name, bool name_left) {
    const QRectF box = to_picture(r);
    p.setPen(QPen(QColor(200, 200, 180), 1));
    p.setBrush(QColor(230, 226, 200));
    p.drawRect(box.adjusted(1, 2, -1, -2));
    p.setFont(silk_font(7));
    p.setPen(silk);
    const QRectF text = name_left ? QRectF(box.left() - 24, box.top(), 22, box.height())
                                  : QRectF(box.left(), box.bottom() + 1, box.width(), 10);
    p.drawText(text, (name_left ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter), name);
}

void draw_reset_switch(QPainter& p, const g::Rect& r) {
    const QRectF box = to_picture(r).adjusted(6, 6, -6, -6);
    p.setPen(QPen(metal_dark, 1));
    p.setBrush(metal);
    p.drawRect(box);
    p.setBrush(QColor(150, 40, 40));
    p.drawEllipse(box.center(), box.width() / 3.2, box.height() / 3.2);
    p.setFont(silk_font(7));
    p.setPen(silk);
    p.drawText(QRectF(box.left() - 6, box.bottom() + 1, box.width() + 12, 10), Qt::AlignCenter,
               QStringLiteral("RESET"));
}

QImage draw_board(BoardKind kind) {
    QImage image(g::picture.w, g::picture.h, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    const bool mega = kind == BoardKind::Mega;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF outline = to_picture(g::board_outline(kind));
    p.setPen(QPen(pcb_edge, 2));
    p.setBrush(pcb);
    p.drawRoundedRect(outline, 8, 8);

    // Mounting holes near the corners.
    p.setPen(QPen(silk, 1.5));
    p.setBrush(background);
    const double hole = 5;
    const QPointF top_left(outline.left() + 110, outline.top() + 14);
    const QPointF top_right(outline.right() - 70, outline.top() + 120);
    const QPointF low_left = mega ? QPointF(outline.left() + 130, outline.bottom() - 90)
                                  : QPointF(outline.left() + 100, outline.bottom() - 14);
    const QPointF low_right = mega ? QPointF(outline.right() - 120, outline.bottom() - 130)
                                   : QPointF(outline.right() - 110, outline.bottom() - 30);
    for (const QPointF& c : {top_left, top_right, low_left, low_right}) p.drawEllipse(c, hole, hole);

    draw_jacks(p, outline);

    // The microcontroller: a long DIP part on the small board, a square flat pack on the large one.
    if (mega) {
        draw_chip(p, QRectF(150, 330, 96, 96), 16, 16);
    } else {
        draw_chip(p, QRectF(128, 300, 48, 200), 14, 0);
    }
    // The USB interface chip and the crystal beside the USB socket.
    draw_chip(p, QRectF(outline.left() + 40, outline.top() + 100, 26, 26), 6, 6);
    p.setPen(QPen(metal_dark, 1));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(outline.left() + 110, outline.top() + 108, 28, 11), 5, 5);

    for (const g::HeaderStrip& strip : g::header_strips(kind)) draw_strip(p, strip);

    draw_light(p, g::led13_rect(), QStringLiteral("L"), false);
    draw_light(p, g::txled_rect(), QStringLiteral("TX"), false);
    draw_light(p, g::rxled_rect(), QStringLiteral("RX"), false);
    draw_light(p, g::on_led_rect(kind), QStringLiteral("ON"), true);
    draw_reset_switch(p, g::reset_switch_rect(kind));

    // Section titles along the header edges.
    p.setPen(silk);
    p.setFont(silk_font(9, true));
    p.save();
    const double digital_mid = (g::shape_rect(0)->y + g::shape_rect(13)->y) / 2.0 - g::picture.y + 7;
    p.translate(g::shape_rect(0)->x - g::picture.x - 70, digital_mid);
    p.rotate(-90);
    p.drawText(QRectF(-80, -8, 160, 16), Qt::AlignCenter, QStringLiteral("DIGITAL (PWM ~)"));
    p.restore();
    p.save();
    const double analog_mid = (g::shape_rect(60)->y + g::shape_rect(mega ? 75 : 65)->y) / 2.0 - g::picture.y + 7;
    p.translate(g::shape_rect(60)->x - g::picture.x + 82, analog_mid);
    p.rotate(-90);
    p.drawText(QRectF(-80, -8, 160, 16), Qt::AlignCenter, QStringLiteral("ANALOG IN"));
    p.restore();
    if (mega) {
        p.save();
        const double serial_mid = (g::shape_rect(14)->y + g::shape_rect(21)->y) / 2.0 - g::picture.y + 7;
        p.translate(g::shape_rect(14)->x - g::picture.x - 70, serial_mid);
        p.rotate(-90);
        p.drawText(QRectF(-80, -8, 160, 16), Qt::AlignCenter, QStringLiteral("COMMUNICATION"));
        p.restore();
    }
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_board_pictures <output folder>\n");
        return 2;
    }
    // Drawing text needs a platform plugin; no display is needed to draw into an image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_board_pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    const struct {
        BoardKind kind;
        const char* file;
    } boards[] = {{BoardKind::Uno, "UnoR3.jpg"}, {BoardKind::Mega, "MegaR3.jpg"}};
    for (const auto& board : boards) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(board.file));
        if (!draw_board(board.kind).save(path, "JPG", 92)) {
            std::fprintf(stderr, "make_board_pictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
