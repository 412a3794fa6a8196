#pragma once
// The function keys and Enter, for the main window and every control that forwards its keys
// (the simulation and EEPROM windows too). The filter never consumes a key: the control that
// received it handles it as usual.

#include <QObject>
#include <functional>

class QKeyEvent;

namespace quorvex {

enum class KeyCommand {
    None,
    StepOver,      // Enter, F8
    Restart,       // F2
    Back,          // F3
    Open,          // F4
    Simulation,    // F5
    Edit,          // F6
    Step,          // F7
    CommitAndStep, // F7 from the variables grid: its edit is assigned first
    StepOut,       // exactly Shift+F8
    Run,           // F9
};

KeyCommand key_command(int key, Qt::KeyboardModifiers modifiers, bool from_grid);

// Install on a control with installEventFilter. A key that travels on from the control to its
// parents acts once, at the first filtered receiver.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    // `act` runs the command for a key pressed in `receiver`.
    explicit KeyFilter(std::function<void(QKeyEvent*, QObject* receiver)> act, QObject* parent = nullptr);

    // Keys from this widget (and its children) count as coming from the variables grid.
    void set_grid(QObject* grid) { grid_ = grid; }
    bool from_grid(QObject* receiver) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QKeyEvent*, QObject*)> act_;
    QObject* grid_ = nullptr;
    // The press that acted, until a key release: its propagation to parents must not act again.
    const QEvent* acted_ = nullptr;
    QObject* acted_at_ = nullptr;
    quint64 acted_time_ = 0;
};

} // namespace quorvex
