// Blocks, conditionals, switch and goto, driven step by step as the workbench steps a sketch:
// the control stack and the state behind the flow that no transcript shows. The values, errors,
// lines and levels of these sketches are in tests/sketches/flow_*.expected; loops are in
// control_loops_test.cpp.
#include <string>
#include <vector>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

// --- the control stack ---------------------------------------------------------------------

TEST_F(Flow, OneLineWhileLeavesTheDepthAsItWas) {
    load_sketch("loops_while");
    const int32_t w = line_of("while (p < 3) p++;");
    ASSERT_TRUE(step_to(w));
    for (int pass = 1; pass <= 3; ++pass) {
        in.Step1Click();
        EXPECT_EQ(var("p"), pass);
        EXPECT_EQ(in.Line, w) << "the line runs again while the condition holds";
        EXPECT_EQ(in.single_loop, 0);
    }
}

TEST_F(Flow, BusyWaitKeepsTheDepthFor300Steps) {
    load("int f = 0;\n"
         "void setup() {\n"
         "  while (f == 0);\n"
         "  f = 2;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    const int32_t w = line_of("while (f == 0);");
    ASSERT_EQ(in.Line, w);
    for (int i = 0; i < 300; ++i) {
        in.Step1Click();
        ASSERT_EQ(depth(), 1) << "step " << i;
        ASSERT_EQ(in.Line, w) << "step " << i;
    }
    EXPECT_EQ(in.single_loop, 0);
    in.set_var("f", 1); // as a pin or an interrupt would
    steps(2);
    EXPECT_EQ(var("f"), 2);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, DepthAndForSlotsComeBackAfter250PassesWithBreak) {
    load("int hits = 0;\n"
         "int passes = 0;\n"
         "void setup() {\n"
         "}\n"
         "void loop() {\n"
         "  for (int i = 0; i < 3; i++) {\n"
         "    for (int j = 0; j < 5; j++) {\n"
         "      if (j == 2) {\n"
         "        break;\n"
         "      }\n"
         "      hits++;\n"
         "    }\n"
         "  }\n"
         "  passes++;\n"
         "}\n");
    finish_setup();
    const int32_t end = line_of("passes++;");
    for (int pass = 1; pass <= 250; ++pass) {
        ASSERT_TRUE(step_to(end)) << "pass " << pass;
        EXPECT_EQ(depth(), 1) << "pass " << pass;
        EXPECT_EQ(in.flow.forx, 0) << "pass " << pass;
    }
    EXPECT_EQ(var("hits"), 250 * 3 * 2);
    EXPECT_EQ(var("passes"), 249);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, ForLevelsOwnTheirSlots) {
    load("void setup() {\n"
         "  for (int i = 0; i < 2; i++) {\n"
         "    for (int j = 0; j < 2; j++) {\n"
         "      i = i;\n"
         "    }\n"
         "  }\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("i = i;")));
    EXPECT_EQ(depth(), 3);
    EXPECT_EQ(in.flow.forx, 2);
    EXPECT_EQ(in.cs.at(1).last_control, L_FOR);
    EXPECT_EQ(in.cs.at(1).forx, 1);
    EXPECT_EQ(in.cs.at(2).forx, 2);
    EXPECT_TRUE(in.cs.at(1).braced);
    // An unwind gives back the slots of the for levels it leaves.
    in.flow.unwind_to(2);
    EXPECT_EQ(depth(), 2);
    EXPECT_EQ(in.flow.forx, 1);
    in.flow.unwind_to(0);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_FALSE(in.flow.pop_level()) << "nothing pops below level 1";
}

TEST_F(Flow, TooDeepNestingIsAnErrorNotAWrite) {
    std::string text = "int x = 0;\nvoid setup() {\n";
    for (int i = 0; i < 205; ++i) text += "if (x == 0) {\n";
    text += "x = 1;\n";
    for (int i = 0; i < 205; ++i) text += "}\n";
    text += "}\nvoid loop() {\n}\n";
    load(text);
    steps(210);
    EXPECT_LE(depth(), MAX_LOOP);
    ASSERT_FALSE(host.errors.empty());
    EXPECT_EQ(host.errors.front().message, "Sketch Error - Blocks nested too deeply");
}

// --- brace-less bodies: the countdown ends with the body ---------------------------------------

TEST_F(Flow, BracelessIfAndElse) {
    load_sketch("flow_if_allman_braceless");
    ASSERT_TRUE(step_to(line_of("p = p + 100;")));
    EXPECT_EQ(var("p"), 11);
    EXPECT_EQ(in.single_loop, 0);
}

TEST_F(Flow, GotoOutOfABracelessBodyClosesIt) {
    load_sketch("flow_goto");
    ASSERT_TRUE(step_to(line_of("z = 7;"), 20));
    EXPECT_EQ(in.single_loop, 0);
}

// A brace-less body that calls a subroutine: the countdown waits for the return.
TEST_F(Flow, BracelessBodiesThatCall) {
    load_sketch("flow_braceless_calls");
    ASSERT_TRUE(step_to(line_of("n = n + 100;"), 200));
    EXPECT_EQ(var("n"), 6);
    EXPECT_EQ(in.single_loop, 0);
    EXPECT_EQ(in.flow.forx, 0);
}

// --- setup() to loop() -----------------------------------------------------------------------

TEST_F(Flow, SetupWalksToLoopPastFunctionsAndKeepsGlobals) {
    load_sketch("flow_setup_to_loop");
    ASSERT_TRUE(in.flow.insetup);
    ASSERT_TRUE(step_to(line_of("void loop() {")));
    EXPECT_TRUE(in.flow.inloop);
    EXPECT_FALSE(in.flow.insetup);
}

// --- scans that reach the end of the sketch ---------------------------------------------------

// A header that cannot be read on its line is reported with the line; nothing is pushed, and
// the cursor stays on it, also inside an open block and inside a do loop's closing line.
TEST_F(Flow, HeadersThatDoNotCloseOnTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"if (x > 3 {", "Sketch Error - if ( ) must close on its line: if (x > 3 {"},
        {"if x > 3 {", "Sketch Error - if ( ) must close on its line: if x > 3 {"},
        {"while (x < 3 &&", "Sketch Error - while ( ) must close on its line: while (x < 3 &&"},
        {"for (x = 0; x < 3) {", "Sketch Error - for ( ) must hold two ; on its line: for (x = 0; x < 3) {"},
        {"for (x = 0; x < 3; x++ {", "Sketch Error - for ( ) must close on its line: for (x = 0; x < 3; x++ {"},
        {"switch (x {", "Sketch Error - switch ( ) must close on its line: switch (x {"},
        {"} while (x < 3;", "Sketch Error - while ( ) must close on its line: } while (x < 3;"},
    };
    for (const auto& [header, message] : cases) {
        load(std::string("int x = 0;\n"
                         "void setup() {\n"
                         "  while (x == 0) {\n"
                         "    do {\n"
                         "      x = 5;\n  ") +
             header + "\n      x = 7;\n    }\n  }\n}\nvoid loop() {\n}\n");
        const int32_t at = line_of(header);
        ASSERT_TRUE(step_to(at, 10)) << header;
        const int32_t levels = depth();
        host.errors.clear();
        for (int i = 0; i < 2; ++i) {
            in.Step1Click();
            EXPECT_EQ(in.Line, at) << header;
            EXPECT_EQ(depth(), levels) << header;
        }
        EXPECT_EQ(messages(), (std::vector<std::string>{message, message}));
        EXPECT_EQ(var("x"), 5) << header;
    }
}

// Hostile control text: bounded steps end in at most sketch errors, never a crash or a hang
// inside one step, and the stack stays inside its table.
TEST_F(Flow, HostileControlTextStaysInBounds) {
    std::string deep_if;
    for (int i = 0; i < 5000; ++i) deep_if += "if (1) ";
    deep_if += "x++;";
    std::string else_chain;
    for (int i = 0; i < 300; ++i) else_chain += "} else if (x == " + std::to_string(i) + ") {\n";
    std::string do_chain;
    for (int i = 0; i < 3000; ++i) do_chain += "do ";
    do_chain += "x++; while (0);";
    const std::vector<std::string> bodies = {
        deep_if,
        "if (x == 99) {\n" + else_chain + "}\n",
        do_chain,
        "while (1) {\n",
        "for (;;)\n",
        "switch (x) { case 1: x = 2; }\n",
        "switch (x) {\ncase 1:\n",
        "}\n} else {\n}\n}\n",
        "break;\ncontinue;\ngoto;\ngoto x y;\n",
        "if (x == 5) {\n",
        "else\nelse {\n} else x++;\n",
        "for (int i = 0; i < 3; i++) for (int j = 0; j < 3; j++) x++;\n",
        "while ((((x < 3) x++;\n",
        "do {\n} while (((;\n",
    };
    for (const std::string& body : bodies) {
        load("int x = 0;\nvoid loop() {\n}\nvoid setup() {\n" + body + "\n");
        for (int i = 0; i < 300 && in.Line < in.ListBox1.Count(); ++i) {
            in.Step1Click();
            ASSERT_GE(depth(), 1);
            ASSERT_LE(depth(), MAX_LOOP);
            ASSERT_GE(in.flow.forx, 0);
            ASSERT_LE(in.flow.forx, MAX_LOOP);
        }
        for (const auto& e : host.errors) {
            const std::string& m = e.message;
            EXPECT_TRUE(m.starts_with("Sketch Error - ") || m.starts_with("Unknown command: ") ||
                        m.starts_with("Cannot Evaluate ") || m.starts_with("Cannot process >> "))
                << m;
        }
        host.errors.clear();
    }
}

// --- reset -----------------------------------------------------------------------------------

TEST_F(Flow, ResetClearsTheFlowState) {
    load("void setup() {\n"
         "  for (int i = 0; i < 3; i++) {\n"
         "    while (1) {\n"
         "      i = i;\n"
         "    }\n"
         "  }\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    steps(4);
    ASSERT_GT(depth(), 1);
    ASSERT_GT(in.flow.forx, 0);
    in.RestartClick();
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_TRUE(in.flow.insetup);
    EXPECT_FALSE(in.flow.inloop);
    EXPECT_EQ(in.single_loop, 0);
    EXPECT_EQ(in.rbr_found, 0);
}

} // namespace
} // namespace quorvex::test
