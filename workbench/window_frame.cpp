// Placing windows by their frames.
#include "workbench/window_frame.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "workbench/window_layout.h"

namespace quorvex {

namespace {

// A window's own frame, or none while the window manager has not framed it yet (or while it
// reports a frame half made, as it can in the moment of framing). The platform window's answer
// is asked, not QWidget's: QWidget keeps a frame it read before the framing until the window
// next moves or resizes.
QMargins own_margins(const QWidget& window) {
    QMargins m;
    if (const QWindow* handle = window.windowHandle()) {
        m = handle->frameMargins();
    } else {
        const QRect outer = window.frameGeometry();
        const QRect inner = window.geometry();
        m = {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
             outer.bottom() - inner.bottom()};
    }
    const auto sane = [](int side) { return side >= 0 && side <= 200; };
    if (!sane(m.left()) || !sane(m.top()) || !sane(m.right()) || !sane(m.bottom())) return {};
    return m;
}

void apply(QWidget& window, const QRect& frame, const QMargins& margins) {
    const QRect inner = frame.marginsRemoved(margins);
    if (window.testAttribute(Qt::WA_WState_Created)) {
        // The platform window exists: Qt sends this position as the inner corner.
        window.setGeometry(inner);
    } else {
        // Before the window exists Qt hands the position to the window manager as the frame's
        // corner, which is exact whatever the frame turns out to be.
        window.move(frame.topLeft());
        window.resize(inner.size());
    }
}

// Places a window again when its own frame turns up and differs from the guess it was placed
// with. The frame comes without an event when the window stays where it was asked to be, so it
// is looked for a few times a second until it is there, the window hides, or a while has passed
// after the show (without a window manager nothing comes).
class FrameFollower : public QObject {
public:
    FrameFollower(QWidget& window, std::function<QRect(const QMargins&)> frame_for, const QMargins& used)
        : QObject(&window), window_(&window), frame_for_(std::move(frame_for)), used_(used) {
        setObjectName(QStringLiteral("FrameFollower"));
        window.installEventFilter(this);
        poll_.setInterval(20);
        connect(&poll_, &QTimer::timeout, this, &FrameFollower::look);
        if (window.isVisible()) start();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || done_) return false;
        if (event->type() == QEvent::Show)
            start();
        else if (event->type() == QEvent::Hide)
            finish();
        else if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            look();
        return false;
    }

private:
    QPointer<QWidget> window_;
    std::function<QRect(const QMargins&)> frame_for_;
    QMargins used_;
    QTimer poll_;
    int polls_left_ = 0;
    bool done_ = false;

    void start() {
        polls_left_ = 150;
        poll_.start();
    }

    void look() {
        if (done_ || window_ == nullptr) return;
        const QMargins own = own_margins(*window_);
        if (own.isNull()) {
            if (poll_.isActive() && --polls_left_ <= 0) finish();
            return;
        }
        finish();
        if (own != used_) apply(*window_, frame_for_(own), own);
    }

    void finish() {
        if (done_) return;
        done_ = true;
        poll_.stop();
        if (window_ != nullptr) window_->removeEventFilter(this);
        deleteLater();
    }
};

QRect to_qrect(const ScreenRect& r) { return {r.left, r.top, r.width, r.height}; }
ScreenRect to_screen_rect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

} // namespace

QRect frame_geometry(const QWidget& window) { return window.geometry().marginsAdded(own_margins(window)); }

QMargins frame_margins(const QWidget& window) {
    const QMargins own = own_margins(window);
    if (!own.isNull()) return own;
    if (const QWidget* parent = window.parentWidget()) {
        const QMargins main = own_margins(*parent->window());
        if (!main.isNull()) return main;
    }
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible()) continue;
        const QMargins m = own_margins(*other);
        if (!m.isNull()) return m;
    }
    return {};
}

void place_by_frame(QWidget& window, const std::function<QRect(const QMargins&)>& frame_for) {
    for (QObject* old : window.findChildren<QObject*>(QStringLiteral("FrameFollower"), Qt::FindDirectChildrenOnly))
        delete old;
    const QMargins margins = frame_margins(window);
    apply(window, frame_for(margins), margins);
    if (own_margins(window).isNull()) new FrameFollower(window, frame_for, margins);
}

QRect fit_to_screen(const QRect& frame) {
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    const bool on_screen = screen != nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return frame;
    return to_qrect(fit_frame(to_screen_rect(frame), to_screen_rect(screen->availableGeometry()), on_screen));
}

void place_stored(QWidget& window, QPoint corner, QSize inner) {
    place_by_frame(window,
                   [corner, inner](const QMargins& m) { return fit_to_screen(QRect(corner, inner.grownBy(m))); });
}

} // namespace quorvex
