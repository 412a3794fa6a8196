// Walks from a brace to its partner over the code list. One "{" and one "}" count per line
// (but in a function body's walk, which counts them all); braces inside literals are text.
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace {

constexpr size_t npos = std::string_view::npos;

// Where the line's first brace of each kind stands outside literals.
struct Braces {
    size_t open;
    size_t close;
    bool opens() const { return open != npos; }
    bool closes() const { return close != npos; }
    // «if (x) { a(); }»: a block opened and closed on the line leaves the depth as it was.
    bool self_contained() const { return opens() && closes() && open < close; }
};

Braces braces_of(std::string_view t) { return {find_outside_literals(t, "{"), find_outside_literals(t, "}")}; }

} // namespace

void Interpreter::match_bracket(std::string_view s, int32_t lbr, std::string_view s3) {
    if (contains_outside_literals(s, '{')) ++lbr;
    FindNextLine();
    std::string t = get_line();
    if (t.empty()) colour_line(Line, col_comment);
    // The first line counts one brace only, so that a «} else {» right after the opening
    // ends the walk there; it may still be the stop line, like any later «} else {».
    const Braces first = braces_of(t);
    if (first.closes() && !first.self_contained()) {
        --lbr;
        if (first.opens() && contains(t, s3) && lbr <= 1) {
            push_level({.last_control = IFORELSE});
            return;
        }
    } else if (first.opens() && !first.closes()) {
        ++lbr;
    }

    while (lbr > 0) {
        FindNextLine();
        if (!ListBox1.has(Line)) return;
        t = get_line();
        if (t.empty()) colour_line(Line, col_comment);
        const bool opens = contains_outside_literals(t, '{');
        if (opens) ++lbr;
        if (contains_outside_literals(t, '}')) --lbr;
        if (opens && contains(t, s3) && lbr <= 1) {
            push_level({.last_control = IFORELSE});
            return;
        }
    }
}

// The reset scan needs the body's true end: every brace counts here, since a line such as
// «} else { n = 7; }» closes one block more than it opens, and a body ended too late swallows
// the functions after it.
void Interpreter::match_body(std::string_view header) {
    int depth = brace_balance(header);
    bool opened = contains_outside_literals(header, '{');
    while (!opened || depth > 0) {
        FindNextLine();
        if (!ListBox1.has(Line)) return;
        const std::string t = get_line();
        if (t.empty()) colour_line(Line, col_comment);
        opened = opened || contains_outside_literals(t, '{');
        depth += brace_balance(t);
    }
}

void Interpreter::match_rev_bracket(std::string_view s, int32_t lbr, std::string_view s3) {
    if (contains_outside_literals(s, '}')) ++lbr;
    if (Line > 0) --Line;
    std::string t = get_line();
    if (t.empty()) colour_line(Line, col_comment);
    const Braces first = braces_of(t);
    if (first.opens() && !first.self_contained()) {
        --lbr;
        if (first.closes() && contains(t, s3) && lbr <= 1) {
            push_level({.last_control = IFORELSE});
            return;
        }
    } else if (first.closes() && !first.opens()) {
        ++lbr;
    }

    while (lbr > 0) {
        if (Line <= 0) return;
        --Line;
        t = get_line();
        if (t.empty()) colour_line(Line, col_comment);
        const bool closes = contains_outside_literals(t, '}');
        if (closes) ++lbr;
        if (contains_outside_literals(t, '{')) --lbr;
        if (closes && contains(t, s3) && lbr <= 1) {
            push_level({.last_control = IFORELSE});
            return;
        }
    }
}

} // namespace quorvex
