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

// Splits at every ";" outside literals; each part keeps its ";". A trailing part that is
// blank is dropped. Returns the trimmed parts.
std::vector<std::string_view> split_statements(std::string_view s);

} // namespace quorvex
