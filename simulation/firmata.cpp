// The Firmata library's fixed answers.
#include "simulation/firmata.h"

#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

int32_t Firmata::kfirmata(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    if ((in_.pre.library1 & LIB_FIRMATA) == 0) {
        in_.ShowMessage1("<Firmata.h> library must be included first!");
        return int_result(in_, 0);
    }
    const std::string method = call_method(m.rest);
    if (method == "available" || method == "processInput" || method == "sendAnalog" || method == "sendString")
        return int_result(in_, 1); // a host is always there and always has a message
    if (method == "setFirmwareVersion" || method == "begin") {
        const std::vector<std::string> a = call_arguments(in_, m.rest);
        const size_t used = method == "begin" ? 1 : 2;
        for (size_t k = 0; k < a.size() && k < used; ++k) in_.get_var(a[k]);
    } else if (method != "attach") {
        in_.ShowMessage1("Unable to process " + method);
    }
    return int_result(in_, 0);
}

} // namespace quorvex
