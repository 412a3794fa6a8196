// Storing values: typed assignment, port registers, const and range checks.
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/value_format.h"

namespace quorvex {

namespace {

using Ref = VariableTable::Ref;

// Drops one pair of double quotes around a text; a lone or unmatched quote is kept as text.
std::string_view strip_quote_pair(std::string_view s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

// The integer a numeric value stores: a float is truncated toward zero and keeps the low
// 32 bits; NaN and values beyond 64 bits are faults, so nothing is stored.
int32_t int_value(const Value& v) {
    if (v.type != n_float) return v.i;
    if (!(v.f > -1e19L && v.f < 1e19L)) throw EvalFault("float out of range"); // also NaN
    return float_to_int32(static_cast<double>(v.f));
}

// The text a value stores into a string; a #define's text loses a pair of quotes.
std::string text_value(const Value& v) {
    if (v.type == n_define) return std::string(strip_quote_pair(v.s));
    return value_text(v);
}

// The entry a target names: a name, or an array element "name[index]" whose index is a full
// expression (a[i+1] is a[2] when i is 1). `element` receives the element's name. A target
// without its "]" names nothing.
Ref resolve(Interpreter& in, std::string_view target, std::string& element) {
    const size_t open = target.find('[');
    if (open == std::string_view::npos) return in.vars.lookup(target);
    const size_t close = target.find(']', open + 1);
    if (close == std::string_view::npos) return {};
    // Copy before evaluating: the index may overwrite the text registers the target came from.
    element.assign(dtrim(target.substr(0, open)));
    const std::string index_text(target.substr(open + 1, close - open - 1));
    const int32_t index = in.get_var(index_text);
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, index);
    element += '[';
    element.append(digits, r.ptr);
    element += ']';
    return in.vars.lookup(element);
}

// Follows #define aliases from the define at `r` to the entry its text names, so that after
// «#define SPEED rate» a store to SPEED reaches rate. A define met twice ends the chain with
// the self-reference error and nothing is stored.
Ref follow_aliases(Interpreter& in, Ref r, std::string& element) {
    std::array<bool, max_side_slots + 1> seen{};
    while (r && r.type == n_define) {
        if (r.slot > max_side_slots) return {};
        bool& met = seen[static_cast<size_t>(r.slot)];
        if (met) {
            in.ShowMessage1("Sketch Error - #define " + in.vars.at(n_define, r.slot).name + " refers to itself");
            return {};
        }
        met = true;
        const std::string alias(dtrim(in.vars.at(n_define, r.slot).def));
        r = resolve(in, alias, element);
    }
    return r;
}

// Stores `v` into the resolved entry `r` (not a #define), converted to the entry's type.
void store(Interpreter& in, Ref r, const Value& v, AssignMode mode) {
    const int32_t set1 = mode == AssignMode::Assign ? 1 : 0;
    Entry& e = in.vars.at(r.type, r.slot);
    if (set1 > 0 && (e.flags & SET_CONST) != 0) {
        in.do_check(r.type, r.slot, set1); // reports; the const keeps its value
        return;
    }
    const bool is_text = v.type == n_string;
    switch (r.type) {
    case n_float:
        if (!is_text) e.fval = to_single(v.type == n_float ? v.f : static_cast<long double>(v.i));
        return;
    case n_string: {
        std::string text = text_value(v);
        if (in.string_fits(e.name, text)) e.sval = std::move(text);
        return;
    }
    default:
        if (is_text) return; // a text has no integer value
        e.ival = int_value(v);
        if (v.unsigned_bits && r.type == n_long && (e.flags & SET_UNSIGNED) != 0) return; // in range as it is
        in.do_check(r.type, r.slot, set1);
        return;
    }
}

} // namespace

VariableTable::Ref Interpreter::assign(std::string_view target, const Value& v, AssignMode mode) {
    target = dtrim(target);
    const bool text = v.type == n_string;
    // A port register drives its pins; a variable declared under its name is stored below too.
    if (!text && maybe_port_register(target)) pinio.store_port_register(target, int_value(v));
    std::string element;
    Ref r = resolve(*this, target, element);
    const Ref named = r;
    if (r.type == n_define) {
        if (text) {
            vars.at(n_define, r.slot).def = v.s; // the define now stands for the new text
            return named;
        }
        r = follow_aliases(*this, r, element);
    }
    if (r) store(*this, r, v, mode); // an unknown target is ignored silently
    return named;
}

void Interpreter::set_var(std::string_view s, int32_t val) { assign(s, Value::of_int(val)); }

void Interpreter::set_string(std::string_view s, std::string_view val) {
    assign(s, Value::of_text(std::string(strip_quote_pair(val))));
}

void Interpreter::set_float(std::string_view s, long double val) { assign(s, Value::of_float(val)); }

void Interpreter::set_float1(std::string_view s, std::string_view val) {
    // from_chars reads "2.50" the same under every locale.
    const std::string_view text = dtrim(strip_quote_pair(dtrim(val)));
    Value v;
    v.type = n_float;
    v.found = true;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v.f);
    if (text.empty() || ec != std::errc() || ptr != end) {
        ShowMessage1("Cannot Evaluate " + std::string(val));
        return;
    }
    std::string element;
    const Ref r = resolve(*this, dtrim(s), element);
    if (r.type == n_float) store(*this, r, v, AssignMode::Assign); // #define names are not followed
}

bool Interpreter::string_fits(std::string_view name, std::string_view text) {
    // Bytes never count fewer than 16-bit characters, so most texts need no count.
    if (text.size() <= max_string_length || utf16_length(text) <= max_string_length) return true;
    ShowMessage1("Sketch Error - String too long: " + std::string(name) + " would hold more than " +
                 std::to_string(max_string_length) + " characters");
    return false;
}

void Interpreter::do_check(int32_t x, int32_t i, int32_t set1) {
    if (x < n_boolean || x > n_string || i < 1 || i >= vars.var_n[static_cast<size_t>(x)]) return;
    Entry& e = vars.at(x, i);
    if ((e.flags & SET_CONST) != 0 && set1 > 0) {
        ShowMessage1("Sketch Error - Cannot change a const variable! " + e.name);
        return;
    }
    if (x < n_byte || x > n_long) return; // booleans, floats and strings have no range
    const auto row = static_cast<size_t>(x);
    const bool is_unsigned = (e.flags & SET_UNSIGNED) != 0;
    const int64_t upper = is_unsigned ? max_unsigned[row] : max_signed[row];
    const int64_t lower = is_unsigned ? min_unsigned[row] : min_signed[row];
    const int64_t value = e.ival;
    const char* relation = nullptr;
    int64_t limit = 0;
    int64_t wrapped = value;
    if (value >= upper) {
        relation = " which is >= limit(";
        limit = upper;
        wrapped = value % upper;
    } else if (value < lower) {
        relation = " which is < limit(";
        limit = lower;
        // The smallest k with value + k * upper >= lower, at once rather than by repeated adds.
        // No such k exists for an unsigned long below 0 in 32 bits: its bit pattern stays.
        if (upper <= std::numeric_limits<int32_t>::max()) wrapped = value + (lower - value + upper - 1) / upper * upper;
    } else {
        return;
    }
    e.ival = static_cast<int32_t>(wrapped);
    ShowMessage1("Sketch Error - " + e.name + (is_unsigned ? " is an unsigned " : " is a ") + kident_type_word[row] +
                 " - Value is " + std::to_string(value) + relation + std::to_string(limit) + ")");
}

} // namespace quorvex
