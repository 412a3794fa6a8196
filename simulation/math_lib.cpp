// Math, bits and random numbers. Integer arithmetic wraps at 32 bits; as soon as one argument
// is a float the computation is done in double and the result is a float (var_float, n_type 6),
// so an int target truncates it and a float target keeps the fraction.
#include "simulation/math_lib.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

bool is_float(const Value& v) { return v.type == n_float; }

// The numeric value as an extended float; a text has no numeric value beyond its int side.
long double as_long_double(const Value& v) { return is_float(v) ? v.f : static_cast<long double>(v.i); }

// Narrowing that saturates: converting a long double beyond double's range is undefined.
double as_double(const Value& v) {
    const long double f = as_long_double(v);
    if (std::isnan(f)) return std::numeric_limits<double>::quiet_NaN();
    if (f > DBL_MAX) return std::numeric_limits<double>::infinity();
    if (f < -DBL_MAX) return -std::numeric_limits<double>::infinity();
    return static_cast<double>(f);
}

// The integer a value gives where the function takes an integer: a float is truncated.
int32_t as_int(const Value& v) { return is_float(v) ? truncate_to_int32(v.f) : v.i; }

// Bit numbers reach 31; the 16-entry mask table of the board model stops at 15.
constexpr int32_t max_bit = 31;

int32_t mask_of(int32_t bit) { return static_cast<int32_t>(uint32_t{1} << bit); }

const char* bits_function_name(int code) {
    switch (code) {
    case B_LOWBYTE:
        return "lowByte";
    case B_HIBYTE:
        return "highByte";
    case B_BITREAD:
        return "bitRead";
    case B_BITWRITE:
        return "bitWrite";
    case B_BITSET:
        return "bitSet";
    case B_BITCLEAR:
        return "bitClear";
    default:
        return "bit";
    }
}

uint32_t clock_seed(const LocalDateTime& t) {
    // Any mix of the fields will do: it only has to differ from one start to the next.
    uint32_t s = static_cast<uint32_t>(t.year);
    for (int field : {t.month, t.day, t.hour, t.minute, t.second}) s = s * 61u + static_cast<uint32_t>(field);
    return s;
}

} // namespace

int32_t MathLib::real_result(long double f) {
    // A root of a negative number, a power without a real result or one beyond range.
    if (!std::isfinite(f)) throw EvalFault("no real result");
    return float_result(in_, f);
}

RandomGenerator& MathLib::generator() {
    if (!random_) {
        random_.emplace();
        random_->seed(clock_seed(in_.clock().now()));
    }
    return *random_;
}

int32_t MathLib::kmap(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (a.size() != 5) return int_result(in_, 0);
    const int32_t in_low = as_int(in_.get_value(a[1]));
    const int32_t in_high = as_int(in_.get_value(a[2]));
    const int32_t out_low = as_int(in_.get_value(a[3]));
    const int32_t out_high = as_int(in_.get_value(a[4]));
    const int32_t x = as_int(in_.get_value(a[0]));
    if (in_high == in_low) return int_result(in_, 0);
    const int32_t product = wrap_mul(wrap_sub(x, in_low), wrap_sub(out_high, out_low));
    return int_result(in_, wrap_add(checked_div(product, wrap_sub(in_high, in_low)), out_low));
}

int32_t MathLib::kconstrain(const Match& m) {
    in_.keep_going = 0;
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (a.size() != 3) return int_result(in_, 0);
    const Value low = in_.get_value(a[1]);
    const Value high = in_.get_value(a[2]);
    const Value x = in_.get_value(a[0]);
    // The upper bound is tested first, so crossed bounds give the upper one.
    if (is_float(low) || is_float(high) || is_float(x)) {
        const long double fx = as_long_double(x);
        const long double fl = as_long_double(low);
        const long double fh = as_long_double(high);
        return real_result(fx > fh ? fh : (fx < fl ? fl : fx));
    }
    return int_result(in_, x.i > high.i ? high.i : (x.i < low.i ? low.i : x.i));
}

int32_t MathLib::kmath(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (a.empty() || a.size() > 2) {
        in_.ShowMessage1("unknown maths fn arguments " + std::string(m.rest));
        return int_result(in_, 0);
    }
    const Value x = in_.get_value(a[0]);
    const int code = m.code;
    if (a.size() == 1) {
        switch (code) {
        case M_ABS:
            if (is_float(x)) return real_result(std::fabs(as_double(x)));
            return int_result(in_, x.i < 0 ? wrap_neg(x.i) : x.i); // abs(INT_MIN) wraps to itself
        case M_SQRT:
            return real_result(std::sqrt(as_double(x)));
        case M_SQ:
            if (is_float(x)) return real_result(as_double(x) * as_double(x));
            return int_result(in_, wrap_mul(x.i, x.i));
        default:
            return int_result(in_, 0); // min, max and pow need two arguments
        }
    }
    if (code != M_MIN && code != M_MAX && code != M_POW) return int_result(in_, 0);
    // Each argument once: a call or «i++» in either acts once.
    const Value y = in_.get_value(a[1]);
    if (code == M_POW) return real_result(std::pow(as_double(x), as_double(y)));
    const bool take_first =
        code == M_MIN ? !(as_long_double(y) < as_long_double(x)) : !(as_long_double(y) > as_long_double(x));
    if (is_float(x) || is_float(y)) return real_result(as_long_double(take_first ? x : y));
    return int_result(in_, take_first ? x.i : y.i);
}

int32_t MathLib::ktrig(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (a.size() != 1) {
        in_.ShowMessage1("unknown trig function arguments " + std::string(m.rest));
        return int_result(in_, 0);
    }
    const double angle = as_double(in_.get_value(a[0]));
    switch (m.code) {
    case T_COS:
        return real_result(std::cos(angle));
    case T_SIN:
        return real_result(std::sin(angle));
    default:
        return real_result(std::tan(angle));
    }
}

int32_t MathLib::kbits(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    if (a.empty() || a.size() > 3) {
        in_.ShowMessage1("Sketch Error - unknown bytes and bits  function arguments " + std::string(m.rest));
        return int_result(in_, 0);
    }
    const int code = m.code;
    const int32_t x = as_int(in_.get_value(a[0]));
    const int32_t b = a.size() > 1 ? as_int(in_.get_value(a[1])) : 0;
    const int32_t v = a.size() > 2 ? as_int(in_.get_value(a[2])) : 0;

    // The bit number this call uses, checked before anything is computed or stored.
    const bool uses_bit = (a.size() == 1 && code == B_BIT) ||
                          (a.size() == 2 && (code == B_BITREAD || code == B_BITSET || code == B_BITCLEAR)) ||
                          (a.size() == 3 && code == B_BITWRITE);
    const int32_t bit = a.size() == 1 ? x : b;
    if (uses_bit && (bit < 0 || bit > max_bit)) {
        in_.ShowMessage1("Sketch Error - " + std::string(bits_function_name(code)) + " bit " + std::to_string(bit) +
                         " is outside 0-31");
        return int_result(in_, 0);
    }

    // The first argument's text names the variable that bitSet, bitClear and bitWrite change.
    auto store = [&](int32_t r) {
        in_.set_var(a[0], r);
        return int_result(in_, r);
    };
    switch (a.size()) {
    case 1:
        if (code == B_LOWBYTE) return int_result(in_, x & 255);
        if (code == B_HIBYTE) return int_result(in_, (x / 256) & 255); // rounds toward zero: highByte(-1) is 0
        if (code == B_BIT) return int_result(in_, mask_of(x));
        return int_result(in_, 0);
    case 2:
        if (code == B_BITREAD) return int_result(in_, (x & mask_of(b)) != 0 ? 1 : 0);
        if (code == B_BITSET) return store(x | mask_of(b));
        if (code == B_BITCLEAR) return store(x & ~mask_of(b));
        return int_result(in_, 0);
    default:
        if (code == B_BITWRITE) return store(v != 0 ? (x | mask_of(b)) : (x & ~mask_of(b)));
        return store(x);
    }
}

int32_t MathLib::krandom(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    // A range of 0 or less still draws, and gives 0.
    auto draw = [&](int64_t range) {
        const uint32_t r = generator().draw(range > 0 ? static_cast<uint32_t>(range) : 0u);
        return static_cast<int32_t>(r);
    };
    switch (a.size()) {
    case 0:
        return int_result(in_, draw(1000));
    case 1:
        return int_result(in_, draw(as_int(in_.get_value(a[0]))));
    case 2: {
        // The low end once: «random(i++, 10)» steps i once. The range is exact in 64 bits.
        const int32_t lo = as_int(in_.get_value(a[0]));
        const int32_t hi = as_int(in_.get_value(a[1]));
        return int_result(in_, wrap_add(draw(int64_t{hi} - lo), lo));
    }
    default:
        return int_result(in_, 0);
    }
}

int32_t MathLib::krandomseed(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const int32_t s = as_int(in_.get_value(argument(a, 0)));
    generator().seed(static_cast<uint32_t>(s));
    return int_result(in_, 0);
}

} // namespace quorvex
