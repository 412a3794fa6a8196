// Values as text: UTF-8, printed forms and the result setters.
#include "interpreter/value_format.h"

#include <cfloat>
#include <charconv>
#include <cstdio>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"

namespace quorvex {

// --- UTF-8 -------------------------------------------------------------------------------------

namespace {

// The sequence length a lead byte announces, 0 for a byte that leads none (a continuation byte,
// 0xF8 and above). 0xC0, 0xC1 and 0xF5..0xF7 announce one that always turns out bad.
size_t sequence_length(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

Utf8Char bad_byte(unsigned char byte, BadByte rule) {
    switch (rule) {
    case BadByte::replacement:
        return {0xFFFD, 1};
    case BadByte::latin1:
        return {byte, 1};
    case BadByte::refused:
        break;
    }
    return {not_utf8, 1};
}

} // namespace

Utf8Char decode_utf8(std::string_view s, size_t i, BadByte rule) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) return {lead, 1};
    const size_t n = sequence_length(lead);
    if (n == 0 || n > s.size() - i) return bad_byte(lead, rule);
    uint32_t code = lead & (0x7Fu >> n);
    for (size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return bad_byte(lead, rule);
        code = (code << 6) | (b & 0x3Fu);
    }
    const uint32_t least = n == 2 ? 0x80 : (n == 3 ? 0x800 : 0x10000);
    if (code < least || code > 0x10FFFF) return bad_byte(lead, rule); // overlong or out of range
    if (code >= 0xD800 && code <= 0xDFFF && rule != BadByte::latin1) return bad_byte(lead, rule);
    return {code, n};
}

void append_utf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void append_code_unit(std::string& out, int32_t code) {
    auto c = static_cast<uint32_t>(code) & 0xFFFFu;
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    append_utf8(out, c);
}

size_t utf16_length(std::string_view s) {
    size_t count = 0;
    for (size_t i = 0; i < s.size();) {
        const Utf8Char c = decode_utf8(s, i, BadByte::replacement);
        count += c.code > 0xFFFF ? 2 : 1;
        i += c.length;
    }
    return count;
}

std::u16string to_utf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const Utf8Char c = decode_utf8(s, i, BadByte::replacement);
        if (c.code > 0xFFFF) {
            out += static_cast<char16_t>(0xD800 + ((c.code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c.code);
        }
        i += c.length;
    }
    return out;
}

std::string from_utf16(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const uint32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            append_utf8(out, 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00u));
            ++i;
        } else {
            append_utf8(out, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
        }
    }
    return out;
}

// --- printed forms -----------------------------------------------------------------------------

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

std::string value_text(const Value& v) {
    switch (v.type) {
    case n_string:
        return v.s;
    case n_char: {
        // The character of the code, as print shows it, so that the text stays valid UTF-8.
        std::string c;
        append_code_unit(c, v.i);
        return c;
    }
    case n_float:
        return float_text(v.f);
    default: {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, v.i);
        return std::string(buf, r.ptr);
    }
    }
}

// --- results -----------------------------------------------------------------------------------

int32_t int_result(Interpreter& in, int32_t value, int32_t type) {
    in.Results.clear();
    in.n_type = type;
    return value;
}

int32_t float_result(Interpreter& in, long double f) {
    in.Results.clear();
    in.var_float = f;
    in.n_type = n_float;
    return float_int_side(f);
}

int32_t text_result(Interpreter& in, std::string text) {
    in.Results = std::move(text);
    in.n_type = n_string;
    return 0;
}

int32_t value_result(Interpreter& in, const Value& v) {
    if (v.type == n_float) return float_result(in, v.f);
    if (v.type == n_string) return text_result(in, v.s);
    return int_result(in, v.i, v.type);
}

} // namespace quorvex
