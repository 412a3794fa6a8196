// Storing values: typed assignment, port registers, const and range checks.
#include "interpreter/interpreter.h"

namespace quorvex {

void Interpreter::assign(std::string_view, const Value&, AssignMode) {}
void Interpreter::set_var(std::string_view, int32_t) {}
void Interpreter::set_string(std::string_view, std::string_view) {}
void Interpreter::set_float(std::string_view, long double) {}
void Interpreter::set_float1(std::string_view, std::string_view) {}
void Interpreter::do_check(int32_t, int32_t, int32_t) {}

} // namespace quorvex
