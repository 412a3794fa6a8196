// Calls of sketch functions: frames, binding, returns and delivery, for what the transcripts
// (tests/sketches/calls_*.expected: values, refused forms, levels, errors) cannot show.
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

TEST_F(CallsTest, EarlyReturnLeavesTheRestOfTheBody) {
    load_sketch("calls_return_values");
    ASSERT_TRUE(run_setup());
    EXPECT_EQ(value("z"), 5);
    EXPECT_EQ(in.flow.forx, 0);
}

TEST_F(CallsTest, ReturnInABraceLessIfLeavesAtOnce) {
    load_sketch("calls_return_values");
    ASSERT_TRUE(run_setup());
    EXPECT_EQ(value("down"), -1);
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
    load_sketch("calls_global_initialiser");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(in.cs.loopx, 1);
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
