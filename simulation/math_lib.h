#pragma once
// Math, bits and random numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

// The argument texts of a call such as «(a, 0, 1023)», copied: evaluating one re-parses and
// overwrites the interpreter's argument register.
std::vector<std::string> call_arguments(Interpreter& in, std::string_view rest);

// Function codes the dispatch table passes with the text.
inline constexpr int M_MIN = 1, M_MAX = 2, M_ABS = 3, M_SQRT = 4, M_POW = 5, M_SQ = 6;
inline constexpr int T_COS = 1, T_SIN = 2, T_TAN = 3;
inline constexpr int B_LOWBYTE = 1, B_HIBYTE = 2, B_BITREAD = 3, B_BITWRITE = 4, B_BITSET = 5, B_BITCLEAR = 6,
                     B_BIT = 7;

// The random generator: a 32-bit linear congruential generator.
class RandomGenerator {
public:
    void seed(uint32_t s) { seed_ = s; }
    uint32_t seed() const { return seed_; }
    // Advances the seed, then scales it into 0 .. range-1 (0 for a range of 0).
    uint32_t draw(uint32_t range) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(range) * seed_) >> 32);
    }

private:
    uint32_t seed_ = 0;
};

class MathLib {
public:
    explicit MathLib(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kmap(const Match& m);
    int32_t kconstrain(const Match& m);
    int32_t kmath(const Match& m);
    int32_t ktrig(const Match& m);
    int32_t kbits(const Match& m);
    int32_t krandom(const Match& m);
    int32_t krandomseed(const Match& m);

    // Called at reset: the generator keeps its seed, so a sequence runs on across resets.
    void reset();

    // The generator, seeded from the clock on first use unless the sketch seeded it.
    RandomGenerator& generator();

private:
    // The integer result of a float value: var_float holds it, the int side is truncated.
    int32_t float_result(long double f);
    int32_t int_result(int32_t i);

    Interpreter& in_;
    std::optional<RandomGenerator> random_;
};

} // namespace quorvex
