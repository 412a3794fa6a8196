// Simulated time: delays, millis/micros, the Time library clock and the frequency counter.
#include "simulation/sim_time.h"

#include "interpreter/interpreter.h"

namespace quorvex {

int32_t SimTime::kdelay(const Match& m) { return in_.unknown_command(m.statement); }
int32_t SimTime::kdelayMicroseconds(const Match& m) { return in_.unknown_command(m.statement); }
int32_t SimTime::kmillis(const Match& m) { return in_.unknown_command(m.statement); }
int32_t SimTime::kmicros(const Match& m) { return in_.unknown_command(m.statement); }
int32_t SimTime::kTime(const Match& m) { return in_.unknown_command(m.statement); }
int32_t SimTime::ksetTime(const Match& m) { return in_.unknown_command(m.statement); }
int32_t SimTime::kadjTime(const Match& m) { return in_.unknown_command(m.statement); }
int32_t SimTime::kfreq(const Match& m) { return in_.unknown_command(m.statement); }

void SimTime::reset() {}

} // namespace quorvex
