// Reading values: one term (find_value) and a whole expression (get_value).
#include "interpreter/checked.h"
#include "interpreter/interpreter.h"

namespace quorvex {

int32_t Interpreter::new_entry(int32_t t, std::string name, int32_t flags) {
    if (t < 1 || t > max_type) return 0;
    if (!vars.has_room(t)) {
        const std::string word = t == n_define ? "#define" : (t <= 7 ? kident_type_word[static_cast<size_t>(t)] : "");
        ShowMessage1("Sketch Error - Too many " + word + " variables (limit " +
                     std::to_string(VariableTable::capacity(t)) + ")");
        return 0;
    }
    return vars.add(t, std::move(name), flags);
}

// Provisional: digits only, until the full term reader lands.
Value Interpreter::find_value(std::string_view s) {
    Value v;
    std::string_view t = dtrim(s);
    if (const size_t semi = t.find(';'); semi != std::string_view::npos) t = t.substr(0, semi);
    bool digits = !t.empty();
    for (char c : t) digits = digits && c >= '0' && c <= '9';
    if (digits) {
        v.i = text_to_int32(t);
        v.found = true;
    }
    n_type = v.type;
    var_found = v.found ? 1 : 0;
    return v;
}

Value Interpreter::get_value(std::string_view s) {
    Value v = find_value(s);
    if (!v.found && !dtrim(s).empty()) v.i = evaluate_expression(std::string(dtrim(s)));
    return v;
}

} // namespace quorvex
