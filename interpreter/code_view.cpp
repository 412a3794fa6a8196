// What the code list and the status bar show of the interpreter: the brace-match range and the
// status panels that every refresh rewrites.
#include <charconv>

#include "interpreter/interpreter.h"

namespace quorvex {

namespace {

// `prefix` and the number with at least `digits` digits ("%.4d"), in the storage the panel
// already has: no formatting call and no allocation.
void write_number(std::string& panel, std::string_view prefix, int32_t n, size_t digits) {
    char text[16];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, n);
    (void)ec; // 16 characters hold every int32_t
    const bool negative = n < 0;
    const size_t length = static_cast<size_t>(end - text) - (negative ? 1 : 0);
    panel.assign(prefix);
    if (negative) panel.push_back('-');
    if (length < digits) panel.append(digits - length, '0');
    panel.append(text + (negative ? 1 : 0), length);
}

} // namespace

void StatusBar::settle(size_t i) const {
    if (i == 0 && line_pending_) {
        write_number(text_[0], "Line: ", line_, 4);
        line_pending_ = false;
    } else if (i == 2 && next_pending_) {
        text_[2].assign("Next: ");
        text_[2].append(*next_);
        next_pending_ = false;
    } else if (i == 3 && level_pending_) {
        write_number(text_[3], "Level", level_, 1);
        level_pending_ = false;
    }
}

void Interpreter::show_level() { StatusBar1.show_level(cs.loopx); }

void Interpreter::show_line_status() {
    StatusBar1.show_line(Line);
    StatusBar1.show_next(code_text(Line));
}

void Interpreter::Matchbrace1Click() {
    if (Matchbrace1.Checked) {
        Matchbrace1.Checked = false;
        match_Start = -1;
        match_end = -1;
        return;
    }
    if (!ListBox1.has(Line)) return;
    const std::string text = code_text(Line);
    const bool forward = contains(text, "{");
    if (!forward && !contains(text, "}")) return;

    // The walk moves the cursor, the comment state and the colours of empty lines; the
    // highlight must change nothing but itself, so it walks on a copy of them.
    const int32_t old_line = Line;
    const bool old_comment = opencomment;
    const std::vector<LineColour> old_colours = f_color;
    // A line break never stands inside a line: no line ends the walk early.
    constexpr std::string_view no_stop_word = "\n";
    if (forward)
        match_bracket(text, 0, no_stop_word);
    else
        match_rev_bracket(text, 0, no_stop_word);
    const int32_t reached = std::clamp(Line, 0, ListBox1.Count() - 1); // an unmatched brace: the end
    Line = old_line;
    opencomment = old_comment;
    f_color = old_colours;

    Matchbrace1.Checked = true;
    match_Start = forward ? old_line : reached;
    match_end = forward ? reached : old_line;
}

} // namespace quorvex
