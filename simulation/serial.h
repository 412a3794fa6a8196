#pragma once
// Serial ports and SoftwareSerial objects printing into and reading from the port panels.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class SerialPorts {
public:
    explicit SerialPorts(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kserial(const Match& m);

    // Part of reset.
    void reset();

private:
    Interpreter& in_;
};

} // namespace quorvex
