// Operators written in a statement. Plain assignment for now.
#include "interpreter/operators.h"

#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

// target = source. The "=" is the first one that is a whole operator at bracket depth 0
// outside quotes, so comparisons, literals and array indexes never split the statement.
int32_t Operators::kequals(std::string_view s) {
    const size_t eq = find_operator(s, "=");
    if (eq == std::string_view::npos) {
        in_.keep_going = 1; // a comparison: the operators further down take it
        return 0;
    }
    std::string_view target = dtrim(s.substr(0, eq));
    const Value v = in_.get_value(dtrim(s.substr(eq + 1)));
    // Up to two leading words go, which removes type words («unsigned int x»); a blank
    // inside an index («a[i + 1]») is no word boundary.
    for (int k = 0; k < 2; ++k) {
        const size_t blank = target.find(' ');
        if (blank == std::string_view::npos || blank > target.find('[')) break;
        target = dtrim(target.substr(blank + 1));
    }
    in_.assign(target, v);
    return v.i;
}

int32_t Operators::kop(std::string_view, std::string_view) { return 0; }
int32_t Operators::kcomparison(std::string_view, std::string_view) { return 0; }
int32_t Operators::klop(std::string_view, std::string_view) { return 0; }
int32_t Operators::kinc(std::string_view) { return 0; }
int32_t Operators::kdec(std::string_view) { return 0; }

} // namespace quorvex
