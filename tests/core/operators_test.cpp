// Operators through the statement executor: table-order precedence, checked and wrapping
// arithmetic, String concatenation, comparisons, logic, steps and the typed store. Every case
// runs on a fresh interpreter holding the same variables.
#include <clocale>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

constexpr int32_t int_min = std::numeric_limits<int32_t>::min();
constexpr int32_t int_max = std::numeric_limits<int32_t>::max();

// A fresh interpreter with the variables the cases below use, and Run switched on so that a
// report visibly stops it.
struct Sketch {
    RecordingHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};

    Sketch() {
        in.Timer1.Enabled = true;
        const std::vector<std::pair<const char*, int32_t>> ints = {
            {"a", 1}, {"b", 2},    {"c", 3},      {"i", 0},      {"n", 1},     {"x", 0},
            {"y", 0}, {"m", 0xF0}, {"arr[0]", 5}, {"arr[1]", 6}, {"arr[2]", 7}};
        for (const auto& [name, value] : ints) set_int(n_int, name, value);
        set_int(n_long, "z", 0);
        set_int(n_byte, "bt", 0);
        set_int(n_char, "ch", 'a');
        set_int(n_char, "plus", '+');
        set_float("f", 2.5f);
        set_float("g", 0.0f);
        set_float("h", 5.5f);
        set_float("q", 0.5f);
        set_text("s", "ab");
        set_text("t", "");
        set_text("e", "");
    }
    void set_int(int32_t type, const std::string& name, int32_t value, int32_t flags = 0) {
        VariableTable::Ref r = in.vars.lookup(name);
        if (!r) r = {type, in.new_entry(type, name, flags)};
        in.vars.at(r.type, r.slot).ival = value;
    }
    void set_float(const std::string& name, float value) {
        VariableTable::Ref r = in.vars.lookup(name);
        if (!r) r = {n_float, in.new_entry(n_float, name, 0)};
        in.vars.at(n_float, r.slot).fval = value;
    }
    void set_text(const std::string& name, const std::string& value) {
        VariableTable::Ref r = in.vars.lookup(name);
        if (!r) r = {n_string, in.new_entry(n_string, name, 0)};
        in.vars.at(n_string, r.slot).sval = value;
    }
    const Entry& entry(const std::string& name) const {
        const VariableTable::Ref r = in.vars.lookup(name);
        EXPECT_TRUE(r) << name;
        return in.vars.at(r.type, r.slot);
    }
    int32_t ival(const std::string& name) const { return entry(name).ival; }
    float fval(const std::string& name) const { return entry(name).fval; }
    std::string sval(const std::string& name) const { return entry(name).sval; }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& e : host.errors) out.push_back(e.message);
        return out;
    }
};

// An expression and what the executor gives for it: value, type and String register.
struct Yield {
    const char* text;
    int32_t value;
    int32_t n_type = n_int;
    const char* results = "";
};

void expect_yields(const std::vector<Yield>& cases) {
    for (const Yield& c : cases) {
        Sketch k;
        EXPECT_EQ(k.in.evaluate_expression(c.text), c.value) << c.text;
        EXPECT_EQ(k.in.n_type, c.n_type) << c.text;
        EXPECT_EQ(k.in.Results, c.results) << c.text;
        EXPECT_TRUE(k.host.errors.empty()) << c.text << ": " << k.host.errors.front().message;
    }
}

// A statement, the variable it changes and the value that variable ends with.
struct Effect {
    const char* statement;
    const char* name;
    int32_t value;
};

void expect_effects(const std::vector<Effect>& cases, void (*setup)(Sketch&) = nullptr) {
    for (const Effect& c : cases) {
        Sketch k;
        if (setup) setup(k);
        k.in.evaluate_expression(c.statement);
        EXPECT_EQ(k.ival(c.name), c.value) << c.statement;
        EXPECT_TRUE(k.host.errors.empty()) << c.statement << ": " << k.host.errors.front().message;
    }
}

// ---------------------------------------------------------------------------------------
// Precedence is table order: the operator found first in the table splits outermost.

TEST(OperatorPrecedence, TableOrderDecidesTheSplit) {
    expect_yields({
        {"a + b * c", 9},  // (a + b) * c: "*" precedes "+"
        {"a - b - c", -4}, // (a - b) - c: the last "-" splits
        {"10 - 2 - 3", 5},
        {"100 / 10 / 5", 2},
        {"c * b - a", 3}, // c * (b - a)
        {"a - b + c", 2},
        {"0 && 0 || 1", 0}, // a && (b || c)
        {"1 << 2 + 1", 8},  // 1 << (2 + 1)
    });
}

TEST(OperatorPrecedence, KeptAsTheDesignHasThem) {
    expect_yields({
        {"-5 >> 1", -2}, // toward zero
        {"-7 % 3", -1},  // the sign of the dividend
        {"-5", -5},      // an empty left side is 0
        {"- -5", 5},
        {"5 - -3", 8},
        {"1 << 3", 8},
        {"~0", -1},
        {"~5", -6},
        {"!0", 1},
        {"!7", 0},
        {"\"B\" < \"a\"", 1}, // byte order, case-sensitive
        {"\"a\" < \"B\"", 0},
        {"\"\xc3\xa9\" > \"z\"", 1}, // bytes compare unsigned: UTF-8 lead bytes sort after ASCII
    });
}

TEST(OperatorPrecedence, KeptStoresAndStrips) {
    Sketch w;
    w.in.ops.kequals("unsigned x = 5"); // up to two leading words go
    EXPECT_EQ(w.ival("x"), 5);
    w.in.ops.kequals("static unsigned y = 6");
    EXPECT_EQ(w.ival("y"), 6);
    w.in.ops.kequals("static unsigned int x = 7"); // the target would be "int x": no such variable
    EXPECT_EQ(w.ival("x"), 5);
    EXPECT_TRUE(w.host.errors.empty());

    Sketch r;
    r.set_int(n_int, "k", 32767);
    r.in.evaluate_expression("k++;");
    EXPECT_EQ(r.ival("k"), 0);
    EXPECT_EQ(r.messages(),
              std::vector<std::string>{"Sketch Error - k is a int - Value is 32768 which is >= limit(32768)"});
}

// ---------------------------------------------------------------------------------------
// Items 1-3: faults, wrap-around and shifts

TEST(OperatorFaults, DivisionByZeroIsOneReportAndStoresZero) {
    Sketch k;
    k.set_int(n_int, "x", 5);
    k.in.evaluate_expression("x = 10 / 0;");
    EXPECT_EQ(k.messages(), std::vector<std::string>{"Cannot Evaluate 10 / 0"});
    EXPECT_EQ(k.ival("x"), 0);
    EXPECT_FALSE(k.in.Timer1.Enabled);
    k.in.evaluate_expression("x = 4;"); // the next statement works
    EXPECT_EQ(k.ival("x"), 4);
    EXPECT_EQ(k.host.errors.size(), 1u);
}

TEST(OperatorFaults, EachFaultingOperation) {
    struct Case {
        const char* statement;
        const char* target;
        const char* message;
    } cases[] = {
        {"x = 7 % 0", "x", "Cannot Evaluate 7 % 0"},
        {"x = 0 / 0", "x", "Cannot Evaluate 0 / 0"},
        {"x = f / 0", "x", "Cannot Evaluate f / 0"},
        {"x = 1.5 / 0.0", "x", "Cannot Evaluate 1.5 / 0.0"},
        {"x = 0.0 / 0", "x", "Cannot Evaluate 0.0 / 0"},
        {"g = f / (a - 1)", "g", "Cannot Evaluate f / (a - 1)"},
        {"x = z / -1", "x", "Cannot Evaluate z / -1"}, // INT_MIN / -1
        {"x = z % -1", "x", "Cannot Evaluate z % -1"},
        {"x = 1 + 10 / 0", "x", "Cannot Evaluate 1 + 10 / 0"}, // "/" splits outermost
        {"x = 1 + (10 / 0)", "x", "Cannot Evaluate 10 / 0"},   // the enclosing sum goes on with 0
    };
    for (const Case& c : cases) {
        Sketch k;
        k.set_int(n_long, "z", int_min);
        k.set_int(n_int, "x", 5);
        k.set_float("g", 9.0f);
        k.in.evaluate_expression(c.statement);
        EXPECT_EQ(k.messages(), std::vector<std::string>{c.message}) << c.statement;
        if (std::string(c.target) == "g") {
            EXPECT_EQ(k.fval("g"), 0.0f) << c.statement;
        } else {
            EXPECT_EQ(k.ival("x"), std::string(c.statement) == "x = 1 + (10 / 0)" ? 1 : 0) << c.statement;
        }
    }
}

TEST(OperatorFaults, FaultingCompoundAssignmentStoresNothing) {
    struct Case {
        const char* statement;
        const char* name;
    } cases[] = {{"x /= 0", "x"}, {"x /= 0.0", "x"}, {"z /= -1", "z"}, {"g /= 0", "g"}};
    for (const Case& c : cases) {
        Sketch k;
        k.set_int(n_int, "x", 7);
        k.set_int(n_long, "z", int_min);
        k.set_float("g", 1.5f);
        k.in.evaluate_expression(c.statement);
        EXPECT_EQ(k.messages(), std::vector<std::string>{std::string("Cannot Evaluate ") + c.statement});
        EXPECT_EQ(k.ival("x"), 7);
        EXPECT_EQ(k.ival("z"), int_min);
        EXPECT_EQ(k.fval("g"), 1.5f);
    }
}

TEST(OperatorFaults, ArithmeticWrapsAtThirtyTwoBitsSilently) {
    auto at_max = [](Sketch& k) { k.set_int(n_long, "z", int_max); };
    auto at_min = [](Sketch& k) { k.set_int(n_long, "z", int_min); };
    expect_effects({{"z = z + 1;", "z", int_min},
                    {"z = z * 2;", "z", -2},
                    {"z += 1;", "z", int_min},
                    {"z *= 3;", "z", 2147483645},
                    {"z++;", "z", int_min},
                    {"++z;", "z", int_min}},
                   at_max);
    expect_effects({{"z = z - 1;", "z", int_max},
                    {"z = -z;", "z", int_min},
                    {"z -= 1;", "z", int_max},
                    {"z--;", "z", int_max},
                    {"z = z * -1;", "z", int_min}},
                   at_min);
}

TEST(OperatorFaults, OperatorsNeverNarrowOnlyTheStoreDoes) {
    Sketch k;
    EXPECT_EQ(k.in.evaluate_expression("30000 + 30000"), 60000);
    EXPECT_TRUE(k.host.errors.empty());
    k.in.evaluate_expression("x = 30000 + 30000;");
    EXPECT_EQ(k.ival("x"), 27232);
    EXPECT_EQ(k.messages(),
              std::vector<std::string>{"Sketch Error - x is a int - Value is 60000 which is >= limit(32768)"});
}

TEST(OperatorFaults, ShiftCountsOutsideTheWordGiveZero) {
    expect_yields({
        {"1 << 31", int_min},
        {"3 << 30", -1073741824},
        {"1 << 32", 0},
        {"5 << 33", 0},
        {"1 << -1", 0},
        {"1 >> 32", 0},
        {"-1 >> 31", 0}, // toward zero
        {"a << 0", 1},
    });
    expect_effects({{"x <<= 40;", "x", 0}, {"z = z >> 31;", "z", -1}}, [](Sketch& k) {
        k.set_int(n_int, "x", 3);
        k.set_int(n_long, "z", int_min);
    });
}

// ---------------------------------------------------------------------------------------
// Items 15-19: splitting, assignment, compound assignment, single evaluation, types

TEST(OperatorSplit, OperatorsInsideLiteralsAndBracketsAreNoSplitPoints) {
    expect_yields({
        {"'a' == ch", 1},
        {"ch == 'a'", 1},
        {"plus == '+'", 1},
        {"'=' == plus", 0},
        {"\"1+1\" + s", 0, n_string, "1+1ab"},
        {"s + \", \" + s", 0, n_string, "ab, ab"},
        {"a + (b * c)", 7},
        {"arr[a + 1] - arr[a - 1]", 2},
    });
    expect_effects({{"y = x + (a * b);", "y", 2},
                    {"arr[i + 1] += 5;", "arr[1]", 11},
                    {"arr[i + 1] = 5;", "arr[1]", 5},
                    {"arr[arr[i] / 5] = 9;", "arr[1]", 9}});
}

TEST(OperatorSplit, HandlersDeclineTextsThatAreNotTheirs) {
    struct Case {
        const char* text;
        const char* op;
    } kop_cases[] = {{"a, b + 1", "+"}, {"x %= 3", "%"},      {"* a", "*"},  {"a *", "*"},
                     {"a ! b", "!"},    {"x = y += 1", "+="}, {"+= 1", "+="}};
    for (const Case& c : kop_cases) {
        Sketch k;
        k.in.keep_going = 0;
        k.in.ops.kop(c.text, c.op);
        EXPECT_EQ(k.in.keep_going, 1) << c.text;
    }
    Sketch k;
    for (const char* text : {"x == 3", "x <= 3", "x += 3", "\"a=b\" + s", "= 3"}) {
        k.in.keep_going = 0;
        k.in.ops.kequals(text);
        EXPECT_EQ(k.in.keep_going, 1) << text;
    }
    for (const char* text : {"n++ * 2", "5++", "++", "a + b++", "s++"}) {
        k.in.keep_going = 0;
        k.in.ops.kinc(text);
        EXPECT_EQ(k.in.keep_going, 1) << text;
    }
    for (const char* text : {"0xFF & ~m", "~m + 1", "~", "a ~ b"}) {
        k.in.keep_going = 0;
        k.in.ops.klop(text, "~");
        EXPECT_EQ(k.in.keep_going, 1) << text;
    }
    EXPECT_EQ(k.ival("x"), 0);
    EXPECT_EQ(k.ival("n"), 1);
    EXPECT_TRUE(k.host.errors.empty());
}

// The executor hands an operator handler the places of its word, worked out once per text; a
// handler called with any other text or operator must split that text itself.
TEST(OperatorSplit, KeptPlacesServeOnlyTheTextTheyWereMadeFor) {
    Sketch k;
    // The same statements again and again: the kept places must give what a fresh split gives.
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_EQ(k.in.evaluate_expression("10 - 2 - 3"), 5);
        k.in.evaluate_expression("x = 20;");
        k.in.evaluate_expression("x -= 4 - 1;");
        EXPECT_EQ(k.ival("x"), 17);
        EXPECT_EQ(k.in.evaluate_expression("x - 7 <= 10"), 1);
    }
    // A direct call carries no places: the handler splits its text itself.
    EXPECT_EQ(k.in.ops.kop("8 - 2 - 2", "-"), 4);
    EXPECT_EQ(k.in.ops.kop("9 - 1 - 1;", "-"), 7);
    EXPECT_TRUE(k.host.errors.empty());
}

TEST(OperatorAssignment, FirstLoneEqualsAndTheTargetsType) {
    expect_effects(
        {
            {"x = y == 3;", "x", 0},
            {"x = y == 0;", "x", 1},
            {"x = y != 0;", "x", 0},
            {"x = f * 2;", "x", 5}, // 2.5 * 2 stored into an int
            {"x = y = 4;", "x", 4},
            {"x = y = 4;", "y", 4},
            {"x = bt = 2;", "x", 2},
        },
        [](Sketch& k) { k.set_int(n_int, "y", 0); });
    expect_effects({{"x = y == 3;", "x", 1}}, [](Sketch& k) { k.set_int(n_int, "y", 3); });
}

TEST(OperatorAssignment, ReturnsTheValueStored) {
    Sketch k;
    EXPECT_EQ(k.in.ops.kequals("bt = 300"), 44); // wrapped by the byte's range
    EXPECT_EQ(k.in.n_type, n_byte);
    EXPECT_EQ(k.messages(),
              std::vector<std::string>{"Sketch Error - bt is a byte - Value is 300 which is >= limit(256)"});

    Sketch f;
    EXPECT_EQ(f.in.evaluate_expression("x = g = 7 / 2.0"), 3);
    EXPECT_EQ(f.fval("g"), 3.5f);
    EXPECT_EQ(f.ival("x"), 3);
    EXPECT_EQ(f.in.ops.kequals("g = 1.25"), 1);
    EXPECT_EQ(f.in.n_type, n_float);
    EXPECT_EQ(f.in.var_float, 1.25L);
    EXPECT_EQ(f.in.ops.kequals("t = s + 1"), 0);
    EXPECT_EQ(f.in.n_type, n_string);
    EXPECT_EQ(f.in.Results, "ab1");
    EXPECT_EQ(f.in.ops.kequals("undeclared = 6"), 6); // no variable: the source's value
    EXPECT_TRUE(f.host.errors.empty());
}

TEST(OperatorAssignment, CompoundSplitsAtItsFirstOccurrence) {
    expect_effects(
        {
            {"x += y + 1;", "x", 13},
            {"x -= -5;", "x", 15},
            {"x -= 2 - 1;", "x", 9},
            {"x *= 2 + 1;", "x", 30},
            {"x /= 3;", "x", 3},
            {"x &= 6;", "x", 2},
            {"x |= 5;", "x", 15},
            {"x <<= 2;", "x", 40},
            {"x >>= 1;", "x", 5},
            {"x = y += 1;", "x", 3},
            {"x = y += 1;", "y", 3},
            {"x += 0.9;", "x", 10}, // 10.9 truncated by the int store
        },
        [](Sketch& k) {
            k.set_int(n_int, "x", 10);
            k.set_int(n_int, "y", 2);
        });
    Sketch k;
    k.in.evaluate_expression("f += 1;");
    k.in.evaluate_expression("s += 'c';");
    k.in.evaluate_expression("t += s;");
    EXPECT_EQ(k.fval("f"), 3.5f);
    EXPECT_EQ(k.sval("s"), "abc");
    EXPECT_EQ(k.sval("t"), "abc");
    EXPECT_TRUE(k.host.errors.empty());
}

TEST(OperatorAssignment, FloatPathsEvaluateEachOperandOnce) {
    expect_effects({{"g = n++ * 1.5;", "n", 2},
                    {"g = n++ + 0.5;", "n", 2},
                    {"g = 1.5 * n++;", "n", 2},
                    {"x = f > n++;", "n", 2},
                    {"x = n++ == 1.0;", "n", 2},
                    {"g += n++;", "n", 2}});
    Sketch k;
    k.in.evaluate_expression("g = n++ * 1.5;");
    EXPECT_EQ(k.fval("g"), 1.5f);
}

TEST(OperatorTypes, StringSidesMakeStringExpressions) {
    expect_yields({
        {"5 + s", 0, n_string, "5ab"},
        {"s + 5", 0, n_string, "ab5"},
        {"s + 'c'", 0, n_string, "abc"},
        {"'c' + s", 0, n_string, "cab"},
        {"e + 5", 0, n_string, "5"}, // an empty String still makes a String
        {"\"T=\" + f", 0, n_string, "T=2.50"},
        {"s + f", 0, n_string, "ab2.50"},
        {"s + (1 + 2)", 0, n_string, "ab3"},
        {"s + bt", 0, n_string, "ab0"},
        {"s == \"ab\"", 1},
        {"s != \"ab\"", 0},
        {"s < \"b\"", 1},
        {"ch == \"a\"", 1}, // a char side of a String comparison is its character
        {"s == e", 0},
        {"s - 1", 0, n_string, ""}, // no other operator has a String meaning
        {"+s", 0, n_string, "ab"},
    });
}

TEST(OperatorTypes, OnlyFloatSidesComputeInFloat) {
    expect_yields({
        {"7 / 2", 3},
        {"f * 2", 5, n_float},
        {"7 / 2.0", 3, n_float},
        {"f > 2", 1},
        {"f < 2.6", 1},
        {"2 == 2.0", 1},
        {"f - f", 0, n_float},
        {"f > n", 1},
    });
    Sketch k;
    k.in.evaluate_expression("g = 7 / 2;");
    EXPECT_EQ(k.fval("g"), 3.0f);
    k.in.evaluate_expression("g = 7 / 2.0;");
    EXPECT_EQ(k.fval("g"), 3.5f);
    EXPECT_EQ(k.in.evaluate_expression("f * 2"), 5);
    EXPECT_EQ(k.in.var_float, 5.0L);
}

TEST(OperatorTypes, FloatTextIgnoresACommaLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    Sketch k;
    k.in.evaluate_expression("t = \"T=\" + f;");
    k.in.evaluate_expression("g = 7 / 2.0;");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(k.sval("t"), "T=2.50");
    EXPECT_EQ(k.fval("g"), 3.5f);
    EXPECT_TRUE(k.host.errors.empty());
}

// ---------------------------------------------------------------------------------------
// Items 20-24: logic, complement, steps, not, integer-only operators on floats

TEST(OperatorLogic, AndOrGiveZeroOrOneAndShortCircuit) {
    expect_yields({
        {"1 && 2", 1},
        {"2 || 0", 1},
        {"0 || 0", 0},
        {"0 && 1", 0},
        {"q && 1", 1}, // 0.5 is true
        {"6 ^ 3", 5},
        {"1 ^ 1 && 1", 0}, // (1 ^ 1) && 1: "&&" precedes "^" in the table
    });
    // With i = 3 the right side would read arr[3], which does not exist and is reported.
    Sketch control;
    control.set_int(n_int, "i", 3);
    control.in.evaluate_expression("arr[i] > 0");
    EXPECT_EQ(control.messages(), std::vector<std::string>{"Unknown command: arr[i]"});
    const std::vector<std::pair<const char*, int32_t>> guarded = {{"i < 3 && arr[i] > 0", 0},
                                                                  {"i >= 3 || arr[i] > 0", 1}};
    for (const auto& [text, value] : guarded) {
        Sketch k;
        k.set_int(n_int, "i", 3);
        EXPECT_EQ(k.in.evaluate_expression(text), value) << text;
        EXPECT_TRUE(k.host.errors.empty()) << text;
    }
}

TEST(OperatorLogic, ComplementTakesOneOperand) {
    expect_yields({
        {"0xFF & ~m", 15},
        {"~m + 1", -240},
        {"~(m)", -241},
        {"~~5", 5},
        {"~m == -241", 1},
        {"a ^ ~0", -2},
    });
}

TEST(OperatorLogic, StepsTakeOnlyATerm) {
    expect_effects({
        {"y = n++ * 2;", "y", 2},
        {"y = n++ * 2;", "n", 2},
        {"y = ++n * 2;", "y", 4},
        {"y = n-- - 1;", "y", 0},
        {"y = n-- - 1;", "n", 0},
        {"y = --n;", "y", 0},
        {"y = n++ + n;", "y", 3}, // the left side steps before the right one reads
        {"arr[n++] = 9;", "arr[1]", 9},
        {"arr[n++] = 9;", "n", 2},
        {"arr[n]++;", "arr[1]", 7},
        {"++arr[ n ];", "arr[1]", 7},
        {"y = arr[n++];", "y", 6},
    });
    Sketch k;
    EXPECT_EQ(k.in.evaluate_expression("n++"), 1);
    EXPECT_EQ(k.in.evaluate_expression("++n"), 3);
    EXPECT_EQ(k.in.evaluate_expression("n--"), 3);
    EXPECT_EQ(k.in.evaluate_expression("--n"), 1);
    k.in.evaluate_expression("f++;");
    EXPECT_EQ(k.fval("f"), 3.5f);
    EXPECT_EQ(k.in.evaluate_expression("g = f--"), 3); // the old value, 3.5
    EXPECT_EQ(k.fval("g"), 3.5f);
    EXPECT_EQ(k.fval("f"), 2.5f);
    EXPECT_EQ(k.in.evaluate_expression("++f"), 3);
    EXPECT_EQ(k.in.var_float, 3.5L);
    EXPECT_TRUE(k.host.errors.empty());
}

TEST(OperatorLogic, NotIsOneOnlyForZero) {
    expect_yields({{"!(-1)", 0}, {"!0", 1}, {"!7", 0}, {"!a", 0}, {"!i", 1}, {"!!7", 1}, {"!a + 1", 1}, {"!s", 0}});
}

TEST(OperatorLogic, IntegerOperatorsTruncateFloatOperands) {
    expect_yields({
        {"h % 2", 1},
        {"h << 1", 10},
        {"h >> 1", 2},
        {"h & 3", 1},
        {"h | 8", 13},
        {"!h", 0},
        {"!q", 1}, // 0.5 truncates to 0
        {"h ^ 1", 4},
        {"7 % 2.5", 1},
    });
    expect_effects({{"x <<= 1.5;", "x", 10}, {"x |= h;", "x", 5}, {"x &= h;", "x", 5}, {"x >>= q;", "x", 5}},
                   [](Sketch& k) { k.set_int(n_int, "x", 5); });
}

// An operand such as «arr[0] - 4» is read as the term arr[0] as long as the reader sends only
// texts holding / * + % = < > to the executor; "-", "&", "|", "^" and "&&" must send it too.
TEST(OperatorSplit, OperandsHoldingABinaryOperatorAreExpressions) {
    expect_effects({{"x = arr[0] - 4;", "x", 1},
                    {"x = 0x10 - 1;", "x", 15},
                    {"x = d7 - 1;", "x", 6},
                    {"x = arr[1] & 3;", "x", 2},
                    {"x = arr[1] | 1;", "x", 7},
                    {"x = arr[1] ^ 1;", "x", 7},
                    {"x = arr[1] && 0;", "x", 0},
                    {"x = 3 + arr[0] - 4;", "x", 4}});
}

// ---------------------------------------------------------------------------------------
// Bad input: a clear report at most, never a crash, and the next statement works.

TEST(OperatorBadInput, ExactReports) {
    struct Case {
        const char* statement;
        const char* message;
    } cases[] = {
        {"x %= 3", "Unknown command: x %= 3"}, {"x ^= 3", "Unknown command: x ^= 3"},
        {"x = 5 *", "Unknown command: 5 *"},   {"x = (a + b", "Cannot Evaluate (a + b"},
        {"x = s++", "Unknown command: s++"},   {"= 5", "Unknown command: = 5"},
    };
    for (const Case& c : cases) {
        Sketch k;
        k.set_int(n_int, "x", 5);
        k.in.evaluate_expression(c.statement);
        EXPECT_EQ(k.messages(), std::vector<std::string>{c.message}) << c.statement;
    }
    Sketch k;
    k.set_int(n_int, "x", 5);
    k.in.evaluate_expression("x %= 3");
    EXPECT_EQ(k.ival("x"), 5);
}

TEST(OperatorBadInput, HostileTextsEndInOneReportAtMost) {
    const char* texts[] = {
        "x =",         "+",          "-",         "!",           "~",     "++",         "--",        "x++ ++",
        "a +",         "* a",        "a <",       "< a",         "&& a",  "a &&",       "x += ",     "x = 'a",
        "x = \"a + b", "x = a + \"", "x = ((a",   "x = a)) + b", "x = [", "x = {1, 2}", "x = s * s", "x = a[",
        "x = -",       "x = - -",    "a ? b : c", "x = 1 +- 2",  "x = !", "x == == 1",  "'\\",       "\"",
    };
    for (const char* text : texts) {
        Sketch k;
        k.in.evaluate_expression(text);
        EXPECT_LE(k.host.errors.size(), 1u) << text;
        k.host.errors.clear();
        k.in.evaluate_expression("x = 1 + 1;");
        EXPECT_EQ(k.ival("x"), 2) << text;
        EXPECT_TRUE(k.host.errors.empty()) << text;
    }
}

TEST(OperatorBadInput, LongChainsAreBoundedNotACrash) {
    std::string sum = "1";
    for (int k = 1; k < 200; ++k) sum += " + 1";
    Sketch k;
    EXPECT_EQ(k.in.evaluate_expression(sum), 200);
    EXPECT_TRUE(k.host.errors.empty());

    std::string deep = "1";
    for (int j = 1; j < 1000; ++j) deep += " - 1";
    k.in.evaluate_expression("x = " + deep + ";");
    ASSERT_EQ(k.host.errors.size(), 1u);
    EXPECT_EQ(k.host.errors[0].message.rfind("Cannot Evaluate ", 0), 0u);
    k.host.errors.clear();
    k.in.evaluate_expression("x = 3;");
    EXPECT_EQ(k.ival("x"), 3);
    EXPECT_TRUE(k.host.errors.empty());
}

} // namespace
} // namespace quorvex::test
