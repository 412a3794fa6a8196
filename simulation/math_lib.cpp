// Math, bits and random numbers.
#include "simulation/math_lib.h"

#include "interpreter/interpreter.h"

namespace quorvex {

int32_t MathLib::kmap(const Match& m) { return in_.unknown_command(m.statement); }
int32_t MathLib::kconstrain(const Match& m) { return in_.unknown_command(m.statement); }
int32_t MathLib::kmath(const Match& m) { return in_.unknown_command(m.statement); }
int32_t MathLib::ktrig(const Match& m) { return in_.unknown_command(m.statement); }
int32_t MathLib::kbits(const Match& m) { return in_.unknown_command(m.statement); }
int32_t MathLib::krandom(const Match& m) { return in_.unknown_command(m.statement); }
int32_t MathLib::krandomseed(const Match& m) { return in_.unknown_command(m.statement); }

void MathLib::reset() {}

} // namespace quorvex
