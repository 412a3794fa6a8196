// Values as text: the UTF-8 reader under its three rules for bad bytes, the 16-bit view a String
// has of a text, the printed forms and the result setters.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "interpreter/value_format.h"
#include "support/fixture.h"

namespace quorvex {
namespace {

// --- UTF-8 ---

struct Read {
    uint32_t code;
    size_t length;
};

bool operator==(const Utf8Char& a, const Read& b) { return a.code == b.code && a.length == b.length; }

// The same bytes under each rule: well-formed text reads alike; a bad byte is U+FFFD for a
// String, itself for a panel, and no character for a sketch file. An encoded surrogate is the
// one sequence the panels take whole.
TEST(Utf8, EachRuleReadsABadByteItsOwnWay) {
    struct Case {
        std::string_view bytes;
        Read replacement, latin1, refused;
    };
    const Read none{not_utf8, 1};
    const Case cases[] = {
        {"A", {'A', 1}, {'A', 1}, {'A', 1}},
        {"\xC3\xA9", {0xE9, 2}, {0xE9, 2}, {0xE9, 2}},
        {"\xE2\x82\xAC", {0x20AC, 3}, {0x20AC, 3}, {0x20AC, 3}},
        {"\xF0\x9F\x98\x80", {0x1F600, 4}, {0x1F600, 4}, {0x1F600, 4}},
        {"\xEF\xBF\xBD", {0xFFFD, 3}, {0xFFFD, 3}, {0xFFFD, 3}}, // a real U+FFFD is no bad byte
        {"\xE9z", {0xFFFD, 1}, {0xE9, 1}, none},                 // a Latin-1 letter
        {"\x80", {0xFFFD, 1}, {0x80, 1}, none},                  // a lone continuation byte
        {"\xC3", {0xFFFD, 1}, {0xC3, 1}, none},                  // cut off at the end
        {"\xC3(", {0xFFFD, 1}, {0xC3, 1}, none},                 // cut off by another character
        {"\xC0\x80", {0xFFFD, 1}, {0xC0, 1}, none},              // overlong
        {"\xE0\x80\x80", {0xFFFD, 1}, {0xE0, 1}, none},          // overlong
        {"\xF4\x90\x80\x80", {0xFFFD, 1}, {0xF4, 1}, none},      // past U+10FFFF
        {"\xF8\x88\x80\x80\x80", {0xFFFD, 1}, {0xF8, 1}, none},  // no lead byte
        {"\xED\xA0\x80", {0xFFFD, 1}, {0xD800, 3}, none},        // an encoded surrogate
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(decode_utf8(c.bytes, 0, BadByte::replacement) == c.replacement) << c.bytes;
        EXPECT_TRUE(decode_utf8(c.bytes, 0, BadByte::latin1) == c.latin1) << c.bytes;
        EXPECT_TRUE(decode_utf8(c.bytes, 0, BadByte::refused) == c.refused) << c.bytes;
    }
    // Reading starts where it is told, and a sequence never runs past the text's end.
    EXPECT_TRUE(decode_utf8("a\xC3\xA9", 1, BadByte::replacement) == (Read{0xE9, 2}));
    EXPECT_TRUE(decode_utf8(std::string_view("\xC3\xA9", 1), 0, BadByte::latin1) == (Read{0xC3, 1}));
}

TEST(Utf8, AUnitIsSixteenBits) {
    EXPECT_EQ(decode_utf8("\xF0\x9F\x98\x80", 0, BadByte::latin1).unit(), 0xFFFD);
    EXPECT_EQ(decode_utf8("\xEF\xBF\xBF", 0, BadByte::latin1).unit(), 0xFFFF);
    std::string out;
    append_code_unit(out, 0x1F600); // only the low 16 bits count
    append_code_unit(out, 0xD800);  // a surrogate half cannot stand alone
    append_code_unit(out, 'a');
    EXPECT_EQ(out, "\xEF\x98\x80\xEF\xBF\xBD"
                   "a");
}

TEST(Utf16, AStringCountsSixteenBitCharacters) {
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80\xE9"; // a, é, an emoji, a bad byte
    EXPECT_EQ(utf16_length(text), 5u);
    const std::u16string units = to_utf16(text);
    EXPECT_EQ(units, (std::u16string{u'a', 0xE9, 0xD83D, 0xDE00, 0xFFFD}));
    EXPECT_EQ(from_utf16(units), "a\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD");
    // Half a pair, taken apart by substring, still gives valid UTF-8.
    EXPECT_EQ(from_utf16(units.substr(0, 3)), "a\xC3\xA9\xEF\xBF\xBD");
    EXPECT_EQ(from_utf16(std::u16string{0xDE00, u'b'}), "\xEF\xBF\xBD"
                                                        "b");
}

// --- printed forms ---

TEST(PrintFormat, Bases) {
    struct Case {
        int32_t i;
        std::string_view base, expected;
    };
    const Case cases[] = {
        {5, "bin", "00000101"},
        {63, "bin", "00111111"},
        {0, "bin", "00000000"},
        {255, "bin", "11111111"},
        {300, "bin", "100101100"}, // every digit, not only the low eight
        {-1, "bin", "11111111111111111111111111111111"},
        {INT_MIN, "bin", "10000000000000000000000000000000"},
        {8, "oct", "010"},
        {0, "oct", "000"},
        {511, "oct", "777"},
        {512, "oct", "1000"}, // a real octal digit, never "800"
        {4095, "oct", "7777"},
        {-1, "oct", "37777777777"},
        {255, "hex", "FF"},
        {26, "hex", "1A"},
        {0, "hex", "0"},
        {-1, "hex", "FFFFFFFF"},
        {-255, "hex", "FFFFFF01"},
        {INT_MIN, "hex", "80000000"},
        {-42, "dec", "-42"},
        {INT_MIN, "dec", "-2147483648"},
        {INT_MAX, "dec", "2147483647"},
        {255, "HEX", "255"}, // base words are case-sensitive
        {12, "", "12"},
        {-7, "BIN", "-7"},
    };
    for (const Case& c : cases) EXPECT_EQ(print_format(c.i, c.base), c.expected) << c.i << " " << c.base;
}

TEST(FloatText, DecimalsAreClampedAndEveryValueHasAText) {
    EXPECT_EQ(float_text(2.5L), "2.50");
    EXPECT_EQ(float_text(2.5L, -3), "2");
    EXPECT_EQ(float_text(1.0L / 3.0L, 40), "0.3333333333");
    EXPECT_EQ(float_text(-0.005L, 1), "-0.0");
    EXPECT_EQ(float_text(1e308L, 0).size(), 309u);
    EXPECT_EQ(float_text(1e4000L), "inf"); // beyond double: never narrowed
    EXPECT_EQ(float_text(-1e4000L), "-inf");
    EXPECT_EQ(float_text(std::numeric_limits<long double>::quiet_NaN()), "nan");
}

TEST(ValueText, EachTypeAsPrintShowsIt) {
    EXPECT_EQ(value_text(Value::of_text("hi")), "hi");
    EXPECT_EQ(value_text(Value::of_int(INT_MIN)), "-2147483648");
    EXPECT_EQ(value_text(Value::of_float(1.005L)), "1.00");
    Value c = Value::of_int(0xE9);
    c.type = n_char;
    EXPECT_EQ(value_text(c), "\xC3\xA9");
    c.i = 0xDFFF; // never an invalid text
    EXPECT_EQ(value_text(c), "\xEF\xBF\xBD");
}

// --- results ---

using Results = test::CoreTest;

TEST_F(Results, EachSetterLeavesOnlyItsOwnValue) {
    in.Results = "stale";
    EXPECT_EQ(int_result(in, 7), 7);
    EXPECT_EQ(in.Results, "");
    EXPECT_EQ(in.n_type, n_int);

    EXPECT_EQ(float_result(in, -2.9L), -2); // the integer side is truncated
    EXPECT_EQ(in.var_float, -2.9L);
    EXPECT_EQ(in.n_type, n_float);
    EXPECT_EQ(float_result(in, 1e30L), 0); // no 64-bit integer: 0, never a fault

    EXPECT_EQ(text_result(in, "abc"), 0);
    EXPECT_EQ(in.Results, "abc");
    EXPECT_EQ(in.n_type, n_string);

    Value b = Value::of_int(1);
    b.type = n_boolean;
    EXPECT_EQ(value_result(in, b), 1);
    EXPECT_EQ(in.n_type, n_boolean);
    EXPECT_EQ(in.Results, "");
    EXPECT_EQ(value_result(in, Value::of_text("t")), 0);
    EXPECT_EQ(in.Results, "t");
    EXPECT_EQ(value_result(in, Value::of_float(3.5L)), 3);
    EXPECT_EQ(in.n_type, n_float);
}

} // namespace
} // namespace quorvex
