// Provisional entry points until the variable table, declarations and calls are built.
#include "interpreter/checked.h"
#include "interpreter/interpreter.h"

namespace quorvex {

int32_t Interpreter::get_var(std::string_view s) {
    // A term ends at its first ";", as the variable lookup reads it.
    std::string_view t = dtrim(s);
    if (const size_t semi = t.find(';'); semi != std::string_view::npos) t = t.substr(0, semi);
    if (t.empty()) return 0;
    bool digits = true;
    for (char c : t) digits = digits && c >= '0' && c <= '9';
    if (digits) {
        var_found = 1;
        n_type = 4;
        return text_to_int32(t);
    }
    return evaluate_expression(std::string(t));
}

bool Interpreter::check_declarations(std::string_view) { return false; }

bool Interpreter::sr_found(std::string_view) { return false; }

} // namespace quorvex
