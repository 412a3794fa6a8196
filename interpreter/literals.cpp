#include "interpreter/literals.h"

#include "interpreter/text_routines.h"

namespace quorvex {

size_t skip_literal(std::string_view s, size_t i) {
    if (i >= s.size()) return s.size();
    const char quote = s[i];
    for (size_t j = i + 1; j < s.size(); ++j) {
        if (s[j] == '\\') ++j;
        else if (s[j] == quote) return j + 1;
    }
    return s.size();
}

static bool is_quote(char c) { return c == '"' || c == '\''; }

size_t find_outside_literals(std::string_view s, std::string_view needle, size_t from) {
    for (size_t i = from; i < s.size();) {
        if (is_quote(s[i])) {
            i = skip_literal(s, i);
            continue;
        }
        if (s.compare(i, needle.size(), needle) == 0) return i;
        ++i;
    }
    return std::string_view::npos;
}

bool contains_outside_literals(std::string_view s, char c) {
    return find_outside_literals(s, std::string_view(&c, 1)) != std::string_view::npos;
}

size_t matching_bracket(std::string_view s, size_t open) {
    int depth = 0;
    for (size_t i = open; i < s.size();) {
        if (is_quote(s[i])) {
            i = skip_literal(s, i);
            continue;
        }
        if (s[i] == '(') ++depth;
        else if (s[i] == ')' && --depth == 0) return i;
        ++i;
    }
    return std::string_view::npos;
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

} // namespace quorvex
