// Digital and analog I/O: pin modes, levels, analog inputs and outputs, tone, pulseIn and the shift routines.
#include "simulation/pin_io.h"

#include "interpreter/interpreter.h"

namespace quorvex {

int32_t PinIO::kpinmode(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kdigwrite(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kdigread(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kanalog(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kanalogWrite(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::ktone(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kpulsein(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kshiftOut(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kshiftIn(const Match& m) { return in_.unknown_command(m.statement); }
int32_t PinIO::kanalogReference(const Match& m) { return in_.unknown_command(m.statement); }

void PinIO::reset() {}

} // namespace quorvex
