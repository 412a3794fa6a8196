#pragma once
// The board panel: the board picture with every pin's level shape and label drawn over it from
// the core's pin model, the lights and the analog value labels. A click on a shape toggles that
// pin through the model; a click on the reset switch resets.

#include <QImage>
#include <QString>
#include <QWidget>

namespace quorvex {

class Interpreter;

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
    // The Other board's picture: the file dialog, then the chosen picture. An unreadable file
    // gives a message and keeps the picture shown before.
    void Other1Click();
    // Reads the picture at `path` for the Other board; false (nothing changed) when unreadable.
    bool load_other_picture(const QString& path);

signals:
    // A click changed the core: a pin toggled (perhaps entering an interrupt routine) or a reset.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    Interpreter& core_;
    QImage picture_;
    QString picture_name_; // the model's picture that picture_ holds

    const QImage& picture();
};

} // namespace quorvex
