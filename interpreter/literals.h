#pragma once
// The scanning layer under every text routine: blanks, identifiers, literals, brackets, commas,
// operator tokens, statements and the keyword matchers. String and character literals are
// skipped, so that ";", comment markers, commas, braces and brackets inside quotes are not taken
// for code. Nothing here knows the interpreter.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// Removes leading and trailing characters <= ' '. Inline: every term of every statement is
// trimmed several times.
constexpr bool is_blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
inline std::string_view dtrim_left(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && is_blank(s[i])) ++i;
    return s.substr(i);
}
inline std::string_view dtrim_right(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && is_blank(s[n - 1])) --n;
    return s.substr(0, n);
}
inline std::string_view dtrim(std::string_view s) { return dtrim_right(dtrim_left(s)); }
// dtrim on the string itself, without a copy.
void dtrim_in_place(std::string& s);

// Identifier characters: ASCII letters, digits and "_"; a name does not start with a digit.
constexpr bool ident_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
constexpr bool ident_char(char c) { return ident_start(c) || (c >= '0' && c <= '9'); }
constexpr bool is_quote(char c) { return c == '"' || c == '\''; }
// `s` is one whole name.
bool is_identifier(std::string_view s);
// `s` begins with `word` and the word ends there: «int0 = 1» and «integer» hold no "int".
// Inline: every statement is tried against the declaration words with it.
inline bool starts_with_word(std::string_view s, std::string_view word) {
    return s.starts_with(word) && (s.size() == word.size() || !ident_char(s[word.size()]));
}

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
// Opening minus closing braces outside literals in s[from, to). With `unclosed_only` a brace that
// closes a block opened before `from` is not counted, so the result never drops below 0.
int brace_balance(std::string_view s, size_t from = 0, size_t to = std::string_view::npos, bool unclosed_only = false);

// Whether braces nest in a top-level scan; round and square brackets always do.
enum class BraceRule { nest, plain };

// First index at or after `from` at bracket depth 0, outside literals, whose character satisfies
// stop(c); npos when none. A stray closing bracket does not take the depth below 0.
template <class Stop>
size_t find_top_level(std::string_view s, size_t from, BraceRule braces, Stop&& stop) {
    const bool nest_braces = braces == BraceRule::nest;
    int depth = 0;
    for (size_t i = from; i < s.size();) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            i = skip_literal(s, i);
            continue;
        }
        if (c == '(' || c == '[' || (nest_braces && c == '{')) {
            ++depth;
        } else if (c == ')' || c == ']' || (nest_braces && c == '}')) {
            if (depth > 0) --depth;
        } else if (depth == 0 && stop(c)) {
            return i;
        }
        ++i;
    }
    return std::string_view::npos;
}

// Index of the first "," at or after `from` at depth 0 outside literals, npos when there is none.
size_t top_level_comma(std::string_view s, size_t from = 0, BraceRule braces = BraceRule::plain);
// The argument splitter: the trimmed texts between the depth-0 commas outside literals, so
// «String s = "a, b"» and «f(1, 2), y» split where C does. An empty text is one empty part.
std::vector<std::string_view> split_top_level(std::string_view s, BraceRule braces = BraceRule::nest);

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
// What a character can start, for the operator scan below.
enum class CharKind : uint8_t { other, quote, open, close, name, number };
struct CharKinds {
    std::array<CharKind, 256> kind{};
    constexpr CharKinds() {
        for (int c = 0; c < 256; ++c) {
            const char ch = static_cast<char>(c);
            if (is_quote(ch))
                kind[static_cast<size_t>(c)] = CharKind::quote;
            else if (ch == '(' || ch == '[' || ch == '{')
                kind[static_cast<size_t>(c)] = CharKind::open;
            else if (ch == ')' || ch == ']' || ch == '}')
                kind[static_cast<size_t>(c)] = CharKind::close;
            else if (ident_start(ch))
                kind[static_cast<size_t>(c)] = CharKind::name;
            else if ((ch >= '0' && ch <= '9') || ch == '.')
                kind[static_cast<size_t>(c)] = CharKind::number; // "." only when a digit follows
        }
    }
    CharKind operator[](char c) const { return kind[static_cast<unsigned char>(c)]; }
};
inline constexpr CharKinds char_kinds{};

// Two operator tokens are the same: compared inline, since they are one to three characters.
constexpr bool same_token(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (a[k] != b[k]) return false;
    return true;
}

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
        size_t w = 0;
        switch (char_kinds[c]) {
        case CharKind::quote:
            i = skip_literal(s, i);
            operand_before = true;
            continue;
        case CharKind::open:
            ++depth;
            operand_before = false;
            ++i;
            continue;
        case CharKind::close:
            if (depth > 0) --depth; // a stray closer does not hide the rest of the text
            operand_before = true;
            ++i;
            continue;
        case CharKind::name: // a name runs on through letters, digits and "_"
            w = 1;
            while (i + w < s.size() && ident_char(s[i + w])) ++w;
            break;
        case CharKind::number:
            w = word_length(s, i);
            break;
        case CharKind::other:
            break;
        }
        if (w > 0) {
            operand_before = true;
            i += w;
        } else if (const size_t n = operator_length(s, i); n > 0) {
            const std::string_view token = s.substr(i, n);
            const bool sign = n == 1 && (c == '+' || c == '-') && !operand_before;
            // "++"/"--" keep what stood before them: postfix after an operand, prefix before one.
            if (n != 2 || (!same_token(token, "++") && !same_token(token, "--"))) operand_before = false;
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
// The statement cut before its first ";" outside literals, trimmed.
std::string_view cut_statement(std::string_view s);

// The keyword matchers of the dispatch tables, pure so they can be tested on the real tables.
// kobj/kcontrol: `s` starts with `word`, and a word ending in a letter, digit or "_"
// is not followed by one of those.
bool prefix_matches(std::string_view s, std::string_view word);
// karduinofn: `s` starts with `word`, and the rest is empty or a "(" whose ")" ends `s`.
bool call_matches(std::string_view s, std::string_view word);

} // namespace quorvex
