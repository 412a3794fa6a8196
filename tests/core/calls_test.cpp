// Calls of sketch functions: frames, binding, returns, delivery and the refused forms.
#include <algorithm>
#include <string>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

class CallsTest : public CoreTest {
protected:
    void start(std::string_view sketch) {
        in.load_text(sketch);
        in.RestartClick();
    }
    int32_t setup_end() const {
        const Subroutine* s = in.subs.find("setup");
        return s == nullptr ? -1 : s->close_line;
    }
    // Steps until the cursor reaches setup()'s closing brace; false when the limit ran out.
    bool run_setup(int limit = 400) {
        for (int i = 0; i < limit; ++i) {
            if (in.Line == setup_end()) return true;
            in.Step1Click();
            if (!host.errors.empty()) return false;
        }
        return in.Line == setup_end();
    }
    int32_t value(std::string_view name) { return in.get_var(name); }
};

TEST_F(CallsTest, DeclarationTakesTheReturnValue) {
    start("int f(int a) {\n"
          "  return a * 2;\n"
          "}\n"
          "void setup() {\n"
          "  int y = f(3);\n"
          "  int after = y + 1;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup());
    EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
    EXPECT_EQ(value("y"), 6);
    EXPECT_EQ(value("after"), 7); // the line after the call ran once the value was there
    EXPECT_EQ(in.cs.loopx, 1);
}

TEST_F(CallsTest, AssignmentTakesTheReturnValueAndLocalsGo) {
    start("int x = 0;\n"
          "int f(int a) {\n"
          "  int twice = a + a;\n"
          "  return twice + 1;\n"
          "}\n"
          "void setup() {\n"
          "  x=f(4);\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    const auto counts = in.vars.var_n;
    ASSERT_TRUE(run_setup());
    EXPECT_EQ(value("x"), 9);
    EXPECT_EQ(in.vars.var_n, counts); // the parameter and the local are dropped
    EXPECT_FALSE(in.vars.lookup("twice"));
}

TEST_F(CallsTest, EarlyReturnLeavesTheRestOfTheBody) {
    start("int hits = 0;\n"
          "int g(int a) {\n"
          "  return a + 1;\n"
          "  hits = 99;\n"
          "  return 0;\n"
          "}\n"
          "void quiet() {\n"
          "  return;\n"
          "  hits = 5;\n"
          "}\n"
          "void setup() {\n"
          "  int y = g(4);\n"
          "  quiet();\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup());
    EXPECT_EQ(value("y"), 5);
    EXPECT_EQ(value("hits"), 0);
    EXPECT_EQ(in.flow.forx, 0);
}

TEST_F(CallsTest, ReturnInABraceLessIfLeavesAtOnce) {
    start("int sign(int a) {\n"
          "  if (a > 0) return 1;\n"
          "  if (a < 0)\n"
          "    return -1;\n"
          "  return 0;\n"
          "}\n"
          "void setup() {\n"
          "  int up = sign(5);\n"
          "  int down = sign(-5);\n"
          "  int zero = sign(0);\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup()) << (messages().empty() ? "" : messages().front());
    EXPECT_EQ(value("up"), 1);
    EXPECT_EQ(value("down"), -1);
    EXPECT_EQ(value("zero"), 0);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(in.single_loop, 0);
}

TEST_F(CallsTest, RepeatedCallsFromLoopLeakNothing) {
    start("int n = 0;\n"
          "int inc(int v) {\n"
          "  int w = v + 1;\n"
          "  return w;\n"
          "}\n"
          "void setup() {\n"
          "}\n"
          "void loop() {\n"
          "  n = inc(n);\n"
          "}\n");
    const auto counts = in.vars.var_n;
    int max_depth = 0;
    for (int i = 0; i < 600 && host.errors.empty(); ++i) {
        in.Step1Click();
        max_depth = std::max(max_depth, in.cs.loopx);
        if (in.cs.loopx == 1 && value("n") >= 50) break;
    }
    EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
    EXPECT_EQ(value("n"), 50);
    EXPECT_LE(max_depth, 3);
    EXPECT_LE(in.vars.var_n[n_int], counts[n_int] + 2); // at most the open call's v and w
}

TEST_F(CallsTest, ValuesKeepTheirType) {
    start("float half(float v) {\n"
          "  return v / 2;\n"
          "}\n"
          "String greet() {\n"
          "  return \"hi\";\n"
          "}\n"
          "void setup() {\n"
          "  float r = half(5.0);\n"
          "  String t = greet();\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup());
    EXPECT_DOUBLE_EQ(static_cast<double>(in.get_value("r").f), 2.5);
    EXPECT_EQ(in.get_value("t").s, "hi");
}

TEST_F(CallsTest, CallAsTheOnlyArgumentDeliversToTheParameter) {
    // Distinct parameter names: a parameter named like a live variable reads and writes that one.
    start("int g(int v) {\n"
          "  return v + 1;\n"
          "}\n"
          "int f(int a) {\n"
          "  return a * 10;\n"
          "}\n"
          "int k(int a, int b) {\n"
          "  return a - b;\n"
          "}\n"
          "void setup() {\n"
          "  int y = f(g(2));\n"
          "  int z = k(100, g(2));\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup());
    EXPECT_EQ(value("y"), 30);
    EXPECT_EQ(value("z"), 97);
    EXPECT_EQ(in.cs.loopx, 1);
}

TEST_F(CallsTest, OuterFunctionWithoutReturnDeliversNothingStale) {
    start("int y = 7;\n"
          "int g(int a) {\n"
          "  return a + 1;\n"
          "}\n"
          "int f(int a) {\n"
          "  a = a + 0;\n"
          "}\n"
          "void setup() {\n"
          "  y = f(g(2));\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup());
    EXPECT_EQ(value("y"), 7); // f returned nothing: y keeps its value, and never takes g's 3
}

// Every refused form reports the same error, makes no frame and leaves the cursor.
struct Refused {
    const char* statement;
    const char* name; // the call the error names
};

class RefusedCallTest : public CallsTest, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedCallTest, ReportsAndRunsNothing) {
    const std::string sketch = std::string("int y = 0;\n"
                                           "int p = 1;\n"
                                           "int f(int a) {\n"
                                           "  return a;\n"
                                           "}\n"
                                           "int g(int a) {\n"
                                           "  return a;\n"
                                           "}\n"
                                           "int two(int a, int b) {\n"
                                           "  return a + b;\n"
                                           "}\n"
                                           "int r() {\n"
                                           "  ") +
                               GetParam().statement +
                               "\n"
                               "}\n"
                               "void setup() {\n"
                               "  r();\n"
                               "}\n"
                               "void loop() {\n"
                               "}\n";
    start(sketch);
    in.Step1Click(); // enters r(): the cursor stands on its first line
    ASSERT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
    const int32_t depth = in.cs.loopx;
    in.Step1Click();
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().front(), std::string("Sketch Error - ") + GetParam().name +
                                      "() can only be called on its own or as the whole right side of an assignment");
    EXPECT_EQ(in.cs.loopx, depth); // no frame
    // Nothing of the statement ran: no value of 0 stood in for the call.
    EXPECT_EQ(value("y"), 0);
    EXPECT_EQ(value("p"), 1);
}

INSTANTIATE_TEST_SUITE_P(Calls, RefusedCallTest,
                         ::testing::Values(Refused{"if (f(p) > 0) {\n  }", "f"}, Refused{"y = f(3) + 1;", "f"},
                                           Refused{"y += f(3);", "f"}, Refused{"return f(3);", "f"},
                                           Refused{"y = (f(3));", "f"}, Refused{"f(1); f(2);", "f"},
                                           Refused{"y = f(g(1) + 1);", "f"}, Refused{"y = two(g(1), g(2));", "two"},
                                           Refused{"y = f(3), p = 2;", "f"}));

// The stepped forms: the value reaches the left side once the body's closing brace runs.
struct Accepted {
    const char* statement;
    const char* target; // "" when the value goes nowhere
    int32_t expected;
};

class AcceptedCallTest : public CallsTest, public ::testing::WithParamInterface<Accepted> {};

TEST_P(AcceptedCallTest, DeliversToTheLeftSide) {
    start(std::string("int y = 0;\n"
                      "int p = 0;\n"
                      "int a[3];\n"
                      "int f(int v) {\n"
                      "  p = p + 1;\n"
                      "  return v;\n"
                      "}\n"
                      "void setup() {\n"
                      "  ") +
          GetParam().statement +
          "\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup()) << (messages().empty() ? "" : messages().front());
    EXPECT_EQ(value("p"), 1); // the body ran once
    if (*GetParam().target != '\0') {
        EXPECT_EQ(value(GetParam().target), GetParam().expected);
    }
    EXPECT_EQ(in.cs.loopx, 1);
}

INSTANTIATE_TEST_SUITE_P(Calls, AcceptedCallTest,
                         ::testing::Values(Accepted{"f(3);", "y", 0}, Accepted{"y = f(3);", "y", 3},
                                           Accepted{"y=f(4);", "y", 4}, Accepted{"int z = f(5);", "z", 5},
                                           Accepted{"const int z = f(6);", "z", 6}, Accepted{"a[1] = f(7);", "a[1]", 7},
                                           Accepted{"y = 9; a[2] = f(8);", "a[2]", 8}));

// Functions whose body stands on the header line run that body, argument calls and nested
// calls included, and return to the line after the call.
TEST_F(CallsTest, OneLineFunctionsRunTheirBody) {
    start("int y = 0;\n"
          "int z = 0;\n"
          "int w = 0;\n"
          "int seven() { return 7; }\n"
          "void bump(int k) { z = z + k; w = w + 1; }\n"
          "int twice(int v) { return v * 2; }\n"
          "void both(int k) { bump(k); bump(twice(k)); w = w + 100; }\n"
          "int pick(int v) { if (v > 5) return 1; return 2; }\n"
          "void setup() {\n"
          "  y = seven();\n"
          "  bump(3);\n"
          "  int t = twice(seven());\n"
          "  both(1);\n"
          "  int a = pick(9);\n"
          "  int b = pick(1);\n"
          "  int after = 1;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_TRUE(run_setup()) << (messages().empty() ? "" : messages().front());
    EXPECT_EQ(value("y"), 7);
    EXPECT_EQ(value("t"), 14);
    EXPECT_EQ(value("z"), 3 + 1 + 2); // both(1): bump(1), then bump(twice(1)); the rest after the calls ran
    EXPECT_EQ(value("w"), 1 + 2 + 100);
    EXPECT_EQ(value("a"), 1);
    EXPECT_EQ(value("b"), 2);
    EXPECT_EQ(value("after"), 1);
    EXPECT_EQ(in.cs.loopx, 1);
}

TEST_F(CallsTest, OneLineFunctionTakesOneStep) {
    start("int z = 0;\n"
          "void bump() { z = z + 1; }\n"
          "void setup() {\n"
          "  bump();\n"
          "  z = z + 10;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    in.Step1Click(); // the call: the cursor goes to the header
    EXPECT_EQ(in.Line, 1);
    EXPECT_EQ(value("z"), 0);
    in.Step1Click(); // the body and its closing brace: back after the call
    EXPECT_EQ(value("z"), 1);
    EXPECT_EQ(in.Line, 4);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CallsTest, ReturnGivesBackTheForSlotsItLeaves) {
    start("int f() {\n"
          "  return 1;\n"
          "}\n"
          "void setup() {\n"
          "  f();\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    in.Step1Click();
    const int32_t frame_top = in.cs.loopx;
    // A for loop open inside the body, as its header leaves it.
    ControlLevel loop;
    loop.last_control = L_FOR;
    loop.forx = 1;
    ASSERT_TRUE(in.push_level(loop));
    in.flow.forx = 1;
    in.Step1Click(); // return
    EXPECT_EQ(in.cs.loopx, frame_top);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_EQ(in.Line, in.subs.find("f")->close_line);
}

TEST_F(CallsTest, GlobalInitialiserCannotCallAndTheScanGoesOn) {
    start("int f(int v) {\n"
          "  return v;\n"
          "}\n"
          "int y = f(3);\n"
          "void setup() {\n"
          "  y = 1;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().front(), "Sketch Error - f() cannot be called from a global declaration");
    EXPECT_EQ(in.Line, 5); // stopped in setup() as usual
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(value("y"), 0);
}

TEST_F(CallsTest, RunawayRecursionStopsWithAnError) {
    start("void deeper(int n) {\n"
          "  deeper(n + 1);\n"
          "}\n"
          "void setup() {\n"
          "  deeper(0);\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    for (int i = 0; i < 500 && host.errors.empty(); ++i) in.Step1Click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().front(), "Sketch Error - calls nested too deeply: deeper");
    EXPECT_EQ(in.cs.loopx, Calls::max_depth + 1);
    EXPECT_FALSE(in.Timer1.Enabled);
}

TEST_F(CallsTest, MoreThanTwoHundredArgumentsIsAnError) {
    std::string args = "1";
    for (int i = 0; i < 200; ++i) args += ", 1";
    start("void f(int a) {\n"
          "}\n"
          "void setup() {\n"
          "  f(" +
          args +
          ");\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    in.Step1Click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().front(), "Sketch Error - too many arguments (limit 200): f");
    EXPECT_EQ(in.cs.loopx, 1);
}

TEST_F(CallsTest, ReturnInSetupGoesToItsClosingBrace) {
    start("int hits = 0;\n"
          "void setup() {\n"
          "  return;\n"
          "  hits = 1;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    in.Step1Click();
    EXPECT_EQ(in.Line, setup_end());
    EXPECT_EQ(value("hits"), 0);
}

TEST_F(CallsTest, BraceLessBodyCountdownWaitsForTheReturn) {
    start("int f(int a) {\n"
          "  int b = a;\n"
          "  return b;\n"
          "}\n"
          "void setup() {\n"
          "  f(1);\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    in.single_loop = 5; // as if the call were the body of a brace-less if, counted high
    in.rbr_found = 1;
    in.Step1Click();
    EXPECT_EQ(in.single_loop, 0);
    EXPECT_EQ(in.rbr_found, 0);
    for (int i = 0; i < 20 && in.cs.loopx > 1; ++i) in.Step1Click();
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(in.single_loop, 4); // restored at the return, then counted by that step
    EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
}

TEST_F(CallsTest, EventRoutineResumesAtTheInterruptedLine) {
    start("int seen = 0;\n"
          "int y = 0;\n"
          "void serialEvent() {\n"
          "  seen = 1;\n"
          "  return 42;\n"
          "}\n"
          "void setup() {\n"
          "  y = 2;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    const int32_t interrupted = in.Line;
    in.panels[1].Panel.Visible = true;
    in.panels[1].IN.set_text("x");
    in.Step1Click(); // enters the routine before the line runs
    in.panels[1].IN.clear();
    ASSERT_EQ(in.cs.loopx, 2);
    for (int i = 0; i < 20 && in.cs.loopx > 1; ++i) in.Step1Click();
    EXPECT_EQ(in.Line, interrupted);
    EXPECT_EQ(value("seen"), 1);
    EXPECT_EQ(value("y"), 0); // nothing delivered to the interrupted line's target
    in.Step1Click();
    EXPECT_EQ(value("y"), 2); // the interrupted line runs next
    EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
}

TEST_F(CallsTest, EventBeforeABracelessBodyLeavesItsCountdown) {
    start("int seen = 0;\n"
          "int i = 0;\n"
          "int n = 0;\n"
          "void serialEvent() {\n"
          "  seen++;\n"
          "}\n"
          "void setup() {\n"
          "  for (i = 0; i < 3; i++)\n"
          "    n++;\n"
          "  n = n + 100;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    in.Step1Click(); // the for header: the body is the next line
    ASSERT_EQ(dtrim(in.get_line()), "n++;");
    in.panels[1].Panel.Visible = true;
    in.panels[1].IN.set_text("x");
    in.Step1Click(); // enters the routine before the body runs
    in.panels[1].IN.clear();
    ASSERT_TRUE(run_setup(30));
    EXPECT_EQ(value("seen"), 1);
    EXPECT_EQ(value("n"), 103);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
}

TEST_F(CallsTest, ResetDropsFramesAndReturnState) {
    start("int f(int a) {\n"
          "  return a;\n"
          "}\n"
          "void setup() {\n"
          "  f(1);\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    in.Step1Click();
    in.Step1Click(); // the return has run, the frame is open
    EXPECT_EQ(in.calls.retx, 1);
    in.RestartClick();
    EXPECT_EQ(in.calls.retx, 0);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(in.calls.ret_value.i, 0);
}

} // namespace
} // namespace quorvex::test
