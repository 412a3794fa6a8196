// Calls of the sketch's own functions and their returns.
#include "interpreter/calls.h"

#include "interpreter/interpreter.h"

namespace quorvex {

bool Calls::sr_found(std::string_view) { return false; }
int32_t Calls::kreturn(std::string_view) { return 0; }
void Calls::return_from_call(int32_t) {}

void Calls::reset() {
    retx = 0;
    ret_value = Value{};
}

} // namespace quorvex
