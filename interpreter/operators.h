#pragma once
// Operators written in a statement: assignment, arithmetic, comparison, logic, steps.

#include <cstdint>
#include <string_view>

namespace quorvex {

class Interpreter;

class Operators {
public:
    explicit Operators(Interpreter& in) : in_(in) {}

    int32_t kequals(std::string_view s);
    int32_t kop(std::string_view s, std::string_view op);
    int32_t kcomparison(std::string_view s, std::string_view comp);
    int32_t klop(std::string_view s, std::string_view op);
    int32_t kinc(std::string_view s);
    int32_t kdec(std::string_view s);

private:
    Interpreter& in_;
};

} // namespace quorvex
