// Blocks, conditionals, loops, switch and goto.
#include "interpreter/control_flow.h"

#include "interpreter/interpreter.h"

namespace quorvex {

void ControlFlow::ksetup(std::string_view) {
    insetup = true;
    if (in_.includeCode1.Checked) in_.pre.included = true;
}
void ControlFlow::kloop(std::string_view) {
    loopLine = in_.Line;
    inloop = true;
}
void ControlFlow::klbr(std::string_view) {}
void ControlFlow::krbr(std::string_view) {}
void ControlFlow::kif(std::string_view) {}
void ControlFlow::kelse(std::string_view) {}
void ControlFlow::kwhile(std::string_view) {}
void ControlFlow::kdo(std::string_view) {}
void ControlFlow::kfor(std::string_view) {}
void ControlFlow::kswitch(std::string_view) {}
void ControlFlow::kbreak(std::string_view) {}
void ControlFlow::kcontinue(std::string_view) {}
void ControlFlow::kgoto(std::string_view) {}

void ControlFlow::reset() {
    insetup = false;
    inloop = false;
    loopLine = 0;
    forx = 0;
}

} // namespace quorvex
