#pragma once
// Blocks, conditionals, loops, switch and goto: the handlers move the line cursor among the
// source lines and keep the block stack.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/control_stack.h"

namespace quorvex {

class Interpreter;

class ControlFlow {
public:
    explicit ControlFlow(Interpreter& in) : in_(in) {}

    void ksetup(std::string_view s);
    void kloop(std::string_view s);
    void klbr(std::string_view s);
    void krbr(std::string_view s);
    void kif(std::string_view s);
    void kelse(std::string_view s);
    void kwhile(std::string_view s);
    void kdo(std::string_view s);
    void kfor(std::string_view s);
    void kswitch(std::string_view s);
    void kbreak(std::string_view s);
    void kcontinue(std::string_view s);
    void kgoto(std::string_view s);

    // Everything reset clears.
    void reset();

    bool insetup = false;
    bool inloop = false;
    int32_t loopLine = 0;
    int32_t forx = 0;
    std::array<std::string, MAX_LOOP + 1> for2{}; // for conditions
    std::array<std::string, MAX_LOOP + 1> for3{}; // for steps

private:
    Interpreter& in_;
};

} // namespace quorvex
