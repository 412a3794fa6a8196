// String methods and the character tests.
#include "simulation/strings.h"

#include "interpreter/interpreter.h"

namespace quorvex {

int32_t Strings::kcheck(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::ktouppercase(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::ktolowercase(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kcharAt(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::ksetcharAt(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kstring(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kconcat(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kequalsignorecase(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kequalsascii(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kcompareto(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kindexof(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::klastindexof(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::klength(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::ktrim(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kreplace(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kstartswith(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kendswith(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::ksubstring(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::ktoint(const Match& m) { return in_.unknown_command(m.statement); }
int32_t Strings::kreserve(const Match& m) { return in_.unknown_command(m.statement); }

void Strings::reset() {}

} // namespace quorvex
