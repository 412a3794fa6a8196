#pragma once
// Prefilters for the ordered table scans: which rows can fit a text at all, decided from single
// characters before any row's word is compared. They only leave out rows that cannot fit, and
// the rows left are visited in table order, so the first row that fits is the same as without
// them.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvex {

// A set of rows of a table with N rows (indexes 0 .. N-1).
template <size_t N>
class RowSet {
public:
    void add(size_t row) { bits_[row / 64] |= uint64_t{1} << (row % 64); }
    bool has(size_t row) const { return (bits_[row / 64] >> (row % 64) & 1) != 0; }
    // Calls visit(row) for each row in ascending order until it returns true; true when one did.
    template <class Visit>
    bool find_if(Visit&& visit) const {
        for (size_t w = 0; w < bits_.size(); ++w)
            for (uint64_t b = bits_[w]; b != 0; b &= b - 1)
                if (visit(w * 64 + static_cast<size_t>(std::countr_zero(b)))) return true;
        return false;
    }

private:
    std::array<uint64_t, (N + 63) / 64> bits_{};
};

// The rows of `table` from row `first` on, by the first character of their `word`: a text can
// only begin with a row's word when it begins with that character.
template <class Row, size_t N>
std::array<RowSet<N>, 256> rows_by_first_char(const std::array<Row, N>& table, size_t first) {
    std::array<RowSet<N>, 256> by_char{};
    for (size_t k = first; k < N; ++k)
        if (!table[k].word.empty()) by_char[static_cast<unsigned char>(table[k].word.front())].add(k);
    return by_char;
}

// The characters a text holds, one bit each: a word with a character the text lacks cannot
// occur in it.
class CharSet {
public:
    CharSet() = default;
    explicit CharSet(std::string_view s) {
        for (char c : s) add(c);
    }
    void add(char c) {
        const auto u = static_cast<unsigned char>(c);
        bits_[u / 64] |= uint64_t{1} << (u % 64);
    }
    bool has(char c) const {
        const auto u = static_cast<unsigned char>(c);
        return (bits_[u / 64] >> (u % 64) & 1) != 0;
    }
    // The first two characters of `word` are both in the text (a cheap test before a search).
    bool may_contain(std::string_view word) const {
        return !word.empty() && has(word[0]) && (word.size() < 2 || has(word[1]));
    }

private:
    std::array<uint64_t, 4> bits_{};
};

} // namespace quorvex
