// Declarations: which statements are declarations, the entries they create (plain, lists,
// arrays, multi-line initialisers, qualified), re-executed declaration lines, casts, sizeof,
// bad declarations and full tables.
#include <clocale>
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "interpreter/literals.h"
#include "interpreter/value_format.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

std::vector<std::string> seen; // what stand-in row handlers received

template <int Row>
int32_t record_row(Interpreter&, std::string_view rest, int32_t) {
    seen.push_back(std::to_string(Row) + ":" + std::string(rest));
    return 0;
}

// Stand-in for "/" until the operators land: splits at the operator and divides in floats
// when either side is a float.
int32_t divide(Interpreter& in, const Match& m) {
    const std::string text(m.rest);
    const size_t p = find_operator(text, "/");
    if (p == std::string::npos) {
        in.keep_going = 1;
        return 0;
    }
    const Value l = in.get_value(std::string_view(text).substr(0, p));
    const Value r = in.get_value(std::string_view(text).substr(p + 1));
    if (l.type == n_float || r.type == n_float) {
        in.var_float = (l.type == n_float ? l.f : l.i) / (r.type == n_float ? r.f : r.i);
        in.n_type = n_float;
        return static_cast<int32_t>(in.var_float);
    }
    in.n_type = n_int;
    return checked_div(l.i, r.i);
}
constexpr int op_divide = 28;

class Decl : public CoreTest {
protected:
    void SetUp() override { seen.clear(); }

    const Entry* entry(const std::string& name) const {
        const VariableTable::Ref r = in.vars.lookup(name);
        return r ? &in.vars.at(r.type, r.slot) : nullptr;
    }
    int32_t type_of(const std::string& name) const { return in.vars.lookup(name).type; }
    int32_t count(int32_t t) const { return in.vars.var_n[static_cast<size_t>(t)] - 1; }
    int32_t total() const {
        int32_t n = 0;
        for (int32_t t : {1, 2, 3, 4, 5, 6, 7, 12}) n += count(t);
        return n;
    }
    // Runs one statement as the step would on line `line`.
    int32_t run(const std::string& s, int32_t line = 0) {
        in.Line = line;
        return in.evaluate_expression(s);
    }
    void add_int(const std::string& name, int32_t value, int32_t flags = 0, int32_t line = -1) {
        const int32_t slot = in.new_entry(n_int, name, flags);
        ASSERT_GT(slot, 0);
        in.vars.at(n_int, slot).ival = value;
        in.vars.at(n_int, slot).decl_line = line;
    }
};

// ---------------------------------------------------------------------------------------
// Which statements are declarations

TEST_F(Decl, TypeWordsNeedANonIdentifierCharacterAfterThem) {
    struct Case {
        const char* s;
        bool handled;
    } cases[] = {
        {"int x;", true},         {"int(7)", true},          {"char*p = \"a\";", true}, {"integer = 5;", false},
        {"bytestring x;", false}, {"int0 = 1;", false},      {"double_x = 2;", false},  {"Stringy = 1;", false},
        {"void loop() {", false}, {"void blink() {", false}, {"#pragma once", false},   {"#define X 5", true},
        {"Servo myServo;", true}, {"x = 5;", false},
    };
    for (const Case& c : cases) EXPECT_EQ(in.decl.check_declarations(c.s), c.handled) << c.s;
    EXPECT_EQ(count(n_int), 1);
}

TEST_F(Decl, RowsHandTheirRestToBoundHandlers) {
    for (auto& h : in.decl.hash_slots) h = record_row<0>;
    in.decl.hash_slots[3] = record_row<3>;
    in.decl.hash_slots[4] = record_row<4>;
    in.decl.hash_slots[5] = record_row<5>;
    in.decl.ident_slots[0] = record_row<100>;
    in.decl.ident_slots[18] = record_row<118>;
    in.decl.ident_slots[20] = record_row<120>;
    in.load_text("a\n#ifdef DEBUG\n");
    in.Line = 1;
    EXPECT_TRUE(in.decl.check_declarations("#ifdef DEBUG"));
    EXPECT_EQ(in.f_color[1], LineColour::Hash);
    EXPECT_TRUE(in.decl.check_declarations("#ifndef  X"));
    EXPECT_TRUE(in.decl.check_declarations("#if X"));
    EXPECT_FALSE(in.decl.check_declarations("void loop() {")); // void never handles the statement
    EXPECT_TRUE(in.decl.check_declarations("Servo myServo;"));
    EXPECT_TRUE(in.decl.check_declarations("LiquidCrystal lcd(12, 11, 5, 4, 3, 2);"));
    EXPECT_EQ(seen, (std::vector<std::string>{"3:DEBUG", "4:X", "5:X", "100:loop() {", "120:myServo;",
                                              "118:lcd(12, 11, 5, 4, 3, 2);"}));
}

// ---------------------------------------------------------------------------------------
// Entries created

struct Declared {
    const char* statement;
    const char* name;
    int32_t type;
    const char* value; // integer, float (two decimals) or text
    int32_t flags = 0;
    const char* message = nullptr;
};

class Entries : public Decl, public ::testing::WithParamInterface<Declared> {};

TEST_P(Entries, DeclareOneStatement) {
    const Declared& c = GetParam();
    add_int("pre", 1); // a variable of another line that the statement must not disturb
    run(c.statement);
    const Entry* e = entry(c.name);
    ASSERT_NE(e, nullptr) << c.statement;
    EXPECT_EQ(type_of(c.name), c.type);
    std::string value = c.type == n_string ? e->sval : std::to_string(e->ival);
    if (c.type == n_float) value = float_text(e->fval);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(e->flags, c.flags);
    EXPECT_EQ(e->decl_line, 0);
    EXPECT_EQ(messages(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(in.set_other, 0);
    EXPECT_EQ(entry("pre")->ival, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Plain, Entries,
    ::testing::Values(Declared{"int ledPin = 13;", "ledPin", n_int, "13"},
                      Declared{"int x, y = 2, z;", "y", n_int, "2"}, Declared{"int x, y = 2, z;", "z", n_int, "0"},
                      Declared{"word w = 70000;", "w", n_int, "4464", SET_UNSIGNED,
                               "Sketch Error - w is an unsigned int - Value is 70000 which is >= limit(65536)"},
                      Declared{"byte b = 300;", "b", n_byte, "44", 0,
                               "Sketch Error - b is a byte - Value is 300 which is >= limit(256)"},
                      Declared{"static const unsigned long t = 0;", "t", n_long, "0",
                               SET_STATIC | SET_CONST | SET_UNSIGNED},
                      Declared{"const word cw = 1;", "cw", n_int, "1", SET_CONST | SET_UNSIGNED},
                      Declared{"unsigned int u, v;", "v", n_int, "0", SET_UNSIGNED}, // every piece gets the flags
                      Declared{"const int constLimit = 5;", "constLimit", n_int, "5", SET_CONST},
                      Declared{"local int localPin = 3;", "localPin", n_int, "3", SET_LOCAL},
                      Declared{"volatile bool ready = true;", "ready", n_boolean, "1", SET_VOLATILE},
                      Declared{"int a1 = 7;", "a1", n_int, "7"},    // not the analog pin literal
                      Declared{"int x=int(3.7);", "x", n_int, "3"}, // a cast in the initialiser is no header
                      Declared{"uint8_t u8 = 255;", "u8", n_byte, "255"},
                      Declared{"uint32_t u32 = 5;", "u32", n_long, "5"}, Declared{"char c = 'A';", "c", n_char, "65"},
                      Declared{"float f = 2.5;", "f", n_float, "2.50"}, Declared{"double d = 3;", "d", n_float, "3.00"},
                      Declared{"String s = \"Hello, world\";", "s", n_string, "Hello, world"},
                      Declared{"const String s = \"const x\";", "s", n_string, "const x", SET_CONST},
                      Declared{"String n = 5;", "n", n_string, "5"},
                      Declared{"String fs = 2.5;", "fs", n_string, "2.50"},
                      Declared{"String cs = 'A';", "cs", n_string, "A"},
                      Declared{"char *msg = \"Hi there\";", "msg", n_string, "Hi there"},
                      Declared{"char buf[] = \"hi\";", "buf", n_string, "hi"},
                      Declared{"char line[16] = \"hi\";", "line", n_string, "hi"}));

TEST_F(Decl, HeadersPrototypesAndQuotedTextsDeclareNothing) {
    for (const char* s : {"int f(int a)", "int readSensor (int pin);", "long g();", "int \"x\" int"}) {
        EXPECT_TRUE(in.decl.check_declarations(s)) << s;
        EXPECT_EQ(total(), 0) << s;
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Decl, QualifierFlagsBelongToOneStatement) {
    add_int("x", 0);
    run("unsigned x = 5;"); // only assigns
    run("int n;");
    run("const float pi = 3.14;");
    run("int m;");
    run("const int = 5;"); // a bad declaration still clears them
    run("int k;");
    EXPECT_EQ(entry("x")->ival, 5);
    for (const char* name : {"n", "m", "k"}) EXPECT_EQ(entry(name)->flags, 0) << name;
    EXPECT_EQ(entry("pi")->flags, SET_CONST);
    EXPECT_EQ(in.set_other, 0);
}

TEST_F(Decl, QualifiersColourTheirLine) {
    in.load_text("x\nconst int k = 1;\nstatic int s;\n");
    run("const int k = 1;", 1);
    run("static int s;", 2);
    run("volatile int v;", 50); // a line outside the list is ignored
    EXPECT_EQ(in.f_color[1], LineColour::Const);
    EXPECT_EQ(in.f_color[2], LineColour::Decl);
    EXPECT_EQ(in.f_color.size(), 3u);
}

// ---------------------------------------------------------------------------------------
// Arrays

TEST_F(Decl, ArraysAndTheirInitialisers) {
    run("int a[3] = {1, 2, 3};");
    run("int b[] = {4, 5};");
    in.parse("f(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15)", '(', ')'); // no stale arguments
    run("int c[20] = {1};");
    run("float f[2] = {1.5, 2.5};");
    run("int m[2][3];");
    run("int n[2][2] = {{1, 2}, {3, 4}};");
    run("String names[] = {\"a, b\", \"c\"};");
    run("unsigned int u[2];");
    EXPECT_EQ(entry("a[2]")->ival, 3);
    EXPECT_EQ(entry("b[1]")->ival, 5);
    EXPECT_EQ(entry("b[2]"), nullptr);
    EXPECT_EQ(entry("c[0]")->ival, 1);
    for (int k = 1; k < 20; ++k) EXPECT_EQ(entry("c[" + std::to_string(k) + "]")->ival, 0) << k;
    EXPECT_EQ(entry("f[1]")->fval, 2.5f);
    EXPECT_NE(entry("m[1]"), nullptr);
    EXPECT_EQ(entry("m[2]"), nullptr); // the second dimension is ignored
    EXPECT_EQ(entry("n[1]")->ival, 2); // nested lists are flattened
    EXPECT_EQ(entry("names[0]")->sval, "a, b");
    EXPECT_EQ(entry("u[1]")->flags, SET_UNSIGNED);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Decl, InitialiserOverSeveralLinesLeavesTheCursorOnItsLastLine) {
    in.load_text("// Simulate Uno\nint a[4] = {1, 2, // two\n  /* three */ 3,\n  4};\nint after = 1;\n");
    in.Line = 1;
    run(in.get_line(), 1);
    EXPECT_EQ(in.Line, 3);
    EXPECT_EQ(entry("a[2]")->ival, 3); // the list's lines lose their comments too
    EXPECT_EQ(entry("a[3]")->ival, 4);
    EXPECT_EQ(entry("a[0]")->decl_line, 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Decl, InitialiserLinesComeThroughTheNextLineHook) {
    std::vector<std::string> lines = {"3, 4", "};"};
    in.decl.next_line = [&](std::string& line) {
        if (lines.empty()) return false;
        line = lines.front();
        lines.erase(lines.begin());
        return true;
    };
    run("int a[] = {1, 2,");
    EXPECT_EQ(count(n_int), 4);
    EXPECT_EQ(entry("a[3]")->ival, 4);
    run("int b[] = {1,"); // the hook reports the end of its source
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Bad declaration: int b[] = {1,"});
    EXPECT_EQ(count(n_int), 4);
}

// ---------------------------------------------------------------------------------------
// Declaration lines that run again

TEST_F(Decl, ALineRunAgainKeepsOneSetOfEntries) {
    for (int k = 0; k < 500; ++k) run("int v[3] = {1,2,3};", 7);
    EXPECT_EQ(count(n_int), 3);
    run("v[0]++;", 8);
    EXPECT_EQ(entry("v[0]")->ival, 2);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Decl, WhatARunAgainLineDoesToItsOwnEntries) {
    run("static int n = 0;", 3);
    run("const int k = 5;", 4);
    run("int w;", 5);
    run("int g = 1;", 6);
    run("int body = 1;", 9);
    in.set_var("n", 4);
    in.set_var("w", 4);
    in.set_var("g", 9);
    in.set_var("body", 9);
    in.vars.at(n_int, in.vars.lookup("g").slot).from_scan = true; // as the reset scan makes globals
    run("static int n = 0;", 3);                                  // a static counts on
    run("const int k = 5;", 4);                                   // re-declared, no const error
    run("int w;", 5);                                             // no initialiser: left alone
    run("int g = 1;", 6);                                         // a global keeps its value
    run("int body = 1;", 9);                                      // a body local starts again
    EXPECT_EQ(entry("n")->ival, 4);
    EXPECT_EQ(entry("k")->ival, 5);
    EXPECT_EQ(entry("w")->ival, 4);
    EXPECT_EQ(entry("g")->ival, 9);
    EXPECT_EQ(entry("body")->ival, 1);
    EXPECT_EQ(count(n_int), 5);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Decl, AnotherLineAssignsAndAParameterGetsANewEntry) {
    run("int g2 = 1;", 2);
    run("int g2 = 7;", 5);
    run("const int c2 = 1;", 2);
    run("const int c2 = 2;", 5);
    EXPECT_EQ(entry("g2")->ival, 7);
    EXPECT_EQ(entry("c2")->ival, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Cannot change a const variable! c2"});
    add_int("p", 3, SET_LOCAL, 1);
    run("local int p", 1); // a recursive call's parameter
    add_int("glob", 3, 0, 1);
    run("local int glob", 4); // a parameter named like a global uses the global
    EXPECT_EQ(count(n_int), 5);
    EXPECT_EQ(in.vars.at(n_int, 4).name, "p");
    EXPECT_EQ(in.vars.at(n_int, 4).flags, SET_LOCAL);
}

// ---------------------------------------------------------------------------------------
// Casts and sizeof

TEST_F(Decl, FunctionStyleCastsYieldTheirTypedValue) {
    add_int("sum", 7);
    add_int("n", 2);
    run("float f = 2.5;");
    run("String s = \"ab\";");
    struct Case {
        const char* text;
        int32_t value;
        int32_t n_type;
        const char* results;
    } cases[] = {
        {"int(3.7)", 3, n_int, ""},
        {"int(7)", 7, n_int, ""},
        {"char(65)", 65, n_char, ""},
        {"int(70000)", 70000, n_int, ""},
        {"byte(300)", 300, n_byte, ""},
        {"long(f)", 2, n_long, ""},
        {"float(7)", 7, n_float, ""},
        {"String(3.5)", 0, n_string, "3.50"},
        {"String(255, HEX)", 0, n_string, "FF"},
        {"String(5, BIN)", 0, n_string, "00000101"},
        {"String('A')", 0, n_string, "A"},
        {"String(s)", 0, n_string, "ab"},
        {"String()", 0, n_string, ""},
        {"(int)f", 2, n_int, ""},
        {"((int)5)", 5, n_int, ""},
    };
    for (const Case& c : cases) {
        in.Results = "stale";
        EXPECT_EQ(run(c.text), c.value) << c.text;
        EXPECT_EQ(in.n_type, c.n_type) << c.text;
        EXPECT_EQ(in.Results, c.results) << c.text;
    }
    EXPECT_EQ(in.get_value("float(7)").f, 7.0L);
    EXPECT_FALSE(in.decl.check_declarations("float(sum) / n")); // the operators split first
    in.tables.koperators[op_divide] = divide;
    const Value v = in.get_value("float(sum) / n");
    EXPECT_EQ(v.type, n_float);
    EXPECT_EQ(v.f, 3.5L);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
    run("int(3");
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot Evaluate int(3"});
}

TEST_F(Decl, FloatTextIgnoresTheLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    run("String s = String(3.5);");
    run("String t = 2.25;");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(entry("s")->sval, "3.50");
    EXPECT_EQ(entry("t")->sval, "2.25");
}

TEST_F(Decl, SizeofGivesBytesOfTypesVariablesAndArrays) {
    run("float x; long l; byte b; char c; boolean ok; String s; int a[5]; float fa[3];");
    struct Case {
        const char* text;
        int32_t size;
    } cases[] = {
        {"sizeof(x)", 8},
        {"sizeof(l)", 4},
        {"sizeof(b)", 1},
        {"sizeof(c)", 1},
        {"sizeof(ok)", 1},
        {"sizeof(s)", 0},
        {"sizeof(a)", 10},
        {"sizeof(fa)", 24},
        {"sizeof(a[0])", 2},
        {"sizeof(int)", 2},
        {"sizeof(long)", 4},
        {"sizeof(double)", 8},
        {"sizeof(unsigned long)", 4},
        {"sizeof(boolean)", 1},
        {"sizeof(nothing)", 2},
        {"sizeof (x);", 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.text), c.size) << c.text;
        EXPECT_EQ(in.n_type, n_int) << c.text;
    }
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
    in.tables.koperators[op_divide] = divide;
    EXPECT_EQ(in.get_var("sizeof(a)/sizeof(a[0])"), 5);
    EXPECT_EQ(run("sizeof(x, l)"), 0);
    EXPECT_EQ(run("sizeof()"), 0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - sizeof needs 1 parameter - has 2",
                                                    "Sketch Error - sizeof needs 1 parameter - has 0"}));
}

// ---------------------------------------------------------------------------------------
// Bad declarations and full tables

TEST_F(Decl, BadDeclarationsCreateNothing) {
    add_int("neg", -3);
    const int32_t before = total();
    for (const char* s : {"int = 5;", "long int x;", "int *p;", "int a[neg];", "int a[nothing];", "int a[\"x\"];",
                          "int x, = 5;", "int ok, 2bad;", "int a[3] = 5;", "int x = ;", "int a[2] x;",
                          "char c = while (1);", "int while = 3;", "volatile if (neg) neg = 1;"}) {
        host.errors.clear();
        in.Timer1.Enabled = true;
        run(s);
        const std::string expected = "Sketch Error - Bad declaration: " + std::string(cut_statement(s));
        EXPECT_EQ(messages(), std::vector<std::string>{expected}) << s;
        EXPECT_EQ(total(), before) << s;
        EXPECT_EQ(in.cs.loopx, 1) << s;
        EXPECT_FALSE(in.Timer1.Enabled) << s; // the run stops
    }
    std::string list = "int many[] = {0";
    for (int k = 1; k <= max_initialisers; ++k) list += ", " + std::to_string(k);
    host.errors.clear();
    run(list + "};");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Bad declaration: " + list + "}"});
    EXPECT_EQ(total(), before);
}

TEST_F(Decl, FaultInAnInitialiserCreatesNothing) {
    run("const int x = 2147483648;");
    run("int a[3] = {1, 2, 99999999999};");
    run("int y;");
    // The innermost evaluation reports: for a qualified statement, the text after the qualifier.
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot Evaluate int x = 2147483648;",
                                                    "Cannot Evaluate int a[3] = {1, 2, 99999999999};"}));
    EXPECT_EQ(total(), 1);
    EXPECT_EQ(entry("y")->flags, 0);
}

TEST_F(Decl, FullTablesGiveTheCapacityErrorAndStayUnchanged) {
    run("int big[2000];");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Too many int variables (limit 1000)"});
    EXPECT_EQ(total(), 0);
    for (int k = 0; k < 200; ++k) run("float f" + std::to_string(k) + ";");
    for (int k = 0; k < 995; ++k) add_int("i" + std::to_string(k), k);
    host.errors.clear();
    run("float extra = 1.5;");
    run("int p, q[10];"); // p alone would fit; the statement as a whole does not
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - Too many float variables (limit 200)",
                                                    "Sketch Error - Too many int variables (limit 1000)"}));
    EXPECT_EQ(count(n_float), 200);
    EXPECT_EQ(count(n_int), 995);
    EXPECT_EQ(entry("p"), nullptr);
}

// ---------------------------------------------------------------------------------------
// Through the dispatcher

TEST_F(Decl, NamesStartingWithAWordReachNoControlWordOrDeclaration) {
    std::vector<int> control_rows;
    static std::vector<int>* rows = nullptr;
    rows = &control_rows;
    for (size_t i = 1; i < in.tables.kcontrol.size(); ++i)
        in.tables.kcontrol[i] = [](Interpreter&, const Match& m) {
            rows->push_back(m.row);
            return 0;
        };
    run("int done, switchState, format, int0;");
    const int32_t depth = in.cs.loopx;
    for (const char* s : {"done = 1;", "switchState = 1;", "format = 2;", "int0 = 1;"}) run(s);
    EXPECT_TRUE(control_rows.empty());
    for (const char* name : {"done", "switchState", "int0"}) EXPECT_EQ(entry(name)->ival, 1) << name;
    EXPECT_EQ(entry("format")->ival, 2);
    EXPECT_EQ(in.cs.loopx, depth);
    run("doBlink();");
    EXPECT_TRUE(control_rows.empty());
    for (const char* s : {"if(x)", "else{", "return;"}) run(s);
    EXPECT_EQ(control_rows, (std::vector<int>{2, 1, 12}));
    EXPECT_EQ(count(n_int), 4);
}

} // namespace
} // namespace quorvex::test
