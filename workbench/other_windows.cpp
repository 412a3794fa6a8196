// Plugging the other windows into the frame.
#include "workbench/other_windows.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QStatusBar>

#include "workbench/about_dialog.h"
#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/delay_window.h"
#include "workbench/eeprom_window.h"
#include "workbench/error_dialog.h"
#include "workbench/key_filter.h"
#include "workbench/main_window.h"
#include "workbench/simulation_window.h"
#include "workbench/sketch_editor.h"
#include "workbench/subroutines_window.h"
#include "workbench/variables_grid.h"
#include "workbench/version.h"

namespace quorvex {

namespace {

// Every control of `window` forwards its function keys to the main window.
void forward_keys(MainWindow& main, QWidget* window) {
    window->installEventFilter(main.key_filter());
    for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(main.key_filter());
}

// The countdown is modal and would keep every key from the main window: its function keys go
// on to the main window's handler after it has closed (so F9 stops Run and the countdown ends
// with it; a step key skips the rest of the wait, as "DelayClose" does). Enter and Esc keep
// their meaning in the window: they close it.
void plug_in_delay(MainWindow& main, DelayCountdown* delay) {
    auto* filter = new KeyFilter(
        [&main, delay](QKeyEvent* key, QObject*) {
            if (key->key() < Qt::Key_F1 || key->key() > Qt::Key_F35) return;
            if (key_command(key->key(), key->modifiers(), false) == KeyCommand::None) return;
            delay->DelayCloseClick();
            main.ListBox1KeyDown(key->key(), key->modifiers(), false);
        },
        delay);
    delay->installEventFilter(filter);
    for (QWidget* child : delay->findChildren<QWidget*>()) child->installEventFilter(filter);
}

void plug_in_simulation(MainWindow& main, SimulationWindow* sim) {
    forward_keys(main, sim);
    sim->on_levels_changed = [&main] { main.board_view()->refresh(); };
    main.host().on_show_simulation = [sim] { sim->show_for_device(); };
    main.add_refresh_hook([sim](bool) { sim->refresh(); });
}

void plug_in_editor(MainWindow& main, SketchEditor* editor) {
    editor->restart = [&main] { main.RestartClick(); };
    editor->set_caption = [&main](const QString& caption) { main.setWindowTitle(sTitle + " - " + caption); };
    editor->code_font = [&main] { return std::pair(main.code_font_name(), main.code_font_height()); };
    editor->set_code_font = [&main](const QString& name, int h) { main.set_code_font(name, h); };
    editor->apply_style = [&main](const QString& name) { main.ThemeStyle = main.styles().apply(name); };
}

void plug_in_grid(MainWindow& main, VariablesGrid* grid) {
    main.set_grid(grid);
    main.StringGrid1Exit = [grid] { grid->commit_editor(); };
    main.add_refresh_hook([grid](bool update1) { grid->refresh(update1); });
    // A typed value may drive pins (port registers): the board and the rest follow.
    grid->on_written = [&main] { main.UpdateClick(false); };
    grid->on_hint = [&main](const QString& text) { main.statusBar()->showMessage(text, 4000); };
    // The entries are checkable; their marks follow the user's clicks as the grid's state does.
    for (const auto& [handler, slot] :
         {std::pair{"WatchClick", &VariablesGrid::WatchClick}, std::pair{"DecimalClick", &VariablesGrid::DecimalClick},
          std::pair{"HexClick", &VariablesGrid::HexClick}, std::pair{"Char1Click", &VariablesGrid::Char1Click}}) {
        QAction* a = main.action(QLatin1String(handler));
        QObject::connect(a, &QAction::triggered, grid, slot);
        a->setEnabled(true);
    }
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, grid, [&main, grid](const QPoint& pos) {
        main.PopupMenu2()->popup(grid->viewport()->mapToGlobal(pos));
    });
}

} // namespace

void create_other_windows(MainWindow& main) {
    main.About1 = new AboutDialog(sTitle, Version1(), &main);
    auto* sim = new SimulationWindow(main.core(), &main);
    main.Simulation = sim;
    DelayCountdown* delay = main.host().delay_window();
    main.Fm_Delay = delay;
    auto* editor = new SketchEditor(main.core(), sTitle, Version1(), &main);
    main.EditSketch = editor;
    main.FM_Subroutines = new SubroutinesWindow(main.core(), &main);
    main.ChangeLine = new ChangeLineDialog(&main);
    main.Error_Mess1 = main.host().error_window();
    auto* eeprom = new EepromWindow(main.core(), &main);
    main.EEPROM_Form = eeprom;

    plug_in_delay(main, delay);
    plug_in_simulation(main, sim);
    plug_in_editor(main, editor);
    forward_keys(main, eeprom);
    main.host().on_eeprom_changed = [eeprom](int32_t) { eeprom->mark_stale(); };
    main.add_refresh_hook([eeprom](bool) { eeprom->flush(); });
    plug_in_grid(main, new VariablesGrid(main.core(), &main));
}

} // namespace quorvex
