#pragma once
// External interrupts: attach, detach and the level test that enters a routine.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class Interrupts {
public:
    explicit Interrupts(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kattach(const Match& m);
    int32_t kdetach(const Match& m);

    // The level test of interrupt `n`: enters its routine when the trigger holds.
    void check_int(int32_t n);

    // Part of reset.
    void reset();

private:
    Interpreter& in_;
};

} // namespace quorvex
