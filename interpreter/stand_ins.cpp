// Provisional entry points until declarations and calls are built.
#include "interpreter/interpreter.h"

namespace quorvex {

bool Interpreter::check_declarations(std::string_view) { return false; }

bool Interpreter::sr_found(std::string_view) { return false; }

} // namespace quorvex
