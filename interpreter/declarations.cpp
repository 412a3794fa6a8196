// Declarations of variables, arrays and qualified entries.
#include "interpreter/declarations.h"

#include "interpreter/interpreter.h"

namespace quorvex {

bool Declarations::check_declarations(std::string_view) { return false; }
void Declarations::kbyte(std::string_view, int32_t) {}
void Declarations::kconst(std::string_view) {}
void Declarations::klocal(std::string_view) {}
void Declarations::kunsigned(std::string_view) {}
void Declarations::kstatic(std::string_view) {}
void Declarations::kvolatile(std::string_view) {}
int32_t Declarations::ksizeof(std::string_view) { return 0; }

} // namespace quorvex
