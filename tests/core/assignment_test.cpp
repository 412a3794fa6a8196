// Typed stores: conversion to the target's type, const, range wrap with its messages,
// array targets, #define aliases, and the text entries used by the variables grid.
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "interpreter/dispatch_tables.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

constexpr int32_t int_min = std::numeric_limits<int32_t>::min();
constexpr int32_t int_max = std::numeric_limits<int32_t>::max();

Value int_value(int32_t i, int32_t type = n_int) {
    Value v;
    v.i = i;
    v.type = type;
    v.found = true;
    return v;
}

Value float_value(long double f) {
    Value v;
    v.f = f;
    v.i = 12345; // an integer side that a float store must not use
    v.type = n_float;
    v.found = true;
    return v;
}

Value text_value(std::string s, int32_t type = n_string) {
    Value v;
    v.s = std::move(s);
    v.type = type;
    v.found = true;
    return v;
}

// A table entry by type code and slot, looked up at each use: adding entries may move them.
struct EntryRef {
    Interpreter* in;
    int32_t type;
    int32_t slot;
    Entry* operator->() const { return &in->vars.at(type, slot); }
};

class Assignment : public CoreTest {
protected:
    EntryRef make(int32_t t, const std::string& name, int32_t flags = 0) {
        const int32_t slot = in.new_entry(t, name, flags);
        EXPECT_GT(slot, 0) << name;
        return {&in, t, slot};
    }
    EntryRef make_define(const std::string& name, const std::string& text) {
        EntryRef e = make(n_define, name);
        e->def = text;
        return e;
    }
};

// ---------------------------------------------------------------------------------------
// Range checks and wrap-around

struct RangeCase {
    int32_t type;
    int32_t flags;
    int32_t value;
    int32_t stored;
    const char* message; // "" when the value is within range
};

class RangeWrap : public CoreTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeWrap, StoresTheWrappedValueWithTheExactMessage) {
    const RangeCase& c = GetParam();
    const int32_t slot = in.new_entry(c.type, "x", c.flags);
    ASSERT_GT(slot, 0);
    in.vars.at(c.type, slot).ival = 3;
    in.set_var("x", c.value);
    EXPECT_EQ(in.vars.at(c.type, slot).ival, c.stored);
    const std::vector<std::string> expected =
        *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
    EXPECT_EQ(messages(), expected); // one report at most, even where many wraps are needed
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ranges, RangeWrap, ::testing::Values(
    RangeCase{n_int, 0, 40000, 7232, "Sketch Error - x is a int - Value is 40000 which is >= limit(32768)"},
    RangeCase{n_int, 0, -40000, -7232, "Sketch Error - x is a int - Value is -40000 which is < limit(-32768)"},
    RangeCase{n_int, 0, 32767, 32767, ""},
    RangeCase{n_int, 0, -32768, -32768, ""},
    RangeCase{n_int, 0, 32768, 0, "Sketch Error - x is a int - Value is 32768 which is >= limit(32768)"},
    RangeCase{n_int, 0, int_min, -32768, "Sketch Error - x is a int - Value is -2147483648 which is < limit(-32768)"},
    RangeCase{n_byte, 0, 300, 44, "Sketch Error - x is a byte - Value is 300 which is >= limit(256)"},
    RangeCase{n_byte, 0, -1, 255, "Sketch Error - x is a byte - Value is -1 which is < limit(0)"},
    RangeCase{n_byte, 0, 255, 255, ""},
    RangeCase{n_int, SET_UNSIGNED, -1, 65535, "Sketch Error - x is an unsigned int - Value is -1 which is < limit(0)"},
    RangeCase{n_int, SET_UNSIGNED, 70000, 4464,
              "Sketch Error - x is an unsigned int - Value is 70000 which is >= limit(65536)"},
    RangeCase{n_int, SET_UNSIGNED, int_min, 0,
              "Sketch Error - x is an unsigned int - Value is -2147483648 which is < limit(0)"},
    RangeCase{n_char, 0, 200, 72, "Sketch Error - x is a char - Value is 200 which is >= limit(128)"},
    RangeCase{n_char, SET_UNSIGNED, 200, 72,
              "Sketch Error - x is an unsigned char - Value is 200 which is >= limit(128)"},
    RangeCase{n_char, 0, int_min, -128, "Sketch Error - x is a char - Value is -2147483648 which is < limit(-128)"},
    RangeCase{n_boolean, 0, 5, 5, ""},
    RangeCase{n_long, 0, int_min, int_min, ""},
    RangeCase{n_long, 0, int_max, int_max, ""},
    RangeCase{n_long, SET_UNSIGNED, int_max, int_max, ""},
    // No 32-bit wrap brings an unsigned long below 0 into range: one report, the bit pattern stays.
    RangeCase{n_long, SET_UNSIGNED, -1, -1, "Sketch Error - x is an unsigned long - Value is -1 which is < limit(0)"},
    RangeCase{n_long, SET_UNSIGNED, int_min, int_min,
              "Sketch Error - x is an unsigned long - Value is -2147483648 which is < limit(0)"}));
// clang-format on

TEST_F(Assignment, UnsignedLongBelowZeroKeepsAllOnes) {
    EntryRef e = make(n_long, "big", SET_UNSIGNED);
    in.set_var("big", -1);
    EXPECT_EQ(static_cast<uint32_t>(e->ival), 0xFFFFFFFFu);
    EXPECT_EQ(host.errors.size(), 1u);
}

TEST_F(Assignment, RangeErrorStopsRun) {
    make(n_byte, "b");
    in.Timer1.Enabled = true;
    in.AutoStep.Checked = true;
    in.set_var("b", 256);
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_FALSE(in.AutoStep.Checked);
}

TEST_F(Assignment, DoCheckIgnoresSlotsOutsideTheTable) {
    make(n_int, "x")->ival = 99999;
    in.do_check(n_int, 0, 1);
    in.do_check(n_int, 2, 1); // not live
    in.do_check(0, 1, 1);
    in.do_check(max_type + 5, 1, 1);
    in.do_check(n_define, 1, 1);
    EXPECT_TRUE(host.errors.empty());
    in.do_check(n_int, 1, 0); // a declaration's value is still range-checked
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Sketch Error - x is a int - Value is 99999 which is >= limit(32768)"});
    EXPECT_EQ(in.vars.at(n_int, 1).ival, 99999 % 32768);
}

// ---------------------------------------------------------------------------------------
// Const

TEST_F(Assignment, ConstOfEveryTypeKeepsItsValueWithOneReport) {
    EntryRef c = make(n_int, "c", SET_CONST);
    c->ival = 5;
    EntryRef flag = make(n_boolean, "flag", SET_CONST);
    flag->ival = 1;
    EntryRef cf = make(n_float, "cf", SET_CONST);
    cf->fval = 1.5f;
    EntryRef cs = make(n_string, "cs", SET_CONST);
    cs->sval = "fixed";

    in.set_var("c", 7);
    in.set_var("flag", 0);
    in.set_float("cf", 2.0L);
    in.set_var("cf", 3);
    in.set_string("cs", "other");
    in.set_float1("cf", "4.5");

    EXPECT_EQ(c->ival, 5);
    EXPECT_EQ(flag->ival, 1);
    EXPECT_FLOAT_EQ(cf->fval, 1.5f);
    EXPECT_EQ(cs->sval, "fixed");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - Cannot change a const variable! c",
                                                    "Sketch Error - Cannot change a const variable! flag",
                                                    "Sketch Error - Cannot change a const variable! cf",
                                                    "Sketch Error - Cannot change a const variable! cf",
                                                    "Sketch Error - Cannot change a const variable! cs",
                                                    "Sketch Error - Cannot change a const variable! cf"}));
}

TEST_F(Assignment, DeclarationAndParameterStoreIntoConstSilently) {
    EntryRef c = make(n_int, "c", SET_CONST);
    EntryRef cf = make(n_float, "cf", SET_CONST);
    EntryRef cs = make(n_string, "cs", SET_CONST);
    in.assign("c", int_value(9), AssignMode::DeclInit);
    in.assign("cf", float_value(2.5L), AssignMode::DeclInit);
    in.assign("cs", text_value("init"), AssignMode::ParamBind);
    EXPECT_EQ(c->ival, 9);
    EXPECT_FLOAT_EQ(cf->fval, 2.5f);
    EXPECT_EQ(cs->sval, "init");
    in.assign("c", int_value(11), AssignMode::ParamBind);
    EXPECT_EQ(c->ival, 11);
    EXPECT_TRUE(host.errors.empty());

    // The initial value of a const is still range-checked.
    EntryRef cb = make(n_byte, "cb", SET_CONST);
    in.assign("cb", int_value(300), AssignMode::DeclInit);
    EXPECT_EQ(cb->ival, 44);
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Sketch Error - cb is a byte - Value is 300 which is >= limit(256)"});
}

// ---------------------------------------------------------------------------------------
// Conversion to the target's type

TEST_F(Assignment, IntegerTargetsConvertEachSource) {
    struct Case {
        const char* what;
        Value v;
        int32_t stored;
    } cases[] = {
        {"int", int_value(7), 7},
        {"fixed name", int_value(1, -1), 1},
        {"char", int_value(65, n_char), 65},
        {"float truncates toward zero", float_value(2.9L), 2},
        {"negative float truncates toward zero", float_value(-2.9L), -2},
        {"define text's value",
         [] {
             Value v = text_value("13", n_define);
             v.i = 13;
             return v;
         }(),
         13},
        {"string stores nothing", text_value("abc"), 11},
        {"numeric text stores nothing", text_value("42"), 11},
    };
    for (const Case& c : cases) {
        in.vars.clear();
        EntryRef x = make(n_long, "x");
        x->ival = 11;
        in.assign("x", c.v);
        EXPECT_EQ(x->ival, c.stored) << c.what;
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, LongTakesTheLow32BitsOfALargeFloat) {
    EntryRef x = make(n_long, "x");
    in.set_float("x", 3e9L);
    EXPECT_EQ(x->ival, static_cast<int32_t>(3000000000u)); // -1294967296
    in.set_float("x", -3e9L);
    EXPECT_EQ(x->ival, 1294967296);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, UnrepresentableFloatIntoAnIntegerIsAFaultAndStoresNothing) {
    EntryRef x = make(n_int, "x");
    x->ival = 4;
    EXPECT_THROW(in.set_float("x", std::numeric_limits<long double>::quiet_NaN()), EvalFault);
    EXPECT_THROW(in.set_float("x", 1e20L), EvalFault);
    EXPECT_THROW(in.set_float("x", -std::numeric_limits<long double>::infinity()), EvalFault);
    EXPECT_THROW(in.set_float("x", 1e4000L), EvalFault);
    EXPECT_EQ(x->ival, 4);

    // Inside a statement the executor turns the fault into its report.
    in.tables.klibfn[2] = [](Interpreter& i, const Match&) {
        i.set_float("x", std::numeric_limits<long double>::quiet_NaN());
        return 0;
    };
    in.Timer1.Enabled = true;
    in.evaluate_expression("adjustTime(1)");
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot Evaluate adjustTime(1)"});
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_EQ(x->ival, 4);
}

TEST_F(Assignment, FloatTargetsTakeFloatsAndExactIntegers) {
    EntryRef f = make(n_float, "f");
    f->fval = 9.0f;
    in.var_float = 99.5L; // stale registers must not leak into a store
    in.n_type = n_float;
    in.set_var("f", 7);
    EXPECT_FLOAT_EQ(f->fval, 7.0f);
    in.set_float("f", 2.5L);
    EXPECT_FLOAT_EQ(f->fval, 2.5f);
    in.assign("f", int_value(-3, n_char));
    EXPECT_FLOAT_EQ(f->fval, -3.0f);
    in.assign("f", text_value("1.5"));
    EXPECT_FLOAT_EQ(f->fval, -3.0f); // a text stores nothing
    in.set_float("f", 1e300L);
    EXPECT_TRUE(std::isinf(f->fval)); // beyond single precision: infinity, not undefined behaviour
    in.set_float("f", std::numeric_limits<long double>::quiet_NaN());
    EXPECT_TRUE(std::isnan(f->fval));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, StringTargetsTakeTheTextOfEachSource) {
    struct Case {
        const char* what;
        Value v;
        const char* stored;
    } cases[] = {
        {"text", text_value("hi"), "hi"},
        {"empty text", text_value(""), ""},
        {"int", int_value(42), "42"},
        {"negative int", int_value(-5), "-5"},
        {"long extreme", int_value(int_min, n_long), "-2147483648"},
        {"boolean", int_value(1, n_boolean), "1"},
        {"char is one character", int_value(65, n_char), "A"},
        {"float two decimals", float_value(2.5L), "2.50"},
        {"float rounds to two decimals", float_value(3.14159L), "3.14"},
        {"negative float", float_value(-7.0L), "-7.00"},
        {"define text", text_value("\"Bob\"", n_define), "Bob"},
    };
    for (const Case& c : cases) {
        in.vars.clear();
        EntryRef s = make(n_string, "s");
        s->sval = "old";
        in.Results = "stale";
        in.assign("s", c.v);
        EXPECT_EQ(s->sval, c.stored) << c.what;
    }
    in.vars.clear();
    EntryRef s = make(n_string, "s");
    in.set_var("s", 3);
    EXPECT_EQ(s->sval, "3");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, UnknownTargetsAreIgnoredSilently) {
    EntryRef x = make(n_int, "x");
    x->ival = 1;
    in.set_var("nosuch", 5);
    in.set_var("X", 5); // names are case-sensitive
    in.set_string("nosuch", "a");
    in.set_float("nosuch", 1.5L);
    in.set_float1("nosuch", "1.5");
    in.set_var("", 5);
    in.set_var("x[0]", 5);
    EXPECT_EQ(x->ival, 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, FirstMatchAcrossTypesDecidesTheTarget) {
    EntryRef b = make(n_byte, "v");
    EntryRef i = make(n_int, "v");
    in.set_var("v", 300);
    EXPECT_EQ(b->ival, 44);
    EXPECT_EQ(i->ival, 0);
    EXPECT_EQ(host.errors.size(), 1u);
}

// ---------------------------------------------------------------------------------------
// Array targets

TEST_F(Assignment, ArrayElementWithALiteralIndex) {
    EntryRef a0 = make(n_int, "a[0]");
    EntryRef a1 = make(n_int, "a[1]");
    in.set_var("a[1]", 5);
    EXPECT_EQ(a1->ival, 5);
    in.set_var(" a [ 1 ] ", 6);
    EXPECT_EQ(a1->ival, 6);
    in.set_var("a[1]x", 7); // text after the "]" is dropped
    EXPECT_EQ(a1->ival, 7);
    EXPECT_EQ(a0->ival, 0);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, MalformedOrUndeclaredElementsAreIgnored) {
    EntryRef a0 = make(n_int, "a[0]");
    EntryRef i = make(n_int, "i");
    i->ival = 1;
    in.set_var("a[i", 5);
    in.set_var("a[7]", 5);
    in.set_var("b[0]", 5);
    EXPECT_EQ(a0->ival, 0);
    EXPECT_TRUE(host.errors.empty());
}

// Stand-in for the "+" row until the arithmetic operators land: left + right, each read
// through get_var.
int32_t add_stand_in(Interpreter& in, const Match& m) {
    const std::string text(m.rest);
    const size_t p = text.find('+');
    const int32_t left = in.get_var(std::string_view(text).substr(0, p));
    const int32_t right = in.get_var(std::string_view(text).substr(p + 1));
    in.n_type = n_int;
    return wrap_add(left, right);
}
constexpr int op_plus = 31;

// The index is a whole expression, read as the reader reads it.
TEST_F(Assignment, ArrayIndexIsAnExpression) {
    ASSERT_EQ(koperators[op_plus].word, "+");
    in.tables.koperators[op_plus] = add_stand_in;
    std::vector<EntryRef> a;
    for (int k = 0; k < 3; ++k) a.push_back(make(n_int, "a[" + std::to_string(k) + "]"));
    make(n_int, "i")->ival = 1;
    EntryRef n1 = make(n_string, "names[1]");
    EntryRef f2 = make(n_float, "f[2]");

    in.set_var("a[i+1]", 5);
    EXPECT_EQ(a[2]->ival, 5);
    EXPECT_EQ(a[0]->ival, 0);
    in.set_var("a[i]", 4);
    EXPECT_EQ(a[1]->ival, 4);
    in.set_string("names[i]", "\"bob\"");
    EXPECT_EQ(n1->sval, "bob");
    in.set_float("f[i + 1]", 1.25L);
    EXPECT_FLOAT_EQ(f2->fval, 1.25f);
    EXPECT_TRUE(host.errors.empty());
}

// ---------------------------------------------------------------------------------------
// #define targets

TEST_F(Assignment, NumericStoresFollowADefineToItsVariable) {
    EntryRef rate = make(n_float, "rate");
    make_define("SPEED", "rate");
    in.set_float("SPEED", 2.5L);
    EXPECT_FLOAT_EQ(rate->fval, 2.5f);
    in.set_var("SPEED", 3);
    EXPECT_FLOAT_EQ(rate->fval, 3.0f);

    // Through a chain of aliases.
    make_define("FAST", "SPEED");
    in.set_float("FAST", 4.0L);
    EXPECT_FLOAT_EQ(rate->fval, 4.0f);

    // A define whose text names no variable stores nothing.
    make_define("LED", "13");
    in.set_var("LED", 5);
    EXPECT_EQ(in.vars.at(n_define, 3).def, "13");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, AliasCyclesEndWithTheSelfReferenceError) {
    EntryRef rate = make(n_float, "rate");
    rate->fval = 1.0f;
    make_define("A", "B");
    make_define("B", "A");
    make_define("X", "X");
    in.set_float("A", 2.0L);
    in.set_float("X", 2.0L);
    in.set_var("B", 2);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - #define A refers to itself",
                                                    "Sketch Error - #define X refers to itself",
                                                    "Sketch Error - #define B refers to itself"}));
    EXPECT_FLOAT_EQ(rate->fval, 1.0f);
    EXPECT_EQ(in.vars.at(n_define, 1).def, "B");
}

TEST_F(Assignment, SetStringReplacesADefinesText) {
    EntryRef rate = make(n_float, "rate");
    EntryRef speed = make_define("SPEED", "rate");
    in.set_string("SPEED", "\"fast\"");
    EXPECT_EQ(speed->def, "fast");
    in.set_string("SPEED", "velocity");
    EXPECT_EQ(speed->def, "velocity");
    EXPECT_FLOAT_EQ(rate->fval, 0.0f);
    EXPECT_TRUE(host.errors.empty());
}

// ---------------------------------------------------------------------------------------
// The text entries

TEST_F(Assignment, QuotesAreStrippedOnlyAsAMatchingPair) {
    EntryRef s = make(n_string, "s");
    struct Case {
        const char* given;
        const char* stored;
    } cases[] = {
        {"\"abc\"", "abc"}, {"\"abc", "\"abc"},   {"\"", "\""},       {"abc\"", "abc\""},
        {"\"\"", ""},       {"a\"b\"", "a\"b\""}, {"plain", "plain"},
    };
    for (const Case& c : cases) {
        in.set_string("s", c.given);
        EXPECT_EQ(s->sval, c.stored) << c.given;
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Assignment, SetFloat1ReadsTheTextIntoAFloatOnly) {
    EntryRef f = make(n_float, "f");
    EntryRef x = make(n_int, "x");
    EntryRef rate = make(n_float, "rate");
    make_define("SPEED", "rate");
    x->ival = 1;

    in.set_float1("f", "2.50");
    EXPECT_FLOAT_EQ(f->fval, 2.5f);
    in.set_float1("f", " \"-0.75\" ");
    EXPECT_FLOAT_EQ(f->fval, -0.75f);
    in.set_float1("f", "3");
    EXPECT_FLOAT_EQ(f->fval, 3.0f);
    in.set_float1("x", "2.5");     // only float variables
    in.set_float1("SPEED", "2.5"); // #define names are not followed
    EXPECT_EQ(x->ival, 1);
    EXPECT_FLOAT_EQ(rate->fval, 0.0f);
    EXPECT_TRUE(host.errors.empty());

    for (const char* bad : {"abc", "2.5x", "\"2.5", "", "\"\"", "2,5"}) {
        host.errors.clear();
        in.set_float1("f", bad);
        EXPECT_EQ(messages(), std::vector<std::string>{std::string("Cannot Evaluate ") + bad}) << bad;
        EXPECT_FLOAT_EQ(f->fval, 3.0f) << bad;
    }
}

// Reading and writing floats must not follow the process's number format, which the
// workbench takes from the environment.
TEST_F(Assignment, FloatTextsIgnoreTheLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    EntryRef f = make(n_float, "f");
    EntryRef s = make(n_string, "s");
    in.set_float1("f", "2.50");
    in.set_float("s", 2.5L);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_FLOAT_EQ(f->fval, 2.5f);
    EXPECT_EQ(s->sval, "2.50");
    EXPECT_TRUE(host.errors.empty());
}

} // namespace
} // namespace quorvex::test
