// The print formatter.
#include "simulation/printing.h"

#include <cfloat>
#include <charconv>
#include <cstdio>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"

namespace quorvex {

std::string print_format(int32_t i, std::string_view s) {
    char buf[40];
    const auto u = static_cast<uint32_t>(i);
    if (s == "hex") {
        std::snprintf(buf, sizeof buf, "%X", u);
        return buf;
    }
    if (s == "oct" || s == "bin") {
        // Every digit of the unsigned value, padded to the format's minimum width.
        const unsigned shift = s == "oct" ? 3 : 1;
        const size_t width = s == "oct" ? 3 : 8;
        std::string digits;
        uint32_t v = u;
        do {
            digits.insert(digits.begin(), static_cast<char>('0' + (v & ((1u << shift) - 1))));
            v >>= shift;
        } while (v != 0);
        if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
        return digits;
    }
    std::snprintf(buf, sizeof buf, "%d", i);
    return buf;
}

std::string float_text(long double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 10) decimals = 10;
    if (value != value) return "nan";
    // Saturate first: narrowing a long double beyond double's range is undefined.
    if (value > DBL_MAX) return "inf";
    if (value < -DBL_MAX) return "-inf";
    const double d = static_cast<double>(value);
    char buf[400]; // the longest fixed double: 309 digits, sign, point, ten decimals
    const auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

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
