#pragma once
// The print formatter: how print, println, write's text and String(...) show a value. Serial
// ports print through it, and so does every device that shows a sketch's values as text.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

class Interpreter;

// A number in a base word: "dec", "hex", "oct", "bin"; anything else is decimal.
std::string print_format(int32_t i, std::string_view s);
// A float with `decimals` decimals (clamped to 0..10; "2.50" by default), the same under every
// locale; NaN reads "nan", and beyond double's range it reads "inf" or "-inf".
std::string float_text(long double value, int decimals = 2);
// The printed form of one print argument, evaluated in `in`: «x» as its text, number,
// character or float (two decimals); «x, HEX» (DEC, OCT, BIN) in that base; «f, n» a float
// with n decimals.
std::string printx(Interpreter& in, std::string_view s);

} // namespace quorvex
