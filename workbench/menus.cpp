// The main window's menus, pop-ups and tool bar from their tables, the step keys and the check
// marks that follow the core.
#include "workbench/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/main_window.h"
#include "workbench/tool_icons.h"

namespace quorvex {

namespace {

using Click = void (MainWindow::*)();
using Toggled = void (*)(MainWindow&, bool);
using K = EntryKind;
using Key = KeyCommand;

MenuEntry command(const char* caption, const char* handler, Click click, Key key = Key::None) {
    return {.kind = K::Command, .caption = caption, .handler = handler, .click = click, .key = key};
}
// A check entry that is a command of its own (its mark follows the core).
MenuEntry check_command(const char* caption, const char* handler, Click click, CoreMark mark, Key key = Key::None) {
    return {.kind = K::Check, .caption = caption, .handler = handler, .click = click, .key = key, .mark = mark};
}
MenuEntry check(const char* caption, const char* handler, CoreMark mark, Toggled toggled = nullptr) {
    return {.kind = K::Check, .caption = caption, .handler = handler, .mark = mark, .toggled = toggled};
}
MenuEntry choice(const char* caption, const char* handler, Click click = nullptr, CoreMark mark = {}) {
    return {.kind = K::Choice, .caption = caption, .handler = handler, .click = click, .mark = mark};
}
MenuEntry separator(K kind = K::Separator) { return {.kind = kind}; }
MenuEntry again(const char* handler) { return {.kind = K::Again, .handler = handler}; }

MenuTable menu(const char* title, int help, std::vector<MenuEntry> entries) {
    return {title, nullptr, help, nullptr, std::move(entries)};
}
MenuTable popup(const char* name, int help, QMenu* MainWindow::*kept, std::vector<MenuEntry> entries) {
    return {nullptr, name, help, kept, std::move(entries)};
}

CoreMark own(MenuItem Interpreter::*mark) { return {.own = mark}; }
CoreMark option(MenuItem PinOptions::*mark) { return {.option = mark}; }
CoreMark board(BoardKind kind) { return {.board = kind}; }

using T = ToolItem::Kind;

ToolItem tool(const char* name, const char* hint, int picture, Click click, int help = 0) {
    return {.kind = T::Tool, .name = name, .text = hint, .picture = picture, .help_context = help, .click = click};
}
ToolItem button(const char* name, const char* caption, const char* hint, Click click, int help = 0,
                T kind = T::Button) {
    return {.kind = kind, .name = name, .text = caption, .hint = hint, .help_context = help, .click = click};
}
ToolItem label(const char* text) { return {.kind = T::Label, .text = text}; }
ToolItem box(T kind, const char* name, const char* text, const char* hint, int width, int help,
             void (*edited)(MainWindow&, const QString&)) {
    return {
        .kind = kind, .name = name, .text = text, .hint = hint, .width = width, .help_context = help, .edited = edited};
}
ToolItem gap() { return {}; }

} // namespace

const std::vector<MenuTable>& MainWindow::menu_tables() {
    static const std::vector<MenuTable> tables = {
        menu("File", 9,
             {
                 command("Load Sketch (F4)", "Open1Click", &MainWindow::Open1Click, Key::Open),
                 separator(),
                 command("Print &Setup", "PrintSetup1Click", &MainWindow::PrintSetup1Click),
                 command("&Print", "Print1Click", &MainWindow::Print1Click),
                 separator(K::HiddenSeparator),
                 command("Open Sketch in Arduino", "OpenSketchinArduino1Click", &MainWindow::OpenSketchinArduino1Click),
                 check("#include Code", "includeCode1Click", own(&Interpreter::includeCode1)),
                 check("Log Errors", "LogErrors1Click", own(&Interpreter::LogErrors1)),
                 separator(),
                 command("Exit", "Exit1Click", &MainWindow::Exit1Click),
             }),
        menu("Run", 10,
             {
                 command("Reset (F2)", "RestartClick", &MainWindow::RestartClick, Key::Restart),
                 command("Back (F3)", "BBackClick", &MainWindow::BBackClick, Key::Back),
                 command("Step Into (F7)", "Step1Click", &MainWindow::Step1Click, Key::Step),
                 command("Step Over (F8)", "StepOverClick", &MainWindow::StepOverClick, Key::StepOver),
                 command("Step Out Of (Sh F8)", "StepOutOfClick", &MainWindow::StepOutOfClick, Key::StepOut),
                 check_command("Run (F9)", "AutoStepClick", &MainWindow::AutoStepClick, own(&Interpreter::AutoStep),
                               Key::Run),
                 command("Edit Sketch (F6)", "EditClick", &MainWindow::EditClick, Key::Edit),
             }),
        menu("View", 11,
             {
                 command("Simulation data (F5)", "BSimulationClick", &MainWindow::BSimulationClick, Key::Simulation),
                 command("SubRoutines", "SubRoutines1Click", &MainWindow::SubRoutines1Click),
                 command("EEPROM", "EEPROM1Click", &MainWindow::EEPROM1Click),
             }),
        menu("Options", 12,
             {
                 check("Simulate Delay", "SimulateDelay1Click", option(&PinOptions::SimulateDelay)),
                 check("Simulate Tone", "SimulateTone1Click", option(&PinOptions::SimulateTone1)),
             }),
        menu("Hardware", 0,
             {
                 choice("Uno", "Uno1Click", &MainWindow::Uno1Click, board(BoardKind::Uno)),
                 choice("Mega", "Mega1Click", &MainWindow::Mega1Click, board(BoardKind::Mega)),
                 choice("Other", "Other1Click", &MainWindow::Other1Click, board(BoardKind::Other)),
             }),
        menu("Help", 13,
             {
                 command("About", "AboutClick", &MainWindow::AboutClick),
                 command("Show Help", "ShowHelp1Click", &MainWindow::ShowHelp1Click),
                 command("Training Videos", "TrainingVideos1Click", &MainWindow::TrainingVideos1Click),
             }),
        popup("PopupMenu1", 28, &MainWindow::popup1_,
              {
                  command("BreakPoint", "BreakPoint1Click", &MainWindow::BreakPoint1Click),
                  command("Clear BreakPoint", "ClearBreakPointClick", &MainWindow::ClearBreakPointClick),
                  separator(),
                  check("View Line Numbers", "LineNumbers1Click", own(&Interpreter::LineNumbers1),
                        [](MainWindow& w, bool) { w.list_->viewport()->update(); }),
                  check("Ask On Line Change", "AskonLineChangeClick", own(&Interpreter::AskOnLineChange)),
                  separator(),
                  again("EditClick"),
                  check("Syntax Colouring (+Reset)", "SyntaxColouring1Click", own(&Interpreter::SyntaxColouring1),
                        [](MainWindow& w, bool) { w.RestartClick(); }),
                  check_command("Match Bracket", "Matchbrace1Click", &MainWindow::Matchbrace1Click,
                                own(&Interpreter::Matchbrace1)),
              }),
        // The variables grid's entries: the grid connects and enables them.
        popup("PopupMenu2", 29, &MainWindow::popup2_,
              {
                  check("Watch", "WatchClick", {}),
                  separator(),
                  choice("Decimal", "DecimalClick"),
                  choice("Hex", "HexClick"),
                  choice("Char", "Char1Click"),
              }),
        popup(
            "PopupMenu3", 30, &MainWindow::popup3_,
            {
                check("Arduino on Left", "SwapClick", {}, [](MainWindow& w, bool on) { w.place_panes(on); }),
                check("Legend", "Legend1Click", {},
                      [](MainWindow& w, bool on) { on ? w.board_->legend()->dock_in() : w.board_->legend()->hide(); }),
                separator(),
                check("Show Volts", "ShowVoltsClick", option(&PinOptions::ShowVolts),
                      [](MainWindow& w, bool) {
                          w.core_.analog.FormInit();
                          w.UpdateClick(true);
                      }),
                check("Minimize", "MinimizeClick", {},
                      [](MainWindow& w, bool on) {
                          w.tool_bar_->setVisible(!on);
                          w.menuBar()->setVisible(!on);
                          w.statusBar()->setVisible(!on);
                      }),
            }),
    };
    return tables;
}

const MenuEntry* MainWindow::menu_entry(std::string_view handler) {
    for (const MenuTable& table : menu_tables())
        for (const MenuEntry& e : table.entries)
            if (e.kind != K::Again && e.handler != nullptr && handler == e.handler) return &e;
    return nullptr;
}

void MainWindow::build_menus() {
    for (const MenuTable& table : menu_tables()) {
        QMenu* target = nullptr;
        if (table.title != nullptr) {
            target = menuBar()->addMenu(QString::fromLatin1(table.title));
        } else {
            target = new QMenu(this);
            target->setObjectName(QLatin1String(table.name));
            this->*table.popup = target;
        }
        if (table.help_context != 0) target->setProperty("helpContext", table.help_context);
        QActionGroup* group = nullptr;
        for (const MenuEntry& e : table.entries) {
            if (e.kind == K::Separator || e.kind == K::HiddenSeparator) {
                QAction* separator = target->addSeparator();
                if (e.kind == K::HiddenSeparator) separator->setVisible(false);
                continue;
            }
            if (e.kind == K::Again) {
                target->addAction(action(QLatin1String(e.handler)));
                continue;
            }
            auto* a = new QAction(QString::fromLatin1(e.caption), this);
            a->setObjectName(QLatin1String(e.handler));
            a->setCheckable(e.kind != K::Command);
            if (e.kind == K::Choice) {
                if (group == nullptr) group = new QActionGroup(this); // exclusive
                group->addAction(a);
            }
            if (e.click != nullptr) {
                connect(a, &QAction::triggered, this, e.click);
            } else if (e.mark.any() || e.toggled != nullptr) {
                connect(a, &QAction::triggered, this, [this, &e](bool checked) {
                    e.mark.set(core_, checked);
                    if (e.toggled != nullptr) e.toggled(*this, checked);
                });
            }
            target->addAction(a);
            handlers_.insert(a->objectName(), a);
        }
    }
    core_.pinio.options.SimulateTone1.Checked = true; // on at start
    action("DecimalClick")->setChecked(true);
    for (QAction* a : popup2_->actions()) a->setEnabled(false);
}

QAction* MainWindow::action(const QString& handler) const { return handlers_.value(handler, nullptr); }

void MainWindow::build_tool_bar() {
    static const ToolItem items[] = {
        button("FOpen", "Load Sketch", "Open a New Sketch F4", &MainWindow::Open1Click),
        gap(),
        tool("Reset1", "Reset F2", 0, &MainWindow::RestartClick),
        gap(),
        tool("GoBack", "Back F3", 2, &MainWindow::BBackClick),
        tool("Step1", "Step Over F8", 4, &MainWindow::StepOverClick),
        gap(),
        tool("StepOutOf", "Step out of Sh F8", 10, &MainWindow::StepOutOfClick),
        tool("StepOver", "Step into F7", 8, &MainWindow::Step1Click),
        gap(),
        button("BSimulation", "Simulation", "Open Simulation Window F5", &MainWindow::BSimulationClick),
        gap(),
        tool("RunButton", "Run F9", 12, &MainWindow::AutoStepClick),
        gap(),
        box(T::DigitsBox, "AutoStep_Time", "250", "Delay between Run Steps (in ms)", 50, 0,
            [](MainWindow& w, const QString& text) { w.auto_step_edited(text); }),
        label("ms"),
        tool("Abort", "Abort", 14, &MainWindow::AbortClick, 1),
        gap(),
        label("Millis"),
        // Only what the user types; a text the clock cannot take ("12.") is left for the next key.
        box(T::Box, "EditMillis", "", "Millis( ) value (milliseconds since reset)", 90, 1,
            [](MainWindow& w, const QString& text) { w.core_.simtime.set_millis_text(text.trimmed().toStdString()); }),
        gap(),
        label("Pulse In <<"),
        box(T::DigitsBox, "EPulseIn", "1000", "PulseIn Value (or FreqCounter::freq) in decimal", 60, 1,
            [](MainWindow& w, const QString& text) { w.core_.pinio.inputs.EPulseIn = text.toStdString(); }),
        button("Update", "Update", "Variables Area", &MainWindow::UpdateVariablesClick, 17, T::HiddenButton),
        gap(),
        label("shiftIn <<"),
        box(T::DigitsBox, "EShiftIn", "100", "ShiftIn Value (in decimal)", 50, 1,
            [](MainWindow& w, const QString& text) { w.core_.pinio.inputs.EShiftIn = text.toStdString(); }),
        gap(),
        button("Step", "Step Into (F7)", "", &MainWindow::Step1Click, 30),
    };
    tool_bar_ = addToolBar(QStringLiteral("ToolBar1"));
    tool_bar_->setObjectName(QStringLiteral("ToolBar1"));
    tool_bar_->setMovable(false);
    tool_bar_->setProperty("helpContext", 18);
    for (const ToolItem& item : items) {
        const QString text = QString::fromLatin1(item.text);
        QWidget* widget = nullptr;
        switch (item.kind) {
        case T::Separator:
            tool_bar_->addSeparator();
            break;
        case T::Label:
            tool_bar_->addWidget(new QLabel(text, tool_bar_));
            break;
        case T::Tool: {
            QAction* a = tool_bar_->addAction(tool_icon(item.picture), text);
            a->setObjectName(QLatin1String(item.name));
            a->setToolTip(text);
            connect(a, &QAction::triggered, this, item.click);
            widget = tool_bar_->widgetForAction(a);
            break;
        }
        case T::Button:
        case T::HiddenButton: {
            auto* b = new QPushButton(text, tool_bar_);
            b->setObjectName(QLatin1String(item.name));
            b->setToolTip(QString::fromLatin1(item.hint));
            if (item.kind == T::Button) {
                b->setFocusPolicy(Qt::TabFocus);
                b->installEventFilter(key_filter_);
            }
            connect(b, &QPushButton::clicked, this, item.click);
            QAction* held = tool_bar_->addWidget(b);
            if (item.kind == T::HiddenButton) held->setVisible(false);
            widget = b;
            break;
        }
        case T::Box:
        case T::DigitsBox: {
            auto* box = new QLineEdit(text, tool_bar_);
            box->setObjectName(QLatin1String(item.name));
            box->setToolTip(QString::fromLatin1(item.hint));
            box->setFixedWidth(item.width);
            if (item.kind == T::DigitsBox)
                box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
            box->installEventFilter(key_filter_);
            connect(box, &QLineEdit::textEdited, this,
                    [this, &item](const QString& typed) { item.edited(*this, typed); });
            tool_bar_->addWidget(box);
            widget = box;
            break;
        }
        }
        if (widget != nullptr && item.help_context != 0) widget->setProperty("helpContext", item.help_context);
    }
    run_button_ = qobject_cast<QToolButton*>(tool_bar_->widgetForAction(tool_bar_->findChild<QAction*>("RunButton")));
    run_button_->setObjectName(QStringLiteral("RunButton"));
    auto_step_time_ = tool_bar_->findChild<QLineEdit*>(QStringLiteral("AutoStep_Time"));
    edit_millis_ = tool_bar_->findChild<QLineEdit*>(QStringLiteral("EditMillis"));
    epulse_in_ = tool_bar_->findChild<QLineEdit*>(QStringLiteral("EPulseIn"));
    eshift_in_ = tool_bar_->findChild<QLineEdit*>(QStringLiteral("EShiftIn"));
    step_button_ = tool_bar_->findChild<QPushButton*>(QStringLiteral("Step"));
}

// --- keys and marks ---

void MainWindow::ListBox1KeyDown(int key, Qt::KeyboardModifiers modifiers, bool from_grid) {
    KeyCommand command = key_command(key, modifiers, from_grid);
    if (command == Key::CommitAndStep) {
        if (StringGrid1Exit) StringGrid1Exit();
        command = Key::Step;
    }
    if (command == Key::None) return;
    for (const MenuTable& table : menu_tables())
        for (const MenuEntry& e : table.entries)
            if (e.key == command) {
                // A window's entry is disabled, and its key with it, until the window exists.
                if (action(QLatin1String(e.handler))->isEnabled()) (this->*e.click)();
                return;
            }
}

void MainWindow::sync_marks() {
    for (const MenuTable& table : menu_tables())
        for (const MenuEntry& e : table.entries)
            if (e.mark.any()) action(QLatin1String(e.handler))->setChecked(e.mark.on(core_));
    const QString hint = QString::fromStdString(core_.RunButton.Hint);
    if (run_button_->toolTip() != hint) {
        run_button_->setIcon(tool_icon(core_.RunButton.ImageIndex));
        run_button_->setToolTip(hint);
    }
}

} // namespace quorvex
