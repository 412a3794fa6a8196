#pragma once
// The sketch's own functions, as the reset scan finds them: name, parameter count,
// header line and the line of the brace that closes the body.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

struct Subroutine {
    std::string name;   // as the sketch writes it, without the return type
    int32_t params = 0; // as the argument splitter counts them
    int32_t header_line = 0;
    int32_t close_line = -1; // the line of the body's closing brace
};

class SubroutineTable {
public:
    static constexpr int32_t capacity = 201;

    int32_t srx() const { return static_cast<int32_t>(rows_.size()); }
    const Subroutine& at(int32_t i) const { return rows_[static_cast<size_t>(i)]; }
    // First entry with exactly this name, nullptr when none.
    const Subroutine* find(std::string_view name) const {
        // Every statement without a call asks for the empty name.
        if (name.empty() && !has_unnamed_) return nullptr;
        for (const Subroutine& s : rows_)
            if (s.name == name) return &s;
        return nullptr;
    }
    // False, and nothing added, when the table is full.
    bool add(Subroutine s) {
        if (srx() >= capacity) return false;
        has_unnamed_ = has_unnamed_ || s.name.empty();
        rows_.push_back(std::move(s));
        ++revision_;
        return true;
    }
    void clear() {
        rows_.clear();
        has_unnamed_ = false;
        ++revision_;
    }
    const std::vector<Subroutine>& rows() const { return rows_; }
    // Changes whenever the table does, so that an answer about it can be kept until then.
    uint64_t revision() const { return revision_; }

private:
    std::vector<Subroutine> rows_;
    bool has_unnamed_ = false;
    uint64_t revision_ = 0;
};

} // namespace quorvex
