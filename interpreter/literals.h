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

// Index of the first operator token at or after `from` that stands at bracket depth 0 (round and
// square brackets) outside string and char literals and satisfies pred(token); npos when none.
// The text is tokenised left to right, so a predicate never sees "=" inside "==" or "<" inside
// "<<". Scanning starts at depth 0: pass 0 or an index just past an earlier match.
template <class Pred>
size_t find_operator_if(std::string_view s, Pred&& pred, size_t from = 0) {
    int depth = 0;
    for (size_t i = from; i < s.size();) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            i = skip_literal(s, i);
        } else if (c == '(' || c == '[') {
            ++depth;
            ++i;
        } else if (c == ')' || c == ']') {
            if (depth > 0) --depth; // a stray closer does not hide the rest of the text
            ++i;
        } else if (const size_t w = word_length(s, i); w > 0) {
            i += w;
        } else if (const size_t n = operator_length(s, i); n > 0) {
            if (depth == 0 && pred(s.substr(i, n))) return i;
            i += n;
        } else {
            ++i;
        }
    }
    return std::string_view::npos;
}

// Index of operator `op` as a whole token at depth 0 outside literals; npos when absent.
size_t find_operator(std::string_view s, std::string_view op, size_t from = 0);

// Splits at every ";" outside literals; each part keeps its ";". A trailing part that is
// blank is dropped. Returns the trimmed parts.
std::vector<std::string_view> split_statements(std::string_view s);

} // namespace quorvex
