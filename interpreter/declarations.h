#pragma once
// Declarations: directives and type, qualifier and object words at the start of a statement.

#include <cstdint>
#include <string_view>

namespace quorvex {

class Interpreter;

class Declarations {
public:
    explicit Declarations(Interpreter& in) : in_(in) {}

    // True when the statement was handled here (a directive or a declaration word).
    bool check_declarations(std::string_view s);
    // Declaration or function-style cast for type code x; `s` is the text after the type word.
    void kbyte(std::string_view s, int32_t x);
    void kconst(std::string_view s);
    void klocal(std::string_view s);
    void kunsigned(std::string_view s);
    void kstatic(std::string_view s);
    void kvolatile(std::string_view s);
    int32_t ksizeof(std::string_view s);

private:
    Interpreter& in_;
};

} // namespace quorvex
