// Braces, block levels, setup() and loop(), while, do, for, break and continue. The text
// helpers, the forward walker and the conditionals are in control_flow.cpp.
#include <algorithm>
#include <utility>

#include "interpreter/control_flow.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

using namespace flow_text;

namespace {

constexpr size_t npos = std::string_view::npos;

// The first `word` in t at or after `from`, as a whole word outside literals.
size_t find_word(std::string_view t, std::string_view word, size_t from) {
    for (size_t at = find_outside_literals(t, word, from); at != npos; at = find_outside_literals(t, word, at + 1)) {
        const bool starts = at == 0 || !ident_char(t[at - 1]);
        const bool ends = at + word.size() >= t.size() || !ident_char(t[at + word.size()]);
        if (starts && ends) return at;
    }
    return npos;
}

bool loop_kind(int32_t kind) { return kind == L_WHILE || kind == L_FOR || kind == L_DOWHILE; }

// A for header's bracket text split at its two ";" into init, condition and step.
struct ForParts {
    std::string_view init, cond, step;
};
std::optional<ForParts> for_parts(std::string_view inside) {
    const size_t first = find_outside_literals(inside, ";");
    if (first == npos) return std::nullopt;
    const size_t second = find_outside_literals(inside, ";", first + 1);
    if (second == npos) return std::nullopt;
    return ForParts{dtrim(inside.substr(0, first)), dtrim(inside.substr(first + 1, second - first - 1)),
                    dtrim(inside.substr(second + 1))};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Levels

bool ControlFlow::push(ControlLevel level) { return in_.push_level(level); }

bool ControlFlow::reopen() {
    if (in_.cs.loopx < 1 || in_.cs.loopx >= MAX_LOOP) {
        in_.ShowMessage1("Sketch Error - Blocks nested too deeply");
        return false;
    }
    ControlLevel& level = in_.cs.at(in_.cs.loopx);
    level.last_control = IFORELSE;
    level.loop_line = -1;
    level.loop_next = 0;
    level.sr_var = 0;
    level.async = false;
    level.braced = true;
    level.forx = 0;
    level.outer_single_loop = std::exchange(in_.single_loop, 0);
    ++in_.cs.loopx;
    return true;
}

bool ControlFlow::pop_level() {
    if (!in_.pop_level()) return false;
    const ControlLevel& level = in_.cs.at(in_.cs.loopx);
    if (level.last_control == L_FOR && level.forx > 0 && level.forx <= forx) forx = level.forx - 1;
    forget_inline_fors(in_.cs.loopx);
    return true;
}

void ControlFlow::unwind_to(int32_t level) {
    level = std::max(level, 1);
    while (in_.cs.loopx > level && pop_level()) {
    }
}

void ControlFlow::forget_inline_fors(int32_t level) {
    std::erase_if(inline_fors_, [level](const std::pair<int32_t, int32_t>& f) { return f.second > level; });
}

bool ControlFlow::else_follows() {
    const int32_t n = in_.found_loop != 0 ? in_.Line : next_code_line(in_.Line);
    return n >= 0 && starts_with_word(line_text(n), "else");
}

void ControlFlow::end_braceless_body() {
    // Each level closed here was the one statement of the brace-less body around it, whose
    // countdown it brought back: an if ends that statement too, unless an else follows for it;
    // a loop goes back to its header, and the statement around it goes on.
    while (in_.pop_level()) {
        const ControlLevel& left = in_.cs.at(in_.cs.loopx);
        if (left.loop_line > 0) {
            in_.Line = left.loop_line;
            in_.found_loop = 1;
            // The header continues its loop, even after an inner for has used the flag.
            if (left.last_control == L_FOR) in_.rbr_found = 1;
            return;
        }
        if (else_follows()) return;
        if (in_.single_loop <= 0 || --in_.single_loop > 0) return;
    }
}

// ---------------------------------------------------------------------------------------------
// setup() and loop()

std::optional<std::string> ControlFlow::one_line_body(std::string_view header) {
    const Header h = split_header(header);
    if (!h.matched || h.after.empty() || h.after.front() != '{') return std::nullopt;
    if (matching_bracket(h.after, 0) != h.after.size() - 1) return std::nullopt;
    return std::string(h.after);
}

void ControlFlow::ksetup(std::string_view) {
    insetup = true;
    if (in_.includeCode1.Checked) in_.pre.included = true;

    // «void setup() { pinMode(13, OUTPUT); }»: the body stands on the header line.
    const Subroutine* f = in_.subs.find("setup");
    if (f == nullptr || f->close_line != f->header_line) return;
    if (!in_.in_step()) {
        in_.Line = f->header_line; // reset stops on the header, so that the first step runs it
        return;
    }
    if (in_.Line != f->header_line) return;
    if (!setup_body_done_) {
        const std::optional<std::string> body = one_line_body(line_text(in_.Line));
        if (!body) return;
        const int32_t level = in_.cs.loopx;
        run_body(*body);
        if (entered_call(level)) {
            // The call returns to this header, which then goes on to loop().
            setup_body_done_ = true;
            in_.cs.at(in_.cs.loopx - 1).loop_next = 0;
            return;
        }
        if (in_.Line != f->header_line || in_.found_loop != 0) return;
    }
    setup_body_done_ = false;
    insetup = false;
    end_of_setup();
}

void ControlFlow::kloop(std::string_view s) {
    loopLine = in_.Line;
    inloop = true;
    // «void loop() { x++; }»: the body stands on the header, which then runs again and again.
    // Only the declaration row's call has the whole text («loop() { x++; }»).
    if (!starts_with_word(s, "loop")) return;
    const Subroutine* f = in_.subs.find("loop");
    if (f == nullptr || f->header_line != in_.Line || f->close_line != in_.Line) return;
    const std::optional<std::string> body = one_line_body(s);
    if (!body) return;
    const int32_t line = in_.Line;
    const int32_t level = in_.cs.loopx;
    run_body(*body);
    if (entered_call(level)) {
        in_.cs.at(in_.cs.loopx - 1).loop_next = 0;
        return;
    }
    if (in_.Line == line) in_.found_loop = 1;
}

void ControlFlow::end_of_setup() {
    const int32_t from = in_.Line;
    const int32_t count = in_.ListBox1.Count();
    const Subroutine* loop = in_.subs.find("loop");
    auto registered_at = [this](int32_t n) -> const Subroutine* {
        for (const Subroutine& s : in_.subs.rows())
            if (s.header_line == n) return &s;
        return nullptr;
    };
    int32_t target = -1;
    for (int32_t n = from + 1; n < count; ++n) {
        if (loop != nullptr && n == loop->header_line) {
            target = n;
            break;
        }
        if (const Subroutine* f = registered_at(n)) {
            n = std::max(n, f->close_line); // a function's body is passed over
            continue;
        }
        const std::string t = line_text(n);
        if (loop == nullptr && starts_with_word(t, "void") && contains(t, "loop")) {
            target = n;
            break;
        }
        // A global declaration between the functions runs once more; one the reset scan created
        // keeps its value (the declaration leaves scan-made entries alone).
        if (t.empty() || t.front() == '#' || contains(t, '(')) continue;
        for (std::string_view word : {"void", "boolean", "byte", "char", "int"}) {
            bool holds = false;
            for (size_t at = t.find(word); at != npos && !holds; at = t.find(word, at + 1)) {
                const bool starts = at == 0 || !ident_char(t[at - 1]);
                holds = starts && starts_with_word(std::string_view(t).substr(at), word);
            }
            if (!holds) continue;
            in_.Line = n;
            in_.evaluate_expression(t);
            break;
        }
    }
    // loop() written before setup(): go there all the same.
    if (target < 0 && loop != nullptr) target = loop->header_line;
    if (target < 0) {
        in_.Line = from; // the step goes on after setup()'s "}", to the end of the sketch
        in_.ShowMessage1("Sketch Error - no loop() found");
        return;
    }
    in_.Line = target;
    inloop = true;
    loopLine = target;
    in_.found_loop = 1;
}

// ---------------------------------------------------------------------------------------------
// One-line loops

bool ControlFlow::run_loop_body(std::string_view body) {
    const int32_t line = in_.Line;
    const int32_t level = in_.cs.loopx;
    const bool outer_break = std::exchange(break_req_, false);
    const bool outer_continue = std::exchange(continue_req_, false);
    const bool outer_stop = stop_body_;
    ++inline_loops_;
    run_body(body);
    --inline_loops_;
    const bool broke = break_req_;
    break_req_ = outer_break;
    continue_req_ = outer_continue;
    stop_body_ = outer_stop; // a break or continue here ends this loop's pass only
    if (entered_call(level)) {
        // The subroutine's return comes back to the loop line and runs it again.
        in_.cs.at(in_.cs.loopx - 1).loop_next = 0;
        return true;
    }
    if (in_.Line != line || broke) return false; // a goto or return left the loop, or a break
    in_.found_loop = 1;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Braces

bool ControlFlow::closes_setup_or_loop(int32_t line) {
    if (!closes_known_) {
        // The subroutine table changes only at reset, which clears closes_known_.
        closes_.clear();
        for (std::string_view name : {"loop", "setup"})
            if (const Subroutine* f = in_.subs.find(name); f != nullptr && f->close_line != f->header_line)
                closes_.push_back(f->close_line);
        closes_known_ = true;
    }
    return std::find(closes_.begin(), closes_.end(), line) != closes_.end();
}

void ControlFlow::klbr(std::string_view s) {
    // A "{" on a line of its own turns a brace-less countdown back into a normal block.
    if (in_.single_loop > 0) {
        in_.single_loop = 0;
        if (in_.cs.loopx > 1) in_.cs.at(in_.cs.loopx - 1).braced = true;
    }
    in_.rbr_found = 0;
    run_trailing(s);
}

void ControlFlow::krbr(std::string_view text) {
    const std::string s(text);
    in_.interrupts.rearm(in_.cs.loopx);

    if (starts_with_word(s, "else")) {
        // «} else ...»: the if block closes; its level stays readable for the else.
        pop_level();
        in_.evaluate_expression(s);
        return;
    }
    end_blocks_of_setup_or_loop();
    if (in_.cs.loopx > 1)
        close_block(s);
    else
        close_top_level();
}

void ControlFlow::end_blocks_of_setup_or_loop() {
    // The closing brace of setup() or loop() with no call open: blocks left open inside them
    // (a goto out of a block keeps its levels) end with the function.
    if (in_.cs.loopx > 1 && in_.cs.at(in_.cs.loopx - 1).last_control != L_SUBR && closes_setup_or_loop(in_.Line)) {
        bool call_open = false;
        for (int32_t k = 1; k < in_.cs.loopx; ++k) call_open = call_open || in_.cs.at(k).last_control == L_SUBR;
        if (!call_open) unwind_to(1);
    }
}

void ControlFlow::close_block(const std::string& s) {
    // The countdown of a brace-less body around the block comes back: a block that is over is
    // that body's statement, and the step counts it.
    in_.pop_level();
    const int32_t k = in_.cs.loopx;
    forget_inline_fors(k);
    ControlLevel& level = in_.cs.at(k);
    switch (level.last_control) {
    case IFORELSE:
        if_open = true; // an else may follow on the next line
        return;
    case L_SWITCH:
        level.last_control = 0;
        return;
    case L_DOWHILE:
        if (!do_while_repeats(s)) return;
        break;
    default:
        break;
    }
    // Back to the loop's header, which is still the statement of a brace-less body around it:
    // that countdown waits for the header's own step.
    if (level.last_control != L_SUBR && in_.single_loop > 0) ++in_.single_loop;
    // Loops go back to their header; a call returns to its call line.
    in_.Line = level.loop_line;
    if (level.loop_next == 0) in_.found_loop = 1;
    level.loop_next = 0;
    if (level.last_control == L_FOR) in_.rbr_found = 1;
    if (level.last_control == L_SUBR) in_.calls.return_from_call(k);
}

bool ControlFlow::do_while_repeats(const std::string& s) {
    std::string tail = s;
    int32_t tail_line = -1;
    if (!starts_with_word(tail, "while")) {
        // Allman: "}" with «while (c);» on the next code line.
        const int32_t n = next_code_line(in_.Line);
        if (n >= 0) {
            std::string t = line_text(n);
            if (starts_with_word(t, "while") && split_header(after_word(t, "while")).after == ";") {
                tail = std::move(t);
                tail_line = n;
            }
        }
        if (tail_line < 0) {
            in_.ShowMessage1("Sketch Error - No While for do loop");
            return false;
        }
    }
    const Header h = split_header(after_word(tail, "while"));
    if (!h.matched) {
        // The loop stays open and the cursor on its "}".
        ++in_.cs.loopx;
        in_.single_loop = 0;
        bad_header("while");
        return false;
    }
    if (!truth(h.cond)) {
        if (tail_line >= 0) in_.Line = tail_line; // the step goes on after the while line
        return false;
    }
    return true;
}

void ControlFlow::close_top_level() {
    if (inloop && in_.get_line() == "}") {
        in_.Line = loopLine; // the step goes on into the loop() body: loop() repeats for ever
        inline_fors_.clear();
        return;
    }
    if (insetup) {
        insetup = false;
        end_of_setup();
    }
}

// ---------------------------------------------------------------------------------------------
// while and do

void ControlFlow::kwhile(std::string_view text) {
    const std::string s(text);
    const Header h = split_header(s);
    if (!h.matched) {
        pending_do_ = -1;
        bad_header("while");
        return;
    }

    // «do x++; while (c);» split by the executor: this is the do's test.
    if (const int32_t pending = std::exchange(pending_do_, -1); pending == in_.Line && h.after == ";") {
        if (truth(h.cond)) in_.found_loop = 1;
        return;
    }

    const BodyForm form = body_form(h.after);
    if (form == BodyForm::one_line) {
        // «while (c);», «while (c) x++;», «while (c) { x++; }»: nothing pushed, no countdown;
        // the line runs again while the condition holds.
        if (truth(h.cond)) run_loop_body(h.after);
        return;
    }
    if (truth(h.cond)) {
        if (!push({.last_control = L_WHILE, .loop_line = in_.Line, .braced = form == BodyForm::block})) return;
        if (form == BodyForm::next_line)
            in_.single_loop = 2;
        else
            run_trailing(h.after.substr(1));
        return;
    }
    skip_loop_body(h.after);
}

void ControlFlow::skip_loop_body(std::string_view after) {
    const int32_t from = in_.Line;
    const std::optional<TextPos> end = skip_body(after);
    if (!end) {
        no_close(from);
        return;
    }
    in_.Line = end->line; // the step goes on after the body
}

void ControlFlow::kdo(std::string_view text) {
    const std::string s(text);
    if (s.empty() || body_form(s) == BodyForm::block) {
        if (!push({.last_control = L_DOWHILE, .loop_line = in_.Line, .braced = true})) return;
        if (!s.empty()) run_trailing(std::string_view(s).substr(1));
        return;
    }
    // «do { x++; } while (x < 5);» on one line.
    const size_t end = statement_end(s, 0);
    const std::string_view body = std::string_view(s).substr(0, end);
    const std::string_view tail = dtrim(std::string_view(s).substr(end));
    if (starts_with_word(tail, "while")) {
        const int32_t level = in_.cs.loopx;
        if (run_loop_body(body) && !entered_call(level) && !truth(split_header(after_word(tail, "while")).cond))
            in_.found_loop = 0;
        return;
    }
    // «do x++;» whose «while (c);» the executor runs next as a statement of its own.
    run_body(body);
    pending_do_ = in_.Line;
}

// ---------------------------------------------------------------------------------------------
// for

ControlFlow::ForShape ControlFlow::for_shape(std::string_view text) {
    return for_shapes_.at(for_shapes_.find_or_add(text, [text] { return shape_of_for(text); }));
}

ControlFlow::ForShape ControlFlow::shape_of_for(std::string_view text) {
    ForShape shape;
    const auto span = [text](std::string_view part) {
        return Span{static_cast<size_t>(part.data() - text.data()), part.size()};
    };
    // Kept as specified: a quote before the first "for" of the text hands it on.
    if (const int quote = dpos("\"", text), word = dpos("for", text); quote > 0 && word > 0 && quote < word) {
        shape.handed_on = true;
    } else {
        const Header h = split_header(text);
        shape.matched = h.matched;
        shape.after = span(h.after);
        shape.form = body_form(h.after);
        if (const std::optional<ForParts> p = for_parts(h.cond)) {
            shape.has_parts = true;
            shape.init = span(p->init);
            shape.cond = span(p->cond);
            shape.step = span(p->step);
        }
    }
    return shape;
}

void ControlFlow::kfor(std::string_view text) {
    // A copy of the shape: the body run below may plan other headers and clear the memo.
    const ForShape shape = for_shape(text);
    if (shape.handed_on) {
        in_.keep_going = 1;
        return;
    }
    if (!shape.matched || !shape.has_parts) {
        bad_header("for", shape.matched);
        return;
    }
    const std::string_view after = shape.after.in(text);
    const BodyForm form = shape.form;
    // A re-entry comes from the block's end back to the line whose slot is the newest.
    const bool reentry = in_.rbr_found != 0 && forx >= 1 && for_line[static_cast<size_t>(forx)] == in_.Line;
    in_.rbr_found = 0;

    if (form == BodyForm::one_line) {
        one_line_for(shape.init.in(text), shape.cond.in(text), shape.step.in(text), after);
        return;
    }

    int32_t slot = 0;
    bool go = false;
    if (reentry) {
        slot = forx;
        const auto k = static_cast<size_t>(slot);
        in_.evaluate_expression(for3[k]);
        go = for2[k].empty() || truth(for2[k]);
        if (!go) forx = slot - 1;
    } else {
        const std::string_view init = shape.init.in(text);
        const std::string_view cond = shape.cond.in(text);
        if (!init.empty()) in_.evaluate_expression(std::string(init)); // «int i = 0» declares i
        go = cond.empty() || truth(cond);
        if (go) {
            if (forx >= MAX_LOOP) {
                in_.ShowMessage1("Sketch Error - Blocks nested too deeply");
                return;
            }
            slot = ++forx;
            const auto k = static_cast<size_t>(slot);
            for2[k] = std::string(cond);
            for3[k] = std::string(shape.step.in(text));
            for_line[k] = in_.Line;
        }
    }

    if (go) {
        const ControlLevel level{
            .last_control = L_FOR, .loop_line = in_.Line, .braced = form == BodyForm::block, .forx = slot};
        if (!push(level)) {
            forx = slot - 1;
            return;
        }
        if (form == BodyForm::next_line) {
            in_.single_loop = 2;
            in_.rbr_found = 1;
        } else {
            run_trailing(after.substr(1));
        }
        return;
    }
    skip_loop_body(after);
}

void ControlFlow::one_line_for(std::string_view init, std::string_view cond, std::string_view step,
                               std::string_view body) {
    // «for (...) x += i;»: nothing pushed, no countdown; the line runs once per pass. A pass
    // in progress is remembered by its line and level, so the next run of the line steps on.
    const std::pair<int32_t, int32_t> key{in_.Line, in_.cs.loopx};
    const auto it = std::find(inline_fors_.begin(), inline_fors_.end(), key);
    if (it == inline_fors_.end()) {
        if (!init.empty()) in_.evaluate_expression(std::string(init));
    } else {
        inline_fors_.erase(it);
        if (!step.empty()) in_.evaluate_expression(std::string(step));
    }
    if (!cond.empty() && !truth(cond)) return;
    inline_fors_.push_back(key);
    if (!run_loop_body(body)) std::erase(inline_fors_, key);
}

// ---------------------------------------------------------------------------------------------
// break and continue

int32_t ControlFlow::target_level(bool loops_only) const {
    for (int32_t k = in_.cs.loopx - 1; k >= 1; --k) {
        const int32_t kind = in_.cs.at(k).last_control;
        if (kind == IFORELSE) continue;
        if (kind == L_SWITCH) {
            if (loops_only) continue;
            return k;
        }
        if (loop_kind(kind)) return k;
        return 0; // a call frame: nothing to leave inside this function
    }
    return 0;
}

bool ControlFlow::leave_to(int32_t target, std::string_view word) {
    const bool is_continue = word == "continue";
    // Where the walk starts: just after the word on the current line, inside any braces that
    // this line opened around it (not the one that opened the level itself).
    const std::string t = line_text(in_.Line);
    const size_t from = anchor_line_ == in_.Line ? anchor_col_ + 1 : 0;
    const size_t at = find_word(t, word, from);
    TextPos pos{in_.Line + 1, 0};
    int depth = 1;
    if (at != npos) {
        pos = {in_.Line, at + word.size()};
        depth += open_braces(t, from, at);
    }

    // Plan every walk before anything changes, so that a missing "}" leaves all as it was.
    const int32_t last = is_continue ? target + 1 : target; // continue keeps the loop's own level
    std::optional<TextPos> close;
    for (int32_t k = in_.cs.loopx - 1; k >= target; --k) {
        if (!in_.cs.at(k).braced) continue; // a brace-less body ends with this statement
        std::optional<TextPos> found = find_close(pos.line, pos.col, depth);
        if (!found) return no_close(in_.Line);
        close = found;
        pos = {found->line, found->col + 1};
        depth = 1;
    }
    if (!is_continue && !in_.cs.at(target).braced) {
        // A brace-less loop's body is one statement, an if with its else branches included:
        // the cursor goes past all of it.
        const int32_t first = next_code_line(in_.cs.at(target).loop_line);
        close = first < 0 ? std::nullopt : skip_statement(first);
        if (!close) return no_close(in_.Line);
    }

    // Popping brings back the countdown of a brace-less body around the loop left, for which
    // the loop was its statement; the step counts it.
    while (in_.cs.loopx > last && pop_level()) {
    }
    stop_body_ = true;

    if (is_continue) {
        const ControlLevel& loop = in_.cs.at(target);
        if (loop.braced) {
            // The loop's "}" runs next: it repeats the loop as at the end of a pass.
            in_.single_loop = 0;
            in_.Line = close->line;
            in_.found_loop = 1;
        } else {
            // A brace-less loop's body is this statement: the countdown closes it now.
            in_.single_loop = 1;
            if (loop.last_control == L_FOR) in_.rbr_found = 1;
        }
        return true;
    }
    if (close) {
        in_.Line = close->line;
        in_.FindNextLine(); // the line after the block's closing brace runs next
        in_.found_loop = 1;
    }
    return true;
}

void ControlFlow::kbreak(std::string_view) { leave_loop(false); }

void ControlFlow::kcontinue(std::string_view) { leave_loop(true); }

void ControlFlow::leave_loop(bool is_continue) {
    if (inline_loops_ > 0) { // inside a one-line loop's body: that loop ends, or takes its next pass
        (is_continue ? continue_req_ : break_req_) = true;
        stop_body_ = true;
        return;
    }
    const int32_t target = target_level(is_continue);
    if (target == 0) {
        in_.ShowMessage1(is_continue ? "Sketch Error - continue outside a loop"
                                     : "Sketch Error - break outside a loop or switch");
        return;
    }
    leave_to(target, is_continue ? "continue" : "break");
}

} // namespace quorvex
