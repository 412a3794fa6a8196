// Calls of the sketch's own functions and their returns.
#include "interpreter/calls.h"

#include <algorithm>

#include "interpreter/checked.h"
#include "interpreter/dispatch_tables.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace {

constexpr size_t npos = std::string_view::npos;

// A call of a sketch subroutine found in a text: where its name starts and its brackets.
struct CallAt {
    size_t start;
    size_t open;
    size_t close;
    std::string_view name;
};

// The calls of sketch subroutines in `s`, outside literals and before a "//" comment, in order.
// A name after "." or "->" is a method, not a subroutine.
std::vector<CallAt> find_calls(std::string_view s, const SubroutineTable& subs) {
    std::vector<CallAt> out;
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            i = skip_literal(s, i);
            continue;
        }
        if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') break;
        if (!ident_char(c)) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < s.size() && ident_char(s[end])) ++end;
        const bool member = i > 0 && (s[i - 1] == '.' || s[i - 1] == '>');
        size_t k = end;
        while (k < s.size() && s[k] == ' ') ++k;
        const std::string_view word = s.substr(i, end - i);
        if (!member && k < s.size() && s[k] == '(' && subs.find(word) != nullptr) {
            if (const size_t close = matching_bracket(s, k); close != npos) out.push_back({i, k, close, word});
        }
        i = end;
    }
    return out;
}

// A nested call can deliver only to a parameter: at most one argument may call a subroutine,
// and that argument must be the call alone (recursively).
bool args_deliverable(std::string_view call, const SubroutineTable& subs) {
    const size_t open = call.find('(');
    if (open == npos || call.size() < open + 2) return true;
    int calls = 0;
    for (std::string_view arg : split_top_level(call.substr(open + 1, call.size() - open - 2))) {
        const std::vector<CallAt> inner = find_calls(arg, subs);
        if (inner.empty()) continue;
        if (inner.front().start != 0 || inner.front().close != arg.size() - 1) return false;
        if (++calls > 1 || !args_deliverable(arg, subs)) return false;
    }
    return true;
}

// True when `before` ends with the word `w`.
bool ends_with_word(std::string_view before, std::string_view w) {
    return before.ends_with(w) && (before.size() == w.size() || !ident_char(before[before.size() - w.size() - 1]));
}

// The declaration's name: its last word, without a pointer or reference mark.
std::string param_name(std::string_view decl) {
    decl = dtrim(decl);
    const size_t blank = decl.find_last_of(' ');
    std::string_view name = blank == npos ? decl : decl.substr(blank + 1);
    while (!name.empty() && (name.front() == '*' || name.front() == '&')) name.remove_prefix(1);
    return std::string(dtrim(name));
}

} // namespace

bool Calls::is_call(std::string_view text) const {
    text = dtrim(text);
    if (text.ends_with(';')) text = dtrim(text.substr(0, text.size() - 1));
    const std::vector<CallAt> found = find_calls(text, in_.subs);
    return !found.empty() && found.front().start == 0 && found.front().close == text.size() - 1;
}

bool Calls::line_allows_call(std::string_view name, std::string& target, AssignMode& mode) {
    // In a body on a header line only the statement running counts, not the whole line.
    const std::string text = one_line_statement_.empty() ? in_.get_line() : one_line_statement_;
    const std::string_view s = text;
    const std::vector<CallAt> all = find_calls(s, in_.subs);
    std::vector<CallAt> outer;
    for (const CallAt& o : all)
        if (outer.empty() || o.start > outer.back().close) outer.push_back(o);
    // A call the line does not show (a macro that expands to one) has nowhere to deliver.
    if (outer.empty() || outer.front().name != name) return outer.size() <= 1;
    // Each call on a line returns to that line; a second one would run with the first's frame.
    if (outer.size() > 1) return false;
    const CallAt& o = outer.front();
    if (!args_deliverable(s.substr(o.start, o.close - o.start + 1), in_.subs)) return false;

    const std::string_view after = dtrim(s.substr(o.close + 1));
    if (!after.empty() && after.front() != ';') return false;
    const std::string_view before = dtrim_right(s.substr(0, o.start));
    if (before.empty() || ends_with_word(before, "else")) return true;
    const char last = before.back();
    if (last == ';' || last == '{' || last == '}' || last == ')') return true;
    if (last == ':') return !before.ends_with("::");
    if (last != '=') return false;
    if (before.size() >= 2 && contains("=!<>+-*/%&|^", before[before.size() - 2])) return false;

    // The left side runs back to the start of its statement: one term after any type words.
    size_t from = before.size() - 1;
    int depth = 0;
    while (from > 0) {
        const char c = before[from - 1];
        if (c == ']')
            ++depth;
        else if (c == '[')
            --depth;
        else if (depth == 0 && (c == ';' || c == '{' || c == '}' || c == ')' || c == ':'))
            break;
        else if (depth == 0 && !ident_char(c) && c != ' ' && c != '.' && c != '*')
            return false;
        --from;
    }
    std::string_view left = dtrim(before.substr(from, before.size() - 1 - from));
    if (left.starts_with("else ")) left = dtrim(left.substr(5));
    if (left.empty()) return false;
    // Type words go: the last term is the target; a blank inside an index is no word boundary.
    const size_t bracket = left.find('[');
    const size_t blank = left.substr(0, bracket).find_last_of(' ');
    if (blank != npos) {
        left = dtrim(left.substr(blank + 1));
        mode = AssignMode::DeclInit; // a const declared here takes the value
    }
    while (!left.empty() && left.front() == '*') left.remove_prefix(1);
    target = std::string(left);
    return !target.empty();
}

void Calls::refuse(std::string_view name) {
    in_.ShowMessage1("Sketch Error - " + std::string(name) +
                     "() can only be called on its own or as the whole right side of an assignment");
    // Nothing of the statement runs: a value of 0 in its place would be silently wrong.
    if (in_.evaluating()) throw StatementAbandoned("call refused");
}

bool Calls::sr_found(std::string_view name_in, Caller caller) {
    const Subroutine* found = in_.subs.find(name_in);
    if (found == nullptr) return false;
    const auto idx = static_cast<int32_t>(found - in_.subs.rows().data());
    const Subroutine sub = *found; // a copy: the table may be refilled by a reset
    const std::string name(name_in);

    std::string target;
    AssignMode mode = AssignMode::Assign;
    // Events and interrupts enter between statements; only a statement's call is checked for its place.
    if (caller == Caller::statement && !call_placed(name, target, mode)) return true;
    const int32_t row = in_.cs.loopx;
    std::vector<std::string> args;
    if (!call_fits(name, sub, row, args)) return true;
    if (!push_frame(idx, sub, row, std::move(target), mode)) return true;
    const std::vector<std::string> decls = parameter_texts(sub);
    if (!decls.empty() && dtrim(decls.front()) != "void") bind_parameters(decls, args);
    stay_for_one_line(row);
    return true;
}

bool Calls::call_placed(const std::string& name, std::string& target, AssignMode& mode) {
    // Outside a step (the reset scan's global initialisers) a call would move the cursor under
    // the scan.
    if (!in_.in_step()) {
        in_.ShowMessage1("Sketch Error - " + name + "() cannot be called from a global declaration");
        return false;
    }
    // Inside, its value can only be delivered from a few places.
    const bool allowed = !binding_.empty() ? is_call(binding_.back()) : line_allows_call(name, target, mode);
    if (!allowed) refuse(name);
    return allowed;
}

bool Calls::call_fits(const std::string& name, const Subroutine& sub, int32_t row, std::vector<std::string>& args) {
    if (row < 1 || row > max_depth) {
        in_.ShowMessage1("Sketch Error - calls nested too deeply: " + name);
        return false;
    }
    const bool event = name == in_.Event;
    if (sub.params > max_args || (!event && in_.varx.size() > static_cast<size_t>(max_args))) {
        in_.ShowMessage1("Sketch Error - too many arguments (limit " + std::to_string(max_args) + "): " + name);
        return false;
    }
    if (!event)
        for (int32_t j = 0; j < sub.params; ++j) args.push_back(in_.varx[static_cast<size_t>(j)]);
    return true;
}

bool Calls::push_frame(int32_t callee, const Subroutine& sub, int32_t row, std::string target, AssignMode mode) {
    const int32_t caller_retx = retx;
    const Value caller_ret_value = ret_value;
    retx = 0;
    for (int32_t t = 1; t <= max_n; ++t)
        stackx[static_cast<size_t>(row)][static_cast<size_t>(t)] = in_.vars.var_n[static_cast<size_t>(t)];
    ControlLevel level;
    level.last_control = L_SUBR;
    level.loop_line = in_.Line;
    level.loop_next = 1;
    const int32_t countdown = in_.single_loop;
    if (!in_.push_level(level)) return false;
    // A brace-less body that calls must not be closed by the callee's first statement.
    Frame& frame = frames_[static_cast<size_t>(row)];
    frame = Frame{};
    frame.callee = callee;
    frame.target = std::move(target);
    frame.mode = mode;
    frame.single_loop = countdown;
    frame.rbr_found = in_.rbr_found;
    frame.caller_retx = caller_retx;
    frame.caller_ret_value = caller_ret_value;
    in_.single_loop = 0;
    in_.rbr_found = 0;
    in_.Line = sub.header_line;
    // A body on the header line runs when the step comes back to the header.
    if (sub.close_line == sub.header_line) frame.one_line_next = 0;
    return true;
}

std::vector<std::string> Calls::parameter_texts(const Subroutine& sub) {
    // The parameter list ends at the bracket that closes the header's first "(", so a
    // one-line body's own brackets stay out of it.
    std::string header = in_.get_line();
    if (const size_t open = header.find('('); open != npos) {
        if (const size_t close = matching_bracket(header, open); close != npos) header.resize(close + 1);
    }
    const int count = std::min(in_.parse(header, '(', ')'), sub.params);
    std::vector<std::string> decls;
    for (int j = 0; j < count; ++j) decls.push_back(in_.varx[static_cast<size_t>(j)]);
    return decls;
}

void Calls::bind_parameters(const std::vector<std::string>& decls, const std::vector<std::string>& args) {
    // Every parameter exists before any argument runs, so a call in an argument saves counts
    // that keep them.
    std::vector<std::string> names;
    for (const std::string& d : decls) {
        in_.set_other = 0;
        in_.evaluate_expression("local " + d);
        in_.set_other = 0;
        names.push_back(param_name(d));
    }

    auto bind = [&](size_t j) {
        const int32_t before = in_.cs.loopx;
        binding_.push_back(args[j]);
        Value v;
        try {
            v = in_.get_value(args[j]);
        } catch (...) {
            binding_.pop_back();
            throw;
        }
        binding_.pop_back();
        if (in_.cs.loopx > before && before <= max_depth) {
            // The argument called a subroutine: its return delivers to this parameter.
            in_.cs.at(before).sr_var = static_cast<int32_t>(j) + 1;
            Frame& inner = frames_[static_cast<size_t>(before)];
            inner.target = names[j];
            inner.mode = AssignMode::ParamBind;
        } else {
            in_.assign(names[j], v, AssignMode::ParamBind);
        }
    };
    // The one argument that is a call goes last: its frame moves the cursor and owns the
    // variables declared after it.
    size_t call_arg = npos;
    for (size_t j = 0; j < names.size() && j < args.size(); ++j) {
        if (dtrim(args[j]).empty()) continue;
        if (call_arg == npos && is_call(args[j])) {
            call_arg = j;
            continue;
        }
        bind(j);
    }
    if (call_arg != npos) bind(call_arg);
}

int32_t Calls::in_cs_top() const { return in_.cs.loopx - 1; }

void Calls::stay_for_one_line(int32_t row) {
    // Only while this frame is on top: a call in an argument has moved the cursor to its own header.
    if (row == in_cs_top() && frames_[static_cast<size_t>(row)].one_line_next >= 0) in_.found_loop = 1;
}

bool Calls::run_one_line() {
    const int32_t k = in_cs_top();
    Frame& frame = frames_[static_cast<size_t>(k)];
    if (frame.callee < 0 || frame.callee >= in_.subs.srx() || in_.subs.at(frame.callee).header_line != in_.Line) {
        frame.one_line_next = -1;
        return false;
    }
    const std::string text = in_.get_line();
    std::string_view body;
    if (const size_t open = text.find('('); open != npos) {
        if (const size_t close = matching_bracket(text, open); close != npos)
            body = dtrim(std::string_view(text).substr(close + 1));
    }
    const std::vector<std::string_view> list = flow_text::statements(body);
    retx = 0;
    while (static_cast<size_t>(frame.one_line_next) < list.size()) {
        one_line_statement_ = std::string(list[static_cast<size_t>(frame.one_line_next)]);
        ++frame.one_line_next;
        const int32_t line = in_.Line;
        in_.Results.clear();
        struct Clear {
            std::string& s;
            ~Clear() { s.clear(); }
        } clear{one_line_statement_};
        in_.evaluate_expression(one_line_statement_);
        // A call returns to this header, which goes on with the next statement; a frame that
        // is gone (an error unwound it) has nothing left to run.
        if (in_cs_top() != k) return true;
        if (retx != 0) break; // return: its value waits for the closing brace
        if (in_.Line != line || in_.found_loop != 0) {
            frame.one_line_next = -1; // a jump out of the line: the body goes on where it landed
            return true;
        }
    }
    // The body's closing brace, on the same line.
    frame.one_line_next = -1;
    in_.found_loop = 0;
    in_.Line = in_.subs.at(frame.callee).header_line;
    in_.flow.krbr("}");
    return true;
}

void Calls::leave_to(int32_t keep, int32_t callee) {
    // The for levels left give up their slots, and every slot above them.
    while (in_.cs.loopx > keep && in_.cs.pop()) {
        const ControlLevel& left = in_.cs.at(in_.cs.loopx);
        if (left.last_control == L_FOR && left.forx > 0) in_.flow.forx = std::min(in_.flow.forx, left.forx - 1);
    }
    in_.single_loop = 0; // the brace-less levels it would close are gone
    if (callee < 0 || callee >= in_.subs.srx()) return;
    const int32_t close = in_.subs.at(callee).close_line;
    if (close < 0) return;
    in_.Line = close;
    in_.found_loop = 1;
}

int32_t Calls::kreturn(std::string_view s) {
    const std::string expr(cut_statement(s));
    ret_value = expr.empty() ? Value::of_int(0) : in_.get_value(expr);
    retx = 1;

    for (int32_t k = in_.cs.loopx - 1; k >= 1; --k) {
        if (in_.cs.at(k).last_control != L_SUBR) continue;
        leave_to(k + 1, k <= max_depth ? frames_[static_cast<size_t>(k)].callee : -1);
        return 0;
    }
    // No call frame: setup() or loop(), whichever body holds the cursor.
    int32_t holder = -1;
    for (int32_t i = 0; i < in_.subs.srx(); ++i) {
        const Subroutine& sub = in_.subs.at(i);
        if (sub.header_line <= in_.Line && in_.Line <= sub.close_line &&
            (holder < 0 || sub.header_line > in_.subs.at(holder).header_line))
            holder = i;
    }
    if (holder >= 0) leave_to(1, holder);
    return 0;
}

void Calls::return_from_call(int32_t level) {
    if (level < 1 || level > max_depth) return;
    ControlLevel& lv = in_.cs.at(level);
    Frame& frame = frames_[static_cast<size_t>(level)];
    in_.Line = lv.loop_line;
    lv.loop_next = 0;
    in_.serEvent = false;
    const bool deliver = !lv.async && !frame.target.empty() && (lv.sr_var > 0 || retx > 0);
    lv.sr_var = 0;
    for (int32_t t = 1; t <= max_n; ++t)
        in_.vars.var_n[static_cast<size_t>(t)] = stackx[static_cast<size_t>(level)][static_cast<size_t>(t)];
    if (deliver) in_.assign(frame.target, ret_value, frame.mode);
    // Delivered once: an outer function without a return must not pass this value on. A
    // routine that interrupted a function leaves that function's own return value standing.
    retx = lv.async ? frame.caller_retx : 0;
    ret_value = lv.async ? frame.caller_ret_value : Value{};
    // A routine entered between statements returns before the statement it came in front of,
    // which a brace-less body's countdown still waits for.
    // A routine entered between statements returns before the statement it came in front of,
    // which a brace-less body's countdown still waits for.
    in_.single_loop = frame.single_loop + (lv.async && frame.single_loop > 0 ? 1 : 0);
    in_.rbr_found = frame.rbr_found;
    // An event or interrupt entered before the line ran; a call from a "}" must run that "}".
    if (lv.async || dtrim(in_.get_line()) == "}") in_.found_loop = 1;
    frame = Frame{};
    // Back on a header whose body stands on the line: the rest of that body runs next.
    if (const int32_t top = in_cs_top();
        top >= 1 && top <= max_depth && frames_[static_cast<size_t>(top)].one_line_next >= 0 && !lv.async)
        in_.found_loop = 1;
}

void Calls::reset() {
    retx = 0;
    ret_value = Value{};
    for (auto& row : stackx) row.fill(0);
    frames_.fill(Frame{});
    binding_.clear();
    one_line_statement_.clear();
}

} // namespace quorvex
