#pragma once
// Watches the evaluation of a handler's arguments. An argument that reported an error (a
// fault, an unknown name) has already stopped the run and evaluated to 0; the handler then
// changes nothing rather than acting on that 0. The last error text is kept for everyone else.

#include <string>
#include <utility>

#include "interpreter/interpreter.h"

namespace quorvex {

class ArgumentErrors {
public:
    explicit ArgumentErrors(Interpreter& in) : in_(in), saved_(std::move(in.error_str)) { in_.error_str.clear(); }
    ~ArgumentErrors() {
        if (in_.error_str.empty()) in_.error_str = std::move(saved_);
    }
    ArgumentErrors(const ArgumentErrors&) = delete;
    ArgumentErrors& operator=(const ArgumentErrors&) = delete;
    bool raised() const { return !in_.error_str.empty(); }

private:
    Interpreter& in_;
    std::string saved_;
};

} // namespace quorvex
