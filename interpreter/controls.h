#pragma once
// Plain state of the window controls that the interpreter reads and writes.
// The workbench shows these objects and feeds user input back into them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

struct Timer {
    bool Enabled = false;
    int Interval = 250; // milliseconds
};

struct MenuItem {
    bool Checked = false;
};

struct ToolButton {
    int ImageIndex = 12;
    std::string Hint = "Run F9";
};

struct Shape {
    bool Visible = false;
};

// What a code line is, for its display colour; the view maps each kind to a colour.
enum class LineColour : uint8_t { Default, Comment, Decl, Const, Hash, Sub };
inline constexpr LineColour col_comment = LineColour::Comment; // empty once comments are removed
inline constexpr LineColour col_decl = LineColour::Decl;       // a global declaration
inline constexpr LineColour col_sr = LineColour::Sub;          // a subroutine header
inline constexpr LineColour col_hash = LineColour::Hash;       // a directive
inline constexpr LineColour col_const = LineColour::Const;     // a const declaration

class StatusBar;

// The code list: one item per sketch line. Every change bumps the revision so that
// derived per-line data (comment states) is recomputed only when the text changed.
class CodeList {
public:
    CodeList() = default;
    CodeList(const CodeList&) = delete;
    CodeList& operator=(const CodeList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    bool has(int32_t i) const { return i >= 0 && i < Count(); }
    const std::string& item(int32_t i) const { return items_[static_cast<size_t>(i)]; }
    const std::vector<std::string>& items() const { return items_; }
    uint64_t revision() const { return revision_; }

    void clear() {
        changing();
        items_.clear();
    }
    void add(std::string text) {
        changing();
        items_.push_back(std::move(text));
    }
    void set_item(int32_t i, std::string text) {
        changing();
        items_[static_cast<size_t>(i)] = std::move(text);
    }
    void assign(std::vector<std::string> lines) {
        changing();
        items_ = std::move(lines);
    }

    int32_t ItemIndex = -1; // the selected item, -1 for none

private:
    friend class StatusBar;
    // Settles the status bar showing a text derived from the lines, then bumps the revision.
    void changing();

    std::vector<std::string> items_;
    uint64_t revision_ = 0;
    StatusBar* shown_by_ = nullptr;
};

// The status bar's five panels. Every step ends by showing its line number (panel 0), the next
// line's code (panel 2) and its level (panel 3); under Run that is thousands of times between
// two repaints, so what they show is kept and written into a panel's text when that panel is
// next read or written.
class StatusBar {
public:
    StatusBar() = default;
    // A bar whose next-line panel shows code derived from `list`'s lines: the list settles it
    // before every change, so the panel shows the text its step saw whenever it is read, and
    // never reads a text the change has replaced.
    explicit StatusBar(CodeList& list) : list_(&list) { list.shown_by_ = this; }
    ~StatusBar() {
        if (list_ != nullptr && list_->shown_by_ == this) list_->shown_by_ = nullptr;
    }
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    static constexpr size_t count = 5;
    std::string& operator[](size_t i) {
        settle(i);
        return text_[i];
    }
    const std::string& operator[](size_t i) const {
        settle(i);
        return text_[i];
    }
    // "Line: " and the line with at least four digits.
    void show_line(int32_t line) {
        line_ = line;
        line_pending_ = true;
    }
    // "Next: " and the code text, which must stay as it is until the code list changes (a bar
    // without a list: until the panel is settled).
    void show_next(const std::string& code) {
        next_ = &code;
        next_pending_ = true;
    }
    // "Level" and the level.
    void show_level(int32_t level) {
        level_ = level;
        level_pending_ = true;
    }
    // Writes every kept text now.
    void settle_all() const {
        for (size_t i = 0; i < count; ++i) settle(i);
    }

private:
    void settle(size_t i) const;
    mutable std::array<std::string, count> text_{};
    mutable bool line_pending_ = false;
    mutable bool next_pending_ = false;
    mutable bool level_pending_ = false;
    CodeList* list_ = nullptr;
    const std::string* next_ = nullptr;
    int32_t line_ = 0;
    int32_t level_ = 0;
};

inline void CodeList::changing() {
    // The text the bar waits to write may be derived from the lines about to change.
    if (shown_by_ != nullptr) shown_by_->settle_all();
    ++revision_;
}

} // namespace quorvex
