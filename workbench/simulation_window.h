#pragma once
// "Simulation Input and Output": the sixteen analog inputs (bars and value boxes) and the five
// port panels with their output lists and input boxes. The state lives in the core (`analog`,
// `panels`); this window shows it after every refresh and feeds the user's input back.

#include <QWidget>
#include <array>
#include <functional>
#include <utility>

#include "simulation/device_panels.h"
#include "workbench/port_list_model.h"

class QLabel;
class QLineEdit;
class QTableView;
class QMenu;
class QPushButton;
class QScrollBar;
class QSplitter;

namespace quorvex {

class Interpreter;

class SimulationWindow : public QWidget {
    Q_OBJECT
public:
    SimulationWindow(Interpreter& core, QWidget* main = nullptr);

    // The refresh after a step (and after anything else that changed the core): panels shown
    // and captioned, new output, input texts, analog levels, and the layout after a board
    // change or a reset.
    void refresh();
    // FormResize: the analog section's layout for the window's width and board.
    void FormResize();
    // FormInit: every box, label and level from the bars.
    void FormInit();
    // ">" / "<": eight or sixteen analog inputs.
    void ShowA16Click();
    // "Close": hides the window.
    void Analog_CloseClick() { hide(); }
    // Shown by a device's begin when hidden.
    void show_for_device();

    // Called after the user moved a bar or edited a box: the board's value labels change.
    std::function<void()> on_levels_changed;

    QWidget* Panel2;
    std::array<QScrollBar*, AnalogInputs::count> ScrollBar{};
    std::array<QLineEdit*, AnalogInputs::count> An{};
    std::array<QLabel*, AnalogInputs::count> AnLabel{};
    QPushButton* Analog_Close;
    QPushButton* ShowA16;
    QSplitter* Splitter1;
    std::array<QWidget*, port_panel_count> Panel_E{};
    std::array<QLabel*, port_panel_count> Caption_E{};
    std::array<QTableView*, port_panel_count> ListBox_E{};
    std::array<QLineEdit*, port_panel_count> IN_E{};
    std::array<QLabel*, port_panel_count> IN_Label{};
    QMenu* PopupMenu1;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Interpreter& core_;
    std::array<PortListModel*, port_panel_count> models_{};
    std::array<uint64_t, port_panel_count> in_revision_{};
    std::array<int32_t, port_panel_count> shown_index_{};
    std::array<std::pair<uint32_t, uint32_t>, port_panel_count> shown_colours_{}; // background, text
    int shown_board_ = -1;
    uint64_t shown_reset_ = ~uint64_t{0};

    QWidget* make_panel(int k);
    void bar_moved(int i, int value);
    void box_edited(int i, const QString& text);
    void show_levels();
    void show_panel(int k);
};

} // namespace quorvex
