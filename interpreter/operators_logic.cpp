// Comparisons, logic, complement, and increment and decrement.
#include <string>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "interpreter/operators.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr size_t npos = std::string_view::npos;

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
int32_t Operators::kcomparison(std::string_view statement, std::string_view comp) {
    in_.keep_going = 0;
    const std::string text(cut_statement(statement));
    const std::string_view s = text;
    const size_t at = find_operator(s, comp, Occurrence::first);
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
    const std::string text(cut_statement(statement));
    const std::string_view s = text;
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

int32_t Operators::kinc(std::string_view s) { return step(s, "++", 1); }
int32_t Operators::kdec(std::string_view s) { return step(s, "--", -1); }

// term++, ++term, term-- or --term, nothing longer: in «n++ * 2» the "*" splits first. The
// postfix form yields the old value, the prefix form the stored one. A float steps by 1.0.
int32_t Operators::step(std::string_view statement, std::string_view op, int32_t delta) {
    const std::string text(dtrim(cut_statement(statement)));
    const std::string_view s = text;
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
