#pragma once
// The main window: tool bar, menus, the code list, the variables grid and the board panel side
// by side, the status bar; start-up (FormCreate, FormShow), the settings and shut-down. The
// menus and tool bar are built from the tables in menus.cpp, which also hold each entry's key
// and check mark; the settings are restored and gathered in main_settings.cpp.
//
// How a later window plugs in:
// - create it in create_windows(), in the order listed there, into its pointer below. Entries
//   that show a window ("Simulation data (F5)", "SubRoutines", "EEPROM", "About", "Edit Sketch
//   (F6)") are enabled once their pointer is set, and their keys work from then on;
// - install key_filter() on every control whose keys must step (F-keys and Enter);
// - add_refresh_hook(f): f(update1) runs at every refresh, after the status bar and board;
// - the variables grid: set_grid(widget) replaces the placeholder; set StringGrid1Exit to
//   commit an open edit (F7 pressed in the grid runs it first); connect the pop-up's actions
//   (action("WatchClick"), ...) and enable them;
// - ShellOpen(url) (shell_open.h) for links and mail; styles() and ThemeStyle for the visual
//   style; set_code_font(name, h) for the code list's font; sTitle and Version1() are in
//   version.h.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "interpreter/clock.h"
#include "interpreter/interpreter.h"
#include "workbench/qt_host.h"
#include "workbench/settings_store.h"
#include "workbench/styles.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;
class QPushButton;

namespace quorvex {

class BoardView;
class ChangeLineDialog;
class CodeListView;
class Help;
class KeyFilter;
struct MenuEntry;
struct MenuTable;

// The main window's image, scaled to fit one page of `printer`.
void print_main_window(QWidget* window, QPrinter& printer);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // FormCreate: the frame, the other windows, then the stored style.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- the other windows, created in this order by create_windows() ---
    QPointer<QWidget> About1;         // a QDialog, shown modally
    QPointer<QWidget> Simulation;     // shown and hidden by F5
    QPointer<QWidget> Fm_Delay;       // the delay countdown
    QPointer<QWidget> EditSketch;     // shown by F6
    QPointer<QWidget> FM_Subroutines; // shown and closed by "SubRoutines"
    ChangeLineDialog* ChangeLine;     // asks before a click moves the current line
    QPointer<QWidget> Error_Mess1;    // the error window
    QPointer<QWidget> EEPROM_Form;    // shown by "EEPROM"

    // --- plugging in ---
    KeyFilter* key_filter() const { return key_filter_; }
    void add_refresh_hook(std::function<void(bool update1)> hook) { refresh_hooks_.push_back(std::move(hook)); }
    // The grid's commit of an open edit, run before F7 pressed in the grid steps.
    std::function<void()> StringGrid1Exit;
    // Puts the variables grid in place of its placeholder.
    void set_grid(QWidget* grid);
    QWidget* grid() const { return grid_; }
    // A menu or pop-up entry by its handler's name ("Step1Click", "WatchClick", ...).
    QAction* action(const QString& handler) const;
    QMenu* PopupMenu2() const { return popup2_; }
    StyleRegistry& styles() { return styles_; }
    QString ThemeStyle = QStringLiteral("Windows");
    // The code list's font: `h` < 0 a character height, > 0 a cell height that also sets the
    // item height to h + 2 (rows never lower than the font's lines); 0 or beyond +-400 keeps the
    // font as it is.
    void set_code_font(const QString& name, int h);
    QString code_font_name() const { return font_name_; }
    int code_font_height() const { return font_height_; }

    // --- loading ---
    // LoadFile through the window: the sketch from a file or a bundled example (":/..."), then
    // reset. False when it could not be read (the loaded sketch stays, reset).
    bool load_sketch(const QString& path);
    // The sketch that FormShow loads instead of the stored one (the command line's).
    QString startup_sketch;
    // "Load Sketch (F4)": the open dialog (replaceable), then load and reset.
    void Open1Click();
    std::function<QString(const QString& folder)> choose_sketch;

    // --- commands (the menus, tool bar and keys call these) ---
    void ListBox1KeyDown(int key, Qt::KeyboardModifiers modifiers, bool from_grid);
    void RestartClick();
    void BBackClick();
    void Step1Click();
    void StepOverClick();
    void StepOutOfClick();
    void AutoStepClick();
    void AbortClick();
    void Image3Click();
    void BSimulationClick();
    void SubRoutines1Click();
    void EEPROM1Click();
    void AboutClick();
    void EditClick();
    void Uno1Click();
    void Mega1Click();
    void Other1Click();
    void SwapClick();
    void Legend1Click();
    void MinimizeClick();
    void ShowVoltsClick();
    void SyntaxColouring1Click();
    void LineNumbers1Click();
    void Matchbrace1Click();
    void BreakPoint1Click();
    void ClearBreakPointClick();
    void OpenSketchinArduino1Click();
    void TrainingVideos1Click();
    void ShowHelp1Click();
    void PrintSetup1Click();
    void Print1Click();
    // The code list's selection changed by the user; a programmatic selection never calls it.
    void ListBox1Click();

    // The refresh after a step: the status bar, the board and the hooks; with `update1` the
    // current line's selection, the millis box and the menus' marks too.
    void UpdateClick(bool update1);
    // Run's timer: one tick, and the Qt timers (Run's, the stepper's) re-timed to the core's.
    void timer1_tick();
    void sync_timer();

    // --- start-up and shut-down ---
    // Runs once, queued after the first show: the board, the settings read at creation, the sketch.
    void FormShow();
    // Writes the settings while every window still exists.
    void FormDestroy();
    // The settings as the window holds them now.
    SettingsValues gather_settings() const;

    // --- parts, for tests ---
    Interpreter& core() { return core_; }
    QtHost& host() { return host_; }
    Help& help() { return *help_; }
    QPrinter& printer() { return printer_; }
    QTimer* timer1() const { return timer1_; }
    QTimer* stepper_timer() const { return stepper_; }
    CodeListView* code_list() const { return list_; }
    BoardView* board_view() const { return board_; }
    QSplitter* splitter() const { return splitter_; }
    QToolBar* tool_bar() const { return tool_bar_; }
    QLineEdit* AutoStep_Time() const { return auto_step_time_; }
    QLineEdit* EditMillis() const { return edit_millis_; }
    QLineEdit* EPulseIn() const { return epulse_in_; }
    QLineEdit* EShiftIn() const { return eshift_in_; }
    QPushButton* Step() const { return step_button_; }
    QToolButton* RunButton() const { return run_button_; }
    QLabel* status_panel(int i) const { return status_[static_cast<size_t>(i)]; }
    QMenu* PopupMenu1() const { return popup1_; }
    QMenu* PopupMenu3() const { return popup3_; }
    // FormShow has run to its end.
    bool started() const { return started_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QtHost host_;
    SystemClock clock_;
    Interpreter core_;
    StyleRegistry styles_;
    QPrinter printer_;

    CodeListView* list_ = nullptr;
    QWidget* grid_ = nullptr;
    QScrollArea* board_panel_ = nullptr;
    BoardView* board_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QToolBar* tool_bar_ = nullptr;
    QLineEdit* auto_step_time_ = nullptr;
    QLineEdit* edit_millis_ = nullptr;
    QLineEdit* epulse_in_ = nullptr;
    QLineEdit* eshift_in_ = nullptr;
    QPushButton* step_button_ = nullptr;
    QToolButton* run_button_ = nullptr;
    std::array<QLabel*, 5> status_{};
    QMenu* popup1_ = nullptr;
    QMenu* popup2_ = nullptr;
    QMenu* popup3_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    QTimer* stepper_ = nullptr;
    KeyFilter* key_filter_ = nullptr;
    Help* help_ = nullptr;
    std::vector<std::function<void(bool)>> refresh_hooks_;

    QString font_name_ = QStringLiteral("Courier");
    int font_height_ = -11;
    int32_t last_interval_ = 250; // the delay box's last number, stored when the box is empty
    bool form_shown_ = false;
    bool started_ = false;
    bool destroyed_ = false;
    bool selecting_ = false; // the window itself selects a row: no ListBox1Click
    QHash<QString, QAction*> handlers_;
    // The settings file as read once at creation: its style and frame are placed there, the rest
    // at the first show. Null at the first start or when the file cannot be read.
    std::optional<SettingsValues> stored_;
    // The simulation window's bounds as read, written back while that window does not exist.
    static constexpr const char* simulation_names[4] = {"ALeft", "ATop", "AWidth", "AHeight"};
    std::array<int, 4> simulation_bounds_{0, 0, 458, 341};

    // The menus, pop-ups and tool bar from their tables (menus.cpp).
    static const std::vector<MenuTable>& menu_tables();
    // The entry of a handler's name; null for none.
    static const MenuEntry* menu_entry(std::string_view handler);
    void build_menus();
    void build_tool_bar();
    void Exit1Click() { close(); }
    void UpdateVariablesClick() { core_.UpdateClick(); }
    // The delay box as typed: the core reads its text; the last number in it is kept to store.
    void auto_step_edited(const QString& text);
    void build_panes();
    void build_status_bar();
    void create_windows();
    // Entries whose window exists are enabled.
    void enable_window_entries();
    // After a load: the caption when the file was read, the timers and the refresh.
    bool loaded(bool read);
    void restore(const SettingsValues& values);
    // The main window's frame before its first show: as stored, or the first start's.
    void restore_frame(const SettingsValues& values);
    void first_start_frame();
    void place_panes(bool swapped);
    void sync_marks();
    // The status panels as the core holds them; only changed ones are written.
    void write_status();
    void select_line(int32_t line);
    void centre_line();
    QString start_folder() const;
};

} // namespace quorvex
