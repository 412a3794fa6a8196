// External interrupts: attach and detach, the level triggers, entering and leaving a routine
// between statements, and the LOW re-arm.
#include <string>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

class InterruptsTest : public CoreTest {
protected:
    void start(std::string_view sketch) {
        in.load_text(sketch);
        in.RestartClick();
    }
    // Steps until the cursor is on `line`; false when the limit ran out.
    bool step_to(int32_t line, int limit = 50) {
        for (int i = 0; i < limit && in.Line != line; ++i) in.Step1Click();
        return in.Line == line;
    }
    // Steps until every routine has returned.
    void unwind(int limit = 200) {
        for (int i = 0; i < limit && in.cs.loopx > 1; ++i) in.Step1Click();
    }
    // A click on a pin's level shape.
    void click(int32_t pin) { in.pinio.LD0MouseDown(pin); }
    int32_t value(std::string_view name) { return in.get_var(name); }
};

// Line numbers in the comments.
const char* const change_sketch = "int count = 0;\n"                       // 0
                                  "int hits = 0;\n"                        // 1
                                  "void blink() {\n"                       // 2
                                  "  hits = hits + 1;\n"                   // 3
                                  "}\n"                                    // 4
                                  "void setup() {\n"                       // 5
                                  "  attachInterrupt(0, blink, CHANGE);\n" // 6
                                  "}\n"                                    // 7
                                  "void loop() {\n"                        // 8
                                  "  count = count + 1;\n"                 // 9
                                  "}\n";                                   // 10

TEST_F(InterruptsTest, AttachAndDetachCheckTheirArguments) {
    start("void isr() {\n}\nvoid setup() {\n  int x = 0;\n}\nvoid loop() {\n}\n");
    in.evaluate_expression("attachInterrupt(2, isr, CHANGE);");
    in.evaluate_expression("attachInterrupt(-1, isr, CHANGE);");
    in.evaluate_expression("attachInterrupt(0, isr);");
    in.evaluate_expression("attachInterrupt(0);"); // accepted, nothing stored
    in.evaluate_expression("detachInterrupt(0, 1);");
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Sketch Error - attachInterrupt pin must be 0-1 not 2",
                              "Sketch Error - attachInterrupt pin must be 0-1 not -1",
                              "Sketch Error - attachInterrupt needs 1 or3 parameters - not 2",
                              "Sketch Error - detachInterrupt needs 1 parameter - not 2",
                          }));
    EXPECT_EQ(in.interrupts.int_type[0], "xyz 9");
    EXPECT_EQ(in.interrupts.int_routine[0], "");

    host.errors.clear();
    in.evaluate_expression("int n = 1;");
    in.evaluate_expression("attachInterrupt(n - 1, isr, FALLING);");
    EXPECT_EQ(in.interrupts.int_type[0], "FALLING");
    EXPECT_EQ(in.interrupts.int_routine[0], "isr");
    in.evaluate_expression("attachInterrupt(1 / 0, other, LOW);"); // a faulting number attaches nothing
    in.evaluate_expression("detachInterrupt(nowhere);");
    EXPECT_EQ(in.interrupts.int_type[0], "FALLING");
    EXPECT_EQ(messages().size(), 2u);
    host.errors.clear();
    in.evaluate_expression("detachInterrupt(0);");
    EXPECT_EQ(in.interrupts.int_type[0], "xyz 8");
    EXPECT_EQ(in.interrupts.int_routine[0], "xyz 9");
    EXPECT_TRUE(messages().empty());

    // The Mega has six interrupts, but only 0 and 1 can be detached.
    in.board.Mega1Click();
    in.evaluate_expression("attachInterrupt(5, isr, RISING);");
    EXPECT_EQ(in.interrupts.int_type[5], "RISING");
    in.evaluate_expression("attachInterrupt(6, isr, RISING);");
    in.evaluate_expression("detachInterrupt(3);");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - attachInterrupt pin must be 0-5 not 6",
                                                    "Sketch Error - detachInterrupt pin must be 0 or 1 not 3"}));
}

TEST_F(InterruptsTest, TriggersTestThePresentLevel) {
    start("int hits = 0;\nvoid isr() {\n  hits = hits + 1;\n}\nvoid setup() {\n  int x = 0;\n}\nvoid loop() {\n}\n");
    const int32_t here = in.Line;
    auto fired = [&](const char* mode, int32_t pin_level) {
        in.interrupts.int_type[1] = mode;
        in.interrupts.int_routine[1] = "isr";
        if (in.board.is_high(1) != (pin_level != 0)) in.board.toggle(1);
        in.interrupts.check_int(1);
        const bool entered = in.cs.loopx > 1;
        in.cs.reset(); // back to the top level without running the routine
        in.Line = here;
        return entered;
    };
    EXPECT_FALSE(fired("RISING", 0));
    EXPECT_TRUE(fired("RISING", 1));
    EXPECT_TRUE(fired("FALLING", 0));
    EXPECT_FALSE(fired("FALLING", 1));
    EXPECT_TRUE(fired("LOW", 0));
    EXPECT_FALSE(fired("LOW", 1));
    EXPECT_TRUE(fired("CHANGE", 0));
    EXPECT_TRUE(fired("CHANGE", 1));
    EXPECT_FALSE(fired("change", 1)); // the mode text is compared exactly
    EXPECT_FALSE(fired("xyz 9", 1));
    in.interrupts.check_int(6); // no such interrupt
    in.interrupts.check_int(-1);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(InterruptsTest, ClickRunsTheRoutineThenTheInterruptedLineOnce) {
    start(change_sketch);
    ASSERT_TRUE(step_to(9));
    click(0);
    EXPECT_EQ(in.Line, 3); // the line after the routine's header
    EXPECT_EQ(in.cs.loopx, 2);
    in.Step1Click();
    EXPECT_EQ(value("hits"), 1);
    in.Step1Click(); // the closing brace returns to the interrupted line, not past it
    EXPECT_EQ(in.Line, 9);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(value("count"), 0);
    in.Step1Click();
    EXPECT_EQ(value("count"), 1);
    click(0); // the pin goes low again: CHANGE fires on every click
    EXPECT_EQ(in.cs.loopx, 2);
    unwind();
    EXPECT_EQ(value("hits"), 2);
    // A pin that is not an interrupt pin fires nothing.
    click(2);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(InterruptsTest, NoInterruptsHoldsClicksAndLevels) {
    start("int hits = 0;\nvoid isr() {\n  hits = hits + 1;\n}\nvoid setup() {\n  noInterrupts();\n"
          "  attachInterrupt(0, isr, CHANGE);\n  attachInterrupt(1, isr, LOW);\n  hits = 0;\n  interrupts();\n"
          "  hits = hits;\n}\nvoid loop() {\n}\n");
    ASSERT_TRUE(step_to(8)); // «hits = 0;»: noInterrupts() has run
    EXPECT_FALSE(in.interrupts.allow_interrupts);
    click(0);
    in.Step1Click(); // pin 1 is low: the LOW check would fire here
    EXPECT_EQ(in.cs.loopx, 1);
    in.Step1Click(); // interrupts()
    EXPECT_TRUE(in.interrupts.allow_interrupts);
    in.Step1Click(); // the LOW level fires before «hits = hits;»
    EXPECT_EQ(in.cs.loopx, 2);
    EXPECT_EQ(value("hits"), 1);
}

TEST_F(InterruptsTest, LowLevelFiresAgainAfterTheRoutineEnds) {
    start("int hits = 0;\n"                       // 0
          "int after = 0;\n"                      // 1
          "void low_isr() {\n"                    // 2
          "  hits = hits + 1;\n"                  // 3
          "}\n"                                   // 4
          "void setup() {\n"                      // 5
          "  attachInterrupt(0, low_isr, LOW);\n" // 6
          "}\n"                                   // 7
          "void loop() {\n"                       // 8
          "  if (hits > 0) {\n"                   // 9
          "    after = after + 1;\n"              // 10
          "  }\n"                                 // 11
          "}\n");                                 // 12
    in.Step1Click();                              // attach
    in.Step1Click(); // pin 0 is low: fires before setup()'s "}" and runs the routine's first line
    EXPECT_EQ(value("hits"), 1);
    EXPECT_EQ(in.cs.loopx, 2);
    in.Step1Click(); // the routine's "}"
    EXPECT_EQ(in.Line, 7);
    in.Step1Click(); // fires again while the pin stays low
    EXPECT_EQ(value("hits"), 2);
    in.Step1Click();
    click(0); // high: no more
    in.Step1Click();
    EXPECT_EQ(value("hits"), 2);
    ASSERT_TRUE(step_to(10));
    EXPECT_EQ(in.cs.loopx, 2);
    in.board.toggle(0); // low again inside the if block, set without a click (which would fire)
    const int32_t hits = value("hits");
    in.Step1Click(); // deeper than where it last fired: the block's line runs
    EXPECT_EQ(value("hits"), hits);
    EXPECT_EQ(value("after"), 1);
    in.Step1Click(); // the block's "}" re-arms the level below
    in.Step1Click(); // fires before loop()'s "}"
    EXPECT_EQ(value("hits"), hits + 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(InterruptsTest, MegaInterruptsTwoToFiveAndReset) {
    start("// Simulate Mega\n"
          "int hits = 0;\n"
          "void isr() {\n"
          "  hits = hits + 1;\n"
          "}\n"
          "void setup() {\n"
          "  attachInterrupt(2, isr, LOW);\n"
          "  attachInterrupt(5, isr, CHANGE);\n"
          "  int x = 0;\n"
          "}\n"
          "void loop() {\n"
          "}\n");
    EXPECT_EQ(in.board.maxInt, 5);
    in.Step1Click(); // attach 2: pin 21 is low
    in.Step1Click(); // fires before the second attach runs
    EXPECT_EQ(in.cs.loopx, 2);
    unwind();
    EXPECT_EQ(value("hits"), 1);
    in.interrupts.int_type[2] = "xyz 9"; // stop the level
    in.Step1Click();
    click(18); // pin 18 is interrupt 5
    EXPECT_EQ(in.cs.loopx, 2);
    unwind();
    EXPECT_EQ(value("hits"), 2);

    in.RestartClick();
    for (size_t n = 0; n < max_interrupts; ++n) {
        EXPECT_EQ(in.interrupts.int_type[n], "xyz 9") << n;
        EXPECT_EQ(in.interrupts.int_routine[n], "") << n;
        EXPECT_EQ(in.interrupts.int_loopx[n], 10) << n;
    }
    EXPECT_TRUE(in.interrupts.allow_interrupts);
}

TEST_F(InterruptsTest, NestedClicksStopAtTheFrameLimit) {
    start(change_sketch);
    ASSERT_TRUE(step_to(9));
    for (int i = 0; i < 30; ++i) click(0);
    EXPECT_LE(in.cs.loopx, Calls::max_depth + 1);
    EXPECT_EQ(messages().size(), static_cast<size_t>(30 - Calls::max_depth));
    EXPECT_EQ(messages().front(), "Sketch Error - calls nested too deeply: blink");
    EXPECT_EQ(in.Line, 3);
    host.errors.clear();
    unwind(400);
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(in.Line, 9);
    EXPECT_EQ(value("hits"), Calls::max_depth);
    EXPECT_TRUE(messages().empty());
}

TEST_F(InterruptsTest, RoutineLeavesTheInterruptedCallsStateAlone) {
    start("int y = 0;\n"                         // 0
          "int got = 7;\n"                       // 1
          "void isr(int a) {\n"                  // 2
          "  got = a;\n"                         // 3
          "}\n"                                  // 4
          "int f(int v) {\n"                     // 5
          "  return v;\n"                        // 6
          "}\n"                                  // 7
          "void setup() {\n"                     // 8
          "  attachInterrupt(0, isr, CHANGE);\n" // 9
          "  y = f(5);\n"                        // 10
          "}\n"                                  // 11
          "void loop() {\n"                      // 12
          "}\n");                                // 13
    ASSERT_TRUE(step_to(6));
    in.Step1Click(); // f's return has recorded 5 and waits at its "}"
    ASSERT_EQ(in.Line, 7);
    click(0);
    EXPECT_EQ(in.cs.loopx, 3);
    in.Step1Click();
    EXPECT_EQ(value("got"), 0); // a parameter of a routine gets 0, not f's argument
    in.Step1Click();            // the routine's "}"
    EXPECT_EQ(in.Line, 7);
    in.Step1Click(); // f's "}" still delivers its value
    EXPECT_EQ(in.cs.loopx, 1);
    EXPECT_EQ(value("y"), 5);
    EXPECT_TRUE(messages().empty());
}

TEST_F(InterruptsTest, OneLineAndUnknownRoutines) {
    start("int hits = 0;\n"
          "int count = 0;\n"
          "void isr() { hits = hits + 1; }\n"
          "void setup() {\n"
          "  attachInterrupt(0, isr, CHANGE);\n"
          "  attachInterrupt(1, missing, CHANGE);\n"
          "}\n"
          "void loop() {\n"
          "  count = count + 1;\n"
          "}\n");
    ASSERT_TRUE(step_to(8));
    click(1); // no such routine: nothing happens
    EXPECT_EQ(in.Line, 8);
    EXPECT_EQ(in.cs.loopx, 1);
    click(0);
    unwind();
    EXPECT_EQ(value("hits"), 1);
    EXPECT_EQ(in.Line, 8);
    EXPECT_EQ(value("count"), 0);
    in.Step1Click();
    EXPECT_EQ(value("count"), 1);
    EXPECT_TRUE(messages().empty());
}

} // namespace
} // namespace quorvex::test
