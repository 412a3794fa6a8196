#include "interpreter/literals.h"

namespace quorvex {

void dtrim_in_place(std::string& s) {
    s.resize(dtrim_right(s).size());
    s.erase(0, s.size() - dtrim_left(s).size());
}

bool is_identifier(std::string_view s) {
    if (s.empty() || !ident_start(s[0])) return false;
    for (char c : s)
        if (!ident_char(c)) return false;
    return true;
}

size_t skip_literal(std::string_view s, size_t i) {
    if (i >= s.size()) return s.size();
    const char quote = s[i];
    for (size_t j = i + 1; j < s.size(); ++j) {
        if (s[j] == '\\')
            ++j;
        else if (s[j] == quote)
            return j + 1;
    }
    return s.size();
}

size_t find_outside_literals(std::string_view s, std::string_view needle, size_t from) {
    for (size_t i = from; i < s.size();) {
        if (is_quote(s[i])) {
            i = skip_literal(s, i);
            continue;
        }
        // One character (";", "{", ...) is the common case on every step: no compare call.
        if (needle.size() == 1 ? s[i] == needle[0] : s.compare(i, needle.size(), needle) == 0) return i;
        ++i;
    }
    return std::string_view::npos;
}

bool contains_outside_literals(std::string_view s, char c) {
    return find_outside_literals(s, std::string_view(&c, 1)) != std::string_view::npos;
}

size_t closing_bracket(std::string_view s, size_t from, char open, char close, int depth) {
    for (size_t i = from; i < s.size();) {
        if (is_quote(s[i])) {
            i = skip_literal(s, i);
            continue;
        }
        if (s[i] == open)
            ++depth;
        else if (s[i] == close && --depth == 0)
            return i;
        ++i;
    }
    return std::string_view::npos;
}

int brace_balance(std::string_view s, size_t from, size_t to, bool unclosed_only) {
    int balance = 0;
    if (to > s.size()) to = s.size();
    for (size_t i = from; i < to;) {
        if (is_quote(s[i])) {
            i = skip_literal(s, i);
            continue;
        }
        if (s[i] == '{')
            ++balance;
        else if (s[i] == '}' && (!unclosed_only || balance > 0))
            --balance;
        ++i;
    }
    return balance;
}

size_t top_level_comma(std::string_view s, size_t from, BraceRule braces) {
    return find_top_level(s, from, braces, [](char c) { return c == ','; });
}

std::vector<std::string_view> split_top_level(std::string_view s, BraceRule braces) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t comma = top_level_comma(s, 0, braces); comma != std::string_view::npos;
         comma = top_level_comma(s, start, braces)) {
        parts.push_back(dtrim(s.substr(start, comma - start)));
        start = comma + 1;
    }
    parts.push_back(dtrim(s.substr(start)));
    return parts;
}

size_t matching_bracket(std::string_view s, size_t open) {
    if (open >= s.size()) return std::string_view::npos;
    const char o = s[open];
    const char c = o == '[' ? ']' : (o == '{' ? '}' : ')');
    return closing_bracket(s, open + 1, o, c);
}

static bool digit(char c) { return c >= '0' && c <= '9'; }

// The C operator set: "<<=" ">>=", the two-character operators << >> <= >= == != && || ++ --
// += -= *= /= %= &= |= ^= -> ::, then the single characters + - * / % = < > ! ~ & | ^ ? : , .
// A switch rather than a table scan: this runs for every operator character of every statement.
size_t operator_length(std::string_view s, size_t i) {
    if (i >= s.size()) return 0;
    const char c = s[i];
    const char next = i + 1 < s.size() ? s[i + 1] : '\0';
    switch (c) {
    case '<':
    case '>':
        if (next == c) return i + 2 < s.size() && s[i + 2] == '=' ? 3 : 2;
        return next == '=' ? 2 : 1;
    case '&':
    case '|':
    case '+':
        return next == c || next == '=' ? 2 : 1;
    case '-':
        return next == '-' || next == '=' || next == '>' ? 2 : 1;
    case '=':
    case '!':
    case '*':
    case '/':
    case '%':
    case '^':
        return next == '=' ? 2 : 1;
    case ':':
        return next == ':' ? 2 : 1;
    case '~':
    case '?':
    case ',':
    case '.':
        return 1;
    default:
        return 0;
    }
}

size_t word_length(std::string_view s, size_t i) {
    if (i >= s.size()) return 0;
    size_t j = i;
    if (ident_start(s[i])) {
        while (j < s.size() && (ident_start(s[j]) || digit(s[j]))) ++j;
        return j - i;
    }
    const bool number = digit(s[i]) || (s[i] == '.' && i + 1 < s.size() && digit(s[i + 1]));
    if (!number) return 0;
    // Hex numbers have no decimal exponent: in "0x1e-5" the "-" is an operator.
    const bool hex = s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X');
    while (j < s.size()) {
        const char c = s[j];
        const char prev = j > i ? s[j - 1] : '\0';
        const bool exponent = hex ? (prev == 'p' || prev == 'P') : (prev == 'e' || prev == 'E');
        if (ident_start(c) || digit(c) || c == '.' || ((c == '+' || c == '-') && exponent))
            ++j;
        else
            break;
    }
    return j - i;
}

size_t find_operator(std::string_view s, std::string_view op, size_t from) {
    // A text without the operator's first character holds no such token.
    if (op.empty() || s.find(op[0], from) == std::string_view::npos) return std::string_view::npos;
    return find_operator_if(
        s, [op](std::string_view token) { return same_token(token, op); }, from);
}

size_t find_operator(std::string_view s, std::string_view op, Occurrence which) {
    if (which == Occurrence::first) return find_operator(s, op);
    if (op.empty() || s.find(op[0]) == std::string_view::npos) return std::string_view::npos;
    size_t last = std::string_view::npos;
    scan_operators(s, 0, [&](size_t i, std::string_view token) {
        if (same_token(token, op)) last = i;
        return false;
    });
    return last;
}

std::vector<std::string_view> split_statements(std::string_view s) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t semi = find_outside_literals(s, ";"); semi != std::string_view::npos;
         semi = find_outside_literals(s, ";", start)) {
        parts.push_back(dtrim(s.substr(start, semi + 1 - start)));
        start = semi + 1;
    }
    std::string_view tail = dtrim(s.substr(start));
    if (!tail.empty()) parts.push_back(tail);
    return parts;
}

std::string_view cut_statement(std::string_view s) {
    const size_t semi = find_outside_literals(s, ";");
    return dtrim(semi == std::string_view::npos ? s : s.substr(0, semi));
}

bool prefix_matches(std::string_view s, std::string_view word) {
    if (word.empty() || !s.starts_with(word)) return false;
    if (!ident_char(word.back())) return true;
    return s.size() == word.size() || !ident_char(s[word.size()]);
}

bool call_matches(std::string_view s, std::string_view word) {
    if (word.empty() || !s.starts_with(word)) return false;
    const std::string_view raw = s.substr(word.size());
    if (!raw.empty() && ident_char(word.back()) && ident_char(raw.front())) return false;
    const std::string_view rest = dtrim(raw);
    if (rest.empty()) return true;
    if (rest.front() != '(') return false;
    return matching_bracket(rest, 0) == rest.size() - 1;
}

} // namespace quorvex
