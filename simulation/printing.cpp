// The print formatter of the serial ports, which every device that prints shares.
#include "simulation/serial.h"

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/value_format.h"

namespace quorvex {

std::string printx(Interpreter& in, std::string_view s) {
    const std::string t(dtrim(s)); // a copy: `s` may view a register the evaluation overwrites
    // Cleared before every evaluation, so a text left by an earlier statement is never printed.
    in.Results.clear();
    if (t.empty()) {
        in.n_type = n_string;
        return {};
    }
    in.n_type = -1;
    if (t[0] == '"') {
        const Value v = in.get_value(t);
        return v.type == n_string ? v.s : in.Results;
    }
    const size_t comma = top_level_comma(t);
    if (comma == std::string::npos) {
        const Value v = in.get_value(t);
        if (v.type == n_string) return v.s;
        if (v.type == n_float) return float_text(v.f);
        if (v.type == n_char) {
            std::string c;
            append_code_unit(c, v.i);
            return c;
        }
        if (!in.Results.empty()) return in.Results;
        return print_format(v.i, "dec");
    }
    const std::string_view left = dtrim(std::string_view(t).substr(0, comma));
    const std::string_view right = dtrim(std::string_view(t).substr(comma + 1));
    const std::string format = lower_ascii(right);
    const Value v = in.get_value(left);
    if (v.type != n_float) return print_format(v.i, format);
    if (format == "dec" || format == "hex" || format == "oct" || format == "bin")
        return print_format(float_int_side(v.f), format);
    // Any other word is a count of decimals.
    in.Results.clear();
    return float_text(v.f, in.get_var(right));
}

} // namespace quorvex
