// Walks from a brace to its partner over the code list. Every brace counts, so that a line such
// as «} else { n = 7; }» closes one block more than it opens; braces inside literals are text.
#include <algorithm>

#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace {

constexpr size_t npos = std::string_view::npos;

// A line's braces outside literals: the "}"s that close blocks opened before the line, and the
// "{"s still open at its end («} else { n = 7; }» has one and none).
struct LineBraces {
    int closed_before;
    int left_open;
};

LineBraces line_braces(std::string_view t) {
    const int left_open = brace_balance(t, 0, npos, true);
    return {left_open - brace_balance(t), left_open};
}

} // namespace

void Interpreter::match_bracket(std::string_view s, int32_t lbr, std::string_view s3) {
    // The start line's braces left open («void f() { if (c) {» leaves two), and one at least.
    if (contains_outside_literals(s, '{')) lbr += std::max(1, line_braces(s).left_open);
    FindNextLine();
    std::string t = get_line();
    if (t.empty()) colour_line(Line, col_comment);
    // The first line counts brace by brace: its leading "}"s close first, so that a «} else {»
    // right after the opening ends the walk there (it may still be the stop line).
    const LineBraces first = line_braces(t);
    lbr -= first.closed_before;
    if (first.closed_before > 0 && contains_outside_literals(t, '{') && contains(t, s3) && lbr <= 1) {
        push_level({.last_control = IFORELSE});
        return;
    }
    if (first.closed_before == 0 || lbr > 0) lbr += first.left_open;

    while (lbr > 0) {
        FindNextLine();
        if (!ListBox1.has(Line)) return;
        t = get_line();
        if (t.empty()) colour_line(Line, col_comment);
        lbr += brace_balance(t);
        if (contains_outside_literals(t, '{') && contains(t, s3) && lbr <= 1) {
            push_level({.last_control = IFORELSE});
            return;
        }
    }
}

void Interpreter::match_rev_bracket(std::string_view s, int32_t lbr, std::string_view s3) {
    // The start line's braces that close blocks opened before it, and one at least.
    if (contains_outside_literals(s, '}')) lbr += std::max(1, line_braces(s).closed_before);
    if (Line > 0) --Line;
    std::string t = get_line();
    if (t.empty()) colour_line(Line, col_comment);
    // Mirrored: walking back, the line's unclosed "{"s close first.
    const LineBraces first = line_braces(t);
    lbr -= first.left_open;
    if (first.left_open > 0 && contains_outside_literals(t, '}') && contains(t, s3) && lbr <= 1) {
        push_level({.last_control = IFORELSE});
        return;
    }
    if (first.left_open == 0 || lbr > 0) lbr += first.closed_before;

    while (lbr > 0) {
        if (Line <= 0) return;
        --Line;
        t = get_line();
        if (t.empty()) colour_line(Line, col_comment);
        lbr -= brace_balance(t);
        if (contains_outside_literals(t, '}') && contains(t, s3) && lbr <= 1) {
            push_level({.last_control = IFORELSE});
            return;
        }
    }
}

} // namespace quorvex
