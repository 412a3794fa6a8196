#pragma once
// The board panel: the board picture with every pin's level shape and label drawn over it from
// the core's pin model, the lights and the analog value labels. A click on a shape toggles that
// pin through the model; a click on the reset switch resets.

#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>

namespace quorvex {

class Interpreter;

// "Panel_Legend": what the colours of the pin shapes and labels mean. It docks into the board
// panel; dragged out, it floats as a window of its own.
class LegendPanel : public QFrame {
    Q_OBJECT
public:
    explicit LegendPanel(QWidget* dock);
    // Back into the board panel at its place, shown.
    void dock_in();
    bool docked() const { return parentWidget() == dock_; }

signals:
    void undocked();   // dragged out of the board panel
    void focus_lost(); // the user went on elsewhere

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QWidget* dock_;
    QPoint press_; // where a drag started, in the panel's own pixels
    bool dragging_ = false;
};

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(Interpreter& core, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The pin whose visible shape holds the point, or -1.
    int visible_pin_at(const QPoint& pos) const;
    // Repaints from the model, after a step or any other change of the core.
    void refresh();
    // The Other board's picture: the chooser, then the chosen picture. An unreadable file
    // gives a message and keeps the picture shown before.
    void Other1Click();
    // Asks for the Other board's picture; empty when cancelled. A file dialog unless replaced.
    std::function<QString()> choose_picture;
    // Where the picture dialog starts.
    QString picture_folder;
    LegendPanel* legend() const { return legend_; }
    // Reads the picture at `path` for the Other board; false (nothing changed) when unreadable.
    bool load_other_picture(const QString& path);

signals:
    // A click changed the core: a pin toggled (perhaps entering an interrupt routine), a reset
    // or a step from the step picture.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    Interpreter& core_;
    QImage picture_;
    QString picture_name_; // the model's picture that picture_ holds
    QPixmap fitted_;       // the picture scaled into its frame
    LegendPanel* legend_;

    const QImage& picture();
    void set_picture(const QImage& image);
};

} // namespace quorvex
