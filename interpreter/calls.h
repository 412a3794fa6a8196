#pragma once
// Calls of the sketch's own functions: a call pushes a frame and moves the cursor to the
// header; the body's closing brace returns to the call line and delivers the value.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/variables.h"

namespace quorvex {

class Interpreter;

class Calls {
public:
    explicit Calls(Interpreter& in) : in_(in) {}

    // Makes the call when `name` is a subroutine of the sketch; false otherwise.
    bool sr_found(std::string_view name);
    int32_t kreturn(std::string_view s);
    // The return at a body's closing brace: the frame's level has just been popped and
    // `level` is its index (the control stack's loopx after the pop).
    void return_from_call(int32_t level);

    void reset();

    static constexpr int32_t max_depth = 20; // rows of stackx
    std::array<std::array<int32_t, max_n + 1>, max_depth + 1> stackx{};
    Value ret_value;
    int32_t retx = 0;

private:
    Interpreter& in_;
};

} // namespace quorvex
