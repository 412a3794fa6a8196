// External interrupts: attach, detach and the level test that enters a routine.
#include "simulation/interrupts.h"

#include "interpreter/interpreter.h"

namespace quorvex {

int32_t Interrupts::kattach(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Interrupts::kdetach(const Match& m) { return in_.unknown_command(m.statement); }

void Interrupts::check_int(int32_t n) { (void)n; }

void Interrupts::reset() {}

} // namespace quorvex
