// String methods and the character tests. A method works on its receiver's text, which the
// dispatcher hands over with the call. Texts are held as UTF-8; positions and lengths count
// 16-bit characters, and a text a method builds is valid UTF-8 again. Numeric results leave
// Results empty with n_type 4; text results leave the text in Results with n_type 7.
#include "simulation/strings.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

bool is_digit(int32_t c) { return c >= '0' && c <= '9'; }
bool is_upper(int32_t c) { return c >= 'A' && c <= 'Z'; }
bool is_lower(int32_t c) { return c >= 'a' && c <= 'z'; }
bool is_hex_digit(int32_t c) { return is_digit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

std::string upper_ascii(std::string s) {
    for (char& c : s)
        if (is_lower(c)) c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// A position argument: a float counts by its integer part; one beyond 64 bits counts as 0.
int64_t position(const Value& v) { return v.type == n_float ? float_int_side(v.f) : v.i; }

bool is_literal(std::string_view arg) { return !arg.empty() && (arg.front() == '"' || arg.front() == '\''); }

// The 16-bit character of a value: a number's low 16 bits, a text's first character; nothing
// for an empty text.
std::u16string unit_of(const Value& v) {
    if (v.type != n_string) return std::u16string(1, static_cast<char16_t>(static_cast<uint32_t>(v.i) & 0xFFFFu));
    return to_utf16(v.s).substr(0, 1);
}

// A text as replace takes it: a text whole, a number as the one character of its low 16 bits.
std::string char_of(const Value& v) {
    if (v.type == n_string) return v.s;
    return from_utf16(unit_of(v));
}

int32_t length_of(size_t n) { return static_cast<int32_t>(std::min<size_t>(n, INT32_MAX)); }

} // namespace

bool in_char_class(int ch, int32_t c) {
    switch (ch) {
    case CH_ALPHANUM:
        return is_digit(c) || is_upper(c) || is_lower(c);
    case CH_ALPHA:
        return is_upper(c) || is_lower(c);
    case CH_ASCII:
        return c < 128;
    case CH_WHITE:
        return c == 32;
    case CH_CONTROL:
        return c < 32;
    case CH_DIGIT:
        return is_digit(c);
    case CH_GRAPH:
        return c >= 33 && c <= 127;
    case CH_LOWER:
        return is_lower(c);
    case CH_PRINT:
        return c >= 32 && c <= 127;
    case CH_PUNCT:
        return c >= 32 && c <= 47;
    case CH_SPACE:
        return c == 32;
    case CH_UPPER:
        return is_upper(c);
    case CH_HEXA:
        return is_hex_digit(c);
    default:
        return false;
    }
}

int32_t string_to_int(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    if (i == text.size()) return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    }
    const std::string_view digits = text.substr(i);
    if (digits.empty()) throw EvalFault("not a number");
    if (hex) {
        // Up to eight digits wrap into 32 bits, so "0xFFFFFFFF" is -1.
        if (digits.size() > 8) throw EvalFault("number out of range");
        uint32_t value = 0;
        for (char c : digits) {
            if (!is_hex_digit(c)) throw EvalFault("not a number");
            const uint32_t d =
                is_digit(c) ? static_cast<uint32_t>(c - '0') : static_cast<uint32_t>((c | 0x20) - 'a' + 10);
            value = value * 16u + d;
        }
        return static_cast<int32_t>(negative ? 0u - value : value);
    }
    constexpr uint64_t limit = uint64_t{1} << 31; // the magnitude of INT_MIN
    uint64_t value = 0;
    for (char c : digits) {
        if (!is_digit(c)) throw EvalFault("not a number");
        value = value * 10u + static_cast<uint64_t>(c - '0');
        if (value > limit) throw EvalFault("number out of range");
    }
    if (!negative && value == limit) throw EvalFault("number out of range");
    return static_cast<int32_t>(negative ? uint32_t{0} - static_cast<uint32_t>(value) : static_cast<uint32_t>(value));
}

// --- shared steps ------------------------------------------------------------------------------

std::string Strings::receiver_text(const Match& m) {
    in_.Results.clear();
    // Without a receiver there is nothing to evaluate: a stale Results is never taken for one.
    if (m.receiver.empty()) return {};
    in_.get_value(std::string(m.receiver));
    return in_.Results;
}

std::string Strings::argument_text(std::string_view arg) {
    // Cleared first: a text left by the receiver must not pass for a number's.
    in_.Results.clear();
    in_.n_type = -1;
    return value_text(in_.get_value(std::string(arg)));
}

void Strings::store_back(const Match& m, const std::string& text) {
    const std::string target(dtrim(m.receiver));
    if (target.empty() || is_literal(target)) return;
    // A #define standing for a text is no variable: its macro text must stay.
    const std::string_view base = dtrim(std::string_view(target).substr(0, target.find('[')));
    if (in_.vars.find(n_define, base) > 0) return;
    // Only a String target takes a text; any other target ignores it.
    in_.assign(target, Value::of_text(text));
}

int32_t Strings::method_result(const Match& m, std::string text, bool in_place) {
    if (in_place && m.whole_statement) store_back(m, text);
    return text_result(in_, std::move(text));
}

// --- case, trim, replace ---------------------------------------------------------------------

int32_t Strings::ktouppercase(const Match& m) { return method_result(m, upper_ascii(receiver_text(m)), true); }

int32_t Strings::ktolowercase(const Match& m) { return method_result(m, lower_ascii(receiver_text(m)), true); }

int32_t Strings::ktrim(const Match& m) { return method_result(m, std::string(dtrim(receiver_text(m))), true); }

int32_t Strings::kreplace(const Match& m) {
    std::string text = receiver_text(m);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (a.size() == 2) {
        const std::string from = char_of(in_.get_value(a[0]));
        const std::string to = char_of(in_.get_value(a[1]));
        // Every occurrence, left to right; an empty search text changes nothing.
        if (!from.empty()) {
            std::string out;
            size_t at = 0;
            for (size_t hit = text.find(from); hit != std::string::npos; hit = text.find(from, at)) {
                out.append(text, at, hit - at);
                out += to;
                at = hit + from.size();
            }
            out.append(text, at, std::string::npos);
            text = std::move(out);
        }
    }
    return method_result(m, std::move(text), true);
}

// --- characters ------------------------------------------------------------------------------

int32_t Strings::kcharAt(const Match& m) {
    const std::u16string text = to_utf16(receiver_text(m));
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const int64_t i = a.empty() ? -1 : position(in_.get_value(a[0]));
    in_.keep_going = 0;
    if (i < 0 || i >= static_cast<int64_t>(text.size())) return method_result(m, {}, false);
    // The character, so that a char target takes its code and a String target its text.
    const char16_t c = text[static_cast<size_t>(i)];
    in_.Results = from_utf16(std::u16string_view(&c, 1));
    in_.n_type = n_char;
    return c;
}

int32_t Strings::ksetcharAt(const Match& m) {
    std::u16string text = to_utf16(receiver_text(m));
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (a.size() == 2) {
        const int64_t i = position(in_.get_value(a[0]));
        const std::u16string c = unit_of(in_.get_value(a[1]));
        if (i >= 0 && i < static_cast<int64_t>(text.size()) && !c.empty()) {
            text[static_cast<size_t>(i)] = c[0];
            store_back(m, from_utf16(text));
        }
    }
    return int_result(in_, 0);
}

int32_t Strings::kcheck(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const Value v = in_.get_value(argument(a, 0));
    const int32_t c = v.type == n_float ? float_int_side(v.f) : v.i;
    return int_result(in_, in_char_class(m.code, c) ? 1 : 0);
}

// --- construction and joining ----------------------------------------------------------------

int32_t Strings::kstring(const Match& m) {
    const std::string inner = in_.StripBrackets(m.rest);
    text_result(in_, printx(in_, inner));
    in_.keep_going = 0;
    return 1;
}

int32_t Strings::kconcat(const Match& m) {
    const std::string saved = receiver_text(m);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    in_.Results.clear();
    in_.n_type = -1;
    const Value v = in_.get_value(argument(a, 0));
    // As «s + x» joins: a string as it stands, a char as its character, a number's digits.
    std::string joined = saved + value_text(v);
    // An empty String takes the text too.
    store_back(m, joined);
    text_result(in_, std::move(joined));
    return v.type == n_float ? float_int_side(v.f) : v.i;
}

// --- comparisons -----------------------------------------------------------------------------

int32_t Strings::compare(const Match& m, int how) {
    std::string mine = receiver_text(m);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    std::string theirs = argument_text(argument(a, 0));
    switch (how) {
    case 0:
        return int_result(in_, mine == theirs ? 1 : 0);
    case 1:
        return int_result(in_, lower_ascii(mine) == lower_ascii(theirs) ? 1 : 0);
    default: {
        // By character code (std::string compares bytes as unsigned).
        const int c = mine.compare(theirs);
        return int_result(in_, c > 0 ? 1 : (c < 0 ? -1 : 0));
    }
    }
}

int32_t Strings::kequalsascii(const Match& m) { return compare(m, 0); }
int32_t Strings::kequalsignorecase(const Match& m) { return compare(m, 1); }
int32_t Strings::kcompareto(const Match& m) { return compare(m, 2); }

int32_t Strings::kstartswith(const Match& m) {
    const std::u16string text = to_utf16(receiver_text(m));
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::u16string prefix = to_utf16(argument_text(argument(a, 0)));
    const int64_t offset = a.size() > 1 ? position(in_.get_value(a[1])) : 0;
    if (prefix.empty() || offset > static_cast<int64_t>(text.size())) return int_result(in_, 0);
    const std::u16string_view rest = std::u16string_view(text).substr(offset > 0 ? static_cast<size_t>(offset) : 0);
    return int_result(in_, rest.starts_with(prefix) ? 1 : 0);
}

int32_t Strings::kendswith(const Match& m) {
    const std::string text = receiver_text(m);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    // Evaluated, char literals included: «s.endsWith('o')» tests the character.
    const std::string suffix = argument_text(argument(a, 0));
    return int_result(in_, std::string_view(text).ends_with(suffix) ? 1 : 0);
}

// --- searching -------------------------------------------------------------------------------

std::string Strings::search_text(std::string_view arg) {
    if (is_literal(arg)) return std::string(dcopy(arg, 2, static_cast<int64_t>(arg.size()) - 2));
    return argument_text(arg);
}

int32_t Strings::kindexof(const Match& m) {
    const std::u16string text = to_utf16(receiver_text(m));
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::u16string needle = to_utf16(search_text(argument(a, 0)));
    const int64_t from = a.size() > 1 ? position(in_.get_value(a[1])) : 0;
    // Positions count from 1; 0 is "not found".
    const int64_t start = from > 0 ? from - 1 : 0;
    if (needle.empty() || start >= static_cast<int64_t>(text.size())) return int_result(in_, 0);
    const size_t hit = text.find(needle, static_cast<size_t>(start));
    return int_result(in_, hit == std::u16string::npos ? 0 : length_of(hit) + 1);
}

int32_t Strings::klastindexof(const Match& m) {
    const std::u16string text = to_utf16(receiver_text(m));
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::u16string needle = to_utf16(search_text(argument(a, 0)));
    const int64_t from = a.size() > 1 ? position(in_.get_value(a[1])) : 0;
    if (needle.empty()) return int_result(in_, 0);
    // The last hit that starts at or before `from` (from 1); hits may overlap.
    const size_t limit = from > 0
                             ? static_cast<size_t>(std::min<int64_t>(from - 1, std::numeric_limits<int32_t>::max()))
                             : std::u16string::npos;
    const size_t hit = text.rfind(needle, limit);
    return int_result(in_, hit == std::u16string::npos ? 0 : length_of(hit) + 1);
}

int32_t Strings::ksubstring(const Match& m) {
    const std::u16string text = to_utf16(receiver_text(m));
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const auto size = static_cast<int64_t>(text.size());
    const int64_t from = a.empty() ? 0 : position(in_.get_value(a[0]));
    const int64_t to = a.size() > 1 ? position(in_.get_value(a[1])) : size;
    const int64_t lo = std::max<int64_t>(from, 0);
    const int64_t hi = std::min(to, size);
    std::string out;
    if (lo < hi)
        out = from_utf16(std::u16string_view(text).substr(static_cast<size_t>(lo), static_cast<size_t>(hi - lo)));
    return method_result(m, std::move(out), false);
}

// --- numbers ---------------------------------------------------------------------------------

int32_t Strings::klength(const Match& m) {
    if (prefix_matches(m.statement, "strlen")) {
        // strlen(name): the length of the named text. Anything after the bracket is an
        // expression («strlen(buf) + 1»), which the operators take first.
        const std::string_view rest = dtrim(m.rest);
        const size_t close = rest.empty() || rest.front() != '(' ? std::string_view::npos : matching_bracket(rest, 0);
        if (close == std::string_view::npos || !cut_statement(rest.substr(close + 1)).empty()) {
            in_.keep_going = 1;
            return 0;
        }
        in_.Results.clear();
        in_.get_value(std::string(rest.substr(1, close - 1)));
        return int_result(in_, length_of(utf16_length(in_.Results)));
    }
    return int_result(in_, length_of(utf16_length(receiver_text(m))));
}

int32_t Strings::ktoint(const Match& m) {
    in_.Results.clear();
    std::string text;
    if (!m.receiver.empty()) {
        in_.find_value(std::string(m.receiver));
        text = in_.Results;
    }
    // Set before converting: after a conversion fault the value is a plain 0, not the text.
    int_result(in_, 0);
    return int_result(in_, string_to_int(text));
}

int32_t Strings::kreserve(const Match&) {
    in_.keep_going = 0;
    return int_result(in_, 0);
}

} // namespace quorvex
