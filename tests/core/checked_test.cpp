// Checked arithmetic: every operation a sketch can reach either gives the wrapped 32-bit
// result or raises EvalFault; none may reach undefined behaviour (the sanitizer build runs these).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/checked.h"

namespace quorvex {
namespace {

TEST(CheckedDivision, ZeroDivisorIsAFault) {
    EXPECT_THROW(checked_div(1, 0), EvalFault);
    EXPECT_THROW(checked_div(0, 0), EvalFault);
    EXPECT_THROW(checked_div(INT_MIN, 0), EvalFault);
    EXPECT_THROW(checked_mod(1, 0), EvalFault);
    EXPECT_THROW(checked_mod(INT_MIN, 0), EvalFault);
    EXPECT_THROW(checked_fdiv(1.0, 0.0), EvalFault);
    EXPECT_THROW(checked_fdiv(1.0, -0.0), EvalFault);
    EXPECT_THROW(checked_fdiv(0.0, 0.0), EvalFault);
    EXPECT_THROW(checked_fmod(1.0, 0.0), EvalFault);
    EXPECT_THROW(checked_fmod(1.0, -0.0), EvalFault);
}

TEST(CheckedDivision, OverflowingQuotientIsAFault) {
    EXPECT_THROW(checked_div(INT_MIN, -1), EvalFault);
    EXPECT_EQ(checked_div(INT_MIN, 1), INT_MIN);
    EXPECT_EQ(checked_div(INT_MAX, -1), -INT_MAX);
    EXPECT_EQ(checked_div(INT_MIN + 1, -1), INT_MAX);
}

TEST(CheckedDivision, RemainderOfMinusOneIsZero) {
    EXPECT_EQ(checked_mod(INT_MIN, -1), 0);
    EXPECT_EQ(checked_mod(5, -1), 0);
    EXPECT_EQ(checked_mod(-5, -1), 0);
}

TEST(CheckedDivision, TruncatesTowardZero) {
    struct Case {
        int32_t a, b, quotient, remainder;
    };
    const Case cases[] = {
        {7, 2, 3, 1},
        {-7, 2, -3, -1},
        {7, -2, -3, 1},
        {-7, -2, 3, -1},
        {0, 5, 0, 0},
        {INT_MIN, 2, INT_MIN / 2, 0},
        {INT_MIN, INT_MAX, -1, -1},
        {INT_MAX, INT_MIN, 0, INT_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(checked_div(c.a, c.b), c.quotient) << c.a << " / " << c.b;
        EXPECT_EQ(checked_mod(c.a, c.b), c.remainder) << c.a << " % " << c.b;
    }
}

TEST(CheckedDivision, FloatResults) {
    EXPECT_DOUBLE_EQ(checked_fdiv(7.0, 2.0), 3.5);
    EXPECT_DOUBLE_EQ(checked_fdiv(-1.0, 4.0), -0.25);
    EXPECT_DOUBLE_EQ(checked_fmod(7.5, 2.0), 1.5);
    EXPECT_DOUBLE_EQ(checked_fmod(-7.5, 2.0), -1.5);
    EXPECT_DOUBLE_EQ(checked_fmod(1.0, 1e-300), std::fmod(1.0, 1e-300));
}

TEST(WrapArithmetic, WrapsThroughThirtyTwoBits) {
    EXPECT_EQ(wrap_add(INT_MAX, 1), INT_MIN);
    EXPECT_EQ(wrap_add(INT_MIN, -1), INT_MAX);
    EXPECT_EQ(wrap_add(-3, 5), 2);
    EXPECT_EQ(wrap_sub(INT_MIN, 1), INT_MAX);
    EXPECT_EQ(wrap_sub(INT_MAX, -1), INT_MIN);
    EXPECT_EQ(wrap_sub(0, INT_MIN), INT_MIN);
    EXPECT_EQ(wrap_sub(3, 5), -2);
    EXPECT_EQ(wrap_mul(65536, 65536), 0);
    EXPECT_EQ(wrap_mul(INT_MAX, 2), -2);
    EXPECT_EQ(wrap_mul(INT_MIN, -1), INT_MIN);
    EXPECT_EQ(wrap_mul(-3, 4), -12);
    EXPECT_EQ(wrap_mul(-3, -4), 12);
    EXPECT_EQ(wrap_mul(100000, 100000), 1410065408);
    EXPECT_EQ(wrap_neg(INT_MIN), INT_MIN);
    EXPECT_EQ(wrap_neg(5), -5);
}

TEST(Shifts, CountsOutsideTheWordGiveZero) {
    for (int32_t count : {-1, 32, 33, 64, INT_MIN, INT_MAX}) {
        EXPECT_EQ(shift_left(1, count), 0) << count;
        EXPECT_EQ(shift_left(-1, count), 0) << count;
        EXPECT_EQ(shift_right(INT_MIN, count), 0) << count;
        EXPECT_EQ(shift_right(-1, count), 0) << count;
    }
}

TEST(Shifts, LeftShiftWrapsAndKeepsTheSignBit) {
    EXPECT_EQ(shift_left(1, 31), INT_MIN);
    EXPECT_EQ(shift_left(3, 31), INT_MIN);
    EXPECT_EQ(shift_left(0x40000000, 1), INT_MIN);
    EXPECT_EQ(shift_left(-1, 1), -2);
    EXPECT_EQ(shift_left(-1, 31), INT_MIN);
    EXPECT_EQ(shift_left(INT_MIN, 1), 0);
    EXPECT_EQ(shift_left(5, 0), 5);
    EXPECT_EQ(shift_left(1, 10), 1024);
}

TEST(Shifts, RightShiftRoundsTowardZero) {
    struct Case {
        int32_t value, count, expected;
    };
    const Case cases[] = {
        {-5, 1, -2},      {5, 1, 2},         {-1, 1, 0},
        {-1, 31, 0},      {INT_MIN, 31, -1}, {INT_MIN, 1, INT_MIN / 2},
        {INT_MAX, 31, 0}, {INT_MAX, 30, 1},  {1024, 10, 1},
        {-1024, 10, -1},  {-1025, 10, -1},   {7, 0, 7},
        {-7, 0, -7},
    };
    for (const Case& c : cases) EXPECT_EQ(shift_right(c.value, c.count), c.expected) << c.value << " >> " << c.count;
}

TEST(TextToInt32, WholeDecimalTextInRange) {
    struct Case {
        std::string_view text;
        int32_t expected;
    };
    const Case cases[] = {
        {"0", 0}, {"5", 5}, {"-5", -5}, {"007", 7}, {"-0", 0}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(text_to_int32(c.text), c.expected) << c.text;
}

TEST(TextToInt32, JunkEmptyAndOutOfRangeAreFaults) {
    for (std::string_view text : {"", "2147483648", "-2147483649", "99999999999999999999", "12a", "a12", " 5", "5 ",
                                  "+5", "-", "--5", "0x10", "1.5", "1e3", "1,000"}) {
        EXPECT_THROW(text_to_int32(text), EvalFault) << '"' << text << '"';
    }
}

TEST(TextToInt32, ReadsOnlyTheGivenView) {
    const std::string backing = "12345";
    EXPECT_EQ(text_to_int32(std::string_view(backing).substr(0, 2)), 12);
    EXPECT_EQ(text_to_int32(std::string_view(backing).substr(3)), 45);
    // A view whose next byte is a digit does not grow out of range.
    const std::string big = "21474836479";
    EXPECT_EQ(text_to_int32(std::string_view(big).substr(0, 10)), INT_MAX);
    EXPECT_THROW(text_to_int32(std::string_view(backing).substr(5)), EvalFault);
}

TEST(FloatToInt32, TruncatesTowardZeroAndKeepsTheLowWord) {
    struct Case {
        double value;
        int32_t expected;
    };
    const Case cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {2.9, 2},
        {-2.9, -2},
        {-0.5, 0},
        {0.999999, 0},
        {2147483647.0, INT_MAX},
        {2147483647.9, INT_MAX},
        {-2147483648.0, INT_MIN},
        {2147483648.0, INT_MIN},
        {4294967295.0, -1},
        {4294967296.0, 0},
        {4294967301.0, 5},
        {-4294967301.0, -5},
        {-2147483649.0, INT_MAX},
        {9007199254740993.0, 0}, // 2^53 + 1 rounds to 2^53 as a double
        {-9223372036854775808.0, 0},
        {9223372036854774784.0, -1024}, // 2^63 - 1024, the largest double below 2^63
        {std::numeric_limits<double>::denorm_min(), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(float_to_int32(c.value), c.expected) << c.value;
}

TEST(FloatToInt32, NonFiniteAndHugeValuesAreFaults) {
    const double faults[] = {
        std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        1e300,
        -1e300,
        std::numeric_limits<double>::max(),
        9223372036854775808.0,  // 2^63
        -9223372036854777856.0, // the next double below -2^63
        1.8446744073709552e19,  // 2^64
    };
    for (double value : faults) EXPECT_THROW(float_to_int32(value), EvalFault) << value;
}

// The remainder operator faults where the quotient does; every other pair matches checked_mod.
TEST(CheckedRemainder, OverflowingQuotientIsAFaultToo) {
    EXPECT_THROW(checked_rem(INT_MIN, -1), EvalFault);
    EXPECT_THROW(checked_rem(1, 0), EvalFault);
    for (int32_t a : {INT_MIN, -7, -1, 0, 5, INT_MAX})
        for (int32_t b : {INT_MIN, -3, -1, 2, 7, INT_MAX})
            if (!(a == INT_MIN && b == -1)) {
                EXPECT_EQ(checked_rem(a, b), checked_mod(a, b)) << a << " % " << b;
            }
}

TEST(CheckedDivision, ExtendedFloatDivision) {
    EXPECT_THROW(checked_fdiv(1.0L, 0.0L), EvalFault);
    EXPECT_THROW(checked_fdiv(0.0L, -0.0L), EvalFault);
    EXPECT_EQ(checked_fdiv(7.0L, 2.0L), 3.5L);
    EXPECT_EQ(checked_fdiv(1.0L, 0x1p-16000L), 0x1p16000L); // beyond double, still finite
}

TEST(FloatToInt32, ExtendedValuesTruncateOrFault) {
    struct Case {
        long double f;
        int32_t i;
    } cases[] = {
        {2.9L, 2},
        {-2.9L, -2},
        {3e9L, static_cast<int32_t>(3000000000u)},
        {-0x1p63L, 0},
        {0x1p63L - 1024.0L, -1024}, // the low 32 bits of 2^63 - 1024
        {0x1p40L + 7.5L, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(truncate_to_int32(c.f), c.i) << static_cast<double>(c.f);
        EXPECT_EQ(float_int_side(c.f), c.i) << static_cast<double>(c.f);
    }
    // A value with no 64-bit integer: a fault where a store converts it, 0 as a result's int side.
    constexpr long double inf = std::numeric_limits<long double>::infinity();
    constexpr long double nan = std::numeric_limits<long double>::quiet_NaN();
    for (long double f : {0x1p63L, -0x1p63L * 2, 1e30L, 1e4000L, inf, -inf, nan}) {
        EXPECT_THROW(truncate_to_int32(f), EvalFault) << static_cast<double>(f);
        EXPECT_EQ(float_int_side(f), 0);
    }
}

TEST(DepthGuard, RefusesPastTheLimitAndRestoresTheDepth) {
    int depth = 0;
    {
        std::vector<std::unique_ptr<DepthGuard>> guards;
        for (int i = 0; i < DepthGuard::max_depth; ++i) guards.push_back(std::make_unique<DepthGuard>(depth));
        EXPECT_EQ(depth, 256);
        EXPECT_THROW(DepthGuard extra(depth), NestingFault);
        EXPECT_EQ(depth, 256);
        guards.pop_back();
        EXPECT_NO_THROW(DepthGuard again(depth));
        EXPECT_EQ(depth, 255);
    }
    EXPECT_EQ(depth, 0);
}

// Nests until the guard refuses, as a runaway recursive evaluation would.
int nest(int& depth, int& deepest) {
    DepthGuard guard(depth);
    if (depth > deepest) deepest = depth;
    if (depth > 100000) return 0; // never reached while the guard works
    return nest(depth, deepest) + 1;
}

TEST(DepthGuard, UnwindingARunawayRecursionRestoresTheDepth) {
    int depth = 0;
    int deepest = 0;
    try {
        nest(depth, deepest);
        FAIL() << "the recursion was not stopped";
    } catch (const EvalFault& fault) {
        // The nesting fault is an evaluation fault, so the statement executor's one handler catches it.
        EXPECT_NE(dynamic_cast<const NestingFault*>(&fault), nullptr);
    }
    EXPECT_EQ(deepest, 256);
    EXPECT_EQ(depth, 0);
}

} // namespace
} // namespace quorvex
