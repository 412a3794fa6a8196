#include "workbench/board_view.h"

#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "interpreter/interpreter.h"
#include "simulation/board_geometry.h"
#include "workbench/tool_icons.h"

namespace quorvex {

namespace {

namespace g = geometry;

QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }

QRect qrect(const g::Rect& r) { return QRect(r.x, r.y, r.w, r.h); }

// The model keeps label backgrounds as tokens; the button face follows the palette.
QColor background(LabelBackground b, const QPalette& palette) {
    switch (b) {
    case LabelBackground::White:
        return Qt::white;
    case LabelBackground::SkyBlue:
        return colour(clSkyBlue);
    case LabelBackground::ButtonFace:
        break;
    }
    return palette.color(QPalette::Button);
}

// An opaque label: the background as wide as its caption, growing away from the shape when the
// caption is longer than the box. Beside a header it is at least as wide as the silk-screen name
// it covers; the close rows along the bottom keep to the caption.
void draw_label(QPainter& p, const g::LabelBox& box, const QString& caption, const QColor& text, const QColor& back) {
    const QFontMetrics metrics(p.font());
    const int advance = metrics.horizontalAdvance(caption);
    const int width = box.align == g::Align::Centre ? advance + 2 : std::max(advance + 4, 24);
    QRect r = qrect(box.rect);
    switch (box.align) {
    case g::Align::Left:
        r.setWidth(width);
        break;
    case g::Align::Right:
        r.setLeft(r.right() + 1 - width);
        break;
    case g::Align::Centre:
        r = QRect(r.center().x() - width / 2 + 1, r.y(), width, r.height());
        break;
    }
    p.fillRect(r, back);
    p.setPen(text);
    p.drawText(r, Qt::AlignCenter, caption);
}

QString bundled(const QString& name) { return QStringLiteral(":/boards/") + name; }

// A bare name is one of the bundled pictures; the Other board's picture is a path.
bool is_path(const QString& name) { return name.contains('/') || name.contains('\\'); }

} // namespace

// --- legend ---

LegendPanel::LegendPanel(QWidget* dock) : QFrame(dock), dock_(dock) {
    setObjectName(QStringLiteral("Panel_Legend"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::ClickFocus);
    setProperty("helpContext", 30);
    setAutoFillBackground(true);
    const g::Rect r = g::legend_rect();
    setFixedSize(r.w, r.h);
    move(r.x, r.y);
    hide();
}

void LegendPanel::dock_in() {
    if (!docked()) setParent(dock_, Qt::Widget);
    const g::Rect r = g::legend_rect();
    move(r.x, r.y);
    show();
    raise();
}

void LegendPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = this->font();
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, 2, width(), 16), Qt::AlignHCenter, QStringLiteral("Legend"));
    struct Row {
        QColor fill;
        const char* label;
        QColor text;
        QColor back;
    };
    const QColor face = palette().color(QPalette::Button);
    const Row rows[] = {
        {Qt::red, "Output Hi", Qt::red, Qt::white},
        {Qt::white, "Output Lo", Qt::red, Qt::white},
        {colour(clGreen), "Input Hi", colour(clGreen), Qt::white},
        {Qt::white, "Input Lo", colour(clGreen), Qt::white},
        {Qt::blue, "System", Qt::blue, colour(clSkyBlue)},
        {Qt::gray, "Undefined", Qt::gray, face},
    };
    int y = 20;
    for (const Row& row : rows) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(row.fill);
        p.drawEllipse(QRectF(8.5, y + 0.5, 14, 14));
        const QRect label(30, y, 80, 15);
        p.fillRect(label, row.back);
        p.setPen(row.text);
        p.drawText(label.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QString::fromLatin1(row.label));
        y += 19;
    }
}

void LegendPanel::mousePressEvent(QMouseEvent* event) {
    press_ = event->position().toPoint();
    dragging_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void LegendPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint global = event->globalPosition().toPoint() - press_;
    if (docked()) {
        if ((event->position().toPoint() - press_).manhattanLength() < 12) return;
        // Out of the panel: a small window of its own that follows the mouse.
        setParent(dock_->window(), Qt::Tool);
        move(global);
        show();
        emit undocked();
        return;
    }
    move(global);
}

void LegendPanel::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    emit focus_lost();
}

// --- board ---

BoardView::BoardView(Interpreter& core, QWidget* parent) : QWidget(parent), core_(core) {
    setObjectName(QStringLiteral("Panel2"));
    setProperty("helpContext", 30);
    setFixedSize(sizeHint());
    legend_ = new LegendPanel(this);
}

QSize BoardView::sizeHint() const { return QSize(g::panel.w, g::panel.h); }

int BoardView::visible_pin_at(const QPoint& pos) const {
    const int32_t pin = g::pin_at(pos.x(), pos.y());
    if (pin < 0 || !Board::has_display(pin) || !core_.board.pin(pin).shape.visible) return -1;
    return pin;
}

void BoardView::refresh() { update(); }

const QImage& BoardView::picture() {
    const QString name = QString::fromStdString(core_.board.picture);
    if (name != picture_name_) {
        QImage image(is_path(name) ? name : bundled(name));
        if (!image.isNull()) set_picture(image);
        picture_name_ = name;
    }
    return picture_;
}

void BoardView::set_picture(const QImage& image) {
    picture_ = image;
    // Scaled once: every step repaints the panel.
    const QSize fitted = image.size().scaled(qrect(g::picture).size(), Qt::KeepAspectRatio);
    fitted_ = QPixmap::fromImage(image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

bool BoardView::load_other_picture(const QString& path) {
    const QImage image(path);
    if (image.isNull()) return false;
    set_picture(image);
    picture_name_ = path;
    core_.board.set_other_picture(path.toStdString());
    update();
    return true;
}

void BoardView::Other1Click() {
    core_.board.Other1Click();
    update();
    const QString path =
        choose_picture
            ? choose_picture()
            : QFileDialog::getOpenFileName(this, QStringLiteral("Board Picture"),
                                           picture_folder.isEmpty() ? QDir::currentPath() : picture_folder,
                                           QStringLiteral("Picture Files (*.jpg *.png *.bmp *.gif);;All Files (*)"));
    if (path.isEmpty()) return;
    if (!load_other_picture(path))
        QMessageBox::warning(this, QStringLiteral("Board Picture"), QStringLiteral("Cannot read the picture ") + path);
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const Board& board = core_.board;

    // The picture keeps its proportions inside its frame, from the frame's top left.
    if (!picture().isNull()) p.drawPixmap(qrect(g::picture).topLeft(), fitted_);

    const g::Rect step = g::step_image_rect();
    const int side = std::min(step.w, step.h);
    draw_tool_picture(p, 8, QRectF(step.x, step.y, side, side), palette().color(QPalette::WindowText),
                      palette().color(QPalette::Window));
    p.setRenderHint(QPainter::Antialiasing);
    const QRect reset_sw = qrect(g::reset_switch_rect(board.layout));
    if (is_path(picture_name_)) {
        // A picture of the user's own has no reset switch drawn on it.
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(QColor(196, 198, 202));
        p.drawRect(reset_sw.adjusted(6, 6, -7, -7));
        p.setBrush(QColor(150, 40, 40));
        p.drawEllipse(QRectF(reset_sw.center(), QSizeF()).adjusted(-9, -9, 9, 9));
    }
    const auto light = [&p](const QRect& r, const QColor& c) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(c);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    if (board.led13) light(qrect(g::led13_rect()), Qt::yellow);
    if (board.rxled) light(qrect(g::rxled_rect()), Qt::yellow);
    if (board.txled) light(qrect(g::txled_rect()), Qt::yellow);
    if (core_.ON_LED.Visible) light(qrect(g::on_led_rect(board.layout)), QColor(0, 255, 0));

    // Level shapes, then labels.
    for (int32_t pin = 0; pin < Board::pin_count; ++pin) {
        if (!Board::has_display(pin)) continue;
        const PinShape& shape = board.pin(pin).shape;
        if (!shape.visible) continue;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(colour(shape.brush));
        p.drawEllipse(QRectF(qrect(*g::shape_rect(pin))).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    QFont small = font();
    small.setPixelSize(10);
    QFont tiny = font();
    tiny.setPixelSize(9);
    for (int32_t pin = 0; pin < Board::pin_count; ++pin) {
        if (!Board::has_display(pin)) continue;
        const PinLabel& label = board.pin(pin).label;
        if (!label.visible) continue;
        const g::LabelBox box = *g::label_box(pin);
        p.setFont(box.align == g::Align::Centre ? tiny : small);
        draw_label(p, box, QString::fromStdString(label.caption), colour(label.text),
                   background(label.background, palette()));
    }
    p.setFont(small);
    for (int32_t k = 0; k < Board::analog_outputs; ++k) {
        const TextLabel& value = board.analog[static_cast<size_t>(k)];
        if (value.visible)
            draw_label(p, *g::analog_value_box(k), QString::fromStdString(value.caption), colour(clRed), Qt::white);
    }
    for (int32_t k = 0; k < Board::analog_inputs; ++k) {
        const TextLabel& value = board.ValAn[static_cast<size_t>(k)];
        if (value.visible)
            draw_label(p, *g::analog_input_box(k), QString::fromStdString(value.caption), colour(clGreen), Qt::white);
    }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    const int pin = visible_pin_at(pos);
    if (pin >= 0) {
        if (pin >= Board::analog_pin_base)
            core_.pinio.LDAN0MouseDown(pin - Board::analog_pin_base);
        else
            core_.pinio.LD0MouseDown(pin);
    } else if (qrect(g::reset_switch_rect(core_.board.layout)).contains(pos)) {
        core_.ResetSwClick();
    } else if (qrect(g::step_image_rect()).contains(pos)) {
        core_.Image3Click();
    } else {
        return QWidget::mousePressEvent(event);
    }
    update();
    emit clicked();
}

bool BoardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int pin = visible_pin_at(help->pos());
        if (pin >= 0)
            QToolTip::showText(help->globalPos(),
                               QString::fromUtf8(core_.board.pin(pin).shape.hint.data(),
                                                 static_cast<qsizetype>(core_.board.pin(pin).shape.hint.size())),
                               this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace quorvex
