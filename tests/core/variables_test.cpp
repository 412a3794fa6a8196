// Reading values: terms (find_var), expressions (get_var), #define expansion, the table's
// capacity and fresh slots. Entries are made through the table API, as declarations would.
#include <clocale>
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "interpreter/literals.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

// Stand-in for the arithmetic handlers that land later: splits at the row's operator and
// combines both sides read through get_var (an empty left side is a unary minus).
int32_t arithmetic(Interpreter& in, const Match& m) {
    const std::string text(m.rest);
    const size_t p = find_operator(text, m.op);
    if (p == std::string::npos) {
        in.keep_going = 1;
        return 0;
    }
    const std::string left(dtrim(std::string_view(text).substr(0, p)));
    const std::string right(dtrim(std::string_view(text).substr(p + m.op.size())));
    const int32_t l = left.empty() ? 0 : in.get_var(left);
    const int32_t r = in.get_var(right);
    in.n_type = n_int;
    return m.op == "-" ? wrap_sub(l, r) : wrap_add(l, r);
}

// Stand-in for "=": reads the right side, so faults of a read show as they would in a sketch.
int32_t read_right_side(Interpreter& in, const Match& m) {
    const std::string text(m.rest);
    return in.get_var(std::string_view(text).substr(text.find('=') + 1));
}

std::vector<std::string> executed; // texts that reached an operator row
int32_t record_operator(Interpreter&, const Match& m) {
    executed.emplace_back(m.rest);
    return 0;
}

constexpr int op_assign = 11;
constexpr int op_plus = 31;
constexpr int op_minus = 32;

class Values : public CoreTest {
protected:
    void SetUp() override { executed.clear(); }

    int32_t declare(int32_t t, const std::string& name, int32_t ival = 0, int32_t flags = 0) {
        const int32_t slot = in.new_entry(t, name, flags);
        EXPECT_GT(slot, 0) << name;
        if (slot > 0) in.vars.at(t, slot).ival = ival;
        return slot;
    }
    void define(const std::string& name, const std::string& text) {
        const int32_t slot = in.new_entry(n_define, name, 0);
        ASSERT_GT(slot, 0) << name;
        in.vars.at(n_define, slot).def = text;
    }
    void bind_arithmetic() {
        in.tables.koperators[op_plus] = arithmetic;
        in.tables.koperators[op_minus] = arithmetic;
    }
    void record_all_operators() {
        for (auto& h : in.tables.koperators) h = record_operator;
    }
};

struct Term {
    const char* s;
    int32_t value;
    int32_t n_type;
    bool found;
};

TEST_F(Values, LiteralsFixedNamesAndPins) {
    const Term terms[] = {
        {"A0", 0, 4, true},
        {"a5", 5, 4, true},
        {"A12", 12, 4, true},
        {"A10", 10, 4, true},
        {"a15", 15, 4, true},
        {"A16", 1, 4, true},
        {"A1x", 1, 4, true},
        {"A5x", 5, 4, true},
        {"D13", 13, 4, true},
        {"d13", 13, 4, true},
        {"d7x", 7, 4, true},
        {"d123", 12, 4, true},
        {"HIGH", 1, 4, true},
        {"High", 1, 4, true},
        {"low", 0, 4, true},
        {"TRUE", 1, 4, true},
        {"false", 0, 4, true},
        {"OUTPUT", 1, -1, true},
        {"TOTAL_PINS", 20, -1, true},
        {"SD_CARD_TYPE_SDHC", 3, -1, true},
        {"output", 0, 4, false},
        {"'A'", 65, 3, true},
        {"'\\n'", 13, 3, true},
        {"'\\a'", 0, 3, true},
        {"'''", 39, 3, true},
        {"0x1F", 31, 4, true},
        {"0x1Fz", 31, 4, true},
        {"0x", 0, 4, true},
        {"0b101", 5, 4, true},
        {"0b102", 4, 4, true},
        {"B101", 5, 4, true},
        {"B0", 0, 4, true},
        {"42", 42, 4, true},
        {"007", 7, 4, true},
        {"2147483647", 2147483647, 4, true},
        {"12a", 0, 4, false},
        {"10x5", 0, 4, false},
        {"B12", 0, 4, false},
        {"B", 0, 4, false},
        {"xB1", 0, 4, false},
        {"LEDB1", 0, 4, false},
        {" 42 ;", 42, 4, true},
        {"x ; y", 0, 4, false},
        {"", 0, -1, false},
        {"  ;", 0, -1, false},
        {"= 5", 0, 4, false},
        {"Serial.print (x)", 0, 4, false},
    };
    for (const Term& t : terms) {
        const Value v = in.find_value(t.s);
        EXPECT_EQ(v.i, t.value) << "«" << t.s << "»";
        EXPECT_EQ(in.n_type, t.n_type) << "«" << t.s << "»";
        EXPECT_EQ(in.var_found, t.found ? 1 : 0) << "«" << t.s << "»";
        EXPECT_EQ(v.type, t.n_type) << "«" << t.s << "»";
        EXPECT_EQ(v.found, t.found) << "«" << t.s << "»";
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Values, FloatLiteralMustBeOneWholeNumber) {
    EXPECT_EQ(in.find_var("3.75"), 3);
    EXPECT_EQ(in.n_type, 6);
    EXPECT_EQ(in.var_float, 3.75L);
    EXPECT_EQ(in.find_value("3.75").f, 3.75L);
    EXPECT_EQ(in.find_var("2.5e+3"), 2500);
    EXPECT_EQ(in.find_var("0.5"), 0);
    EXPECT_EQ(in.var_float, 0.5L);
    EXPECT_EQ(in.find_var("3."), 3);
    EXPECT_EQ(in.get_var("7.9"), 7); // toward zero
    EXPECT_EQ(in.n_type, 6);
    for (const char* bad : {"3.75abc", "1.2.3", "3.75f", "0x1.8", "1e999999.5", "99999999999999999999.5"})
        EXPECT_THROW(in.find_var(bad), EvalFault) << bad;
}

TEST_F(Values, ReadsFloatsTheSameUnderAGermanLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const int32_t value = in.find_var("3.75");
    const long double f = in.var_float;
    const int32_t parts = in.find_var("2.5e+3");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(value, 3);
    EXPECT_EQ(f, 3.75L);
    EXPECT_EQ(parts, 2500);
}

TEST_F(Values, MalformedNumbersAreFaultsThatTheExecutorReports) {
    for (const char* bad : {"'", "'\\", "2147483648", "99999999999"}) EXPECT_THROW(in.find_var(bad), EvalFault) << bad;
    in.tables.koperators[op_assign] = read_right_side;
    for (const char* line : {"c = '", "c = '\\", "x = 2147483648;", "x = 3.5.1;"}) in.evaluate_expression(line);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot Evaluate c = '", "Cannot Evaluate c = '\\",
                                                    "Cannot Evaluate x = 2147483648", "Cannot Evaluate x = 3.5.1"}));
    host.errors.clear();
    EXPECT_EQ(in.evaluate_expression("c = ';"), ';'); // an unclosed literal still has its character
    EXPECT_TRUE(host.errors.empty());
    EXPECT_FALSE(in.Timer1.Enabled);
}

TEST_F(Values, WordsThatAreNoTermGoToTheExecutor) {
    EXPECT_EQ(in.get_var("12a"), 0);
    EXPECT_EQ(in.get_var("a["), 0);
    EXPECT_EQ(in.get_var("undeclared"), 0);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Unknown command: 12a", "Unknown command: a[", "Unknown command: undeclared"}));
    // A find_var of an undeclared name reports nothing and leaves n_type 4.
    host.errors.clear();
    EXPECT_EQ(in.find_var("undeclared"), 0);
    EXPECT_EQ(in.n_type, 4);
    EXPECT_EQ(in.var_found, 0);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Values, SemicolonCutIsCodeOnlyAndTrimmed) {
    declare(n_int, "x", 9);
    EXPECT_EQ(in.find_var("x ;"), 9);
    EXPECT_EQ(in.find_var("  x;  y = 2;"), 9);
    EXPECT_EQ(in.find_var("';'"), ';');
    in.find_var("\"a;b\";");
    EXPECT_EQ(in.Results, "a;b");
    EXPECT_EQ(in.n_type, 7);
    EXPECT_EQ(in.find_var("x = 5"), 9); // only the text before "=" is looked up
}

TEST_F(Values, StringLiterals) {
    struct Case {
        const char* s;
        const char* results;
    } cases[] = {{"\"abc\"", "abc"}, {"\"a\\\"b\"", "a'b"}, {"\"\"", ""}, {"\"", ""}, {"\"a,b\" ", "a,b"}};
    for (const Case& c : cases) {
        const Value v = in.get_value(c.s);
        EXPECT_EQ(in.Results, c.results) << c.s;
        EXPECT_EQ(v.s, c.results) << c.s;
        EXPECT_EQ(in.n_type, 7) << c.s;
        EXPECT_EQ(in.var_found, 1) << c.s;
    }
    // A literal followed by more text is a string expression for the executor, handed over whole.
    record_all_operators();
    in.find_var("\"a\" + b");
    EXPECT_EQ(executed, std::vector<std::string>{"\"a\" + b"});
    EXPECT_EQ(in.var_found, 1);
}

TEST_F(Values, TableReadsSetTheRegisters) {
    declare(n_byte, "dup", 3);
    declare(n_int, "dup", 4000); // declared twice: always found at its first place
    const int32_t f = in.new_entry(n_float, "speed", SET_CONST | SET_VOLATILE);
    in.vars.at(n_float, f).fval = 2.5f;
    in.vars.at(n_float, f).ival = 2;
    const int32_t s = in.new_entry(n_string, "name", 0);
    in.vars.at(n_string, s).sval = "Uno";
    declare(n_char, "c", 'z', SET_UNSIGNED);

    EXPECT_EQ(in.find_var("dup"), 3);
    EXPECT_EQ(in.n_type, 2);

    in.Results = "stale";
    const Value speed = in.find_value("speed");
    EXPECT_EQ(in.n_type, 6);
    EXPECT_EQ(in.var_float, 2.5L);
    EXPECT_EQ(speed.f, 2.5L);
    EXPECT_EQ(in.val_other, SET_CONST | SET_VOLATILE);
    EXPECT_EQ(in.Results, "");

    const Value name = in.get_value("name");
    EXPECT_EQ(in.Results, "Uno");
    EXPECT_EQ(name.s, "Uno");
    EXPECT_EQ(name.type, 7);

    EXPECT_EQ(in.get_var("c"), 'z');
    EXPECT_EQ(in.n_type, 3);
    EXPECT_EQ(in.val_other, SET_UNSIGNED);
}

TEST_F(Values, NonStringTermsEmptyResults) {
    // After a string, the next number must not look like text, or «s = "a"; x = 5;» would store text.
    declare(n_int, "i", 1);
    declare(n_long, "big", 1);
    const int32_t f = in.new_entry(n_float, "f", 0);
    in.vars.at(n_float, f).fval = 1.5f;
    for (const char* term : {"OUTPUT", "'x'", "HIGH", "A0", "D2", "3.75", "0x10", "0b1", "12", "B1", "i", "big", "f"}) {
        in.get_var("\"a\"");
        ASSERT_EQ(in.Results, "a");
        const Value v = in.get_value(term);
        EXPECT_EQ(in.Results, "") << term;
        EXPECT_EQ(v.s, "") << term;
        EXPECT_NE(in.n_type, 7) << term;
    }
    in.get_var("\"a\"");
    EXPECT_EQ(in.get_var("5"), 5);
    EXPECT_EQ(in.n_type, 4);
    EXPECT_EQ(in.Results, "");
}

TEST_F(Values, StringThenNumberOnOneLineStoresTheNumber) {
    const int32_t s = in.new_entry(n_string, "s", 0);
    const int32_t x = declare(n_int, "x", 0);
    in.evaluate_expression("s = \"a\"; x = 5;");
    EXPECT_EQ(in.vars.at(n_string, s).sval, "a");
    EXPECT_EQ(in.vars.at(n_int, x).ival, 5);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Values, DeclaredNamesWinOverLiteralForms) {
    declare(n_int, "a1", 11);
    declare(n_int, "d2", 22);
    declare(n_int, "LEDB1", 33);
    declare(n_int, "high", 44);
    declare(n_int, "A12", 55);
    EXPECT_EQ(in.find_var("a1"), 11);
    EXPECT_EQ(in.find_var("d2"), 22);
    EXPECT_EQ(in.find_var("LEDB1"), 33);
    EXPECT_EQ(in.find_var("high"), 44);
    EXPECT_EQ(in.find_var("HIGH"), 1); // names compare case-sensitively
    EXPECT_EQ(in.find_var("A12"), 55);
    EXPECT_EQ(in.find_var("a2"), 2);
}

TEST_F(Values, HexOnlyAtTheStartSoNegativeHexIsAnExpression) {
    EXPECT_EQ(in.get_var("-0x10"), -16);
    EXPECT_EQ(in.get_var("-B101"), -5);
    EXPECT_EQ(in.get_var("x0x10"), 0); // no longer read as 16
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: x0x10"});
}

TEST_F(Values, ArrayElements) {
    for (int k = 0; k < 4; ++k) declare(n_int, "arr[" + std::to_string(k) + "]", 10 * k + 1);
    declare(n_int, "i", 2);
    declare(n_int, "idx[0]", 3);
    const int32_t f = in.new_entry(n_float, "f[1]", 0);
    in.vars.at(n_float, f).fval = 0.25f;
    bind_arithmetic();

    EXPECT_EQ(in.get_var("arr[i + 1]"), 31); // the "+" is inside the brackets: still one term
    EXPECT_EQ(in.get_var("arr[ 1 ]"), 11);
    EXPECT_EQ(in.get_var("arr[2]x"), 21);
    EXPECT_EQ(in.get_var("arr[idx[0]]"), 31);
    EXPECT_EQ(in.get_var("arr[i] + arr[1]"), 32);
    EXPECT_EQ(in.find_var("arr[]"), 1);
    in.get_var("f[1]");
    EXPECT_EQ(in.n_type, 6);
    EXPECT_EQ(in.var_float, 0.25L);
    EXPECT_TRUE(host.errors.empty());

    EXPECT_EQ(in.get_var("arr[i + 7]"), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: arr[i + 7]"});

    // The text may live in a register that reading the index overwrites (a String receiver).
    host.errors.clear();
    in.Results = "arr[i + 8]";
    EXPECT_EQ(in.get_var(in.Results), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: arr[i + 8]"});
}

TEST_F(Values, OperatorsCountOnlyOutsideLiteralsAndBrackets) {
    record_all_operators();
    struct Case {
        const char* s;
        int32_t value;
    } terms[] = {{"'+'", '+'}, {"'='", '='}, {"'<'", '<'}, {"'/'", '/'}, {"'%'", '%'}, {"'*'", '*'}};
    for (const Case& c : terms) EXPECT_EQ(in.get_var(c.s), c.value) << c.s;
    EXPECT_TRUE(executed.empty());
    for (const char* expression : {"'a' + 'b'", "x<y", "b * (a)", "a = 'b'", "p->q"}) in.get_var(expression);
    EXPECT_EQ(executed, (std::vector<std::string>{"'a' + 'b'", "x<y", "b * (a)", "a = 'b'", "p->q"}));
}

TEST_F(Values, EmptyTextIsAPlainZero) {
    in.Results = "stale";
    in.var_float = 1.5L;
    in.n_type = 7;
    for (const char* s : {"", "   "}) {
        const Value v = in.get_value(s);
        EXPECT_EQ(v.i, 0);
        EXPECT_EQ(in.n_type, 4);
        EXPECT_EQ(in.Results, "");
        EXPECT_EQ(in.var_float, 0.0L);
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Values, DefineReadsItsText) {
    define("LED", "13");
    define("HALF", "2.5");
    define("ALIAS", "LED");
    define("NAME", "\"Uno\"");

    EXPECT_EQ(in.get_var("LED"), 13);
    EXPECT_EQ(in.n_type, 4);
    in.Results = "stale";
    EXPECT_EQ(in.find_var("LED"), 13);
    EXPECT_EQ(in.n_type, 12);
    EXPECT_EQ(in.Results, "13");
    EXPECT_EQ(in.var_found, 1);

    EXPECT_EQ(in.get_var("HALF"), 2);
    EXPECT_EQ(in.n_type, 6);
    EXPECT_EQ(in.var_float, 2.5L);
    EXPECT_EQ(in.get_var("ALIAS"), 13);
    EXPECT_EQ(in.find_var("ALIAS"), 13);
    EXPECT_EQ(in.Results, "LED");
    const Value name = in.get_value("NAME");
    EXPECT_EQ(name.type, 7);
    EXPECT_EQ(name.s, "Uno");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Values, UnknownMacroTextIsReportedOnce) {
    define("FOO", "bar");
    EXPECT_EQ(in.get_var("FOO"), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: bar"});
    host.errors.clear();
    EXPECT_EQ(in.find_var("FOO"), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: bar"});
    EXPECT_EQ(in.n_type, 12);
}

TEST_F(Values, SelfReferringDefinesEndWithOneError) {
    bind_arithmetic();
    define("X", "X");
    define("A", "B");
    define("B", "A");
    define("N", "N+1");
    struct Case {
        const char* read;
        const char* name;
    } cases[] = {{"X", "X"}, {"A", "A"}, {"B", "B"}, {"N", "N"}};
    for (const Case& c : cases) {
        for (bool through_find : {false, true}) {
            host.errors.clear();
            in.Timer1.Enabled = true;
            const int32_t value = through_find ? in.find_var(c.read) : in.get_var(c.read);
            EXPECT_EQ(messages(),
                      std::vector<std::string>{std::string("Sketch Error - #define ") + c.name + " refers to itself"})
                << c.read;
            EXPECT_FALSE(in.Timer1.Enabled) << c.read;
            if (std::string(c.read) != "N") {
                EXPECT_EQ(value, 0) << c.read;
            }
        }
    }
    // The guard forgets each expansion when it ends, also when a fault cuts it short.
    define("LED", "13");
    define("BIG", "2147483648");
    host.errors.clear();
    EXPECT_THROW(in.get_var("BIG"), EvalFault);
    EXPECT_THROW(in.get_var("BIG"), EvalFault);
    EXPECT_EQ(in.get_var("LED"), 13);
    EXPECT_EQ(in.get_var("LED"), 13);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Values, DeepTermsAreBoundedNotACrash) {
    declare(n_int, "a[0]", 5);
    std::string deep = "0";
    for (int k = 0; k < 2000; ++k) deep = "a[" + deep + "]";
    EXPECT_THROW(in.get_var(deep), NestingFault);

    // The longest chain the #define table can hold still expands.
    for (int k = 0; k < 199; ++k) define("M" + std::to_string(k), "M" + std::to_string(k + 1));
    define("M199", "1");
    EXPECT_EQ(in.get_var("M0"), 1);
    EXPECT_TRUE(host.errors.empty());

    // A nesting fault caught inside a read abandons that evaluation, which goes on with 0.
    const std::string parens = std::string(300, '(') + "1" + std::string(300, ')');
    EXPECT_EQ(in.get_var("a[" + parens + "]"), 5);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message.rfind("Cannot Evaluate (", 0), 0u);
    EXPECT_EQ(in.evaluate_expression("((4))"), 4);
    EXPECT_EQ(host.errors.size(), 1u);
}

TEST_F(Values, CapacityIsCheckedBeforeEachNewEntry) {
    struct Case {
        int32_t t;
        int32_t limit;
        const char* message;
    } cases[] = {
        {n_float, 200, "Sketch Error - Too many float variables (limit 200)"},
        {n_string, 200, "Sketch Error - Too many string variables (limit 200)"},
        {n_define, 200, "Sketch Error - Too many #define variables (limit 200)"},
        {n_int, 1000, "Sketch Error - Too many int variables (limit 1000)"},
    };
    for (const Case& c : cases) {
        host.errors.clear();
        for (int k = 1; k <= c.limit; ++k) ASSERT_EQ(in.new_entry(c.t, "v" + std::to_string(k), 0), k);
        EXPECT_TRUE(host.errors.empty());
        EXPECT_EQ(in.new_entry(c.t, "one_more", 0), 0);
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(in.vars.var_n[static_cast<size_t>(c.t)], c.limit + 1);
        EXPECT_FALSE(in.vars.lookup("one_more"));
    }
    EXPECT_EQ(in.find_var("v1000"), 0); // the last int slot is live and readable
    EXPECT_EQ(in.n_type, 4);
    EXPECT_EQ(in.var_found, 1);

    host.errors.clear();
    in.load_text("void setup() {\n}\n");
    in.RestartClick();
    EXPECT_EQ(in.new_entry(n_float, "again", 0), 1);
    EXPECT_EQ(in.find_var("v1"), 0);
    EXPECT_EQ(in.var_found, 0);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Values, ReusedSlotStartsEmpty) {
    for (int32_t t : {n_int, n_float, n_string, n_define}) {
        const int32_t old = in.new_entry(t, "old", SET_CONST | SET_LOCAL);
        Entry& e = in.vars.at(t, old);
        e.ival = 5;
        e.fval = 1.5f;
        e.sval = "left";
        e.def = "over";
        in.vars.var_n[static_cast<size_t>(t)] = old; // a call's return discards the slot
        EXPECT_FALSE(in.vars.lookup("old")) << t;

        const int32_t fresh = in.new_entry(t, "fresh", 0);
        ASSERT_EQ(fresh, old) << t;
        const Entry& n = in.vars.at(t, fresh);
        EXPECT_EQ(n.ival, 0) << t;
        EXPECT_EQ(n.fval, 0.0f) << t;
        EXPECT_EQ(n.sval, "") << t;
        EXPECT_EQ(n.def, "") << t;
        EXPECT_EQ(n.flags, 0) << t;
    }
    in.val_other = 99;
    EXPECT_EQ(in.get_var("fresh"), 0); // a fresh int reads 0 with no flags left over
    EXPECT_EQ(in.val_other, 0);
}

// Lookups go through a name index; they must give what a scan in table order gives (the lowest
// code, then the lowest live slot), whatever calls have dropped and later entries have reused.
TEST(VariableIndex, FindsTheFirstLiveMatchAsAScanDoes) {
    VariableTable vars;
    const auto scan = [&vars](std::string_view name, int32_t first, int32_t last) {
        for (int32_t t : {1, 2, 3, 4, 5, 6, 7, n_define}) {
            if (t < first || t > last) continue;
            for (int32_t j = 1; j < vars.var_n[static_cast<size_t>(t)]; ++j)
                if (vars.at(t, j).name == name) return VariableTable::Ref{t, j};
        }
        return VariableTable::Ref{};
    };
    const char* const names[] = {"i", "x", "total", "a[0]", "a[1]"};
    const int32_t codes[] = {n_boolean, n_int, n_long, n_float, n_string, n_define, 9};
    uint32_t seed = 12345;
    const auto next = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 4000; ++round) {
        const int32_t t = codes[next(7)];
        if (next(3) == 0) {
            // A call returns: the slots above its start are dropped, to be reused by later entries.
            auto& n = vars.var_n[static_cast<size_t>(t)];
            n -= static_cast<int32_t>(next(static_cast<uint32_t>(n)));
        } else if (vars.has_room(t)) {
            vars.add(t, names[next(5)], 0);
        }
        for (const char* name : names) {
            for (const auto& [first, last] :
                 {std::pair{1, n_define}, std::pair{n_boolean, n_string}, std::pair{4, 6}}) {
                const VariableTable::Ref want = scan(name, first, last);
                const VariableTable::Ref got = vars.lookup(name, first, last);
                ASSERT_EQ(got.type, want.type) << round << " " << name;
                ASSERT_EQ(got.slot, want.slot) << round << " " << name;
            }
            const int32_t in_code = vars.find(t, name);
            int32_t want_slot = 0;
            for (int32_t j = 1; j < vars.var_n[static_cast<size_t>(t)] && want_slot == 0; ++j)
                if (vars.at(t, j).name == name) want_slot = j;
            ASSERT_EQ(in_code, want_slot) << round << " " << name;
        }
    }
    vars.clear();
    EXPECT_FALSE(vars.lookup("x"));
}

} // namespace
} // namespace quorvex::test
