#pragma once
// String methods and the character tests.

#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

// Character class codes of the character tests, as the dispatch table passes them.
inline constexpr int CH_ALPHANUM = 1, CH_ALPHA = 2, CH_ASCII = 3, CH_WHITE = 4, CH_CONTROL = 5, CH_DIGIT = 6,
                     CH_GRAPH = 7, CH_LOWER = 8, CH_PRINT = 9, CH_PUNCT = 10, CH_SPACE = 11, CH_UPPER = 12,
                     CH_HEXA = 13;

// Whether character code c belongs to class `ch` (ASCII only, whatever the locale).
bool in_char_class(int ch, int32_t c);

// The number a String's text holds: leading blanks, an optional sign, then decimal digits, or
// hex digits after "$", "x" or "0x". Anything after the digits, a decimal beyond int32 or more
// than eight hex digits is a conversion fault (EvalFault). An empty text gives 0.
int32_t string_to_int(std::string_view text);

class Strings {
public:
    explicit Strings(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kcheck(const Match& m);
    int32_t ktouppercase(const Match& m);
    int32_t ktolowercase(const Match& m);
    int32_t kcharAt(const Match& m);
    int32_t ksetcharAt(const Match& m);
    int32_t kstring(const Match& m);
    int32_t kconcat(const Match& m);
    int32_t kequalsignorecase(const Match& m);
    int32_t kequalsascii(const Match& m);
    int32_t kcompareto(const Match& m);
    int32_t kindexof(const Match& m);
    int32_t klastindexof(const Match& m);
    int32_t klength(const Match& m);
    int32_t ktrim(const Match& m);
    int32_t kreplace(const Match& m);
    int32_t kstartswith(const Match& m);
    int32_t kendswith(const Match& m);
    int32_t ksubstring(const Match& m);
    int32_t ktoint(const Match& m);
    int32_t kreserve(const Match& m);

private:
    // The receiver's text, as evaluating its name leaves it; "" without a receiver.
    std::string receiver_text(const Match& m);
    // The text an argument stands for: a string, a char's character, a number's digits.
    std::string argument_text(std::string_view arg);
    // The search text of indexOf and lastIndexOf: a literal as written without its quotes,
    // anything else evaluated into its text.
    std::string search_text(std::string_view arg);
    // Stores `text` into the receiver when it names a String variable.
    void store_back(const Match& m, const std::string& text);
    // A text result; stored back too when the call stands alone as a statement.
    int32_t method_result(const Match& m, std::string text, bool in_place);
    int32_t compare(const Match& m, int how);

    Interpreter& in_;
};

} // namespace quorvex
