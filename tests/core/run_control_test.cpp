// Execution control driven like the workbench drives it: steps, Run and step-out ticks,
// breakpoint, abort and back. The executor is scripted so that calls and jumps can be
// exercised before the control-flow statements exist.
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

// A scripted line language:
//   call N;   push a call level and go to header line N (the step then enters its body)
//   }         return from a call level, or close a block level
//   {         open a block level
//   jump N;   put the cursor on line N itself
//   spin K;   stay on this line until it has run K times
//   error;    report a sketch error
// Anything else is recorded as run.
class RunControl : public CoreTest {
protected:
    std::vector<std::string> ran;
    int spins = 0;

    void load(const std::string& text) {
        load_lines(text);
        in.hooks.execute_line = [this](Interpreter& i) { run_line(i); };
    }

    static int arg(const std::string& line) { return std::stoi(line.substr(line.find(' ') + 1)); }

    void run_line(Interpreter& i) {
        const std::string line = i.get_line();
        if (line.starts_with("call ")) {
            i.push_level({.last_control = L_SUBR, .loop_line = i.Line, .loop_next = 1});
            i.Line = arg(line);
        } else if (line == "}") {
            if (i.cs.pop() && i.cs.at(i.cs.loopx).last_control == L_SUBR) i.Line = i.cs.at(i.cs.loopx).loop_line;
        } else if (line == "{") {
            i.push_level({.last_control = IFORELSE});
        } else if (line.starts_with("jump ")) {
            i.Line = arg(line);
            i.found_loop = 1;
        } else if (line.starts_with("spin ")) {
            ran.push_back(line);
            if (++spins < arg(line)) i.found_loop = 1;
        } else if (line == "error;") {
            i.ShowMessage1("Sketch Error - boom");
        } else {
            ran.push_back(line);
        }
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

const char* const straight = "// Simulate Uno\n"
                             "a;\n"
                             "// a comment\n"
                             "\n"
                             "b;\n"
                             "c;\n";

TEST_F(RunControl, StepIntoRunsTheLineSkipsCommentsAndAdvancesTheClock) {
    load(straight);
    ASSERT_EQ(in.Line, 1);
    in.Step1Click();
    EXPECT_EQ(ran, std::vector<std::string>{"a;"});
    EXPECT_EQ(in.Line, 4);
    EXPECT_EQ(in.us, 1);
    EXPECT_EQ(in.ListBox1.ItemIndex, 4);
    ASSERT_FALSE(host.updates.empty());
    EXPECT_EQ(host.updates.back().line, 4);
    in.Step1Click();
    in.Step1Click();
    EXPECT_EQ(ran, (std::vector<std::string>{"a;", "b;", "c;"}));
    EXPECT_EQ(in.Line, in.ListBox1.Count());
    EXPECT_EQ(in.us, 3);
}

TEST_F(RunControl, AStepThatMovesTheCursorKeepsItAndTheClock) {
    load("x;\njump 0;\n");
    in.Step1Click();
    in.Step1Click(); // jump 0
    EXPECT_EQ(in.Line, 0);
    EXPECT_EQ(in.us, 1);
}

TEST_F(RunControl, ANonExecutableCurrentLineIsSkippedWithoutRunning) {
    load("a;\nb;\nlabel:\nc;\n");
    in.Line = 2;
    in.Step1Click();
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(in.Line, 3);
    EXPECT_EQ(in.us, 0);
}

class EventEntry : public RunControl {
protected:
    void SetUp() override {
        load("a;\nb;\nvoid serialEvent() {\nread;\n}\n");
        in.hooks.sr_found = [](Interpreter& i, std::string_view name) {
            if (name != "serialEvent" && name != "requestEvent") return false;
            i.push_level({.last_control = L_SUBR, .loop_line = i.Line, .loop_next = 1});
            i.Line = 2;
            return true;
        };
        in.panels[1].Panel.Visible = true;
        in.panels[1].IN.set_text("x");
    }
};

TEST_F(EventEntry, EntersTheRoutineBeforeTheLineAndMarksTheLevel) {
    in.Step1Click();
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(in.Line, 3);
    EXPECT_TRUE(in.serEvent);
    EXPECT_EQ(in.cs.loopx, 2);
    EXPECT_TRUE(in.cs.at(1).async);
    EXPECT_EQ(in.us, 0);
    EXPECT_EQ(in.panels[1].IN.Text(), "x");
    in.Step1Click(); // the body runs; no second entry while one is active
    EXPECT_EQ(ran, std::vector<std::string>{"read;"});
}

TEST_F(EventEntry, NeedsAVisiblePanelTextAndARoutine) {
    in.panels[1].Panel.Visible = false;
    in.Step1Click();
    in.panels[1].Panel.Visible = true;
    in.panels[1].IN.clear();
    in.Step1Click();
    EXPECT_EQ(ran, (std::vector<std::string>{"a;", "b;"}));
    in.Event = "noSuchRoutine";
    in.panels[1].IN.set_text("x");
    in.Line = 0;
    in.Step1Click();
    EXPECT_EQ(ran.back(), "a;");
}

TEST_F(EventEntry, ARequestEventEmptiesTheInputBox) {
    in.Event = "requestEvent";
    in.Step1Click();
    EXPECT_TRUE(in.serEvent);
    EXPECT_EQ(in.panels[1].IN.Text(), "");
}

TEST_F(EventEntry, NeverBindsTheLastCallsArguments) {
    in.parse("f(1, 2)", '(', ')');
    std::string seen = "unset";
    in.hooks.sr_found = [&seen](Interpreter& i, std::string_view) {
        seen = i.varx[0];
        return false;
    };
    in.Step1Click();
    EXPECT_EQ(seen, "");
}

const char* const with_call = "// Simulate Uno\n" // 0
                              "a;\n"              // 1
                              "call 5;\n"         // 2
                              "b;\n"              // 3
                              "jump 1;\n"         // 4
                              "void f() {\n"      // 5
                              "x;\n"              // 6
                              "y;\n"              // 7
                              "}\n";              // 8

TEST_F(RunControl, StepOverRunsACalledRoutineOnTheTimer) {
    load(with_call);
    in.Line = 2;
    in.StepOverClick();
    EXPECT_TRUE(in.Timer1.Enabled);
    EXPECT_EQ(in.Timer1.Interval, 10);
    EXPECT_FALSE(in.update1);
    EXPECT_EQ(in.Line, 6);
    const int ticks = ticks_until_stopped();
    EXPECT_EQ(ran, (std::vector<std::string>{"x;", "y;"}));
    EXPECT_EQ(in.Line, 3);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_TRUE(in.update1);
    EXPECT_EQ(ticks, 4); // x, y, "}", then the tick that sees the level left
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(RunControl, StepOutAtTopLevelGivesUpAfterAThousandTicks) {
    load(with_call);
    in.StepOutOfClick();
    const int ticks = ticks_until_stopped();
    EXPECT_EQ(ticks, 1000);
    EXPECT_EQ(messages(), std::vector<std::string>{"Error - unable to exit loop"});
    EXPECT_FALSE(in.step_out);
    EXPECT_EQ(in.step_outi, 0);
}

TEST_F(RunControl, LeavingTheLevelOnTheLastTickIsNoFailure) {
    load("a;\ncall 3;\nb;\nvoid f() {\nspin 999;\n}\n");
    in.Line = 1;
    in.StepOverClick(); // enters f: one step
    const int ticks = ticks_until_stopped();
    EXPECT_EQ(spins, 999);
    EXPECT_EQ(ticks, 1001); // 999 spins, the closing brace, the quiet stop
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(in.Line, 2);
}

TEST_F(RunControl, StepOutFromADeeperBlockEndsWhenThatBlockIsLeft) {
    load("a;\ncall 3;\nb;\nvoid f() {\n{\np;\nq;\n}\nr;\n}\n");
    in.Line = 1;
    in.Step1Click(); // into f
    in.Step1Click(); // "{" opens level 3
    ASSERT_EQ(in.cs.loopx, 3);
    in.StepOutOfClick();
    ticks_until_stopped();
    EXPECT_EQ(ran, (std::vector<std::string>{"p;", "q;"}));
    EXPECT_EQ(in.cs.loopx, 2);
    EXPECT_EQ(in.Line, 8);
}

TEST_F(RunControl, AnErrorInAStepOverEndsItWithoutTheLoopError) {
    load("a;\ncall 3;\nb;\nvoid f() {\nerror;\nx;\n}\n");
    in.Line = 1;
    in.StepOverClick();
    ticks_until_stopped();
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - boom"});
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_FALSE(in.step_out);
    EXPECT_EQ(in.step_outi, 0);
}

TEST_F(RunControl, AbortEndsTheStepOutAndTheNextStepOutStartsAfresh) {
    load(with_call);
    in.Line = 2;
    in.StepOverClick();
    in.tick();
    in.kStepper_Timer.Enabled = true;
    in.AbortClick();
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_FALSE(in.kStepper_Timer.Enabled);
    EXPECT_FALSE(in.step_out);
    EXPECT_EQ(in.step_outi, 0);
    EXPECT_TRUE(in.update1);
    in.StepOutOfClick();
    EXPECT_EQ(in.step_outi, in.cs.loopx);
}

TEST_F(RunControl, RunStopsBeforeTheBreakpointAndF9RunsIt) {
    load(straight);
    in.BreakLine1 = 5;
    in.BreakPoint1Click();
    in.AutoStepClick();
    EXPECT_TRUE(in.AutoStep.Checked);
    EXPECT_TRUE(in.ON_LED.Visible);
    EXPECT_EQ(in.RunButton.Hint, "Stop F9");
    EXPECT_EQ(in.RunButton.ImageIndex, 16);
    EXPECT_EQ(ran, std::vector<std::string>{"a;"}); // the first step happens at once
    ticks_until_stopped();
    EXPECT_EQ(ran, (std::vector<std::string>{"a;", "b;"}));
    EXPECT_EQ(in.Line, 5);
    EXPECT_FALSE(in.AutoStep.Checked);
    EXPECT_FALSE(in.ON_LED.Visible);
    EXPECT_EQ(in.RunButton.Hint, "Run F9");
    in.AutoStepClick();
    EXPECT_EQ(ran.back(), "c;");
    in.ClearBreakPointClick();
    EXPECT_EQ(in.BreakLine, -1);
}

TEST_F(RunControl, RunIntervalComesFromTheDelayBox) {
    load("spin 100000;\n");
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
    load(straight);
    in.AutoStepClick();
    ticks_until_stopped();
    EXPECT_EQ(in.Line, in.ListBox1.Count());
    EXPECT_FALSE(in.AutoStep.Checked);
    EXPECT_TRUE(host.errors.empty());
    in.Step1Click(); // past the end: nothing runs
    EXPECT_EQ(ran.size(), 3u);
}

TEST_F(RunControl, BackWalksUpOverCommentsAndStopsAtLineOne) {
    load("// a\n// b\n// c\nx;\ny;\n");
    in.Line = 4;
    in.BBackClick();
    EXPECT_EQ(in.Line, 3);
    in.BBackClick();
    EXPECT_EQ(in.Line, 1);
    EXPECT_EQ(in.ListBox1.ItemIndex, 1);
    in.BBackClick();
    EXPECT_EQ(in.Line, 0);
    EXPECT_TRUE(ran.empty()); // nothing is undone or run
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
    load("error;\na;\nb;\n");
    host.on_error = [this](const std::string&, const std::string&) {
        in.Timer1.Enabled = true; // a window's event loop keeps the timer firing
        in.tick();
        in.Step1Click();
        in.StepOverClick();
    };
    in.Step1Click();
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(in.Line, 1);
}

TEST_F(RunControl, BracelessCountdownNeverPopsTheTopLevel) {
    load("a;\nb;\n");
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
    load("w;\nbody;\nafter;\n");
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
