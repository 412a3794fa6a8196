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

    // The generator, seeded from the clock on first use unless the sketch seeded it. A reset
    // leaves it, so a sequence runs on across resets.
    RandomGenerator& generator();

private:
    // A float result that must be a real number: no NaN, no infinity.
    int32_t real_result(long double f);

    Interpreter& in_;
    std::optional<RandomGenerator> random_;
};

} // namespace quorvex
