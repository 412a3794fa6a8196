// The statement executor: one text in, matched against the ordered tables, handed to the
// first entry that fits.
#include <charconv>
#include <optional>
#include <string>
#include <utility>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "interpreter/row_filter.h"

namespace quorvex {

namespace {

// The text that stands for a bracket's value in the rewritten statement: an integer in decimal;
// a float exactly, always with a point, so that the term reader takes it for a float again and
// «r * (5.0 / 1023.0)» keeps its fraction; a String as a literal, unless a double quote in it,
// or a backslash at its end, cannot be written so (it then counts as 0, as any value without a
// literal form).
std::string value_literal(const Value& v) {
    char buf[80];
    if (v.type == n_string && v.s.find('"') == std::string::npos && !v.s.ends_with('\\')) return '"' + v.s + '"';
    if (v.type != n_float) {
        const auto r = std::to_chars(buf, buf + sizeof buf, v.i);
        return std::string(buf, r.ptr);
    }
    // The term reader refuses floats beyond 2^63 in magnitude; so does this.
    if (!(v.f > -0x1p63L && v.f < 0x1p63L)) throw EvalFault("float out of range");
    const auto r = std::to_chars(buf, buf + sizeof buf, v.f); // shortest text that reads back exactly
    std::string text(buf, r.ptr);
    if (text.find('.') == std::string::npos) {
        const size_t e = text.find('e');
        text.insert(e == std::string::npos ? text.size() : e, ".0");
    }
    return text;
}

template <size_t N>
RowSet<N> all_rows() {
    RowSet<N> rows;
    for (size_t k = 1; k < N; ++k) rows.add(k);
    return rows;
}
const RowSet<max_obj + 1> kobj_rows = all_rows<max_obj + 1>();

// Keeps plans from being kept while it lives.
class UnkeptPlans {
public:
    explicit UnkeptPlans(int& count) : count_(count) { ++count_; }
    ~UnkeptPlans() { --count_; }
    UnkeptPlans(const UnkeptPlans&) = delete;
    UnkeptPlans& operator=(const UnkeptPlans&) = delete;

private:
    int& count_;
};

} // namespace

void DispatchSlots::restore_objects() {
    for (size_t i = 0; i < kobj.size(); ++i) {
        kobj_word[i] = quorvex::kobj[i].word;
        kobj_live[i] = i > 0 && !is_object_key(static_cast<int>(i));
    }
    index_objects();
}

void DispatchSlots::index_objects() {
    kobj_first = CharSet();
    for (size_t i = 1; i < kobj.size(); ++i)
        if (kobj_live[i] && !kobj_word[i].empty()) kobj_first.add(kobj_word[i].front());
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
    tables.index_objects();
}

int32_t Interpreter::unknown_command(std::string_view s) {
    ShowMessage1("Unknown command: " + std::string(cut_statement(s)));
    return 0;
}

bool Interpreter::statement_too_long(std::string_view s) {
    if (s.size() <= max_statement_length) return false;
    ShowMessage1("Sketch Error - statement longer than " + std::to_string(max_statement_length) + " characters");
    return true;
}

int32_t Interpreter::evaluate_expression(std::string s) { return evaluate_in_place(s); }

int32_t Interpreter::evaluate_in_place(std::string& s) {
    if (eval_aborted_) return 0;
    // Nested evaluations work on parts of the outermost text, which is checked once.
    if (eval_depth_ == 0) {
        if (statement_too_long(s)) return 0;
        start_define_count();
    }
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

Interpreter::Outcome Interpreter::run_row(Handler handler, Match& m, ResultUse use, std::string_view stmt) {
    if (handler == nullptr) return {true, unknown_command(stmt)};
    m.statement = stmt;
    keep_going = 0;
    const int32_t value = handler(*this, m);
    if (keep_going == 0) return {true, use == ResultUse::returned ? value : 0};
    return {false, 0};
}

// One table in row order: every candidate row that fits(k) gets its handler with the match that
// fill(k, m) prepares, until a handler takes the statement.
template <size_t N, class Rows, class Fits, class Fill>
Interpreter::Outcome Interpreter::scan_table(const std::array<DispatchRow, N>& rows,
                                             const std::array<Handler, N>& slots, std::string_view s,
                                             const Rows& candidates, Fits&& fits, Fill&& fill) {
    Outcome o{false, 0};
    candidates.find_if([&](size_t k) {
        if (!fits(k)) return false;
        Match m;
        m.row = static_cast<int>(k);
        fill(k, m);
        o = run_row(slots[k], m, rows[k].result, s);
        return o.done;
    });
    return o;
}

bool Interpreter::run_all_but_last(std::string& s) {
    if (prefix_matches(s, "for") || contains(s, '{')) return false;
    const size_t semi = find_outside_literals(s, ";");
    if (semi == std::string::npos || dtrim(std::string_view(s).substr(semi + 1)).empty()) return false;
    const std::string whole = s;
    const std::vector<std::string_view> parts = split_statements(whole);
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        Results.clear();
        evaluate_expression(std::string(parts[i]));
    }
    Results.clear();
    s = std::string(parts.back());
    set_ident = -1;
    return true;
}

int32_t Interpreter::leading_bracket(std::string& s) {
    int32_t result = 0;
    const int close = nextbracket(s);
    if (close == 0) throw EvalFault("unmatched bracket");
    const std::string inner(dcopy(s, 2, close - 2));
    const std::string after(dcopy(s, close + 1, static_cast<int64_t>(s.size())));
    if (const int32_t type = cast_type(inner); type > 0) {
        result = get_var(after);
        if (n_type == 6 && type != 6) {
            result = truncate_to_int32(var_float);
        } else if (type == 6 && n_type != 6) {
            var_float = result;
        }
        n_type = type;
    } else if (dtrim(after).empty()) {
        // «(2.5)»: the bracket is the whole text, and its value, float or not, is the result.
        result = get_var(inner);
    } else {
        s = value_literal(get_value(inner)) + after;
        const UnkeptPlans unkept(unkept_plans_);
        result = get_var(s);
    }
    keep_going = 0;
    return result;
}

void Interpreter::bracket_at_end(std::string& s, size_t open) {
    const std::string head(std::string_view(s).substr(0, open));
    const std::string part(std::string_view(s).substr(open + 1, s.size() - open - 2));
    s = head + value_literal(get_value(part));
}

DispatchPlan Interpreter::plan_for(std::string_view s) { return unkept_plans_ > 0 ? make_plan(s) : plans_.plan(s); }

std::optional<int32_t> Interpreter::before_tables(std::string& s, const DispatchPlan& plan) {
    // A bracket at the start: a cast, or a bracketed value that replaces the bracket.
    if (s[0] == '(') return leading_bracket(s);

    // A braced block.
    if (s.size() >= 2 && s.front() == '{' && s.back() == '}') {
        Results.clear();
        return evaluate_expression(s.substr(1, s.size() - 2));
    }

    // A case line reached by falling through.
    if (plan.case_word && flow.kcase_line(s)) return 0;

    keep_going = 0;
    found = 0;
    got_it = 0;
    // A function-style cast yields its typed value; any other declaration yields 0.
    if (!plan.may_declare)
        decl.cast_value = 0;
    else if (decl.check_declarations(s) || got_it > 0)
        return decl.cast_value;
    return std::nullopt;
}

namespace {

// The rest of the statement after a row's word.
std::string_view rest_after(std::string_view s, std::string_view word) { return dtrim(s.substr(word.size())); }

constexpr auto any_row = [](size_t) { return true; };

} // namespace

Interpreter::Outcome Interpreter::scan_uncut(std::string_view s, const DispatchPlan& plan) {
    // The object words change at run time: they are compared here, each behind its first
    // character.
    if (tables.kobj_first.has(s.front())) {
        const Outcome o = scan_table(
            kobj, tables.kobj, s, kobj_rows,
            [&](size_t k) {
                const std::string& word = tables.kobj_word[k];
                return tables.kobj_live[k] && !word.empty() && word.front() == s.front() && prefix_matches(s, word);
            },
            [&](size_t k, Match& m) {
                m.rest = rest_after(s, tables.kobj_word[k]);
                m.panel = kobj[k].panel;
                const bool soft = k == softser_key || k == softser_key2; // the port is the object's name
                m.port = soft ? std::string_view(tables.kobj_word[k]) : kobj[k].port;
            });
        if (o.done) return o;
    }
    return scan_table(kcontrol, tables.kcontrol, s, plan.control, any_row,
                      [&](size_t k, Match& m) { m.rest = rest_after(s, kcontrol[k].word); });
}

Interpreter::Outcome Interpreter::scan_calls(std::string_view s, const DispatchPlan& plan,
                                             const PendingMethod& method) {
    // Arduino functions: the whole cut statement is one call.
    const Outcome o = scan_table(karduinofn, tables.karduinofn, s, plan.arduino, any_row, [&](size_t k, Match& m) {
        m.rest = rest_after(s, karduinofn[k].word);
        m.code = karduinofn[k].code;
        m.receiver = method.receiver;
        m.whole_statement = method.whole_statement;
    });
    if (o.done) return o;
    return scan_table(klibfn, tables.klibfn, s, plan.lib, any_row,
                      [&](size_t k, Match& m) { m.rest = rest_after(s, klibfn[k].word); });
}

bool Interpreter::sketch_call(std::string_view s, const DispatchPlan& plan) {
    // Without brackets the text has no arguments to read; the registers are emptied all the same.
    if (plan.call_brackets) {
        parse(s, '(', ')');
    } else {
        eval_fn.clear();
        varx.clear();
    }
    return calls.sr_found(eval_fn, Calls::Caller::statement);
}

int32_t Interpreter::method_fallback(std::string_view s, size_t dot, bool statement) {
    keep_going = 0;
    Results = std::string(dtrim(s.substr(0, dot)));
    pending_method_ = {true, Results, statement};
    struct Unclaimed { // an evaluation that never dispatched must not pass it on to the next
        PendingMethod& pending;
        ~Unclaimed() { pending = PendingMethod{}; }
    } const unclaimed{pending_method_};
    return evaluate_expression(std::string(dtrim(s.substr(dot + 1))));
}

int32_t Interpreter::dispatch(std::string& s) {
    set_ident = -1;
    PendingMethod method;
    if (pending_method_.set) method = std::exchange(pending_method_, PendingMethod{});
    dtrim_in_place(s);
    if (s.empty() || s == ";") return 0;

    // What the tables make of this text. A text made from run-time values is planned afresh.
    DispatchPlan plan = plan_for(s);

    // Several statements on one line: all but the last run now. An empty last one («x = 1;;»)
    // is a ";" alone, which does nothing.
    if (plan.split && run_all_but_last(s)) {
        if (s.empty() || s == ";") return 0;
        plan = plan_for(s);
    }
    if (const std::optional<int32_t> value = before_tables(s, plan)) return *value;

    // Object prefixes and control words get the rest of the uncut statement.
    Outcome o = scan_uncut(s, plan);
    if (o.done) return o.value;

    // A ";" ends only a statement; a value inside an expression never carries one.
    const bool statement = plan.statement;
    s.resize(plan.cut);
    o = scan_calls(s, plan, method);
    if (o.done) return o.value;

    // A call of one of the sketch's own subroutines.
    if (sketch_call(s, plan)) {
        rbr_found = 0;
        return 0;
    }

    // A bracketed value at the end: «y = (int)» takes the type; in «x + (a == b)» the bracket
    // becomes its value, and the new text has a plan of its own (unkept: it holds a value).
    const bool rewritten = plan.bracket == DispatchPlan::Bracket::rewrite;
    if (plan.bracket == DispatchPlan::Bracket::cast) {
        n_type = plan.bracket_type;
    } else if (rewritten) {
        bracket_at_end(s, plan.bracket_open);
        plan = make_plan(s);
    }

    // Operators: the first table entry found anywhere takes the whole statement.
    o = scan_table(koperators, tables.koperators, s, plan.operators, any_row, [&](size_t k, Match& m) {
        m.rest = s;
        m.op = koperators[k].word;
        m.whole_statement = statement;
        m.split = plan.split_for(k);
    });
    if (o.done) return o.value;

    // receiver.method(...) that no table claimed: a String method on the receiver.
    // (a "." inside a literal is text: «say("http://example.org")» has no receiver)
    if (plan.dot != std::string::npos) return method_fallback(s, plan.dot, statement);

    // A rewritten text is valued only where nothing else takes it, so that its increments and
    // calls act once.
    int32_t result = 0;
    if (rewritten) {
        const UnkeptPlans unkept(unkept_plans_);
        result = get_var(s);
    }
    ShowMessage1("Unknown command: " + s);
    return result;
}

} // namespace quorvex
