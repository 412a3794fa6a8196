#pragma once
// Operators written in a statement: assignment, arithmetic, comparison, logic, steps.
// Each handler splits its text at its own operator (whole tokens at bracket depth 0, outside
// literals), evaluates each operand once into a typed value, and leaves its result in the
// registers: an int with Results empty, a float in var_float (n_type 6), a text in Results
// (n_type 7). A handler that finds no valid occurrence of its operator declines (keep_going).

#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;
struct Value;

class Operators {
public:
    explicit Operators(Interpreter& in) : in_(in) {}

    // `split`: where the operator stands in `s`, as the executor's plan found it (Match::split);
    // a caller without one passes none, and the handler cuts and splits `s` itself.
    int32_t kequals(std::string_view s, const OperatorSplit* split = nullptr);
    int32_t kop(std::string_view s, std::string_view op, const OperatorSplit* split = nullptr);
    // "+=": kop, told whether the statement stands alone (see append_in_place).
    int32_t kadd_assign(const Match& m);
    int32_t kcomparison(std::string_view s, std::string_view comp, const OperatorSplit* split = nullptr);
    int32_t klop(std::string_view s, std::string_view op);
    int32_t kinc(std::string_view s, const OperatorSplit* split = nullptr);
    int32_t kdec(std::string_view s, const OperatorSplit* split = nullptr);

    // The integer an operand gives to the integer-only operators: a float is truncated.
    static int32_t int_of(const Value& v);

private:
    int32_t arithmetic(std::string_view s, std::string_view op, bool whole_statement, const OperatorSplit* split);
    int32_t knot(std::string_view s);
    int32_t kcomplement(std::string_view s);
    int32_t step(std::string_view s, std::string_view op, int32_t delta, const OperatorSplit* split);

    int32_t decline();
    // A trimmed target with its array index evaluated once: «a[i + 1]» becomes "a[2]".
    std::string resolve_target(std::string target);
    // Stores `v` through the typed store and returns what the target now holds, in the registers
    // too; a target that is no variable (a port, an alias, an unknown name) gives `v` itself.
    int32_t store(const std::string& target, const Value& v);
    // «s += x» on a String variable: x's text is appended in place, so that a String built up by
    // appends costs each append its own length, not the whole text's. False when the target is
    // no String variable (the general path then runs).
    // When the whole statement is the append, its value goes nowhere and the text is not copied
    // into Results either.
    bool append_in_place(const std::string& target, std::string_view right, bool whole_statement, int32_t& result);

    Interpreter& in_;
};

} // namespace quorvex
