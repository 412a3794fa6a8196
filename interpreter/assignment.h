#pragma once
// How a store reaches the variable table, and the value ranges it enforces.

#include <array>
#include <cstdint>

namespace quorvex {

enum class AssignMode {
    Assign,    // an assignment statement: const and range checks report
    DeclInit,  // a declaration's initial value: a const takes it silently
    ParamBind, // a subroutine parameter receiving its argument
};

// Value ranges by type code 1..5 (boolean, byte, char, int, long). Upper limits are
// exclusive. An unsigned char keeps the signed range; the unsigned long limit is one
// below 2^32. The boolean row is never consulted.
inline constexpr std::array<int64_t, 6> max_unsigned = {0, 1, 256, 128, 65536, 4294967295};
inline constexpr std::array<int64_t, 6> min_unsigned = {0, 0, 0, -128, 0, 0};
inline constexpr std::array<int64_t, 6> max_signed = {0, 1, 256, 128, 32768, 2147483648};
inline constexpr std::array<int64_t, 6> min_signed = {0, 0, 0, -128, -32768, -2147483648};

} // namespace quorvex
