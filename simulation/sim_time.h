#pragma once
// Simulated time: delays, millis/micros, the Time library clock and the frequency counter.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class SimTime {
public:
    explicit SimTime(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kdelay(const Match& m);
    int32_t kdelayMicroseconds(const Match& m);
    int32_t kmillis(const Match& m);
    int32_t kmicros(const Match& m);
    int32_t kTime(const Match& m);
    int32_t ksetTime(const Match& m);
    int32_t kadjTime(const Match& m);
    int32_t kfreq(const Match& m);

    // Part of reset.
    void reset();

private:
    Interpreter& in_;
};

} // namespace quorvex
