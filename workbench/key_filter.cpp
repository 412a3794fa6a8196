#include "workbench/key_filter.h"

#include <QKeyEvent>
#include <QWidget>

namespace quorvex {

KeyCommand key_command(int key, Qt::KeyboardModifiers modifiers, bool from_grid) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCommand::StepOver;
    case Qt::Key_F2:
        return KeyCommand::Restart;
    case Qt::Key_F3:
        return KeyCommand::Back;
    case Qt::Key_F4:
        return KeyCommand::Open;
    case Qt::Key_F5:
        return KeyCommand::Simulation;
    case Qt::Key_F6:
        return KeyCommand::Edit;
    case Qt::Key_F7:
        return from_grid ? KeyCommand::CommitAndStep : KeyCommand::Step;
    case Qt::Key_F8:
        // The keypad flag is no modifier the user holds.
        return (modifiers & ~Qt::KeypadModifier) == Qt::ShiftModifier ? KeyCommand::StepOut : KeyCommand::StepOver;
    case Qt::Key_F9:
        return KeyCommand::Run;
    default:
        return KeyCommand::None;
    }
}

KeyFilter::KeyFilter(std::function<void(QKeyEvent*, QObject*)> act, QObject* parent)
    : QObject(parent), act_(std::move(act)) {}

bool KeyFilter::from_grid(QObject* receiver) const {
    for (QObject* o = receiver; o != nullptr && grid_ != nullptr; o = o->parent())
        if (o == grid_) return true;
    return false;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        acted_ = nullptr;
        acted_at_ = nullptr;
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The same press handed on from a child to its parent: it has acted already.
        bool propagated = false;
        if (event == acted_ && key->timestamp() == acted_time_)
            for (QObject* o = acted_at_ != nullptr ? acted_at_->parent() : nullptr; o != nullptr && !propagated;
                 o = o->parent())
                propagated = o == watched;
        if (!propagated) {
            acted_ = event;
            acted_at_ = watched;
            acted_time_ = key->timestamp();
            act_(key, watched);
        }
    }
    return false;
}

} // namespace quorvex
