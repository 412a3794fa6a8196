// The operators: assignment, the arithmetic, shift, bit and String operators and the helpers
// all operator handlers share; then comparisons, logic, complement, increment and decrement.
// A handler reads its statement in place: it is the executor's own text, which nothing changes
// while the handler runs.
#include "interpreter/operators.h"

#include <charconv>
#include <utility>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "interpreter/value_format.h"

namespace quorvex {

namespace {

constexpr size_t npos = std::string_view::npos;

bool is_compound(std::string_view op) { return op.size() >= 2 && op.back() == '='; }

// The operators a float operand computes in floating point; the others act on truncated ints.
bool float_operator(std::string_view base) { return base == "+" || base == "-" || base == "*" || base == "/"; }

int32_t integer_operator(std::string_view base, int32_t l, int32_t r) {
    switch (base[0]) {
    case '<':
        return shift_left(l, r);
    case '>':
        return shift_right(l, r);
    case '*':
        return wrap_mul(l, r);
    case '/':
        return checked_div(l, r);
    case '%':
        return checked_rem(l, r);
    case '+':
        return wrap_add(l, r);
    case '-':
        return wrap_sub(l, r);
    case '&':
        return l & r;
    default: // '|'
        return l | r;
    }
}

long double float_operator_result(std::string_view base, long double l, long double r) {
    switch (base[0]) {
    case '+':
        return l + r;
    case '-':
        return l - r;
    case '*':
        return l * r;
    default: // '/'
        return checked_fdiv(l, r);
    }
}

// A target of a compound assignment is one term: a name, an element or a member, never an
// expression («x = y += 1» is no target "x = y"; the "=" takes that statement).
bool single_term(std::string_view s) {
    return find_operator_if(s, [](std::string_view t) { return t != "." && t != "->" && t != "::"; }) == npos;
}

} // namespace

// --- shared helpers ------------------------------------------------------------------------

int32_t Operators::int_of(const Value& v) { return v.type == n_float ? truncate_to_int32(v.f) : v.i; }

int32_t Operators::decline() {
    in_.keep_going = 1;
    return 0;
}

std::string Operators::resolve_target(std::string target) {
    const size_t open = target.find('[');
    if (open == npos) return target;
    const size_t close = matching_bracket(target, open);
    if (close == npos) return target; // names nothing; the store ignores it
    std::string name(dtrim(std::string_view(target).substr(0, open)));
    const std::string index_text = target.substr(open + 1, close - open - 1);
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, in_.get_var(index_text));
    name += '[';
    name.append(digits, r.ptr);
    name += ']';
    return name;
}

int32_t Operators::store(const std::string& target, const Value& v) {
    const VariableTable::Ref named = in_.assign(target, v);
    // The entry just stored is what a lookup of the target finds, unless the store reported
    // and the table changed meanwhile, or the target was found only once trimmed.
    const bool same = named && named.type >= n_boolean && named.type <= n_string && in_.vars.live(named) &&
                      in_.vars.at(named.type, named.slot).name == target;
    const VariableTable::Ref r = same ? named : in_.vars.lookup(target, n_boolean, n_string);
    if (!r) return value_result(in_, v);
    const Entry& e = in_.vars.at(r.type, r.slot);
    if (r.type == n_float) return float_result(in_, e.fval);
    if (r.type == n_string) return text_result(in_, e.sval);
    return int_result(in_, e.ival, r.type);
}

// --- assignment ----------------------------------------------------------------------------

// target = source, at the first lone "=" at depth 0 outside literals; the whole rest is the
// source, so «x = y == 3» stores the comparison. The value goes in by the target's type.
int32_t Operators::kequals(std::string_view s, const OperatorSplit* split) {
    if (split == nullptr && s.find(';') != npos) s = cut_statement(s);
    const size_t eq = split != nullptr ? split->first() : find_operator(s, "=");
    if (eq == npos) return decline(); // a comparison or a compound operator: later rows take it
    std::string_view target = dtrim(s.substr(0, eq));
    // Up to two leading words go, which removes type words («unsigned int x»); a blank
    // inside an index («a[i + 1]») is no word boundary.
    for (int k = 0; k < 2; ++k) {
        const size_t blank = target.find(' ');
        if (blank == npos || blank > target.find('[')) break;
        target = dtrim(target.substr(blank + 1));
    }
    if (target.empty()) return decline();
    // A copy: a caller may hand in a view of a register that the source's evaluation overwrites.
    // The source is read first, then the target's index.
    std::string target_text(target);
    const int32_t depth = in_.cs.loopx;
    const Value v = in_.get_value(dtrim(s.substr(eq + 1)));
    // The source called one of the sketch's functions: its value arrives at the return, and
    // the target keeps its value meanwhile (the function may read it).
    if (in_.cs.loopx > depth && in_.cs.at(in_.cs.loopx - 1).last_control == L_SUBR) return 0;
    return store(resolve_target(std::move(target_text)), v);
}

// --- arithmetic, shifts, bits and String concatenation --------------------------------------

int32_t Operators::kop(std::string_view s, std::string_view op, const OperatorSplit* split) {
    return arithmetic(s, op, false, split);
}

int32_t Operators::kadd_assign(const Match& m) { return arithmetic(m.rest, m.op, m.whole_statement, m.split); }

int32_t Operators::arithmetic(std::string_view statement, std::string_view op, bool whole_statement,
                              const OperatorSplit* split) {
    in_.keep_going = 0;
    // A text planned by the executor is cut already.
    const std::string_view s = split != nullptr ? statement : cut_statement(statement);
    if (op == "!") return knot(s);
    // An operand list is no expression: the operator belongs to one of its arguments.
    if (split != nullptr ? split->comma : find_operator(s, ",") != npos) return decline();

    const bool compound = is_compound(op);
    const std::string_view base = compound ? op.substr(0, op.size() - 1) : op;
    // Compound assignments split at the first occurrence: target, then the whole expression.
    // The others group to the left, so «a - b - c» splits at the last "-".
    const Occurrence which = compound ? Occurrence::first : Occurrence::last;
    const size_t at = split == nullptr             ? find_operator(s, op, which)
                      : which == Occurrence::first ? split->first()
                                                   : split->last();
    std::string_view left;
    std::string_view right;
    bool sign = false;
    if (at != npos) {
        left = dtrim(s.substr(0, at));
        right = dtrim(s.substr(at + op.size()));
        if (left.empty()) return decline();
    } else if ((op == "-" || op == "+") && !s.empty() && s[0] == op[0] && operator_length(s, 0) == 1) {
        sign = true; // "-5" is 0 - 5
        right = dtrim(s.substr(1));
    } else {
        return decline();
    }
    if (right.empty()) return decline(); // «x = 5 *»
    if (compound && !single_term(left)) return decline();

    // Each operand is evaluated once: a call or «n++» in it acts once.
    std::string target;
    Value lv = Value::of_int(0);
    if (compound) {
        target = resolve_target(std::string(left));
        if (int32_t appended = 0; base == "+" && append_in_place(target, right, whole_statement, appended))
            return appended;
        lv = in_.get_value(target);
    } else if (!sign) {
        lv = in_.get_value(left);
    }
    const Value rv = in_.get_value(right);

    // Any String side, even an empty one, makes this a String expression.
    if (lv.type == n_string || rv.type == n_string) {
        if (base != "+") {
            // No other operator has a String meaning: nothing is computed or stored.
            return int_result(in_, 0, n_string);
        }
        in_.got_it = 1;
        std::string joined = sign ? value_text(rv) : value_text(lv) + value_text(rv);
        return compound ? store(target, Value::of_text(std::move(joined))) : text_result(in_, std::move(joined));
    }

    // A fault below leaves a plain int 0 in the registers, not an operand's type.
    in_.Results.clear();
    in_.n_type = n_int;
    if ((lv.type == n_float || rv.type == n_float) && float_operator(base)) {
        const long double r = float_operator_result(base, lv.f, rv.f);
        return compound ? store(target, Value::of_float(r)) : float_result(in_, r);
    }

    const int32_t l = int_of(lv);
    const int32_t r = int_of(rv);
    const int32_t result = integer_operator(base, l, r);
    return compound ? store(target, Value::of_int(result)) : int_result(in_, result);
}

bool Operators::append_in_place(const std::string& target, std::string_view right, bool whole_statement,
                                int32_t& result) {
    if (const VariableTable::Ref r = in_.vars.lookup(target); !r || r.type != n_string) return false;
    const std::string text = value_text(in_.get_value(right));
    // Looked up again: the evaluation may have declared entries and moved the table.
    const VariableTable::Ref r = in_.vars.lookup(target);
    if (!r || r.type != n_string) return false;
    in_.got_it = 1;
    Entry& e = in_.vars.at(r.type, r.slot);
    if ((e.flags & SET_CONST) != 0) {
        in_.do_check(r.type, r.slot, 1); // reports; the const keeps its text
        result = text_result(in_, e.sval);
        return true;
    }
    const size_t length = e.sval.size() + text.size();
    if (length > Interpreter::max_string_length && !in_.string_fits(e.name, e.sval + text)) {
        result = int_result(in_, 0, n_string);
        return true;
    }
    e.sval += text;
    result = whole_statement ? int_result(in_, 0, n_string) : text_result(in_, e.sval);
    return true;
}

// "!x": 1 for 0, else 0. There is no left operand; «a ! b» is no expression.
int32_t Operators::knot(std::string_view s) {
    const size_t at = find_operator(s, "!");
    if (at == npos || !dtrim(s.substr(0, at)).empty()) return decline();
    const std::string_view operand = dtrim(s.substr(at + 1));
    if (operand.empty()) return decline();
    const Value v = in_.get_value(operand);
    if (v.type == n_string) return int_result(in_, 0); // a String is always there
    return int_result(in_, int_of(v) == 0 ? 1 : 0);
}

// --- comparisons, logic, complement, increment and decrement ----------------------------------

namespace {

template <class T>
bool holds(std::string_view comp, const T& a, const T& b) {
    if (comp == "==") return a == b;
    if (comp == "!=") return a != b;
    if (comp == "<=") return a <= b;
    if (comp == "<") return a < b;
    if (comp == ">=") return a >= b;
    return a > b;
}

// A condition's truth: a float by its value (0.5 is true), anything else by its integer.
bool truthy(const Value& v) { return v.type == n_float ? v.f != 0.0L : v.i != 0; }

// No depth-0 operator but prefixes and member access: «m», «(a + b)», «~x», «s.x».
bool one_operand(std::string_view s) {
    return find_operator_if(s, [](std::string_view t) {
               return t != "~" && t != "!" && t != "++" && t != "--" && t != "." && t != "->" && t != "::";
           }) == npos;
}

// What «name++» may step: a name or an element, which starts like an identifier.
bool steppable(std::string_view s) {
    if (s.empty()) return false;
    return ident_start(s[0]) &&
           find_operator_if(s, [](std::string_view t) { return t != "." && t != "->" && t != "::"; }) == npos;
}

} // namespace

// The comparison at its first occurrence. A String on either side compares texts by byte
// value (a char side is its character); a float on either side compares as floats.
int32_t Operators::kcomparison(std::string_view statement, std::string_view comp, const OperatorSplit* split) {
    in_.keep_going = 0;
    const std::string_view s = split != nullptr ? statement : cut_statement(statement);
    const size_t at = split != nullptr ? split->first() : find_operator(s, comp, Occurrence::first);
    if (at == npos) return decline();
    const std::string_view left = dtrim(s.substr(0, at));
    const std::string_view right = dtrim(s.substr(at + comp.size()));
    if (left.empty() || right.empty()) return decline();

    const Value lv = in_.get_value(left);
    const Value rv = in_.get_value(right);
    bool result = false;
    if (lv.type == n_string || rv.type == n_string) {
        // string_view compares through char_traits<char>, which orders bytes as unsigned char.
        const std::string a = value_text(lv);
        const std::string b = value_text(rv);
        result = holds(comp, std::string_view(a).compare(b), 0);
    } else if (lv.type == n_float || rv.type == n_float) {
        result = holds(comp, lv.f, rv.f);
    } else {
        result = holds(comp, lv.i, rv.i);
    }
    return int_result(in_, result ? 1 : 0);
}

// "&&" and "||" give 0 or 1 and leave the right side unread when the left decides;
// "^" is bitwise; "~" is the complement of the one operand after it.
int32_t Operators::klop(std::string_view statement, std::string_view op) {
    in_.keep_going = 0;
    const std::string_view s = cut_statement(statement);
    if (op == "~") return kcomplement(s);
    const size_t at = find_operator(s, op, Occurrence::first);
    if (at == npos) return decline();
    const std::string_view left = dtrim(s.substr(0, at));
    const std::string_view right = dtrim(s.substr(at + op.size()));
    if (left.empty() || right.empty()) return decline();

    if (op == "&&" || op == "||") {
        const bool l = truthy(in_.get_value(left));
        if (l == (op == "||")) return int_result(in_, l ? 1 : 0); // «i < 3 && arr[i] > 0» never reads arr[3]
        return int_result(in_, truthy(in_.get_value(right)) ? 1 : 0);
    }
    const int32_t l = int_of(in_.get_value(left));
    const int32_t r = int_of(in_.get_value(right));
    return int_result(in_, l ^ r);
}

// «~m» only: «0xFF & ~m» and «~m + 1» decline here, so the operator further down splits first.
int32_t Operators::kcomplement(std::string_view s) {
    s = dtrim(s);
    if (s.empty() || s[0] != '~') return decline();
    const std::string_view operand = dtrim(s.substr(1));
    if (operand.empty() || !one_operand(operand)) return decline();
    return int_result(in_, ~int_of(in_.get_value(operand)));
}

int32_t Operators::kinc(std::string_view s, const OperatorSplit* split) { return step(s, "++", 1, split); }
int32_t Operators::kdec(std::string_view s, const OperatorSplit* split) { return step(s, "--", -1, split); }

// term++, ++term, term-- or --term, nothing longer: in «n++ * 2» the "*" splits first. The
// postfix form yields the old value, the prefix form the stored one. A float steps by 1.0.
int32_t Operators::step(std::string_view statement, std::string_view op, int32_t delta, const OperatorSplit* split) {
    // A text planned by the executor is cut already.
    const std::string_view s = split != nullptr ? statement : cut_statement(statement);
    std::string_view operand;
    bool postfix = false;
    if (s.size() > op.size() && s.ends_with(op)) {
        operand = dtrim(s.substr(0, s.size() - op.size()));
        postfix = true;
    } else if (s.starts_with(op)) {
        operand = dtrim(s.substr(op.size()));
    }
    if (!steppable(operand)) return decline();

    const std::string target = resolve_target(std::string(operand));
    const Value old = in_.find_value(target);
    if (old.type == n_string) return decline(); // a String has no step
    if (old.type == n_float) {
        const long double before = old.f;
        const int32_t stored = store(target, Value::of_float(before + delta));
        return postfix ? float_result(in_, before) : stored;
    }
    const int32_t stored = store(target, Value::of_int(wrap_add(old.i, delta)));
    if (!postfix) return stored;
    return int_result(in_, old.i, old.type >= n_boolean && old.type <= n_long ? old.type : n_int);
}

} // namespace quorvex
