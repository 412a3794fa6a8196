// String methods and the character tests through the statement executor: receivers, 1-based
// searches, clamped positions, in-place methods, number conversion and the class table.
#include <limits>
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

class Str : public CoreTest {
protected:
    void SetUp() override {
        run("String s = \"Hello\";");
        run("String t = \"\";");
        run("long k = 0;");
        ASSERT_TRUE(host.errors.empty());
    }
    int32_t run(const std::string& text) { return in.evaluate_expression(text); }
    std::string text_of(const std::string& name) {
        const VariableTable::Ref r = in.vars.lookup(name, n_string, n_string);
        EXPECT_TRUE(r) << name;
        return r ? in.vars.at(n_string, r.slot).sval : std::string();
    }
    int32_t int_of(const std::string& name) {
        const VariableTable::Ref r = in.vars.lookup(name, n_boolean, n_long);
        EXPECT_TRUE(r) << name;
        return r ? in.vars.at(r.type, r.slot).ival : 0;
    }
    void set_text(const std::string& name, const std::string& value) {
        const VariableTable::Ref r = in.vars.lookup(name, n_string, n_string);
        ASSERT_TRUE(r) << name;
        in.vars.at(n_string, r.slot).sval = value;
    }
};

struct NumberCase {
    const char* expr;
    int32_t value;
};

struct TextCase {
    const char* expr;
    const char* text;
};

TEST_F(Str, NumericMethodsOnHello) {
    run("String u = \"aaa\";");
    run("String part = \"ll\";");
    run("char ch = 'o';");
    const NumberCase cases[] = {
        {"s.indexOf('l')", 3},
        {"s.lastIndexOf('l')", 4},
        {"s.indexOf('z')", 0},
        {"s.indexOf('l', 4)", 4},
        {"s.indexOf('H', 2)", 0},
        {"s.indexOf(\"llo\")", 3},
        {"s.indexOf(part)", 3}, // a variable is evaluated into its text
        {"s.indexOf(ch)", 5},
        {"u.lastIndexOf(\"aa\")", 2}, // hits overlap
        {"s.length()", 5},
        {"s.getLength()", 5},
        {"s.startsWith(\"He\")", 1},
        {"s.startsWith(\"ll\", 2)", 1},
        {"s.startsWith(\"ll\")", 0},
        {"s.endsWith(\"lo\")", 1},
        {"s.endsWith(part)", 0},
        {"s.endsWith('o')", 1},
        {"s.equalsIgnoreCase(\"HELLO\")", 1},
        {"s.equals(\"HELLO\")", 0},
        {"s.equals(\"Hello\")", 1},
        {"s.compareTo(\"Help\")", -1},
        {"s.compareTo(\"Hell\")", 1},
        {"s.compareTo(\"Hello\")", 0},
        {"s.charAt(1)", 'e'},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(run(c.expr), c.value) << c.expr;
        if (std::string(c.expr).find("charAt") == std::string::npos) {
            EXPECT_TRUE(in.Results.empty()) << c.expr;
            EXPECT_EQ(in.n_type, n_int) << c.expr;
        }
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Str, TextMethodsLeaveTheReceiverAlone) {
    set_text("t", "  pad me\t");
    const TextCase cases[] = {
        {"s.charAt(1)", "e"},
        {"s.substring(1, 3)", "el"},
        {"s.substring(2)", "llo"},
        {"s.toUpperCase()", "HELLO"},
        {"s.toLowerCase()", "hello"},
        {"t.trim()", "pad me"},
        {"s.replace('l', 'L')", "HeLLo"},
        {"s.replace(\"l\", \"LL\")", "HeLLLLo"},
        {"s.replace(\"\", \"x\")", "Hello"},
        {"\"abc\".toUpperCase()", "ABC"},
    };
    for (const TextCase& c : cases) {
        run(c.expr);
        EXPECT_EQ(in.Results, c.text) << c.expr;
    }
    EXPECT_EQ(text_of("s"), "Hello");
    EXPECT_EQ(text_of("t"), "  pad me\t");
}

TEST_F(Str, PositionsOutOfRangeStayInsideTheText) {
    const TextCase texts[] = {
        {"s.charAt(9)", ""},       {"s.charAt(-1)", ""},          {"s.substring(-2, 2)", "He"},
        {"s.substring(3, 1)", ""}, {"s.substring(2, 99)", "llo"}, {"s.substring(99)", ""},
    };
    for (const TextCase& c : texts) {
        EXPECT_EQ(run(c.expr), 0) << c.expr;
        EXPECT_EQ(in.Results, c.text) << c.expr;
    }
    const NumberCase numbers[] = {
        {"s.indexOf('l', 99)", 0},    {"s.indexOf(\"\")", 0},        {"s.startsWith(\"He\", 9)", 0},
        {"s.startsWith(\"\")", 0},    {"s.lastIndexOf('l', 3)", 3},  {"s.lastIndexOf('l', 0)", 4},
        {"s.lastIndexOf('l', 2)", 0}, {"s.lastIndexOf('l', 99)", 4}, {"s.lastIndexOf(\"\")", 0},
    };
    for (const NumberCase& c : numbers) EXPECT_EQ(run(c.expr), c.value) << c.expr;
    for (const char* st : {"s.setCharAt(99, 'x');", "s.setCharAt(-1, 'x');", "s.setCharAt(1);"}) run(st);
    EXPECT_EQ(text_of("s"), "Hello");
    run("s.setCharAt(0, 'J');");
    EXPECT_EQ(text_of("s"), "Jello");
    EXPECT_TRUE(host.errors.empty());
}

// Positions count 16-bit characters: a character beyond U+FFFF is two of them, and taking one
// of a pair apart, or a byte that starts no character, leaves valid UTF-8 (U+FFFD).
TEST_F(Str, PairsAndBadBytesStayValidText) {
    set_text("s", "a\xF0\x9F\x98\x80"
                  "b");
    EXPECT_EQ(run("s.length()"), 4);
    EXPECT_EQ(run("s.indexOf('b')"), 4);
    run("s.substring(0, 2)");
    EXPECT_EQ(in.Results, "a\xEF\xBF\xBD");
    run("s.setCharAt(2, 'c');");
    EXPECT_EQ(text_of("s"), "a\xEF\xBF\xBD"
                            "cb");
    set_text("s", "x\xFFy");
    EXPECT_EQ(run("s.length()"), 3);
    run("s.setCharAt(0, 0x263A);");
    EXPECT_EQ(text_of("s"), "\xE2\x98\xBA\xEF\xBF\xBDy");
    EXPECT_TRUE(host.errors.empty());
}

// += appends in place up to the String limit; beyond it, and on a const, the text stays.
TEST_F(Str, AppendsStopAtTheLimit) {
    set_text("t", std::string(Interpreter::max_string_length - 2, 'a'));
    run("t += \"bc\";");
    EXPECT_EQ(in.Results, "") << "a statement of its own leaves no copy";
    EXPECT_EQ(text_of("t").size(), Interpreter::max_string_length);
    run("t += 'd';");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - String too long: t would hold more than 65535 "
                                                   "characters"});
    EXPECT_EQ(text_of("t").size(), Interpreter::max_string_length);
    host.errors.clear();
    run("const String c = \"x\";");
    run("c += \"y\";");
    EXPECT_EQ(text_of("c"), "x");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Cannot change a const variable! c"});
    host.errors.clear();
    run("t = s += \"!\";");
    EXPECT_EQ(text_of("t"), "Hello!") << "inside an expression the append has its value";
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Str, AssignmentsTakeNumbersCharactersAndTexts) {
    run("int n = s.length();");
    EXPECT_EQ(int_of("n"), 5);
    run("int p = s.indexOf('e');");
    EXPECT_EQ(int_of("p"), 2);
    run("char c = s.charAt(1);");
    EXPECT_EQ(int_of("c"), 'e');
    run("String sub = s.substring(1, 3);");
    EXPECT_EQ(text_of("sub"), "el");
    run("t = s.charAt(4);");
    EXPECT_EQ(text_of("t"), "o");
    EXPECT_EQ(run("s.charAt(0) == 'H'"), 1);
    run("n = strlen(s);");
    EXPECT_EQ(int_of("n"), 5);
    run("n = strlen(s) + 1;"); // the operator splits before strlen takes its bracket
    EXPECT_EQ(int_of("n"), 6);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Str, ComparisonsNeverReadAStaleText) {
    // Results held the receiver's text when the argument was evaluated.
    EXPECT_EQ(run("s.equals(k)"), 0);
    EXPECT_EQ(run("s.equals(t)"), 0);
    EXPECT_EQ(run("s.compareTo(t)"), 1);
    run("String five = \"5\";");
    run("k = 5;");
    EXPECT_EQ(run("five.equals(k)"), 1); // a number compares as its digits
    EXPECT_EQ(run("t.equals(k)"), 0);
}

TEST_F(Str, StatementsOfTheirOwnChangeTheReceiver) {
    run("s.toUpperCase();");
    EXPECT_EQ(text_of("s"), "HELLO");
    run("s.toLowerCase();");
    EXPECT_EQ(text_of("s"), "hello");
    run("s.replace('l', 'L');");
    EXPECT_EQ(text_of("s"), "heLLo");
    set_text("t", "  hi  ");
    run("{ t.trim(); }");
    EXPECT_EQ(text_of("t"), "hi");
    // As a value the receiver stays.
    set_text("t", "  hi  ");
    run("String u = \"\";");
    run("u = t.trim();");
    EXPECT_EQ(text_of("u"), "hi");
    EXPECT_EQ(text_of("t"), "  hi  ");
    // An array element is a receiver too; a literal or a #define never is.
    run("String names[2];");
    run("names[1] = \"ab\";");
    run("k = 1;");
    run("names[k].toUpperCase();");
    EXPECT_EQ(text_of("names[1]"), "AB");
    run("\"lit\".toUpperCase();");
    run("#define MSG \"hi\"");
    run("MSG.toUpperCase();");
    EXPECT_EQ(in.vars.at(n_define, in.vars.find(n_define, "MSG")).def, "\"hi\"");
    // A bare method has no receiver: a text left in Results is never evaluated as one.
    in.Results = "k = 7";
    EXPECT_EQ(run("length()"), 0);
    EXPECT_EQ(int_of("k"), 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Str, ConcatStoresEveryKindOfValue) {
    EXPECT_EQ(run("s.concat(\"!\");"), 0);
    EXPECT_EQ(text_of("s"), "Hello!");
    run("t.concat(\"!\");"); // an empty String takes the text
    EXPECT_EQ(text_of("t"), "!");
    run("char c = '?';");
    run("t.concat(c);");
    EXPECT_EQ(text_of("t"), "!?");
    EXPECT_EQ(run("t.concat(42);"), 42);
    EXPECT_EQ(text_of("t"), "!?42");
    EXPECT_EQ(in.Results, "!?42");
    run("t.concat(2.5);");
    EXPECT_EQ(text_of("t"), "!?422.50");
}

TEST_F(Str, StringConstructorFormats) {
    const TextCase cases[] = {
        {"String(255, HEX)", "FF"}, {"String(5, BIN)", "00000101"}, {"String(3.5)", "3.50"},      {"String('A')", "A"},
        {"String(s)", "Hello"},     {"String(-12)", "-12"},         {"String(\"a, b\")", "a, b"},
    };
    for (const TextCase& c : cases) {
        run(c.expr);
        EXPECT_EQ(in.Results, c.text) << c.expr;
        EXPECT_EQ(in.n_type, n_string) << c.expr;
    }
    run("int i = 7;");
    run("String v = String(i++);");
    EXPECT_EQ(text_of("v"), "7");
    EXPECT_EQ(int_of("i"), 8); // evaluated once
    // The table's own row formats the same way.
    Match m;
    m.rest = "(255, HEX)";
    EXPECT_EQ(in.strings.kstring(m), 1);
    EXPECT_EQ(in.Results, "FF");
}

TEST(StringToInt, AcceptsSignsBlanksAndHex) {
    const std::pair<const char*, int32_t> cases[] = {
        {"42", 42},
        {" -42", -42},
        {"+7", 7},
        {"$1f", 31},
        {"0x1F", 31},
        {"x10", 16},
        {"X10", 16},
        {"0xFFFFFFFF", -1},
        {"-0x10", -16},
        {"", 0},
        {"   ", 0},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"007", 7},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(string_to_int(text), value) << text;
    for (const char* bad :
         {"12 ", "99999999999", "2147483648", "-2147483649", "0x123456789", "abc", "-", "0x", "$", "1.5", "12a"})
        EXPECT_THROW(string_to_int(bad), EvalFault) << bad;
}

TEST_F(Str, ToIntThroughTheExecutor) {
    run("String num = \" -42\";");
    EXPECT_EQ(run("num.toInt()"), -42);
    EXPECT_TRUE(in.Results.empty());
    EXPECT_EQ(in.n_type, n_int);
    run("k = num.toInt() + 2;");
    EXPECT_EQ(int_of("k"), -40);
    set_text("num", "12 ");
    run("k = num.toInt();");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "Cannot Evaluate toInt()");
    EXPECT_EQ(int_of("k"), 0);
}

TEST(CharClasses, TableAtTheBoundaries) {
    // Classes 1..13 for each code, as a string of 0/1 flags.
    const std::pair<int32_t, const char*> cases[] = {
        {-1, "0010100000000"},  {9, "0010100000000"},   {32, "0011000011100"},  {47, "0010001011000"},
        {127, "0010001010000"}, {'q', "1110001110000"}, {':', "0010001010000"}, {'F', "1110001010011"},
        {'7', "1010011010001"}, {200, "0000000000000"},
    };
    for (const auto& [c, flags] : cases) {
        std::string got;
        for (int ch = CH_ALPHANUM; ch <= CH_HEXA; ++ch) got += in_char_class(ch, c) ? '1' : '0';
        EXPECT_EQ(got, flags) << c;
    }
}

TEST_F(Str, CharacterTestsThroughTheExecutor) {
    run("char c = 'q';");
    const NumberCase cases[] = {
        {"isAlpha(c)", 1},     {"isLowerCase(c)", 1},  {"isPunct(' ')", 1},
        {"isPunct(':')", 0},   {"isWhitespace(9)", 0}, {"isDigit('7')", 1},
        {"isUpperCase(c)", 0}, {"isAscii(-5)", 1},     {"isHexadecimalDigit('f')", 1},
    };
    for (const NumberCase& n : cases) EXPECT_EQ(run(n.expr), n.value) << n.expr;
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Str, ReserveIsAccepted) {
    EXPECT_EQ(run("s.reserve(10);"), 0);
    EXPECT_EQ(text_of("s"), "Hello");
    EXPECT_TRUE(host.errors.empty());
}

} // namespace
} // namespace quorvex::test
