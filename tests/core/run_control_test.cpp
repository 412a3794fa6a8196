// Execution control driven like the workbench drives it: steps, Run and step-out ticks,
// breakpoint, abort and back, on small sketches run by the real executor.
#include <string>
#include <vector>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

class RunControl : public Flow {
protected:
    // Plain statements with no setup(), as sketchrun --statements runs them: each line that
    // runs declares its variable, so what ran is what the table holds.
    void statements(std::string_view text) { load_lines(text); }
    bool ran(std::string_view name) const { return static_cast<bool>(in.vars.lookup(name)); }
    // Globals, a function f() with `body`, and a setup() that calls it: the cursor on the call.
    void load_f(std::string_view globals, std::string_view body) {
        load(std::string(globals) + "void f() {\n" + std::string(body) +
             "}\nvoid setup() {\n  f();\n}\nvoid loop() {\n}\n");
    }

    int ticks_until_stopped(int limit = 5000) {
        int n = 0;
        while (in.Timer1.Enabled && n < limit) {
            in.tick();
            ++n;
        }
        return n;
    }
};

const char* const straight = "// Simulate Uno\n" // 0
                             "int a = 1;\n"      // 1
                             "// a comment\n"    // 2
                             "\n"                // 3
                             "int b = 2;\n"      // 4
                             "int c = 3;\n";     // 5

TEST_F(RunControl, StepIntoRunsTheLineSkipsCommentsAndAdvancesTheClock) {
    statements(straight);
    ASSERT_EQ(in.Line, 1);
    in.Step1Click();
    EXPECT_TRUE(ran("a"));
    EXPECT_FALSE(ran("b"));
    EXPECT_EQ(in.Line, 4);
    EXPECT_EQ(in.us, 1);
    EXPECT_EQ(in.ListBox1.ItemIndex, 4);
    ASSERT_FALSE(host.updates.empty());
    EXPECT_EQ(host.updates.back().line, 4);
    in.Step1Click();
    in.Step1Click();
    EXPECT_TRUE(ran("b") && ran("c"));
    EXPECT_EQ(in.Line, in.ListBox1.Count());
    EXPECT_EQ(in.us, 3);
}

TEST_F(RunControl, ANonExecutableCurrentLineIsSkippedWithoutRunning) {
    statements("int a = 1;\nint b = 2;\nlabel:\nint c = 3;\n");
    in.Line = 2;
    in.Step1Click();
    EXPECT_FALSE(ran("c"));
    EXPECT_EQ(in.Line, 3);
    EXPECT_EQ(in.us, 0);
}

// A pending serial event enters its routine between statements.
class EventEntry : public RunControl {
protected:
    void SetUp() override {
        load("int a = 0;\n"            // 0
             "int got = 0;\n"          // 1
             "void serialEvent() {\n"  // 2
             "  got = got + 1;\n"      // 3
             "}\n"                     // 4
             "void requestEvent() {\n" // 5
             "  got = got + 10;\n"     // 6
             "}\n"                     // 7
             "void setup() {\n"        // 8
             "  a = a + 1;\n"          // 9
             "  a = a + 1;\n"          // 10
             "}\n"                     // 11
             "void loop() {\n"         // 12
             "}\n");                   // 13
        in.panels[1].Panel.Visible = true;
        in.panels[1].IN.set_text("x");
    }
};

TEST_F(EventEntry, EntersTheRoutineBeforeTheLineAndMarksTheLevel) {
    const int32_t level = in.cs.loopx;
    in.Step1Click();
    EXPECT_EQ(var("a"), 0);
    EXPECT_EQ(in.Line, 3);
    EXPECT_TRUE(in.serEvent);
    EXPECT_EQ(in.cs.loopx, level + 1);
    EXPECT_TRUE(in.cs.at(level).async);
    EXPECT_EQ(in.us, 0);
    EXPECT_EQ(in.panels[1].IN.Text(), "x");
    in.Step1Click(); // the body runs; no second entry while one is active
    EXPECT_EQ(var("got"), 1);
}

TEST_F(EventEntry, NeedsAVisiblePanelTextAndARoutine) {
    in.panels[1].Panel.Visible = false;
    in.Step1Click();
    in.panels[1].Panel.Visible = true;
    in.panels[1].IN.clear();
    in.Step1Click();
    EXPECT_EQ(var("a"), 2);
    in.Event = "noSuchRoutine";
    in.panels[1].IN.set_text("x");
    in.Line = 9;
    in.Step1Click();
    EXPECT_EQ(var("a"), 3);
    EXPECT_EQ(var("got"), 0);
}

TEST_F(EventEntry, ARequestEventEmptiesTheInputBox) {
    in.Event = "requestEvent";
    in.Step1Click();
    EXPECT_TRUE(in.serEvent);
    EXPECT_EQ(in.Line, 6);
    EXPECT_EQ(in.panels[1].IN.Text(), "");
}

TEST_F(RunControl, AnInterruptRoutineNeverBindsTheLastCallsArguments) {
    load("int got = -1;\n"
         "void isr(int v) {\n"
         "  got = v;\n"
         "}\n"
         "void setup() {\n"
         "  got = got;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    in.interrupts.int_routine[0] = "isr";
    in.interrupts.int_type[0] = "CHANGE";
    in.parse("f(7, 2)", '(', ')');
    in.pinio.LD0MouseDown(0);
    in.Step1Click();
    EXPECT_EQ(var("got"), 0);
}

const char* const with_call = "int x = 0;\n"     // 0
                              "int y = 0;\n"     // 1
                              "int b = 0;\n"     // 2
                              "void f() {\n"     // 3
                              "  x = 1;\n"       // 4
                              "  y = 2;\n"       // 5
                              "}\n"              // 6
                              "void setup() {\n" // 7
                              "  f();\n"         // 8
                              "  b = 3;\n"       // 9
                              "}\n"              // 10
                              "void loop() {\n"  // 11
                              "}\n";             // 12

const char* const endless = "int a = 0;\ntop:\na++;\ngoto top;\n";

TEST_F(RunControl, StepOverRunsACalledRoutineOnTheTimer) {
    load(with_call);
    ASSERT_EQ(in.Line, 8);
    const int32_t level = in.cs.loopx;
    in.StepOverClick();
    EXPECT_TRUE(in.Timer1.Enabled);
    EXPECT_EQ(in.Timer1.Interval, 10);
    EXPECT_FALSE(in.update1);
    EXPECT_EQ(in.Line, 4);
    const int ticks = ticks_until_stopped();
    EXPECT_EQ(var("x") + var("y"), 3);
    EXPECT_EQ(var("b"), 0);
    EXPECT_EQ(in.Line, 9);
    EXPECT_EQ(in.cs.loopx, level);
    EXPECT_TRUE(in.update1);
    EXPECT_EQ(ticks, 4); // x, y, "}", then the tick that sees the level left
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(RunControl, StepOutAtTopLevelGivesUpAfterAThousandTicks) {
    statements(endless);
    in.StepOutOfClick();
    const int ticks = ticks_until_stopped();
    EXPECT_EQ(ticks, 1000);
    EXPECT_EQ(messages(), std::vector<std::string>{"Error - unable to exit loop"});
    EXPECT_FALSE(in.step_out);
    EXPECT_EQ(in.step_outi, 0);
}

TEST_F(RunControl, LeavingTheLevelOnTheLastTickIsNoFailure) {
    // f's body takes 999 steps: four plain lines, then a goto loop of three steps a pass (the
    // label line takes one) that ends after the n++ and the test of its 332nd pass.
    load_f("int n = 0;\n", "  n = 0;\n"
                           "  n = 0;\n"
                           "  n = 0;\n"
                           "  n = 0;\n"
                           "again:\n"
                           "  n++;\n"
                           "  if (n < 332) goto again;\n");
    in.StepOverClick(); // enters f: one step
    const int ticks = ticks_until_stopped();
    EXPECT_EQ(var("n"), 332);
    EXPECT_EQ(ticks, 1001); // 999 steps of the body, the closing brace, the quiet stop
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(in.Line, 12);
}

TEST_F(RunControl, StepOutFromADeeperBlockEndsWhenThatBlockIsLeft) {
    load_f("int p = 0;\nint q = 0;\nint r = 0;\n", "  if (p == 0) {\n"
                                                   "    p = 1;\n"
                                                   "    q = 1;\n"
                                                   "  }\n"
                                                   "  r = 1;\n");
    in.Step1Click(); // into f
    const int32_t level = in.cs.loopx;
    in.Step1Click(); // the if opens a level
    ASSERT_EQ(in.cs.loopx, level + 1);
    in.StepOutOfClick();
    ticks_until_stopped();
    EXPECT_EQ(var("p") + var("q"), 2);
    EXPECT_EQ(var("r"), 0);
    EXPECT_EQ(in.cs.loopx, level);
    EXPECT_EQ(in.Line, 8);
}

TEST_F(RunControl, AnErrorInAStepOverEndsItWithoutTheLoopError) {
    load_f("int x = 0;\n", "  boom;\n  x = 1;\n");
    in.StepOverClick();
    ticks_until_stopped();
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown command: boom"});
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_FALSE(in.step_out);
    EXPECT_EQ(in.step_outi, 0);
}

TEST_F(RunControl, AbortEndsTheStepOutAndTheNextStepOutStartsAfresh) {
    load(with_call);
    in.StepOverClick();
    in.tick();
    in.motors.kStepper_Timer.Enabled = true;
    in.AbortClick();
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_FALSE(in.motors.kStepper_Timer.Enabled);
    EXPECT_FALSE(in.step_out);
    EXPECT_EQ(in.step_outi, 0);
    EXPECT_TRUE(in.update1);
    in.StepOutOfClick();
    EXPECT_EQ(in.step_outi, in.cs.loopx);
}

TEST_F(RunControl, RunStopsBeforeTheBreakpointAndF9RunsIt) {
    statements(straight);
    in.BreakLine1 = 5;
    in.BreakPoint1Click();
    in.AutoStepClick();
    EXPECT_TRUE(in.AutoStep.Checked);
    EXPECT_TRUE(in.ON_LED.Visible);
    EXPECT_EQ(in.RunButton.Hint, "Stop F9");
    EXPECT_EQ(in.RunButton.ImageIndex, 16);
    EXPECT_TRUE(ran("a")); // the first step happens at once
    EXPECT_FALSE(ran("b"));
    ticks_until_stopped();
    EXPECT_TRUE(ran("b"));
    EXPECT_FALSE(ran("c"));
    EXPECT_EQ(in.Line, 5);
    EXPECT_FALSE(in.AutoStep.Checked);
    EXPECT_FALSE(in.ON_LED.Visible);
    EXPECT_EQ(in.RunButton.Hint, "Run F9");
    in.AutoStepClick();
    EXPECT_TRUE(ran("c"));
    in.ClearBreakPointClick();
    EXPECT_EQ(in.BreakLine, -1);
}

TEST_F(RunControl, RunIntervalComesFromTheDelayBox) {
    statements(endless);
    struct Case {
        const char* box;
        int interval;
        bool update1;
    } cases[] = {{"250", 250, true}, {"", 250, true},  {"abc", 250, true}, {"5", 5, false},
                 {"0", 0, false},    {"12", 12, true}, {"-3", 250, true}};
    for (const Case& c : cases) {
        in.AutoStep_Time = c.box;
        in.AutoStepClick(); // on
        EXPECT_EQ(in.Timer1.Interval, c.interval) << c.box;
        EXPECT_EQ(in.update1, c.update1) << c.box;
        in.AutoStepClick(); // off
        EXPECT_FALSE(in.Timer1.Enabled);
        EXPECT_TRUE(in.update1);
    }
}

TEST_F(RunControl, RunPastTheEndStopsWithoutAnError) {
    statements(straight);
    in.AutoStepClick();
    ticks_until_stopped();
    EXPECT_EQ(in.Line, in.ListBox1.Count());
    EXPECT_FALSE(in.AutoStep.Checked);
    EXPECT_TRUE(host.errors.empty());
    const int64_t us = in.us;
    in.Step1Click(); // past the end: nothing runs
    EXPECT_EQ(in.us, us);
}

TEST_F(RunControl, BackWalksUpOverCommentsAndStopsAtLineOne) {
    statements("// a\n// b\n// c\nint x = 1;\nint y = 2;\n");
    in.Line = 4;
    in.BBackClick();
    EXPECT_EQ(in.Line, 3);
    in.BBackClick();
    EXPECT_EQ(in.Line, 1);
    EXPECT_EQ(in.ListBox1.ItemIndex, 1);
    in.BBackClick();
    EXPECT_EQ(in.Line, 0);
    EXPECT_FALSE(ran("x") || ran("y")); // nothing is undone or run
}

TEST_F(RunControl, NoSketchMessages) {
    in.Timer1.Enabled = true;
    in.Step1Click();
    in.StepOverClick();
    in.StepOutOfClick();
    in.BBackClick();
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Sketch Error - Please load a sketch first before performing a single step",
                                        "Sketch Error - Please load a sketch first before performing a step over",
                                        "Sketch Error - Please load a sketch first before performing a step out of",
                                        "Sketch Error - Please load a sketch first before back stepping"}));
    EXPECT_FALSE(in.Timer1.Enabled);
}

TEST_F(RunControl, TicksAndStepsDuringAStepAreIgnored) {
    statements("boom;\nint a = 1;\nint b = 2;\n");
    host.on_error = [this](const std::string&, const std::string&) {
        in.Timer1.Enabled = true; // a window's event loop keeps the timer firing
        in.tick();
        in.Step1Click();
        in.StepOverClick();
    };
    in.Step1Click();
    EXPECT_FALSE(ran("a"));
    EXPECT_EQ(in.Line, 1);
}

TEST_F(RunControl, BracelessCountdownNeverPopsTheTopLevel) {
    statements("int a = 1;\nint b = 2;\n");
    in.single_loop = 1;
    in.Step1Click();
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(in.Line, 1);

    in.push_level({.last_control = L_WHILE, .loop_line = 0});
    in.single_loop = 1;
    in.Step1Click(); // closes the level; loop_line 0 means no jump
    EXPECT_EQ(in.cs.loopx, 1);
}

TEST_F(RunControl, BracelessCountdownReturnsToTheLoopLine) {
    statements("int w = 0;\nint body = 0;\nint after = 0;\n");
    in.Line = 1;
    in.push_level({.last_control = L_WHILE, .loop_line = 0});
    in.cs.at(1).loop_line = 0;
    in.single_loop = 1;
    in.Step1Click();
    EXPECT_EQ(in.Line, 2);
    in.Line = 1;
    in.push_level({.last_control = L_WHILE, .loop_line = 2});
    in.single_loop = 1;
    in.Step1Click();
    EXPECT_EQ(in.Line, 2);
    EXPECT_EQ(in.us, 1); // the jump back does not advance the clock
}

} // namespace
} // namespace quorvex::test
