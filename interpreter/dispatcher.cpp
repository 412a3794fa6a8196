// The statement executor: one text in, matched against the ordered tables, handed to the
// first entry that fits.
#include <string>
#include <utility>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

void DispatchSlots::restore_objects() {
    for (size_t i = 0; i < kobj.size(); ++i) {
        kobj_word[i] = quorvex::kobj[i].word;
        kobj_live[i] = i > 0 && !is_object_key(static_cast<int>(i));
    }
}

void DispatchSlots::restore() {
    restore_objects();
    for (size_t i = 0; i < kobj.size(); ++i) kobj[i] = quorvex::kobj[i].handler;
    for (size_t i = 0; i < kcontrol.size(); ++i) kcontrol[i] = quorvex::kcontrol[i].handler;
    for (size_t i = 0; i < karduinofn.size(); ++i) karduinofn[i] = quorvex::karduinofn[i].handler;
    for (size_t i = 0; i < klibfn.size(); ++i) klibfn[i] = quorvex::klibfn[i].handler;
    for (size_t i = 0; i < koperators.size(); ++i) koperators[i] = quorvex::koperators[i].handler;
}

void Interpreter::register_object(int key, std::string name) {
    if (!is_object_key(key)) return;
    const auto k = static_cast<size_t>(key);
    tables.kobj_word[k] = std::move(name);
    tables.kobj_live[k] = !tables.kobj_word[k].empty();
}

int32_t Interpreter::unknown_command(std::string_view s) {
    ShowMessage1("Unknown command: " + std::string(cut_statement(s)));
    return 0;
}

int32_t Interpreter::evaluate_expression(std::string s) {
    if (eval_aborted_) return 0;
    int32_t result = 0;
    try {
        DepthGuard guard(eval_depth_);
        result = dispatch(s);
    } catch (const StatementAbandoned&) {
        // Reported where it happened; the enclosing evaluations of the statement unwind too.
        if (eval_depth_ > 0) throw;
        result = 0;
    } catch (const NestingFault&) {
        // Every enclosing evaluation of this statement now yields 0 without a further report.
        ShowMessage1("Cannot Evaluate " + s);
        eval_aborted_ = true;
        result = 0;
    } catch (const std::exception&) {
        // Only the innermost evaluation reports; its caller goes on with 0.
        ShowMessage1("Cannot Evaluate " + s);
        result = 0;
    }
    keep_going = 0;
    if (eval_depth_ == 0) eval_aborted_ = false;
    return result;
}

namespace {

// A handler call on one row; the executor returns unless the handler declined.
struct Outcome {
    bool done;
    int32_t value;
};

} // namespace

int32_t Interpreter::dispatch(std::string& s) {
    set_ident = -1;
    int32_t result = 0;
    PendingMethod method;
    if (pending_method_.set) method = std::exchange(pending_method_, PendingMethod{});
    s = std::string(dtrim(s));
    if (s.empty() || s == ";") return 0;

    // Several statements on one line: run all but the last, then go on with the last.
    if (!prefix_matches(s, "for") && !contains(s, '{')) {
        const size_t semi = find_outside_literals(s, ";");
        if (semi != std::string::npos && !dtrim(std::string_view(s).substr(semi + 1)).empty()) {
            const std::string whole = s;
            const std::vector<std::string_view> parts = split_statements(whole);
            for (size_t i = 0; i + 1 < parts.size(); ++i) {
                Results.clear();
                evaluate_expression(std::string(parts[i]));
            }
            Results.clear();
            s = std::string(parts.back());
            set_ident = -1;
        }
    }

    // A bracket at the start: a cast, or a bracketed value that replaces the bracket.
    if (s[0] == '(') {
        const int close = nextbracket(s);
        if (close == 0) throw EvalFault("unmatched bracket");
        const std::string inner(dcopy(s, 2, close - 2));
        const std::string after(dcopy(s, close + 1, static_cast<int64_t>(s.size())));
        if (const int32_t type = cast_type(inner); type > 0) {
            result = get_var(after);
            if (n_type == 6 && type != 6) {
                result = float_to_int32(var_float);
            } else if (type == 6 && n_type != 6) {
                var_float = result;
            }
            n_type = type;
        } else {
            const int32_t value = get_var(inner);
            s = std::to_string(value) + after;
            result = get_var(s);
        }
        keep_going = 0;
        return result;
    }

    // A braced block.
    if (s.size() >= 2 && s.front() == '{' && s.back() == '}') {
        Results.clear();
        return evaluate_expression(s.substr(1, s.size() - 2));
    }

    keep_going = 0;
    found = 0;
    got_it = 0;
    // A function-style cast yields its typed value; any other declaration yields 0.
    if (decl.check_declarations(s) || got_it > 0) return decl.cast_value;

    auto call = [&](Handler handler, Match m, ResultUse use, std::string_view stmt) -> Outcome {
        if (handler == nullptr) return {true, unknown_command(stmt)};
        m.statement = stmt;
        keep_going = 0;
        const int32_t value = handler(*this, m);
        if (keep_going == 0) return {true, use == ResultUse::returned ? value : 0};
        return {false, 0};
    };

    // Object prefixes and control words get the rest of the uncut statement.
    for (int i = 1; i <= max_obj; ++i) {
        const auto k = static_cast<size_t>(i);
        if (!tables.kobj_live[k] || !prefix_matches(s, tables.kobj_word[k])) continue;
        const DispatchRow& row = kobj[k];
        Match m;
        m.rest = dtrim(std::string_view(s).substr(tables.kobj_word[k].size()));
        m.row = i;
        m.panel = row.panel;
        m.port = (i == softser_key || i == softser_key2) ? std::string_view(tables.kobj_word[k]) : row.port;
        if (Outcome o = call(tables.kobj[k], m, row.result, s); o.done) return o.value;
    }
    for (int i = 1; i <= max_control; ++i) {
        const auto k = static_cast<size_t>(i);
        const DispatchRow& row = kcontrol[k];
        if (!prefix_matches(s, row.word)) continue;
        Match m;
        m.rest = dtrim(std::string_view(s).substr(std::string_view(row.word).size()));
        m.row = i;
        if (Outcome o = call(tables.kcontrol[k], m, row.result, s); o.done) return o.value;
    }

    // A ";" ends only a statement; a value inside an expression never carries one.
    const bool statement = find_outside_literals(s, ";") != std::string::npos;
    s = std::string(cut_statement(s));

    // Arduino functions: the whole cut statement is one call.
    if (!s.empty() && s.back() == ')') {
        for (int i = 1; i <= max_afn; ++i) {
            const auto k = static_cast<size_t>(i);
            const DispatchRow& row = karduinofn[k];
            if (!call_matches(s, row.word)) continue;
            Match m;
            m.rest = dtrim(std::string_view(s).substr(std::string_view(row.word).size()));
            m.row = i;
            m.code = row.code;
            m.receiver = method.receiver;
            m.whole_statement = method.whole_statement;
            if (Outcome o = call(tables.karduinofn[k], m, row.result, s); o.done) return o.value;
        }
    }

    for (int i = 1; i <= max_lib; ++i) {
        const auto k = static_cast<size_t>(i);
        const DispatchRow& row = klibfn[k];
        if (!std::string_view(s).starts_with(row.word)) continue;
        Match m;
        m.rest = dtrim(std::string_view(s).substr(std::string_view(row.word).size()));
        m.row = i;
        if (Outcome o = call(tables.klibfn[k], m, row.result, s); o.done) return o.value;
    }

    // A call of one of the sketch's own subroutines.
    parse(s, '(', ')');
    if (calls.sr_found(eval_fn, Calls::Caller::statement)) {
        rbr_found = 0;
        return result;
    }

    // A bracketed value at the end, as in «x + (a == b)»: the bracket becomes its value.
    if (!s.empty() && s.back() == ')') {
        const int lp = dpos("(", s);
        const int eq = dpos("=", s);
        const size_t open = static_cast<size_t>(lp) - 1;
        if (lp > 0 && eq >= lp && s.size() - open >= 3 && matching_bracket(s, open) == s.size() - 1) {
            const std::string head(dcopy(s, 1, lp - 1));
            const std::string part(dcopy(s, lp + 1, static_cast<int64_t>(s.size()) - lp - 1));
            if (const int32_t type = cast_type(part); type > 0) {
                result = 0;
                n_type = type;
            } else if (!contains(part, ',')) {
                if (head.empty() || !ident_char(head.back())) {
                    const int32_t value = get_var(part);
                    s = head + std::to_string(value);
                    result = get_var(s);
                }
            }
        }
    }

    // Operators: the first table entry found anywhere takes the whole statement.
    for (int i = 1; i <= max_op; ++i) {
        const auto k = static_cast<size_t>(i);
        const DispatchRow& row = koperators[k];
        if (!contains(s, std::string_view(row.word))) continue;
        Match m;
        m.rest = s;
        m.op = row.word;
        m.row = i;
        if (Outcome o = call(tables.koperators[k], m, row.result, s); o.done) return o.value;
    }

    // receiver.method(...) that no table claimed: a String method on the receiver.
    // (a "." inside a literal is text: «say("http://example.org")» has no receiver)
    if (const size_t dot = find_outside_literals(s, "."); dot != std::string::npos) {
        keep_going = 0;
        Results = std::string(dtrim(std::string_view(s).substr(0, dot)));
        pending_method_ = {true, Results, statement};
        struct Unclaimed { // an evaluation that never dispatched must not pass it on to the next
            PendingMethod& pending;
            ~Unclaimed() { pending = PendingMethod{}; }
        } const unclaimed{pending_method_};
        return evaluate_expression(std::string(dtrim(std::string_view(s).substr(dot + 1))));
    }
    ShowMessage1("Unknown command: " + s);
    return result;
}

} // namespace quorvex
