#pragma once
// Values as text, at the bottom of the interpreter: the UTF-8 every text is held in, the printed
// forms of numbers, characters and floats, and the result setters through which the operators
// and the library families hand a value to the registers. Nothing here evaluates a sketch text;
// printx, which evaluates a print argument, is the serial ports' (simulation/serial.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/variables.h"

namespace quorvex {

class Interpreter;

// --- UTF-8 -------------------------------------------------------------------------------------

// What a byte that starts no well-formed UTF-8 sequence reads as. The readers differ on purpose,
// so each names its rule.
enum class BadByte {
    // U+FFFD, one byte at a time; an encoded surrogate is bad too. A String's characters, so that
    // every text a sketch makes stays valid UTF-8.
    replacement,
    // The byte's own value (Latin-1); an encoded surrogate reads as its code. The port panels and
    // the LCD: text typed or saved in another code page still reads one byte at a time.
    latin1,
    // `not_utf8`: the reader takes the whole text for another code page (a sketch file).
    refused,
};

// The code BadByte::refused gives: beyond every Unicode character.
inline constexpr uint32_t not_utf8 = 0x110000;

struct Utf8Char {
    uint32_t code = 0; // up to U+10FFFF
    size_t length = 1; // bytes taken: 1 for a bad byte
    // As one 16-bit code, as a panel or the LCD holds it: beyond U+FFFF it reads U+FFFD.
    int32_t unit() const { return code > 0xFFFF ? 0xFFFD : static_cast<int32_t>(code); }
};

// The character that starts at s[i] (i < s.size()). Overlong forms and codes past U+10FFFF are
// bad under every rule.
Utf8Char decode_utf8(std::string_view s, size_t i, BadByte rule);

// Appends Unicode character `code` (up to U+10FFFF) as UTF-8.
void append_utf8(std::string& out, uint32_t code);
// Appends the character with code `code & 0xFFFF` as UTF-8 (surrogate halves, which cannot stand
// alone, become U+FFFD).
void append_code_unit(std::string& out, int32_t code);

// A String counts and places 16-bit characters (BadByte::replacement); a character beyond U+FFFF
// is two of them.
size_t utf16_length(std::string_view s);
std::u16string to_utf16(std::string_view s);
// Back to UTF-8; a surrogate that is not part of a pair becomes U+FFFD, so the text stays valid.
std::string from_utf16(std::u16string_view s);

// --- printed forms: the same under every locale ------------------------------------------------

// A number in a base word: "dec", "hex", "oct", "bin"; anything else is decimal.
std::string print_format(int32_t i, std::string_view s);
// A float with `decimals` decimals (clamped to 0..10; "2.50" by default); NaN reads "nan", and
// beyond double's range it reads "inf" or "-inf".
std::string float_text(long double value, int decimals = 2);
// A value as text: a string as it stands, a char as its one character, a float with two
// decimals, any other number in decimal.
std::string value_text(const Value& v);

// --- results: a handler's value in the registers; each returns the integer side ---------------

// An integer of type code `type`; Results is cleared, so a stale text never passes for it.
int32_t int_result(Interpreter& in, int32_t value, int32_t type = n_int);
// A float: var_float holds it, n_type 6; the integer side is truncated (beyond 64 bits it is 0).
int32_t float_result(Interpreter& in, long double f);
// A text in Results, n_type 7; the integer side is 0.
int32_t text_result(Interpreter& in, std::string text);
// Whichever of the three `v` is; another type code keeps its code with the integer.
int32_t value_result(Interpreter& in, const Value& v);

} // namespace quorvex
