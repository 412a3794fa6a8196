// Conditionals, switch and goto, with the text helpers and the forward walker that every skip
// uses. Braces, levels, setup() and loop(), the loops, break and continue are in control_loops.cpp.
#include "interpreter/control_flow.h"

#include <algorithm>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace flow_text {

namespace {

constexpr size_t no_pos = std::string_view::npos;
// Deeper nesting on one line than this is read as plain text rather than recursed into.
constexpr int max_nesting = 64;

bool blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
size_t skip_blanks(std::string_view t, size_t i) {
    while (i < t.size() && blank(t[i])) ++i;
    return i;
}

// Index just past the first ";" at bracket depth 0 outside literals, or the end of the text;
// a stray closing bracket does not end the statement.
size_t simple_end(std::string_view t, size_t i) {
    const size_t semi = find_top_level(t, i, BraceRule::nest, [](char c) { return c == ';'; });
    return semi == no_pos ? t.size() : semi + 1;
}

size_t statement_end_at(std::string_view t, size_t i, int nesting) {
    i = skip_blanks(t, i);
    if (i >= t.size()) return t.size();
    if (nesting > max_nesting) return simple_end(t, i);
    if (t[i] == '{') {
        const size_t close = matching_bracket(t, i);
        return close == no_pos ? t.size() : close + 1;
    }
    const std::string_view here = t.substr(i);
    for (std::string_view word : {"if", "while", "for", "switch"}) {
        if (!starts_with_word(here, word)) continue;
        size_t j = skip_blanks(t, i + word.size());
        if (j < t.size() && t[j] == '(') {
            const size_t close = matching_bracket(t, j);
            if (close == no_pos) return t.size();
            j = close + 1;
        }
        const size_t end = statement_end_at(t, j, nesting + 1);
        if (word == "if") {
            const size_t e = skip_blanks(t, end);
            if (starts_with_word(t.substr(e), "else")) return statement_end_at(t, e + 4, nesting + 1);
        }
        return end;
    }
    if (starts_with_word(here, "else")) return statement_end_at(t, i + 4, nesting + 1);
    if (starts_with_word(here, "do")) {
        const size_t end = statement_end_at(t, i + 2, nesting + 1);
        const size_t e = skip_blanks(t, end);
        if (starts_with_word(t.substr(e), "while")) return simple_end(t, e);
        return end;
    }
    return simple_end(t, i);
}

} // namespace

std::string_view after_word(std::string_view s, std::string_view word) {
    return starts_with_word(s, word) ? dtrim(s.substr(word.size())) : s;
}

Header split_header(std::string_view s) {
    Header h;
    const size_t open = find_outside_literals(s, "(");
    if (open == no_pos) {
        h.cond = dtrim(s);
        return h;
    }
    const size_t close = matching_bracket(s, open);
    if (close == no_pos) {
        h.cond = dtrim(s.substr(0, open)); // as StripBrackets: the text before the "("
        return h;
    }
    h.cond = dtrim(s.substr(open + 1, close - open - 1));
    h.after = dtrim(s.substr(close + 1));
    h.matched = true;
    return h;
}

BodyForm body_form(std::string_view after) {
    if (after.empty()) return BodyForm::next_line;
    if (after.front() == '{' && matching_bracket(after, 0) == no_pos) return BodyForm::block;
    return BodyForm::one_line;
}

size_t statement_end(std::string_view t, size_t i) { return statement_end_at(t, i, 0); }

std::vector<std::string_view> statements(std::string_view body) {
    std::string_view t = dtrim(body);
    if (!t.empty() && t.front() == '{' && matching_bracket(t, 0) == t.size() - 1) t = t.substr(1, t.size() - 2);
    std::vector<std::string_view> out;
    size_t i = 0;
    while (true) {
        i = skip_blanks(t, i);
        if (i >= t.size()) break;
        size_t end = statement_end(t, i);
        if (end <= i) end = i + 1;
        const std::string_view st = dtrim(t.substr(i, end - i));
        if (!st.empty() && st != ";" && st != "}") out.push_back(st);
        i = end;
    }
    return out;
}

int open_braces(std::string_view t, size_t from, size_t to) { return brace_balance(t, from, to, true); }

} // namespace flow_text

using namespace flow_text;

namespace {

constexpr size_t npos = std::string_view::npos;

// Case labels compare as numbers; a float on either side compares by float value.
bool same_value(const Value& a, const Value& b) {
    if (a.type == n_string && b.type == n_string) return a.s == b.s;
    if (a.type == n_float || b.type == n_float) return a.f == b.f;
    return a.i == b.i;
}

// The ":" that ends a case label: the first one outside literals that is not part of "::".
size_t label_colon(std::string_view s) {
    for (size_t i = find_outside_literals(s, ":"); i != npos; i = find_outside_literals(s, ":", i + 2)) {
        if (i + 1 < s.size() && s[i + 1] == ':') continue;
        return i;
    }
    return npos;
}

// The text after the case and default labels that start `t` («case 1: case 2: x = 1;» gives
// «x = 1;»), `t` itself when none does; label(is_case, label_text) sees each label.
template <class Label>
std::string_view past_labels(std::string_view t, Label&& label) {
    std::string_view rest = t;
    while (true) {
        const bool is_case = starts_with_word(rest, "case");
        if (!is_case && !starts_with_word(rest, "default")) return rest;
        const std::string_view after = after_word(rest, is_case ? "case" : "default");
        const size_t colon = label_colon(after);
        if (colon == npos) return rest;
        label(is_case, dtrim(after.substr(0, colon)));
        rest = dtrim(after.substr(colon + 1));
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The code list, read without moving the cursor

std::string ControlFlow::line_text(int32_t n) {
    const int32_t line = in_.Line;
    const bool comment = in_.opencomment;
    in_.Line = n;
    std::string t = in_.get_line();
    in_.Line = line;
    in_.opencomment = comment;
    return t;
}

int32_t ControlFlow::next_code_line(int32_t n) {
    const int32_t line = in_.Line;
    const bool comment = in_.opencomment;
    int32_t found = -1;
    for (int32_t m = std::max(n + 1, 0); m < in_.ListBox1.Count(); ++m) {
        in_.Line = m;
        if (in_.CodeLine()) {
            found = m;
            break;
        }
    }
    in_.Line = line;
    in_.opencomment = comment;
    return found;
}

std::optional<ControlFlow::TextPos> ControlFlow::find_close(int32_t line, size_t col, int depth) {
    for (int32_t n = std::max(line, 0); n < in_.ListBox1.Count(); ++n) {
        const std::string t = line_text(n);
        for (size_t i = n == line ? col : 0; i < t.size();) {
            const char c = t[i];
            if (c == '"' || c == '\'') {
                i = skip_literal(t, i);
                continue;
            }
            if (c == '{') {
                ++depth;
            } else if (c == '}' && --depth <= 0) {
                return TextPos{n, i};
            }
            ++i;
        }
    }
    return std::nullopt;
}

std::optional<ControlFlow::TextPos> ControlFlow::skip_statement(int32_t n) {
    const int32_t last = in_.ListBox1.Count() - 1;
    bool is_if = false; // an if anywhere in the header chain takes a following else along
    for (int nesting = 0; n >= 0 && nesting <= max_nesting; ++nesting) {
        const std::string t = line_text(n);
        is_if = is_if || starts_with_word(t, "if");
        // A header whose own body starts on the line after it: that body is the rest.
        std::string_view after = t;
        bool header = false;
        for (std::string_view word : {"if", "while", "for", "switch"}) {
            if (!starts_with_word(after, word)) continue;
            after = split_header(after_word(after, word)).after;
            header = true;
            break;
        }
        if (!header && starts_with_word(after, "else")) {
            after = after_word(after, "else");
            if (starts_with_word(after, "if")) after = split_header(after_word(after, "if")).after;
            header = true;
        }
        if (header && after.empty()) {
            n = next_code_line(n);
            continue;
        }
        // A block left open on the line runs to its closing brace; an if takes its else along.
        if (const int open = open_braces(t, 0, t.size()); open > 0) {
            const std::optional<TextPos> end = find_close(n + 1, 0, open);
            return is_if ? past_else_chain(end, true) : end;
        }
        if (header || contains_outside_literals(t, ';'))
            return is_if ? past_else_chain(TextPos{n, t.size()}, true) : TextPos{n, t.size()};
        // A statement written over several lines ends on the first line holding ";".
        const int32_t next = next_code_line(n);
        if (next < 0) return TextPos{last, 0};
        n = next;
    }
    return TextPos{std::max(last, 0), 0};
}

std::optional<ControlFlow::TextPos> ControlFlow::past_else_chain(std::optional<TextPos> end, bool next_line) {
    // Further branches of the chain on the closing lines («} else if (d) {», «} else {»), and
    // with `next_line` also an else that starts the next code line.
    for (int guard = 0; end && end->col != npos && guard <= max_nesting; ++guard) {
        int32_t line = end->line;
        std::string t = line_text(line);
        std::string_view rest;
        if (end->col < t.size() && t[end->col] == '}') rest = dtrim(std::string_view(t).substr(end->col + 1));
        if (rest.empty() && next_line) {
            line = next_code_line(end->line);
            if (line < 0) break;
            t = line_text(line);
            rest = t;
        }
        if (!starts_with_word(rest, "else")) break;
        const size_t after_close = static_cast<size_t>(rest.data() - t.data());
        rest = after_word(rest, "else");
        if (starts_with_word(rest, "if")) rest = split_header(after_word(rest, "if")).after;
        const BodyForm form = body_form(rest);
        if (form == BodyForm::one_line) {
            end = TextPos{line, t.size()};
            if (!next_line) break;
            continue;
        }
        if (form == BodyForm::block) {
            end = find_close(line + 1, 0, std::max(open_braces(t, after_close, t.size()), 1));
        } else {
            const int32_t n = next_code_line(line);
            end = n < 0 ? std::optional<TextPos>(TextPos{line, npos}) : skip_statement(n);
        }
    }
    return end;
}

std::optional<ControlFlow::TextPos> ControlFlow::skip_body(std::string_view after) {
    switch (body_form(after)) {
    case BodyForm::block: {
        const std::string t = line_text(in_.Line);
        return find_close(in_.Line + 1, 0, std::max(open_braces(t, 0, t.size()), 1));
    }
    case BodyForm::next_line: {
        const int32_t n = next_code_line(in_.Line);
        if (n < 0) return TextPos{in_.Line, npos};
        return skip_statement(n);
    }
    case BodyForm::one_line:
        break;
    }
    return TextPos{in_.Line, npos};
}

bool ControlFlow::no_close(int32_t from) {
    in_.Line = from;
    in_.ShowMessage1("Sketch Error - no closing } found");
    return false;
}

void ControlFlow::bad_header(std::string_view word, bool for_parts) {
    std::string message = "Sketch Error - ";
    message += word;
    message += for_parts ? " ( ) must hold two ; on its line: " : " ( ) must close on its line: ";
    message += in_.code_text(in_.Line);
    in_.ShowMessage1(message);
    in_.found_loop = 1;
}

// ---------------------------------------------------------------------------------------------
// Running text

bool ControlFlow::truth(std::string_view cond) {
    Value v;
    try {
        v = in_.get_value(cond);
    } catch (const StatementAbandoned&) {
        return false; // reported already: the block is skipped, not entered blind
    }
    if (v.type == n_float) return v.f != 0.0L;
    if (v.type == n_string) return !v.s.empty();
    return v.i != 0;
}

bool ControlFlow::entered_call(int32_t before) const {
    return in_.cs.loopx > before && in_.cs.at(in_.cs.loopx - 1).last_control == L_SUBR;
}

void ControlFlow::run_body(std::string_view body) {
    const std::string text(body);
    if (body_depth_ == 0) stop_body_ = false;
    ++body_depth_;
    for (std::string_view st : statements(text)) {
        if (stop_body_) break;
        const int32_t line = in_.Line;
        const int32_t level = in_.cs.loopx;
        in_.Results.clear();
        in_.evaluate_expression(std::string(st));
        // A statement that moved the cursor, repeats the line or entered a subroutine ends the
        // body: the stepped design has no place to come back to for the rest of it.
        if (in_.Line != line || in_.found_loop != 0 || entered_call(level)) stop_body_ = true;
    }
    --body_depth_;
    if (body_depth_ == 0) stop_body_ = false;
}

void ControlFlow::run_trailing(std::string_view after_brace) {
    if (dtrim(after_brace).empty()) return;
    // The level's "{" is the first brace of the line still open at its end.
    const std::string t = line_text(in_.Line);
    std::vector<size_t> opens;
    for (size_t i = 0; i < t.size();) {
        if (t[i] == '"' || t[i] == '\'') {
            i = skip_literal(t, i);
            continue;
        }
        if (t[i] == '{')
            opens.push_back(i);
        else if (t[i] == '}' && !opens.empty())
            opens.pop_back();
        ++i;
    }
    const int32_t saved_line = anchor_line_;
    const size_t saved_col = anchor_col_;
    anchor_line_ = in_.Line;
    anchor_col_ = opens.empty() ? 0 : opens.front();
    run_body(after_brace);
    anchor_line_ = saved_line;
    anchor_col_ = saved_col;
}

// ---------------------------------------------------------------------------------------------
// if and else

void ControlFlow::kif(std::string_view text) {
    const std::string s(text);
    // Kept as specified: a quote before the first "if" of the text hands it on.
    if (const int quote = dpos("\"", s), word = dpos("if", s); quote > 0 && word > 0 && quote < word) {
        in_.keep_going = 1;
        return;
    }
    const Header h = split_header(s);
    if (!h.matched) {
        bad_header("if");
        return;
    }
    const BodyForm form = body_form(h.after);
    const bool taken = truth(h.cond);

    if (form == BodyForm::one_line) {
        // «if (c) a = 1;», «if (c) { a = 1; } else b = 2;»: nothing pushed, the cursor stays.
        // The result stays readable at loopx for an else that follows.
        const size_t end = statement_end(h.after, 0);
        const std::string_view body = h.after.substr(0, end);
        const std::string_view rest = dtrim(h.after.substr(end));
        in_.cs.at(in_.cs.loopx).last_ifloop = taken;
        if (taken)
            run_body(body);
        else if (starts_with_word(rest, "else"))
            run_body(after_word(rest, "else"));
        in_.cs.at(in_.cs.loopx).last_ifloop = taken;
        if_open = true;
        return;
    }

    if (taken) {
        const ControlLevel level{
            .last_control = IFORELSE, .loop_line = -1, .last_ifloop = true, .braced = form == BodyForm::block};
        if (!push(level)) return;
        if (form == BodyForm::next_line)
            in_.single_loop = 2; // a "{" on the next line cancels it
        else
            run_trailing(h.after.substr(1));
        return;
    }

    const int32_t from = in_.Line;
    ControlLevel& here = in_.cs.at(in_.cs.loopx);
    here.last_control = IFORELSE;
    here.last_ifloop = false;
    const std::optional<TextPos> end = skip_body(h.after);
    if (!end) {
        no_close(from);
        return;
    }
    // A block closed by «} else ...»: that line runs next; its "}" closes this level and its
    // else takes over.
    if (end->col != npos) {
        const std::string t = line_text(end->line);
        if (end->col < t.size() && t[end->col] == '}' &&
            starts_with_word(dtrim(std::string_view(t).substr(end->col + 1)), "else")) {
            if (!push({.last_control = IFORELSE, .loop_line = -1, .last_ifloop = false, .braced = true})) return;
            in_.Line = end->line;
            in_.found_loop = 1;
            return;
        }
    }
    in_.Line = end->line; // the step goes on after the skipped body
    if_open = true;
}

void ControlFlow::kelse(std::string_view text) {
    const std::string s(text);
    if (in_.cs.at(in_.cs.loopx).last_ifloop)
        skip_else(s);
    else
        run_else(s);
}

void ControlFlow::run_else(std::string_view s) {
    if (starts_with_word(s, "if")) {
        kif(after_word(s, "if")); // an else-if is a new if at the same level
        in_.keep_going = 0;
        return;
    }
    switch (body_form(s)) {
    case BodyForm::block:
        if (reopen()) run_trailing(s.substr(1));
        return;
    case BodyForm::next_line: {
        // «else» with "{" on the next line: the block runs inside the level the if left.
        const int32_t n = next_code_line(in_.Line);
        if (n >= 0 && line_text(n).starts_with('{')) {
            reopen();
            return;
        }
        // The statement on the next line is a brace-less body, closed after it as an if's is.
        if (push({.last_control = IFORELSE, .loop_line = -1, .last_ifloop = true})) in_.single_loop = 2;
        return;
    }
    case BodyForm::one_line:
        run_body(s); // «else x = 2;», «else { x = 2; }»
        return;
    }
}

void ControlFlow::skip_else(std::string_view s) {
    const int32_t from = in_.Line;
    std::string_view body = s;
    if (starts_with_word(body, "if")) body = split_header(after_word(body, "if")).after;
    if (body_form(body) == BodyForm::one_line) return; // the statement on this line is passed over
    const std::optional<TextPos> end = past_else_chain(skip_body(body), false);
    if (!end) {
        no_close(from);
        return;
    }
    in_.Line = end->line; // the step goes on after the skipped part
}

// ---------------------------------------------------------------------------------------------
// switch

void ControlFlow::kswitch(std::string_view text) {
    const std::string s(text);
    const int32_t from = in_.Line;
    const Header h = split_header(s);
    if (!h.matched) {
        bad_header("switch");
        return;
    }
    if (!push({.last_control = L_SWITCH, .loop_line = -1, .braced = true})) return;
    Value v;
    try {
        v = in_.get_value(h.cond);
    } catch (const StatementAbandoned&) {
        pop_level(); // the statement did not run: no level of it stays behind
        throw;
    }

    // Where the block opens: on the switch line, or on the next line.
    int32_t scan = -1;
    int depth = 0;
    if (!h.after.empty() && h.after.front() == '{') {
        if (matching_bracket(h.after, 0) != npos) {
            pop_level();
            in_.ShowMessage1("Sketch Error - a switch needs its cases on lines of their own");
            return;
        }
        const std::string t = line_text(from);
        scan = from + 1;
        depth = std::max(open_braces(t, 0, t.size()), 1);
    } else if (const int32_t n = next_code_line(from); n >= 0 && h.after.empty() && line_text(n).starts_with('{')) {
        const std::string t = line_text(n);
        scan = n + 1;
        depth = std::max(open_braces(t, 0, t.size()), 1);
    } else {
        in_.ShowMessage1("Sketch Error - Error - no opening bracket for switch {");
        pop_level();
        return;
    }

    // The first matching case, or the first default, in line order; "case" and "default"
    // count only at the start of a line directly inside the switch block.
    for (int32_t n = scan; n < in_.ListBox1.Count(); ++n) {
        const std::string t = line_text(n);
        if (depth == 1) {
            // «case 1: case 2: x = 1;»: the labels at the start of the line, then its statements.
            bool hit = false;
            const std::string_view rest = past_labels(t, [&](bool is_case, std::string_view label) {
                if (!is_case || same_value(v, in_.get_value(label))) hit = true;
            });
            if (hit) {
                in_.Line = n;
                kcase_body(rest);
                return;
            }
        }
        for (size_t i = 0; i < t.size();) {
            if (t[i] == '"' || t[i] == '\'') {
                i = skip_literal(t, i);
                continue;
            }
            if (t[i] == '{') {
                ++depth;
            } else if (t[i] == '}' && --depth <= 0) {
                // No case matched and there is no default: the closing "}" runs next.
                in_.Line = n;
                in_.found_loop = 1;
                return;
            }
            ++i;
        }
    }
    pop_level();
    no_close(from);
}

bool ControlFlow::kcase_line(std::string_view s) {
    bool labelled = false;
    const std::string_view rest = past_labels(s, [&](bool, std::string_view) { labelled = true; });
    if (!labelled) return false;
    kcase_body(rest);
    return true;
}

void ControlFlow::kcase_body(std::string_view after_colon) {
    const std::string_view rest = dtrim(after_colon);
    if (rest.empty()) return; // the step goes on with the line after the case line
    if (body_form(rest) == BodyForm::block) {
        // «case 1: {»: a block of its own, closed by its "}"
        if (push({.last_control = IFORELSE, .loop_line = -1, .last_ifloop = true, .braced = true}))
            run_trailing(rest.substr(1));
        return;
    }
    run_body(rest); // statements on the case line run, matched or fallen into
}

// ---------------------------------------------------------------------------------------------
// goto

void ControlFlow::kgoto(std::string_view text) {
    const std::string s(text);
    if (contains(s, '(')) { // a call whose name begins with "goto"
        in_.keep_going = 1;
        return;
    }
    std::string_view label = dtrim(s);
    if (const size_t semi = label.find(';'); semi != npos) label = dtrim(label.substr(0, semi));
    int32_t target = -1;
    for (int32_t n = 0; !label.empty() && n < in_.ListBox1.Count(); ++n) {
        const std::string t = line_text(n);
        if (!t.starts_with(label)) continue;
        const std::string_view rest = dtrim(std::string_view(t).substr(label.size()));
        if (rest.starts_with(':') && !rest.starts_with("::")) {
            target = n;
            break;
        }
    }
    if (target < 0) {
        in_.ShowMessage1("Sketch Error - label not found: " + std::string(label));
        return;
    }
    // The statement that was a brace-less body is over: its level closes without looping back.
    if (in_.single_loop > 0) {
        pop_level();
        in_.single_loop = 0;
    }
    stop_body_ = true;
    in_.Line = target; // the label line is no code line: the next step passes on from it
    in_.found_loop = 1;
}

// ---------------------------------------------------------------------------------------------

void ControlFlow::reset() {
    insetup = false;
    inloop = false;
    loopLine = 0;
    forx = 0;
    for2.fill({});
    for3.fill({});
    for_line.fill(0);
    inline_loops_ = 0;
    body_depth_ = 0;
    break_req_ = false;
    continue_req_ = false;
    stop_body_ = false;
    setup_body_done_ = false;
    pending_do_ = -1;
    inline_fors_.clear();
    anchor_line_ = -1;
    anchor_col_ = 0;
    closes_known_ = false;
    closes_.clear();
}

} // namespace quorvex
