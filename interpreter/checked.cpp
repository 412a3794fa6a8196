#include "interpreter/checked.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorvex {

int32_t checked_div(int32_t a, int32_t b) {
    if (b == 0) throw EvalFault("division by zero");
    if (a == std::numeric_limits<int32_t>::min() && b == -1) throw EvalFault("division overflow");
    return a / b;
}

int32_t checked_mod(int32_t a, int32_t b) {
    if (b == 0) throw EvalFault("division by zero");
    if (b == -1) return 0; // INT_MIN % -1 is undefined in C++; the true remainder is 0
    return a % b;
}

int32_t checked_rem(int32_t a, int32_t b) {
    if (a == std::numeric_limits<int32_t>::min() && b == -1) throw EvalFault("division overflow");
    return checked_mod(a, b);
}

long double checked_fdiv(long double a, long double b) {
    if (b == 0.0L) throw EvalFault("division by zero");
    return a / b;
}

double checked_fdiv(double a, double b) {
    if (b == 0.0) throw EvalFault("division by zero");
    return a / b;
}

double checked_fmod(double a, double b) {
    if (b == 0.0) throw EvalFault("division by zero");
    return std::fmod(a, b);
}

int32_t shift_left(int32_t value, int32_t count) {
    if (count < 0 || count > 31) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(value) << count);
}

int32_t shift_right(int32_t value, int32_t count) {
    if (count < 0 || count > 31) return 0;
    // Division rounds toward zero; int64 keeps INT_MIN / 2^31 exact.
    return static_cast<int32_t>(static_cast<int64_t>(value) / (int64_t{1} << count));
}

int32_t text_to_int32(std::string_view text) {
    int32_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (text.empty() || ec != std::errc() || ptr != last) throw EvalFault("not a number");
    return value;
}

int32_t float_to_int32(double value) {
    // 2^63 is exactly representable; anything at or beyond it does not fit int64.
    constexpr double limit = 9223372036854775808.0;
    if (std::isnan(value) || value >= limit || value < -limit) throw EvalFault("float out of range");
    const auto wide = static_cast<int64_t>(value);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(wide)));
}

namespace {

// Truncation toward zero keeping the low 32 bits; `value` lies within [-2^63, 2^63).
int32_t low_bits(long double value) {
    const auto wide = static_cast<int64_t>(value);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(wide)));
}

bool fits_int64(long double value) { return value >= -0x1p63L && value < 0x1p63L; } // false for NaN

} // namespace

int32_t truncate_to_int32(long double value) {
    if (!fits_int64(value)) throw EvalFault("float out of range");
    return low_bits(value);
}

int32_t float_int_side(long double value) { return fits_int64(value) ? low_bits(value) : 0; }

float to_single(long double f) {
    if (f > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (f < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(f);
}

} // namespace quorvex
