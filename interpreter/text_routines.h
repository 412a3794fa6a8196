#pragma once
// Text routines shared by the whole interpreter, on top of the scanning layer (literals.h):
// splitting into the text registers, brackets, argument lists, number texts. Positions are
// 1-based, as the sketch-facing routines count them; dpos/dcopy/dtrim are the only index
// arithmetic, and dcopy clamps.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/literals.h"

namespace quorvex {

// 1-based position of the first `sub` in `s`, 0 when absent.
int dpos(std::string_view sub, std::string_view s);
// `count` characters from 1-based `index`, clamped to the text.
std::string_view dcopy(std::string_view s, int64_t index, int64_t count);
std::string lower_ascii(std::string_view s);
bool contains(std::string_view s, std::string_view sub);
bool contains(std::string_view s, char c);

// Position of the ")" that closes the "(" at position 1, 0 when it is never closed.
// Brackets inside string and char literals are text.
int nextbracket(std::string_view s);
// `s` cut before its last `brr`, trimmed; "" when `s` holds no `brr`.
std::string Trim_Last_Bracket(std::string_view s, char brr);
int32_t StrToHex(std::string_view s);
int32_t StrToBin(std::string_view s);

// Argument texts of the last parse. Reading past the stored entries gives "".
class TextList {
public:
    const std::string& operator[](size_t i) const { return i < items_.size() ? items_[i] : empty_; }
    void set(size_t i, std::string text) {
        if (i >= items_.size()) items_.resize(i + 1);
        items_[i] = std::move(text);
    }
    void clear() { items_.clear(); }
    size_t size() const { return items_.size(); }

private:
    std::vector<std::string> items_;
    static inline const std::string empty_{};
};

// The text registers and the routines that fill them. Every call overwrites what the
// previous one left, so callers copy what they need before splitting again.
class TextRoutines {
public:
    std::string lefts;
    std::string rights;
    std::string eval_fn;
    TextList varx;

    int SplitString(std::string_view id, std::string_view s);
    int LastSplitString(std::string_view id, std::string_view s);
    std::string StripBrackets(std::string_view s);
    int parse(std::string_view s, char br, char rbr);
};

} // namespace quorvex
