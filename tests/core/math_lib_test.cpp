// Math, bits and random numbers through the statement executor: results, the float register,
// wrap-around without undefined behaviour, argument-count messages and the generator.
#include <limits>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

constexpr int32_t int_min = std::numeric_limits<int32_t>::min();

class Math : public CoreTest {
protected:
    int32_t run(const std::string& s) { return in.evaluate_expression(s); }
    int32_t ival(const std::string& name) {
        const VariableTable::Ref r = in.vars.lookup(name);
        EXPECT_TRUE(r) << name;
        return r ? in.vars.at(r.type, r.slot).ival : 0;
    }
    float fval(const std::string& name) {
        const VariableTable::Ref r = in.vars.lookup(name, n_float, n_float);
        EXPECT_TRUE(r) << name;
        return r ? in.vars.at(n_float, r.slot).fval : 0.0f;
    }
    void expect_no_message() { EXPECT_TRUE(host.errors.empty()) << messages().front(); }
};

struct IntCase {
    const char* expr;
    int32_t value;
};

TEST_F(Math, IntegerResults) {
    run("long big = 2147483647;");
    run("long low = 0;");
    run("low = low - 2147483647 - 1;"); // INT_MIN without a literal beyond range
    const IntCase cases[] = {
        {"map(512, 0, 1023, 0, 255)", 127},
        {"map(5, 3, 3, 0, 10)", 0},
        {"map(-1, 0, 10, 0, 100)", -10},
        {"map(big, 0, 1, 0, 2)", -2}, // the product keeps 32 bits
        {"map(1, 2)", 0},             // wrong count: silently 0
        {"constrain(5, 10, 0)", 0},   // crossed bounds: the upper one wins
        {"constrain(-3, 0, 10)", 0},
        {"constrain(11, 0, 10)", 10},
        {"constrain(4, 0, 10)", 4},
        {"constrain(4, 0)", 0},
        {"min(3, 7)", 3},
        {"max(3, 7)", 7},
        {"min(3)", 0},
        {"abs(1, 2)", 0},
        {"abs(-7)", 7},
        {"abs(low)", int_min}, // wraps to itself
        {"sq(12)", 144},
        {"sq(46341)", -2147479015}, // wraps
        {"pow(2, 10)", 1024},
        {"cos(0)", 1},
        {"lowByte(0x1234)", 0x34},
        {"highByte(0x1234)", 0x12},
        {"highByte(-1)", 0},
        {"highByte(-256)", 255},
        {"highByte(-255)", 0}, // the division rounds toward zero
        {"bit(15)", 32768},
        {"bit(31)", int_min},
        {"bitRead(5, 2)", 1},
        {"bitRead(5, 1)", 0},
        {"bitRead(low, 31)", 1},
        {"bitRead(5)", 0},
        {"lowByte(5, 1)", 0},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(run(c.expr), c.value) << c.expr;
        EXPECT_TRUE(in.Results.empty()) << c.expr;
    }
    expect_no_message();
}

TEST_F(Math, FloatResultsGoToTheFloatRegister) {
    struct Case {
        const char* expr;
        int32_t value;
        long double f;
    } cases[] = {
        {"sqrt(2)", 1, 1.41421356L},
        {"pow(2.5, 2)", 6, 6.25L},
        {"sin(1.5708)", 0, 1.0L},
        {"tan(0.5)", 0, 0.54630249L},
        {"abs(-2.5)", 2, 2.5L},
        {"min(3, 2.5)", 2, 2.5L},
        {"max(3.5, 2)", 3, 3.5L},
        {"sq(1.5)", 2, 2.25L},
        {"constrain(7.5, 0, 5)", 5, 5.0L},
        {"pow(2, 31)", int_min, 2147483648.0L},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.expr), c.value) << c.expr;
        EXPECT_EQ(in.n_type, n_float) << c.expr;
        EXPECT_NEAR(static_cast<double>(in.var_float), static_cast<double>(c.f), 1e-6) << c.expr;
    }
    expect_no_message();
}

TEST_F(Math, AssignmentKeepsOrTruncatesTheFloat) {
    run("float f;");
    run("f = abs(-2.5);");
    EXPECT_FLOAT_EQ(fval("f"), 2.5f);
    run("int k;");
    run("k = sqrt(16);");
    EXPECT_EQ(ival("k"), 4);
    run("float r = sqrt(2);");
    EXPECT_NEAR(fval("r"), 1.41421f, 1e-5);
    run("float p = pow(10, 30);");
    EXPECT_FLOAT_EQ(fval("p"), 1e30f);
    run("int i = 5;");
    run("k = min(i++, 100);");
    EXPECT_EQ(ival("i"), 6); // each argument is evaluated once
    expect_no_message();
}

TEST_F(Math, FaultsAreReported) {
    run("long k = 3;");
    run("long low = 0;");
    run("low = low - 2147483647 - 1;");
    // The call itself faults: the executor reports it and the assignment goes on with 0.
    const std::pair<const char*, const char*> cases[] = {
        {"k = sqrt(-1);", "Cannot Evaluate sqrt(-1)"},
        {"k = pow(-8, 0.5);", "Cannot Evaluate pow(-8, 0.5)"},
        {"k = pow(0, -1);", "Cannot Evaluate pow(0, -1)"},
        {"k = map(low, 0, -1, 0, 1);", "Cannot Evaluate map(low, 0, -1, 0, 1)"},
    };
    for (const auto& [s, text] : cases) {
        host.errors.clear();
        run("k = 3;");
        run(s);
        ASSERT_EQ(messages().size(), 1u) << s;
        EXPECT_EQ(messages()[0], text);
        EXPECT_EQ(ival("k"), 0) << s;
    }
    // A float beyond 64 bits faults only where it is truncated: an int target keeps its value.
    host.errors.clear();
    run("k = 3;");
    run("k = pow(10, 30);");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "Cannot Evaluate k = pow(10, 30)");
    EXPECT_EQ(ival("k"), 3);
}

TEST_F(Math, ArgumentCountMessages) {
    run("int x = 9;");
    const std::pair<const char*, const char*> cases[] = {
        {"min(1, 2, 3)", "unknown maths fn arguments (1, 2, 3)"},
        {"sqrt()", "unknown maths fn arguments ()"},
        {"sin(1, 2)", "unknown trig function arguments (1, 2)"},
        {"bit()", "Sketch Error - unknown bytes and bits  function arguments ()"},
        {"bitWrite(x, 1, 1, 1)", "Sketch Error - unknown bytes and bits  function arguments (x, 1, 1, 1)"},
    };
    for (const auto& [expr, text] : cases) {
        host.errors.clear();
        EXPECT_EQ(run(expr), 0) << expr;
        ASSERT_EQ(messages().size(), 1u) << expr;
        EXPECT_EQ(messages()[0], text);
    }
    EXPECT_EQ(ival("x"), 9);
}

TEST_F(Math, BitFunctionsStoreIntoTheirVariable) {
    run("long x = 1;");
    EXPECT_EQ(run("bitSet(x, 3);"), 9);
    EXPECT_EQ(ival("x"), 9);
    run("bitWrite(x, 0, 0);");
    EXPECT_EQ(ival("x"), 8);
    run("x = 9;");
    run("bitWrite(x, 1, 1);");
    EXPECT_EQ(ival("x"), 11);
    run("bitClear(x, 3);");
    EXPECT_EQ(ival("x"), 3);
    run("bitSet(x, 31);");
    EXPECT_EQ(ival("x"), static_cast<int32_t>(0x80000003u));
    run("int a[3];");
    run("int i = 1;");
    run("bitSet(a[i + 1], 2);");
    EXPECT_EQ(ival("a[2]"), 4);
    EXPECT_EQ(run("bitSet(x, 3, 1);"), static_cast<int32_t>(0x80000003u)); // other three-argument calls store x back
    expect_no_message();
}

TEST_F(Math, BitNumbersOutsideTheWordAreErrors) {
    run("int x = 5;");
    const std::pair<const char*, const char*> cases[] = {
        {"bit(40)", "Sketch Error - bit bit 40 is outside 0-31"},
        {"bit(-1)", "Sketch Error - bit bit -1 is outside 0-31"},
        {"bitRead(x, 32)", "Sketch Error - bitRead bit 32 is outside 0-31"},
        {"bitSet(x, 32)", "Sketch Error - bitSet bit 32 is outside 0-31"},
        {"bitClear(x, -3)", "Sketch Error - bitClear bit -3 is outside 0-31"},
        {"bitWrite(x, 99, 1)", "Sketch Error - bitWrite bit 99 is outside 0-31"},
    };
    for (const auto& [expr, text] : cases) {
        host.errors.clear();
        EXPECT_EQ(run(expr), 0) << expr;
        ASSERT_EQ(messages().size(), 1u) << expr;
        EXPECT_EQ(messages()[0], text);
    }
    EXPECT_EQ(ival("x"), 5);
}

TEST_F(Math, ConstTargetKeepsItsValue) {
    run("const int c = 1;");
    run("bitSet(c, 1);");
    EXPECT_EQ(ival("c"), 1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "Sketch Error - Cannot change a const variable! c");
}

TEST_F(Math, RandomSequenceFollowsTheSeed) {
    run("randomSeed(42);");
    std::vector<int32_t> first;
    for (int k = 0; k < 5; ++k) first.push_back(run("random(100)"));
    EXPECT_EQ(first, (std::vector<int32_t>{31, 87, 20, 15, 1}));
    run("randomSeed(42);");
    EXPECT_EQ(run("random()"), 317); // range 1000
    run("randomSeed(42);");
    EXPECT_EQ(run("random(50, 150)"), 81);
    EXPECT_EQ(run("random(10, 5)"), 10); // a range of 0 or less draws 0
    EXPECT_EQ(run("random(10, 10)"), 10);
    EXPECT_EQ(run("random(-5)"), 0);
    EXPECT_EQ(run("random(1, 2, 3)"), 0);
    run("long lo = 0;");
    run("lo = lo - 2147483647 - 1;");
    run("long hi = 2147483647;");
    run("random(lo, hi);"); // the whole int range: exact in 64 bits
    run("int i = 3;");
    run("random(i++, 10);");
    EXPECT_EQ(ival("i"), 4);
    expect_no_message();
}

TEST_F(Math, ResetKeepsTheSequenceAndTheClockSeedsAtStart) {
    run("randomSeed(42);");
    EXPECT_EQ(run("random(100)"), 31);
    in.RestartClick();
    EXPECT_EQ(run("random(100)"), 87);

    // Without randomSeed the clock decides: the same time gives the same sequence.
    RecordingHost other_host;
    FixedClock same{clock.time};
    FixedClock later{{2024, 5, 6, 13, 4, 6}};
    Interpreter twin{other_host, same};
    Interpreter twin2{other_host, same};
    Interpreter third{other_host, later};
    EXPECT_NE(twin.mathlib.generator().seed(), third.mathlib.generator().seed());
    EXPECT_EQ(twin.evaluate_expression("random(1000000)"), twin2.evaluate_expression("random(1000000)"));
}

} // namespace
} // namespace quorvex::test
