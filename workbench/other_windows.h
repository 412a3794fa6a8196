#pragma once
// The main window's other windows, created in the program's order and plugged into the frame:
// keys, refresh hooks, the host's requests, the grid's pop-up and the editor's links.

namespace quorvex {

class MainWindow;

// Creates About1, Simulation, Fm_Delay, EditSketch, FM_Subroutines, ChangeLine, Error_Mess1
// and EEPROM_Form in that order, and the variables grid in place of its placeholder.
void create_other_windows(MainWindow& main);

} // namespace quorvex
