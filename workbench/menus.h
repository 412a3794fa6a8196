#pragma once
// The main window's menus, pop-ups and tool bar as tables (menus.cpp). An entry is found by its
// handler's name (MainWindow::action), runs its command on a click and on its key from any
// control, and shows the core's check mark it stands for; the settings name entries the same
// way.

#include <optional>
#include <vector>

#include "interpreter/interpreter.h"
#include "workbench/key_filter.h"

class QMenu;
class QString;

namespace quorvex {

class MainWindow;

// A check mark the core keeps: one of its own, one of the pin options, or a board.
struct CoreMark {
    MenuItem Interpreter::*own = nullptr;
    MenuItem PinOptions::*option = nullptr;
    std::optional<BoardKind> board = std::nullopt;

    bool any() const { return own != nullptr || option != nullptr || board.has_value(); }
    bool on(const Interpreter& core) const {
        if (own != nullptr) return (core.*own).Checked;
        if (option != nullptr) return (core.pinio.options.*option).Checked;
        return board.has_value() && core.board.kind == *board;
    }
    // A board is chosen by its command instead.
    void set(Interpreter& core, bool on) const {
        if (own != nullptr) (core.*own).Checked = on;
        if (option != nullptr) (core.pinio.options.*option).Checked = on;
    }
};

enum class EntryKind {
    Command,
    Check,  // a check mark
    Choice, // a check mark of the menu's one exclusive group
    Separator,
    HiddenSeparator, // holds its place without showing
    Again,           // the entry `handler` of an earlier menu, shown here too
};

// A click runs `click`; without one, a check entry's new state goes to its core mark and then
// to `toggled`. An entry with neither is connected by the window that owns it.
struct MenuEntry {
    EntryKind kind = EntryKind::Command;
    const char* caption = nullptr;
    const char* handler = nullptr;
    void (MainWindow::*click)() = nullptr;
    KeyCommand key = KeyCommand::None;
    CoreMark mark = {};
    void (*toggled)(MainWindow&, bool checked) = nullptr;
};

struct MenuTable {
    const char* title;         // on the menu bar; none for a pop-up
    const char* name;          // a pop-up's object name
    int help_context;          // 0: none of its own
    QMenu* MainWindow::*popup; // where a pop-up is kept
    std::vector<MenuEntry> entries;
};

// The tool bar, left to right.
struct ToolItem {
    enum class Kind {
        Separator,
        Tool,         // a picture button: `text` is its hint
        Button,       // a push button that passes the step keys on
        HiddenButton, // kept in the bar, never shown
        Label,
        Box,       // a text box that passes the step keys on, `width` wide
        DigitsBox, // a Box that takes digits only
    };
    Kind kind = Kind::Separator;
    const char* name = nullptr;
    const char* text = nullptr; // a hint, a caption, a label or a box's first text
    const char* hint = nullptr;
    int picture = 0; // tool_icons.h
    int width = 0;
    int help_context = 0; // 0: the tool bar's
    void (MainWindow::*click)() = nullptr;
    void (*edited)(MainWindow&, const QString& text) = nullptr; // what the user typed
};

} // namespace quorvex
