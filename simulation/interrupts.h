#pragma once
// External interrupts: attach, detach and the level test that enters a routine.

#include <array>
#include <cstdint>
#include <string>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

inline constexpr int32_t max_interrupts = 6; // external interrupts 0..5

class Interrupts {
public:
    explicit Interrupts(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kattach(const Match& m);
    int32_t kdetach(const Match& m);
    int32_t kinterrupts(const Match& m);
    int32_t knointerrupts(const Match& m);

    // The level test of interrupt `n`: enters its routine when the trigger holds.
    void check_int(int32_t n);
    // The step's level-triggered check, before the current line runs: a LOW interrupt
    // starts again unless the sketch is deeper in blocks than where it last started.
    void check_low_levels();
    // A closing brace at block depth `loopx` re-arms the LOW interrupts at the level below.
    void rearm(int32_t loopx);

    // Part of reset: every interrupt detached and re-armed.
    void reset();

    // The pin of each interrupt number.
    static constexpr std::array<int32_t, max_interrupts> ipin = {0, 1, 21, 20, 19, 18};
    // The routine attached to each interrupt, as written.
    std::array<std::string, max_interrupts> int_routine{};
    // Each interrupt's trigger mode as written ("LOW", "CHANGE", ...), or a word naming none.
    std::array<std::string, max_interrupts> int_type{};
    // The block depth at which each LOW interrupt last started; it starts again at this depth or above.
    std::array<int32_t, max_interrupts> int_loopx{};
    bool allow_interrupts = true; // interrupts() and noInterrupts()

private:
    Interpreter& in_;
};

} // namespace quorvex
