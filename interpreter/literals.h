#pragma once
// Scanning that skips string and character literals, so that ";", comment markers,
// braces and brackets inside quotes are not taken for code.

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// Index just past the literal that opens at `i` (s[i] is a quote); the end of `s` when unclosed.
size_t skip_literal(std::string_view s, size_t i);
// First index of `needle` outside literals at or after `from`, npos when absent.
size_t find_outside_literals(std::string_view s, std::string_view needle, size_t from = 0);
bool contains_outside_literals(std::string_view s, char c);
// Index of the ")" closing the "(" at `open`, skipping literals; npos when never closed.
size_t matching_bracket(std::string_view s, size_t open);
// Index of the `close` that brings `depth` open brackets down to 0, scanning from `from` and
// skipping literals; npos when they are never all closed.
size_t closing_bracket(std::string_view s, size_t from, char open, char close, int depth = 1);

// Length of the C operator token that starts at s[i], longest match first ("<<=" before "<<"
// before "<"); 0 when no operator starts there.
size_t operator_length(std::string_view s, size_t i);
// Length of the identifier or number that starts at s[i], 0 when neither does. A number runs
// on through letters, digits and "." and takes a sign after an exponent, so "1.5e-3" holds no "-".
size_t word_length(std::string_view s, size_t i);

// Which occurrence of an operator a search returns.
enum class Occurrence { first, last };

// Walks the operator tokens of `s` from `from` that stand at bracket depth 0 (round, square and
// brace brackets) outside string and char literals, calling visit(index, token) until it returns
// true; returns that index, npos when it never does. The text is tokenised left to right, so a
// visitor never sees "=" inside "==" or "<" inside "<<". A "+" or "-" with no operand before it
// (at the start, after another operator or an opening bracket) is a sign, not an operator, and
// is not visited: "5 - -3" has one "-". Scanning starts at depth 0 with no operand before it:
// pass 0 or an index just past an earlier binary match.
template <class Visit>
size_t scan_operators(std::string_view s, size_t from, Visit&& visit) {
    int depth = 0;
    bool operand_before = false;
    for (size_t i = from; i < s.size();) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            i = skip_literal(s, i);
            operand_before = true;
        } else if (c == '(' || c == '[' || c == '{') {
            ++depth;
            operand_before = false;
            ++i;
        } else if (c == ')' || c == ']' || c == '}') {
            if (depth > 0) --depth; // a stray closer does not hide the rest of the text
            operand_before = true;
            ++i;
        } else if (const size_t w = word_length(s, i); w > 0) {
            operand_before = true;
            i += w;
        } else if (const size_t n = operator_length(s, i); n > 0) {
            const std::string_view token = s.substr(i, n);
            const bool sign = n == 1 && (c == '+' || c == '-') && !operand_before;
            // "++"/"--" keep what stood before them: postfix after an operand, prefix before one.
            if (n != 2 || (token != "++" && token != "--")) operand_before = false;
            if (!sign && depth == 0 && visit(i, token)) return i;
            i += n;
        } else {
            ++i;
        }
    }
    return std::string_view::npos;
}

// Index of the first operator token at or after `from` at depth 0 outside literals that
// satisfies pred(token); npos when none. Signs are no operators (see scan_operators).
template <class Pred>
size_t find_operator_if(std::string_view s, Pred&& pred, size_t from = 0) {
    return scan_operators(s, from, [&pred](size_t, std::string_view token) { return pred(token); });
}

// Index of operator `op` as a whole token at depth 0 outside literals; npos when absent.
size_t find_operator(std::string_view s, std::string_view op, size_t from = 0);
// The first or the last such occurrence: operators that group to the left split at the last.
size_t find_operator(std::string_view s, std::string_view op, Occurrence which);

// Splits at every ";" outside literals; each part keeps its ";". A trailing part that is
// blank is dropped. Returns the trimmed parts.
std::vector<std::string_view> split_statements(std::string_view s);

} // namespace quorvex
