#pragma once
// Checked arithmetic and conversions. Every run-time fault of a sketch expression is
// raised as EvalFault; only the statement executor catches it and reports
// "Cannot Evaluate ...". Wrap-around arithmetic goes through uint32_t so that no
// C++ overflow is ever undefined.

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace quorvex {

class EvalFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised after a sketch error has been reported: the whole statement is abandoned
// without a further report.
class StatementAbandoned : public EvalFault {
public:
    using EvalFault::EvalFault;
};

// Raised when evaluations nest too deeply; the whole statement is then abandoned.
class NestingFault : public EvalFault {
public:
    using EvalFault::EvalFault;
};

inline int32_t wrap_add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrap_sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t wrap_mul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
inline int32_t wrap_neg(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }

// Integer division and remainder: a zero divisor and INT_MIN / -1 are faults.
int32_t checked_div(int32_t a, int32_t b);
int32_t checked_mod(int32_t a, int32_t b);
// Float division and remainder: a zero divisor is a fault.
double checked_fdiv(double a, double b);
double checked_fmod(double a, double b);

// The remainder operator: besides a zero divisor, INT_MIN % -1 is a fault, as INT_MIN / -1 is,
// since the machine's remainder instruction traps on it as on the quotient.
int32_t checked_rem(int32_t a, int32_t b);
// Extended-precision float division: a zero divisor (0/0 included) is a fault.
long double checked_fdiv(long double a, long double b);

// Shift counts outside 0..31 give 0. A right shift rounds toward zero (-5 >> 1 is -2).
int32_t shift_left(int32_t value, int32_t count);
int32_t shift_right(int32_t value, int32_t count);

// Decimal text to int32: the whole text must be digits (optional leading '-') and in range.
int32_t text_to_int32(std::string_view text);

// Float to int: truncates toward zero into 64 bits and keeps the low 32 bits.
// NaN, infinities and values beyond the 64-bit range are faults.
int32_t float_to_int32(double value);

// float_to_int32 for an extended float, checked in extended precision (narrowing an out-of-range
// value to double first would be undefined).
int32_t truncate_to_int32(long double value);
// The integer side of a float result, which only some callers read: truncated as above, but 0
// instead of a fault when the value has no 64-bit integer (infinities, NaN, beyond 2^63).
int32_t float_int_side(long double value);

// Narrowing to single precision that saturates to infinity instead of converting out of range.
float to_single(long double f);

// Bounds the nesting of evaluations so that a deeply nested text cannot exhaust the stack.
class DepthGuard {
public:
    static constexpr int max_depth = 256;
    explicit DepthGuard(int& depth) : depth_(depth) {
        if (++depth_ > max_depth) {
            --depth_;
            throw NestingFault("expression nested too deeply");
        }
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

} // namespace quorvex
