#pragma once
// Digital and analog I/O: pin modes, levels, analog inputs and outputs, tone, pulseIn and the shift routines.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class PinIO {
public:
    explicit PinIO(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kpinmode(const Match& m);
    int32_t kdigwrite(const Match& m);
    int32_t kdigread(const Match& m);
    int32_t kanalog(const Match& m);
    int32_t kanalogWrite(const Match& m);
    int32_t ktone(const Match& m);
    int32_t kpulsein(const Match& m);
    int32_t kshiftOut(const Match& m);
    int32_t kshiftIn(const Match& m);
    int32_t kanalogReference(const Match& m);

    // Part of reset.
    void reset();

private:
    Interpreter& in_;
};

} // namespace quorvex
