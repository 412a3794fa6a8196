// Serial ports and SoftwareSerial objects printing into and reading from the port panels.
#include "simulation/serial.h"

#include "interpreter/interpreter.h"

namespace quorvex {

int32_t SerialPorts::kserial(const Match& m) { return in_.unknown_command(m.statement); }

void SerialPorts::reset() {}

} // namespace quorvex
