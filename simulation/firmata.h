#pragma once
// Firmata: calls accepted with fixed answers; nothing is sent and no panel shows them.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

class Firmata {
public:
    explicit Firmata(Interpreter& in) : in_(in) {}

    int32_t kfirmata(const Match& m);

private:
    Interpreter& in_;
};

} // namespace quorvex
