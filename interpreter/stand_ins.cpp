// Provisional entry point until calls are built.
#include "interpreter/interpreter.h"

namespace quorvex {

bool Interpreter::sr_found(std::string_view) { return false; }

} // namespace quorvex
