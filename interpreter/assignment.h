#pragma once
// How a store reaches the variable table.

namespace quorvex {

enum class AssignMode {
    Assign,    // an assignment statement: const and range checks report
    DeclInit,  // a declaration's initial value: a const takes it silently
    ParamBind, // a subroutine parameter receiving its argument
};

} // namespace quorvex
