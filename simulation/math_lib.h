#pragma once
// Math, bits and random numbers.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class MathLib {
public:
    explicit MathLib(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kmap(const Match& m);
    int32_t kconstrain(const Match& m);
    int32_t kmath(const Match& m);
    int32_t ktrig(const Match& m);
    int32_t kbits(const Match& m);
    int32_t krandom(const Match& m);
    int32_t krandomseed(const Match& m);

    // Part of reset.
    void reset();

private:
    Interpreter& in_;
};

} // namespace quorvex
