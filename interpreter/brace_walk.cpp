// Walks from a brace to its partner over the code list. One "{" and one "}" count per line;
// braces inside literals are text.
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

void Interpreter::match_bracket(std::string_view s, int32_t lbr, std::string_view s3) {
    if (contains_outside_literals(s, '{')) ++lbr;
    FindNextLine();
    std::string t = get_line();
    if (t.empty()) colour_line(Line, col_comment);
    if (contains_outside_literals(t, '}')) --lbr;
    else if (contains_outside_literals(t, '{')) ++lbr;

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

void Interpreter::match_rev_bracket(std::string_view s, int32_t lbr, std::string_view s3) {
    if (contains_outside_literals(s, '}')) ++lbr;
    if (Line > 0) --Line;
    std::string t = get_line();
    if (t.empty()) colour_line(Line, col_comment);
    if (contains_outside_literals(t, '{')) --lbr;
    else if (contains_outside_literals(t, '}')) ++lbr;

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
