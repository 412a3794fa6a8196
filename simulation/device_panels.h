#pragma once
// The simulation window's state without a toolkit: five port panels (a frame with its caption,
// an output list and an input box each) and the sixteen analog inputs with their bars and value
// boxes. Devices write and read through the panel rules here; the workbench only shows them.

#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/controls.h"

namespace quorvex {

class Board;

inline constexpr int32_t port_panel_count = 5;

// Colours as 0x00BBGGRR.
inline constexpr uint32_t colour_white = 0x00FFFFFF;
inline constexpr uint32_t colour_black = 0x00000000;

// Panel_Ek: the frame of a port panel.
struct PanelFrame {
    bool Visible = false;
    std::string Caption;
};

// What changed in an output list since the view last caught up: with `reset` the view drops its
// items first; otherwise it drops `removed_front` items from the top, and then every item from
// `first_line` on (counted in the list as it is now) is new or changed.
struct ListChanges {
    bool reset = false;
    int32_t first_line = INT32_MAX;
    int32_t removed_front = 0;
    bool any() const { return reset || first_line != INT32_MAX || removed_front > 0; }
};

// ListBox_Ek: the output list, one item per line; the last item is the line being written.
// Reading from the front (the SD file) takes characters and lines off the top in amortised
// constant time: taken lines and the taken part of the first line stay stored until a later
// read drops them in bulk, or until the accessors below need the text whole.
class OutputList {
public:
    int32_t Count() const { return static_cast<int32_t>(items_.size() - front_); }
    bool empty() const { return Count() == 0; }
    // Item i, "" outside the list.
    const std::string& item(int32_t i) const;
    // Every item in order, for dumps and tests; a view reads item(i).
    const std::vector<std::string>& items() const;

    void clear();
    void add(std::string text);
    // Appends to the last item, or makes `text` the first item of an empty list.
    void append_last(std::string_view text);
    // Appends one character to the last item; an empty list gains an empty line first.
    void append_char(int32_t code);
    // Replaces item i; ignored outside the list.
    void set_item(int32_t i, std::string text);
    // Reads one character as a file is read: empty lines at the top are dropped, then the first
    // character of the first line is taken, and its line dropped when that leaves it empty. Line
    // ends are never characters; 0 when nothing is left. The selection stays inside the list.
    int32_t read_front();
    // Replaces item i, the list growing with empty items up to it (the LCD's fixed rows).
    void put_item(int32_t i, std::string_view text);

    // The changes since the last call, which the view applies; the record starts afresh.
    ListChanges take_changes();

    int32_t ItemIndex = -1; // the selected line, -1 for none
    uint32_t Color = colour_white;
    uint32_t FontColor = colour_black;

private:
    void touched(int32_t line) {
        if (line < changes_.first_line) changes_.first_line = line;
    }
    // The first item without its taken characters: the text item(0) and items() hand out.
    void settle_first() const;
    void drop_first();
    // Items before front_ are taken; head_ characters of the first item are taken. Both change
    // in const accessors only to put the same text into its stored form.
    mutable std::vector<std::string> items_;
    mutable size_t front_ = 0;
    mutable size_t head_ = 0;
    ListChanges changes_;
};

// IN_Ek: the input box. Reading consumes from the front without moving the rest, so a long
// input read one character per step stays linear.
class InputBox {
public:
    bool Visible = true;

    // The characters not yet read.
    std::string_view Text() const { return std::string_view(text_).substr(head_); }
    bool empty() const { return head_ >= text_.size(); }
    void set_text(std::string text);
    void clear() { set_text({}); }
    // Characters not yet read; an escape counts as its two characters.
    int32_t available() const { return count_; }
    // The code of the next character, 0 when the box is empty; with `move` it is removed.
    // A backslash escapes the character after it, which reads as its code minus 97 ("n" gives
    // 13); both are removed together. A lone backslash at the end reads as itself (92).
    int32_t read(bool move);
    // Bumped on every change, so a view can tell whether to copy the text again.
    uint64_t revision() const { return revision_; }

private:
    std::string text_;
    size_t head_ = 0;
    int32_t count_ = 0;
    uint64_t revision_ = 0;
};

// One port panel and the conventions every device follows on it.
struct PortPanel {
    PanelFrame Panel;
    OutputList ListBox;
    InputBox IN;

    // A device's begin: shown, list cleared, captioned, the example input put in the box.
    void open(std::string caption, std::string example_input);
    // print: appended to the last line; a printed backslash-n or backslash-r (the two
    // characters, which stay) ends the line; then the last line is selected.
    void print(std::string_view text);
    // println: the text (when there is one) appended, then the line ended and the last selected.
    void println(std::string_view text);
    // write: one character appended, then the last line selected.
    void write(int32_t code);
    void append_text(std::string_view text) { ListBox.append_last(text); }
    void end_line() { ListBox.add({}); }
    void select_last() { ListBox.ItemIndex = ListBox.Count() - 1; }
    // Neither output nor input: what "Hide Unused ports" hides.
    bool unused() const { return ListBox.empty() && IN.empty(); }
};

// The five port panels, 1..5.
class DevicePanels {
public:
    // Panels "Port1" .. "Port5" until a device captions them.
    DevicePanels();

    // Panel k, 1..5; any other number reaches a spare panel that is never shown or reset.
    PortPanel& operator[](int32_t k) { return panels_[slot(k)]; }
    const PortPanel& operator[](int32_t k) const { return panels_[slot(k)]; }

    // Opens panel k for a device (see PortPanel::open) and tells the observer.
    void open(int32_t k, std::string caption, std::string example_input);
    // Called after a device opened panel k: the headless runner replaces the example input.
    std::function<void(int32_t k)> on_open;

    // The pop-up menu.
    void ShowAllPorts1Click();
    void HideUnusedports1Click();

    // Reset: lists emptied, panels hidden, the input boxes of panels 4 and 5 shown again and
    // panel 4's list white. Input texts and captions stay.
    void reset();

private:
    static size_t slot(int32_t k) { return k >= 1 && k <= port_panel_count ? static_cast<size_t>(k) : 0; }
    std::array<PortPanel, port_panel_count + 1> panels_{};
};

// The analog section: sixteen bars (position 0 at the top, level = 1023 - position) and their
// value boxes `An`. The levels and the main window's value labels `ValAn` live in the board
// model, which analogRead reads.
class AnalogInputs {
public:
    static constexpr int32_t count = 16;
    static constexpr int32_t max_level = 1023;

    // `show_volts` is the main window's "Show Volts" option: the value labels read volts.
    AnalogInputs(Board& board, const MenuItem& show_volts);

    std::array<int32_t, count> Position{};
    std::array<std::string, count> An{};
    // Sixteen inputs shown on a board other than the Uno (eight otherwise); not saved.
    bool ShowAll = false;

    // A bar moved: its level goes to the box, the label and the board.
    void ScrollBar1Change(int32_t i);
    // Moves bar i as the user or a restore would; the bar clamps to 0..1023 and reports a change.
    void set_position(int32_t i, int64_t position);
    // Box i edited to `text`: a whole number sets the level, clamped to 0..1023, and the clamped
    // level is written back; any other text is left alone.
    void An0Change(int32_t i, std::string_view text);
    // Every box, label and level from the bars' positions.
    void FormInit();
    // The label text of a level in volts: level * 5 / 1023 with two decimals and "V" ("2.50V").
    static std::string volts_text(int32_t level);

private:
    Board& board_;
    const MenuItem& show_volts_;
};

} // namespace quorvex
