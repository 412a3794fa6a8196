// Text routines and the literal-aware scanners: splitting, brackets, argument lists and digit
// strings.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/literals.h"
#include "interpreter/text_routines.h"

namespace quorvex {
namespace {

using namespace std::string_view_literals;

constexpr size_t npos = std::string_view::npos;

// Heap block of exactly `text.size()` bytes (a zero-length text still gets one byte, unused).
std::unique_ptr<char[]> exact_copy(std::string_view text, std::string_view& view) {
    std::unique_ptr<char[]> block(new char[text.size() == 0 ? 1 : text.size()]);
    for (size_t i = 0; i < text.size(); ++i) block[i] = text[i];
    view = std::string_view(block.get(), text.size());
    return block;
}

// --- string helpers ---

TEST(StringHelpers, DposIsOneBasedAndZeroWhenAbsent) {
    struct Case {
        std::string_view sub, s;
        int expected;
    };
    const Case cases[] = {
        {"b", "abc", 2}, {"a", "abc", 1}, {"c", "abc", 3},  {"bc", "abcbc", 2},
        {"x", "abc", 0}, {"", "abc", 0},  {"abc", "ab", 0}, {"a", "", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(dpos(c.sub, c.s), c.expected) << c.sub << " in " << c.s;
}

TEST(StringHelpers, DcopyClampsEveryIndexAndCount) {
    struct Case {
        int64_t index, count;
        std::string_view expected;
    };
    const Case cases[] = {
        {1, 3, "hel"},
        {2, 2, "el"},
        {0, 3, "he"}, // positions before 1 still use up the count
        {-2, 5, "he"},
        {-10, 3, ""},  // wholly before the text
        {4, 10, "lo"}, // runs past the end
        {5, 1, "o"},
        {6, 1, ""},
        {100, 1, ""},
        {2, 0, ""},
        {2, -1, ""},
        {1, INT64_MAX, "hello"},
        {-1, INT64_MAX, "hello"},
        {INT64_MAX, INT64_MAX, ""},
        {INT64_MIN, INT64_MAX, ""},
        {INT64_MIN, INT64_MIN, ""},
        {INT64_MAX, INT64_MIN, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(dcopy("hello", c.index, c.count), c.expected) << c.index << ", " << c.count;
    EXPECT_EQ(dcopy("", 1, 1), "");
}

TEST(StringHelpers, DtrimRemovesBlanksAndControlCharactersOnly) {
    // Inner blanks, DEL and bytes of multi-byte characters are text and stay.
    EXPECT_EQ(dtrim(" \t\r\n\x01\x1f a b \0\x7f\r\n"sv), "a b \0\x7f"sv);
    EXPECT_EQ(dtrim("\0\0x\0"sv), "x");
    EXPECT_EQ(dtrim("\xc3\xa9 \xa0"), "\xc3\xa9 \xa0");
    EXPECT_EQ(dtrim(" \x80"), "\x80");
    EXPECT_EQ(dtrim(" \t \n"), "");
    EXPECT_EQ(dtrim(""), "");
    EXPECT_EQ(dtrim_left("  a  "), "a  ");
    EXPECT_EQ(dtrim_right("  a  "), "  a");
}

TEST(StringHelpers, LowerAsciiLeavesOtherBytesAlone) {
    EXPECT_EQ(lower_ascii("AbC_Z9@[`{"), "abc_z9@[`{");
    EXPECT_EQ(lower_ascii("\xc3\x89T\xc3\xa9"), "\xc3\x89t\xc3\xa9");
}

// --- SplitString and LastSplitString ---

struct SplitCase {
    std::string_view id, s;
    int result;
    std::string_view lefts, rights;
};

TEST(SplitString, FirstDelimiterWithTrimmedParts) {
    const SplitCase cases[] = {
        {"=", "a = b", 3, "a", "b"},
        {",", "abc", 0, "abc", ""},
        {",", "  abc ", 0, "  abc ", ""}, // absent: the text stays as it was
        {"==", "x == y == z", 3, "x", "y == z"},
        {"=", "=", 1, "", ""},
        {"(", "f(a)", 2, "f", "a)"},
        {"", "abc", 0, "abc", ""},
        {",", "", 0, "", ""},
    };
    for (const SplitCase& c : cases) {
        TextRoutines tr;
        tr.rights = "stale";
        EXPECT_EQ(tr.SplitString(c.id, c.s), c.result) << c.s;
        EXPECT_EQ(tr.lefts, c.lefts) << c.s;
        EXPECT_EQ(tr.rights, c.rights) << c.s;
    }
}

TEST(SplitString, MaySplitItsOwnRegisters) {
    TextRoutines tr;
    tr.SplitString("=", "x = a, b");
    EXPECT_EQ(tr.SplitString(",", tr.rights), 2);
    EXPECT_EQ(tr.lefts, "a");
    EXPECT_EQ(tr.rights, "b");
    EXPECT_EQ(tr.SplitString(";", tr.lefts), 0);
    EXPECT_EQ(tr.lefts, "a");
    EXPECT_EQ(tr.rights, "");
}

TEST(LastSplitString, LastCharacterOfTheSetCutByTheSetLength) {
    const SplitCase cases[] = {
        {"-", "a - b - c", 7, "a - b", "c"},
        {"+=", "x += 1", 4, "x", "1"},
        {"+=", "=x", 1, "", "x"}, // the cut would start before the text
        {"+=", "=", 1, "", ""},
        {",", "abc", 0, "abc", "abc"},
        {",", " abc ", 0, " abc ", " abc "}, // absent: both get the whole text, untrimmed
        {"", "abc", 0, "abc", "abc"},
        {"-", "", 0, "", ""},
    };
    for (const SplitCase& c : cases) {
        TextRoutines tr;
        EXPECT_EQ(tr.LastSplitString(c.id, c.s), c.result) << c.s;
        EXPECT_EQ(tr.lefts, c.lefts) << c.s;
        EXPECT_EQ(tr.rights, c.rights) << c.s;
    }
}

TEST(LastSplitString, MaySplitItsOwnRegisters) {
    TextRoutines tr;
    tr.SplitString("=", "y = a - b - c");
    EXPECT_EQ(tr.LastSplitString("-", tr.rights), 7);
    EXPECT_EQ(tr.lefts, "a - b");
    EXPECT_EQ(tr.rights, "c");
    EXPECT_EQ(tr.LastSplitString(",", tr.lefts), 0);
    EXPECT_EQ(tr.lefts, "a - b");
    EXPECT_EQ(tr.rights, "a - b");
}

// --- brackets ---

TEST(StripBrackets, TextInsideTheFirstPair) {
    struct Case {
        std::string_view s, expected;
    };
    const Case cases[] = {
        {"(13, HIGH);", "13, HIGH"},
        {"x", "x"},
        {"f(a", "f"},   // never closed: the text before the bracket
        {" f (a", "f"}, // ... trimmed
        {"(a, (b))", "a, (b)"},
        {"f( a )", "a"},
        {"f()", ""},
        {"g(h(1), 2) + (3)", "h(1), 2"},
        {"((x)", ""},                              // the outer bracket is never closed
        {R"x(Serial.print(":)");)x", R"x(":)")x"}, // brackets inside literals are text
        {R"(f("(") + 1)", R"("(")"},
        {"f(')', x)", "')', x"},
        {R"x(f("\")"))x", R"x("\")")x"},
        {"", ""},
    };
    for (const Case& c : cases) {
        TextRoutines tr;
        EXPECT_EQ(tr.StripBrackets(c.s), c.expected) << c.s;
    }
}

TEST(StripBrackets, MayStripItsOwnRegister) {
    TextRoutines tr;
    tr.SplitString("=", "x = f(g(1), 2)");
    EXPECT_EQ(tr.StripBrackets(tr.rights), "g(1), 2");
}

TEST(Nextbracket, PositionOfTheClosingBracketOrZero) {
    struct Case {
        std::string_view s;
        int expected;
    };
    const Case cases[] = {
        {"(a)", 3},
        {"()", 2},
        {"(a(b)c)d", 7},
        {"(a))", 3},
        {"(1 + 2", 0},
        {"(", 0},
        {"((", 0},
        {"", 0},
        {"(()", 0},
        {"(x) + (y)", 3},
        // Brackets inside literals are text.
        {"(\")\" + x)", 9},
        {"(')')", 5},
        {"(\")\"", 0},
        {"(\"(\")", 5},
    };
    for (const Case& c : cases) EXPECT_EQ(nextbracket(c.s), c.expected) << c.s;
}

TEST(Nextbracket, UnclosedScanStopsAtTheEnd) {
    std::string_view view;
    const auto block = exact_copy("((((a", view);
    EXPECT_EQ(nextbracket(view), 0);
}

TEST(TrimLastBracket, CutsBeforeTheLastOne) {
    struct Case {
        std::string_view s;
        char brr;
        std::string_view expected;
    };
    const Case cases[] = {
        {"x, y))", ')', "x, y)"}, {" a ) ", ')', "a"}, {")", ')', ""},   {"a]b]", ']', "a]b"},
        {"abc", ')', ""},         {"", ')', ""},       {"(((", ')', ""}, {"a)b", ')', "a"},
    };
    for (const Case& c : cases) EXPECT_EQ(Trim_Last_Bracket(c.s, c.brr), c.expected) << c.s;
}

// --- parse ---

struct ParseCase {
    std::string_view s;
    int count;
    std::string_view eval_fn;
    std::vector<std::string_view> args;
};

TEST(Parse, ArgumentsAndName) {
    const ParseCase cases[] = {
        {"digitalWrite(13, HIGH)", 2, "digitalWrite", {"13", "HIGH"}},
        {"f(x)", 1, "f", {"x"}},
        {" print ( x ) ", 1, "print", {"x"}},
        {"f()", 0, "f", {}},
        {"f( )", 0, "f", {}},
        // Commas are not matched against nested brackets; the last bracket goes once.
        {"f(a, g(b, c))", 3, "f", {"a", "g(b", "c)"}},
        {R"(f("a,b", c))", 2, "f", {R"("a,b")", "c"}},
        {R"(f(x, "a,b"))", 2, "f", {"x", R"("a,b")"}},
        {R"(f(x, "a,b", "c,d"))", 3, "f", {"x", R"("a,b")", R"("c,d")"}},
        {R"(f(x, "a", y))", 3, "f", {"x", R"("a")", "y"}},
        {R"(f("a", "b,c"))", 2, "f", {R"("a")", R"("b,c")"}},
        {R"(f("a" x, y))", 2, "f", {R"("a")", "y"}}, // text between a quote and its comma is dropped
        {R"(f("a" x))", 1, "f", {R"("a"x)"}},
        {R"(f("a\"b", c))", 2, "f", {R"("a\"b")", "c"}}, // an escaped quote does not close the text
        {R"(f(x, "say \"hi, you\""))", 2, "f", {"x", R"("say \"hi, you\"")"}},
        // A char literal keeps its comma too.
        {"Serial.print(',')", 1, "Serial.print", {"','"}},
        {"f(',', x)", 2, "f", {"','", "x"}},
        {"f(x, ',')", 2, "f", {"x", "','"}},
        {"f('a, b)", 1, "f", {"'a, b"}}, // unclosed: runs to the end
        {"f(a,,b)", 3, "f", {"a", "", "b"}},
        {"f(x, y,)", 2, "f", {"x", "y"}},
        {"a(1)(2)", 1, "a", {"1)(2"}},
        {"noargs", 0, "", {}},
        {"f(x", 0, "", {}},
        {"fx)", 0, "", {}},
        {"", 0, "", {}},
    };
    for (const ParseCase& c : cases) {
        TextRoutines tr;
        ASSERT_EQ(tr.parse(c.s, '(', ')'), c.count) << c.s;
        EXPECT_EQ(tr.eval_fn, c.eval_fn) << c.s;
        for (size_t i = 0; i < c.args.size(); ++i) EXPECT_EQ(tr.varx[i], c.args[i]) << c.s << " arg " << i;
        EXPECT_EQ(tr.varx[c.args.size()], "") << c.s;
    }
}

TEST(Parse, LoneQuotedArgumentStaysInTheFirstEntry) {
    TextRoutines tr;
    EXPECT_EQ(tr.parse(R"(print("abc"))", '(', ')'), 0);
    EXPECT_EQ(tr.eval_fn, "print");
    EXPECT_EQ(tr.varx[0], R"("abc")");
    EXPECT_EQ(tr.varx[1], "");
    EXPECT_EQ(tr.parse(R"(print("a\"b"))", '(', ')'), 0);
    EXPECT_EQ(tr.varx[0], R"("a\"b")");
    // The next parse does not inherit it.
    EXPECT_EQ(tr.parse("f()", '(', ')'), 0);
    EXPECT_EQ(tr.varx[0], "");
}

TEST(Parse, UnclosedQuoteRunsToTheEnd) {
    TextRoutines tr;
    EXPECT_EQ(tr.parse(R"(f(x, "a,b))", '(', ')'), 2);
    EXPECT_EQ(tr.varx[0], "x");
    EXPECT_EQ(tr.varx[1], R"("a,b)");

    EXPECT_EQ(tr.parse(R"(f("a, b))", '(', ')'), 0);
    EXPECT_EQ(tr.varx[0], R"("a, b))");

    std::string_view view;
    const auto block = exact_copy(R"(f(x, ", y))", view);
    EXPECT_EQ(tr.parse(view, '(', ')'), 2);
    EXPECT_EQ(tr.varx[1], R"(", y)");
}

TEST(Parse, OtherBracketPairs) {
    TextRoutines tr;
    EXPECT_EQ(tr.parse("a[1, 2]", '[', ']'), 2);
    EXPECT_EQ(tr.eval_fn, "a");
    EXPECT_EQ(tr.varx[0], "1");
    EXPECT_EQ(tr.varx[1], "2");
    EXPECT_EQ(tr.parse("a(1, 2)", '[', ']'), 0);
}

TEST(Parse, EarlierArgumentsDoNotLinger) {
    TextRoutines tr;
    EXPECT_EQ(tr.parse("f(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11)", '(', ')'), 12);
    EXPECT_EQ(tr.varx[11], "11");
    EXPECT_EQ(tr.parse("f(1)", '(', ')'), 1);
    EXPECT_EQ(tr.varx[0], "1");
    EXPECT_EQ(tr.varx[1], "");
    EXPECT_EQ(tr.varx[10], "");
    EXPECT_EQ(tr.varx[11], "");
    EXPECT_EQ(tr.varx[100000], "");
}

TEST(Parse, ManyArguments) {
    std::string call = "f(";
    for (int i = 0; i < 300; ++i) call += (i > 0 ? ", " : "") + std::to_string(i);
    call += ")";
    TextRoutines tr;
    EXPECT_EQ(tr.parse(call, '(', ')'), 300);
    EXPECT_EQ(tr.varx[0], "0");
    EXPECT_EQ(tr.varx[200], "200");
    EXPECT_EQ(tr.varx[299], "299");
    EXPECT_EQ(tr.varx[300], "");
}

TEST(Parse, MayParseItsOwnRegister) {
    TextRoutines tr;
    tr.SplitString("=", "x = f(1, 2)");
    EXPECT_EQ(tr.parse(tr.rights, '(', ')'), 2);
    EXPECT_EQ(tr.eval_fn, "f");
    EXPECT_EQ(tr.varx[0], "1");
    EXPECT_EQ(tr.varx[1], "2");
}

// --- numbers ---

TEST(StrToHex, DigitsUntilTheFirstOtherCharacter) {
    struct Case {
        std::string_view s;
        int32_t expected;
    };
    const Case cases[] = {
        {"1Fz", 31},
        {"", 0},
        {"ff", 255},
        {"FF", 255},
        {"aBcD", 0xABCD},
        {"0x10", 0}, // no prefix handling
        {"g1", 0},
        {" 1", 0},
        {"7fffffff", INT_MAX},
        {"80000000", INT_MIN},
        {"ffffffff", -1},
        {"DEADBEEF", static_cast<int32_t>(0xDEADBEEFu)},
        {"100000000", 0}, // wraps at 32 bits
        {"123456789", 0x23456789},
        {"fffffffffffffffffffffffffffffffffffffffffffffffff1", -15},
    };
    for (const Case& c : cases) EXPECT_EQ(StrToHex(c.s), c.expected) << c.s;
}

TEST(StrToBin, EveryCharacterIsADigit) {
    struct Case {
        std::string s;
        int32_t expected;
    };
    const Case cases[] = {
        {"102", 4}, // anything but "1" counts as 0
        {"", 0},
        {"1", 1},
        {"0101", 5},
        {"1a1", 5},
        {"abc", 0},
        {std::string(31, '1'), INT_MAX},
        {std::string(32, '1'), -1},
        {"1" + std::string(31, '0'), INT_MIN},
        {"1" + std::string(32, '0'), 0}, // wraps at 32 bits
        {std::string(1000, '1'), -1},
    };
    for (const Case& c : cases) EXPECT_EQ(StrToBin(c.s), c.expected) << c.s;
}

// --- literals ---

TEST(Literals, FindOutsideLiterals) {
    struct Case {
        std::string_view s, needle;
        size_t from, expected;
    };
    const Case cases[] = {
        {"a;b", ";", 0, 1},          {R"("a;b";)", ";", 0, 5}, {R"(c = ';';)", ";", 0, 7},
        {R"("a\";b";c)", ";", 0, 7}, // escaped quote inside a string
        {R"('\''; x)", ";", 0, 4},   // escaped quote inside a char literal
        {R"("a\\";b)", ";", 0, 5},   // an escaped backslash ends before the quote
        {R"('"';)", ";", 0, 3},      // a double quote as a char
        {R"("'";)", ";", 0, 3},      // an apostrophe inside a string
        {R"("abc;)", ";", 0, npos},  // unclosed: the rest is literal
        {"a;b;c", ";", 2, 3},        {"a;b", ";", 10, npos},   {"a/*b", "/*", 0, 1},
        {R"("/*"/*)", "/*", 0, 4},   {"a/", "/*", 0, npos},    {"", ";", 0, npos},
    };
    for (const Case& c : cases) EXPECT_EQ(find_outside_literals(c.s, c.needle, c.from), c.expected) << c.s;
}

TEST(Literals, ScansStopAtTheEndOfAnUnclosedLiteral) {
    for (std::string_view text : {R"("abc\)"sv, R"('\)"sv, R"(x = "\)"sv, R"(")"sv}) {
        std::string_view view;
        const auto block = exact_copy(text, view);
        EXPECT_EQ(find_outside_literals(view, ";"), npos) << text;
        EXPECT_EQ(skip_literal(view, view.find_first_of("\"'")), view.size()) << text;
        EXPECT_FALSE(contains_outside_literals(view, '{')) << text;
    }
    EXPECT_EQ(skip_literal("ab", 2), 2u); // asked past the end: nothing to skip
    EXPECT_EQ(skip_literal("", 0), 0u);
}

TEST(Literals, ContainsOutsideLiterals) {
    EXPECT_TRUE(contains_outside_literals("if (x) {", '{'));
    EXPECT_FALSE(contains_outside_literals(R"(x = "{";)", '{'));
    EXPECT_FALSE(contains_outside_literals("c = '}';", '}'));
    EXPECT_TRUE(contains_outside_literals(R"(s = "{"; })", '}'));
}

TEST(Literals, MatchingBracketSkipsLiterals) {
    struct Case {
        std::string_view s;
        size_t open, expected;
    };
    const Case cases[] = {
        {"(a)", 0, 2},      {"(a(b)c)", 0, 6},      {"(a(b)c)", 2, 4},          {"f(a, \")\")", 1, 8},
        {"f(')')", 1, 5},   {R"(f("(", x))", 1, 8}, {"f(\"\\\")\", x)", 1, 10}, {"(1 + 2", 0, npos},
        {R"(("("))", 0, 4}, {"(\")\"", 0, npos}, // the only ")" is a literal
        {"", 0, npos},      {"ab", 5, npos},
    };
    for (const Case& c : cases) EXPECT_EQ(matching_bracket(c.s, c.open), c.expected) << c.s;
}

TEST(Literals, SplitStatementsKeepsEachSemicolon) {
    struct Case {
        std::string_view s;
        std::vector<std::string_view> parts;
    };
    const Case cases[] = {
        {"a(); b(); c();", {"a();", "b();", "c();"}},
        {R"(Serial.println("a;b");)", {R"(Serial.println("a;b");)"}},
        {R"(c = ';'; d = 1;)", {R"(c = ';';)", "d = 1;"}},
        {R"(Serial.print("x\";y"); z();)", {R"(Serial.print("x\";y");)", "z();"}},
        {"a = 1; b = 2", {"a = 1;", "b = 2"}},
        {"  a = 1;   ", {"a = 1;"}},
        {R"(x = "abc; y = 2;)", {R"(x = "abc; y = 2;)"}}, // unclosed quote: no split inside it
        {";;", {";", ";"}},
        {"", {}},
        {"   ", {}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string_view> parts = split_statements(c.s);
        EXPECT_EQ(parts, c.parts) << c.s;
    }
}

} // namespace
} // namespace quorvex
