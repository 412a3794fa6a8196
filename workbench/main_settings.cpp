// The main window's settings: its frame placed before the first show, the stored state
// restored at the first show, and the state gathered at close.
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <algorithm>
#include <charconv>

#include "workbench/code_list.h"
#include "workbench/main_window.h"
#include "workbench/menus.h"
#include "workbench/settings_store.h"
#include "workbench/window_frame.h"

namespace quorvex {

namespace {

bool read_number(const QString& text, int32_t& value) {
    const std::string s = text.trimmed().toStdString();
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

} // namespace

void MainWindow::first_start_frame() {
    // The designed height, frame included, and room for each pane at its designed width: the code
    // list's 300, the grid's 266 and the whole board panel.
    const int inner_width = 300 + 266 + board_panel_->width() + 2 * splitter_->handleWidth();
    place_by_frame(*this, [inner_width](const QMargins& m) {
        return fit_to_screen(QRect(0, 0, inner_width + m.left() + m.right(), 630));
    });
}

void MainWindow::restore_frame(const SettingsValues& v) {
    // The frame's corner and the inner size, as gather_settings() stores them.
    place_stored(*this, QPoint(v.integer("Left"), v.integer("Top")), QSize(v.integer("Width"), v.integer("Height")));
}

void MainWindow::restore(const SettingsValues& v) {
    // The frame itself was placed at creation (restore_frame). The panes are no wider than the
    // screen.
    const int room = screen() != nullptr ? screen()->availableGeometry().width() : 65535;
    QList<int> sizes = splitter_->sizes();
    sizes[splitter_->indexOf(list_)] = std::clamp(v.integer("Splitter"), 1, room);
    sizes[splitter_->indexOf(grid_)] = std::clamp(v.integer("Variables"), 1, room);
    splitter_->setSizes(sizes);
    for (int k = 0; k < 4; ++k) simulation_bounds_[static_cast<size_t>(k)] = v.integer(simulation_names[k]);
    if (Simulation != nullptr) {
        // Its frame's corner and inner size, on a screen the user can reach.
        place_stored(*Simulation, QPoint(simulation_bounds_[0], simulation_bounds_[1]),
                     QSize(simulation_bounds_[2], simulation_bounds_[3]));
    }
    const QString log_folder = QString::fromStdString(v.text("Log Directory"));
    core_.Logdir1 = QFileInfo(log_folder).isDir() ? log_folder.toStdString() : core_.CurrentDir.string();
    core_.FileName = v.text("File Name");
    for (int k = 0; k < AnalogInputs::count; ++k)
        core_.analog.set_position(k, AnalogInputs::max_level - v.integer("Analog" + std::to_string(k)));

    const QString interval = QString::number(v.integer("Auto Step ms"));
    auto_step_time_->setText(interval);
    core_.AutoStep_Time = interval.toStdString();
    last_interval_ = v.integer("Auto Step ms");
    // The core's marks as stored; the first board that is on, or else the first board, by its
    // command.
    const SettingRow* first_board = nullptr;
    const SettingRow* board = nullptr;
    for (const SettingRow& row : settings_table()) {
        if (row.mode == SettingMode::Mark) menu_entry(row.entry)->mark.set(core_, v.on(row.name));
        if (row.mode != SettingMode::Choice) continue;
        if (first_board == nullptr) first_board = &row;
        if (board == nullptr && v.on(row.name)) board = &row;
    }
    (this->*menu_entry((board != nullptr ? board : first_board)->entry)->click)();
    set_code_font(QString::fromStdString(v.text("Font Type")), v.integer("Font Size"));
    // Each of these is set to the opposite, and its command toggles it back with its effect.
    for (const SettingRow& row : settings_table()) {
        if (row.mode != SettingMode::Effect) continue;
        QAction* a = action(QString::fromStdString(row.entry));
        a->setChecked(!v.on(row.name));
        a->trigger();
    }
}

SettingsValues MainWindow::gather_settings() const {
    SettingsValues v;
    // The frame's corner and the inner size: the pair restore_frame() places exactly, with or
    // without a frame known. A maximised or minimised window keeps the bounds it comes back to.
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    const QPoint corner = normal.topLeft() - (geometry().topLeft() - frame_geometry(*this).topLeft());
    v.set_integer("Left", corner.x());
    v.set_integer("Top", corner.y());
    v.set_integer("Width", normal.width());
    v.set_integer("Height", normal.height());
    v.set_integer("Splitter", list_->width());
    v.set_integer("Variables", grid_->width());
    std::array<int, 4> bounds = simulation_bounds_;
    if (Simulation != nullptr) {
        // Its frame's corner and its inner size, as the restore's move and resize take them
        // back: the stored size cannot grow by the frame at each restart.
        const QPoint corner = Simulation->isVisible() ? frame_geometry(*Simulation).topLeft() : Simulation->pos();
        bounds = {corner.x(), corner.y(), Simulation->width(), Simulation->height()};
    }
    for (int k = 0; k < 4; ++k) v.set_integer(simulation_names[k], bounds[static_cast<size_t>(k)]);
    for (int k = 0; k < AnalogInputs::count; ++k)
        v.set_integer("Analog" + std::to_string(k), core_.board.analog_val[static_cast<size_t>(k)]);
    v.set_text("Log Directory", core_.Logdir1);
    v.set_text("File Name", core_.FileName);
    int32_t interval = 0;
    v.set_integer("Auto Step ms", read_number(auto_step_time_->text(), interval) ? interval : last_interval_);
    v.set_text("Font Type", font_name_.toStdString());
    v.set_integer("Font Size", font_height_);
    v.set_text("Skin", ThemeStyle.toStdString());
    for (const SettingRow& row : settings_table()) {
        if (row.mode == SettingMode::Plain) continue;
        // The core's own state where it keeps one, else the entry's check.
        const MenuEntry& e = *menu_entry(row.entry);
        v.set_switch(row.name,
                     e.mark.any() ? e.mark.on(core_) : action(QString::fromStdString(row.entry))->isChecked());
    }
    return v;
}

void MainWindow::auto_step_edited(const QString& text) {
    core_.AutoStep_Time = text.toStdString();
    int32_t n = 0;
    if (read_number(text, n)) last_interval_ = n;
}

} // namespace quorvex
