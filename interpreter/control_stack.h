#pragma once
// The stack of open blocks and calls. A push writes the level at loopx and then
// raises loopx; a pop lowers loopx and the level there stays readable, which the
// else handling relies on.

#include <array>
#include <cstdint>

namespace quorvex {

inline constexpr int32_t MAX_LOOP = 200;

// Block kinds stored in last_control.
inline constexpr int32_t IFORELSE = 1;
inline constexpr int32_t L_SUBR = 2;
inline constexpr int32_t L_WHILE = 3;
inline constexpr int32_t L_FOR = 4;
inline constexpr int32_t L_DOWHILE = 5;
inline constexpr int32_t L_SWITCH = 6;

struct ControlLevel {
    int32_t last_control = 0;
    int32_t loop_line = 0;
    int32_t loop_next = 0;
    bool last_ifloop = false;
    int32_t sr_var = 0;
    bool async = false;  // an event or interrupt routine entered between statements
    bool braced = false; // the block opened with "{": its end is a "}" line, not a countdown
    int32_t forx = 0;    // an L_FOR level's slot in for2/for3 (1..MAX_LOOP), 0 for other kinds
    // The brace-less countdown of the level below, which waits while this level is open and
    // counts again when it closes.
    int32_t outer_single_loop = 0;
};

class ControlStack {
public:
    int32_t loopx = 1;

    // False, and nothing pushed, when the stack is full. The last slot stays free because
    // block headers write their level at loopx before pushing. A loopx lowered below the
    // table by hand is refused too rather than written through.
    bool push(const ControlLevel& level) {
        if (loopx < 0 || loopx >= MAX_LOOP) return false;
        levels_[static_cast<size_t>(loopx)] = level;
        ++loopx;
        return true;
    }
    // False, and nothing popped, at the top level.
    bool pop() {
        if (loopx <= 1) return false;
        --loopx;
        return true;
    }
    // Level i, 0..MAX_LOOP; indexes outside are clamped so that no read or write leaves the table.
    ControlLevel& at(int32_t i) { return levels_[clamp(i)]; }
    const ControlLevel& at(int32_t i) const { return levels_[clamp(i)]; }
    ControlLevel& current() { return at(loopx); }

    void reset() {
        loopx = 1;
        levels_.fill(ControlLevel{});
    }

private:
    static size_t clamp(int32_t i) { return static_cast<size_t>(i < 0 ? 0 : (i > MAX_LOOP ? MAX_LOOP : i)); }
    std::array<ControlLevel, MAX_LOOP + 1> levels_{};
};

} // namespace quorvex
