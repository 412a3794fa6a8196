// Blocks, conditionals, switch and goto, driven step by step as the workbench steps a sketch:
// the control stack, the flow of each control word, and the scans that reach the end of the
// sketch. Loops are in control_loops_test.cpp.
#include <string>
#include <vector>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

// --- the control stack ---------------------------------------------------------------------

TEST_F(Flow, OneLineWhileLeavesTheDepthAsItWas) {
    load("int i = 0;\n"
         "void setup() {\n"
         "  while (i < 3) i++;\n"
         "  i = i + 10;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    const int32_t w = line_of("while (i < 3) i++;");
    ASSERT_EQ(in.Line, w);
    for (int pass = 1; pass <= 3; ++pass) {
        in.Step1Click();
        EXPECT_EQ(var("i"), pass);
        EXPECT_EQ(in.Line, w) << "the line runs again while the condition holds";
        EXPECT_EQ(depth(), 1);
        EXPECT_EQ(in.single_loop, 0);
    }
    in.Step1Click(); // false: on to the next line
    EXPECT_EQ(in.Line, w + 1);
    in.Step1Click();
    EXPECT_EQ(var("i"), 13);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty());
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

// --- if and else ---------------------------------------------------------------------------

TEST_F(Flow, OneLineIfRunsItsStatementAndPushesNothing) {
    load("int x = 5;\n"
         "int y = 0;\n"
         "int z = 0;\n"
         "float f = 0.5;\n"
         "int w = 0;\n"
         "void setup() {\n"
         "  if (x > 3) y = 1;\n"
         "  x = -1;\n"
         "  if (x) z = 1;\n"
         "  if (f) w = 1;\n"
         "  if (x > 3) y = 7;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    steps(5);
    EXPECT_EQ(var("y"), 1);
    EXPECT_EQ(var("z"), 1) << "any non-zero value is true, a negative one too";
    EXPECT_EQ(var("w"), 1) << "a float is tested by its float value";
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, InlineBodyStartsAfterTheBracketThatClosesTheCondition) {
    load("int n = 0;\n"
         "int a = 2;\n"
         "void setup() {\n"
         "  if ((a + 1) == 3) n++;\n"
         "  if ((a * (a + 1)) == 6) { n = n + 10; }\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    steps(2);
    EXPECT_EQ(var("n"), 11);
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, IfElseBlocks) {
    const char* const sketch = "int c = 1;\n"
                               "int a = 0;\n"
                               "int b = 0;\n"
                               "void setup() {\n"
                               "  if (c) {\n"
                               "    a = 1;\n"
                               "  } else {\n"
                               "    b = 1;\n"
                               "  }\n"
                               "  a = a + 10;\n"
                               "}\n"
                               "void loop() {\n"
                               "}\n";
    load(sketch);
    ASSERT_TRUE(step_to(line_of("a = a + 10;")));
    EXPECT_EQ(var("a"), 1);
    EXPECT_EQ(var("b"), 0);
    EXPECT_EQ(depth(), 1);

    load(std::string(sketch).replace(std::string(sketch).find("c = 1"), 5, "c = 0"));
    ASSERT_TRUE(step_to(line_of("a = a + 10;")));
    EXPECT_EQ(var("a"), 0);
    EXPECT_EQ(var("b"), 1);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, ElseIfChains) {
    const std::string sketch = "int v = 0;\n"
                               "int r = 0;\n"
                               "void setup() {\n"
                               "  if (v == 1) {\n"
                               "    r = 1;\n"
                               "  } else if (v == 2) {\n"
                               "    r = 2;\n"
                               "  } else if (v == 3) {\n"
                               "    r = 3;\n"
                               "  } else {\n"
                               "    r = 4;\n"
                               "  }\n"
                               "  r = r * 10;\n"
                               "}\n"
                               "void loop() {\n"
                               "}\n";
    for (int v = 1; v <= 4; ++v) {
        std::string text = sketch;
        text.replace(text.find("v = 0"), 5, "v = " + std::to_string(v));
        load(text);
        ASSERT_TRUE(step_to(line_of("r = r * 10;"))) << v;
        steps(1);
        EXPECT_EQ(var("r"), v * 10) << v;
        EXPECT_EQ(depth(), 1) << v;
    }
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, ElseBlockOnOneLineIsNoElseIf) {
    load("int c = 0;\n"
         "int n = 0;\n"
         "void setup() {\n"
         "  if (c) {\n"
         "    n = 1;\n"
         "  } else { n = 7; }\n"
         "  n = n + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("n = n + 100;")));
    EXPECT_EQ(var("n"), 7);
    EXPECT_EQ(depth(), 1);
    steps(1);
    EXPECT_EQ(var("n"), 107);
}

TEST_F(Flow, AllmanIfElse) {
    const std::string sketch = "int c = 1;\n"
                               "int a = 0;\n"
                               "int b = 0;\n"
                               "void setup()\n"
                               "{\n"
                               "  if (c)\n"
                               "  {\n"
                               "    a = 1;\n"
                               "    a = a + 1;\n"
                               "  }\n"
                               "  else\n"
                               "  {\n"
                               "    b = 1;\n"
                               "    b = b + 1;\n"
                               "  }\n"
                               "  a = a + 10;\n"
                               "}\n"
                               "void loop()\n"
                               "{\n"
                               "}\n";
    load(sketch);
    ASSERT_TRUE(step_to(line_of("a = a + 10;")));
    EXPECT_EQ(var("a"), 2);
    EXPECT_EQ(var("b"), 0);
    EXPECT_EQ(depth(), 1);

    std::string other = sketch;
    other.replace(other.find("c = 1"), 5, "c = 0");
    load(other);
    ASSERT_TRUE(step_to(line_of("a = a + 10;")));
    EXPECT_EQ(var("a"), 0);
    EXPECT_EQ(var("b"), 2);
    EXPECT_EQ(depth(), 1) << "the else block's \"}\" closes the level the else reopened";
    finish_setup();
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, BracelessIfAndElse) {
    const std::string sketch = "int c = 0;\n"
                               "int a = 0;\n"
                               "int b = 0;\n"
                               "void setup() {\n"
                               "  if (c)\n"
                               "    a = 1;\n"
                               "  b = 2;\n"
                               "  if (c)\n"
                               "    a = a + 10;\n"
                               "  else\n"
                               "    b = b + 10;\n"
                               "  a = a + 100;\n"
                               "}\n"
                               "void loop() {\n"
                               "}\n";
    load(sketch);
    ASSERT_TRUE(step_to(line_of("a = a + 100;")));
    EXPECT_EQ(var("a"), 0);
    EXPECT_EQ(var("b"), 12);
    EXPECT_EQ(depth(), 1);

    std::string taken = sketch;
    taken.replace(taken.find("c = 0"), 5, "c = 1");
    load(taken);
    ASSERT_TRUE(step_to(line_of("a = a + 100;")));
    EXPECT_EQ(var("a"), 11);
    EXPECT_EQ(var("b"), 2);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.single_loop, 0);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, InlineElse) {
    const std::string sketch = "int c = 1;\n"
                               "int a = 0;\n"
                               "int x = 0;\n"
                               "int y = 0;\n"
                               "void setup() {\n"
                               "  if (c) a = 1; else a = 2;\n"
                               "  if (c) {\n"
                               "    y = 5;\n"
                               "  } else x = 2;\n"
                               "  if (c == 0) y = y + 1;\n"
                               "  else y = y + 10;\n"
                               "  if (c) { x = x + 100; } else { x = x + 1000; }\n"
                               "  a = a + 10;\n"
                               "}\n"
                               "void loop() {\n"
                               "}\n";
    load(sketch);
    ASSERT_TRUE(step_to(line_of("a = a + 10;")));
    EXPECT_EQ(var("a"), 1);
    EXPECT_EQ(var("x"), 100);
    EXPECT_EQ(var("y"), 15);
    EXPECT_EQ(depth(), 1);

    std::string other = sketch;
    other.replace(other.find("c = 1"), 5, "c = 0");
    load(other);
    ASSERT_TRUE(step_to(line_of("a = a + 10;")));
    EXPECT_EQ(var("a"), 2);
    EXPECT_EQ(var("x"), 1002) << "«} else x = 2;» runs its statement";
    EXPECT_EQ(var("y"), 1);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

// --- switch ----------------------------------------------------------------------------------

const char* const switch_sketch = "int n = 2;\n"
                                  "int r = 0;\n"
                                  "void setup() {\n"
                                  "  switch (n) {\n"
                                  "    case 1:\n"
                                  "      r = 1;\n"
                                  "      break;\n"
                                  "    case 2:\n"
                                  "      r = 2;\n"
                                  "      break;\n"
                                  "    case 3: r = 3; break;\n"
                                  "    default:\n"
                                  "      r = 9;\n"
                                  "  }\n"
                                  "  r = r + 100;\n"
                                  "}\n"
                                  "void loop() {\n"
                                  "}\n";

TEST_F(Flow, SwitchGoesToTheMatchingCase) {
    for (const auto& [n, r] : std::vector<std::pair<int, int>>{{1, 101}, {2, 102}, {3, 103}, {7, 109}}) {
        std::string text = switch_sketch;
        text.replace(text.find("n = 2"), 5, "n = " + std::to_string(n));
        load(text);
        ASSERT_TRUE(step_to(line_of("r = r + 100;"), 100)) << n;
        steps(1);
        EXPECT_EQ(var("r"), r) << n;
        EXPECT_EQ(depth(), 1) << n;
    }
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, SeveralLabelsOnOneLine) {
    for (const auto& [n, r] : std::vector<std::pair<int, int>>{{1, 110}, {2, 110}, {3, 120}, {4, 130}}) {
        std::string text = "int n = 0;\n"
                           "int r = 0;\n"
                           "void setup() {\n"
                           "  switch (n) {\n"
                           "    case 1: case 2: r = 10; break;\n"
                           "    case 3:\n"
                           "      r = 20;\n"
                           "      break;\n"
                           "    default: r = 30;\n"
                           "  }\n"
                           "  r = r + 100;\n"
                           "}\n"
                           "void loop() {\n"
                           "}\n";
        text.replace(text.find("n = 0"), 5, "n = " + std::to_string(n));
        load(text);
        ASSERT_TRUE(step_to(line_of("r = r + 100;"), 100)) << n;
        steps(1);
        EXPECT_EQ(var("r"), r) << n;
        EXPECT_EQ(depth(), 1) << n;
    }
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, SwitchWithoutMatchStopsOnItsBrace) {
    load("int n = 5;\n"
         "int r = 0;\n"
         "void setup()\n"
         "{\n"
         "  switch (n)\n"
         "  {\n"
         "    case 1:\n"
         "      r = 1;\n"
         "      break;\n"
         "  }\n"
         "  r = r + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    const int32_t brace = line_of("r = r + 100;") - 1;
    ASSERT_TRUE(step_to(line_of("switch (n)")));
    in.Step1Click();
    EXPECT_EQ(in.Line, brace);
    EXPECT_EQ(depth(), 2);
    in.Step1Click();
    EXPECT_EQ(depth(), 1);
    in.Step1Click();
    EXPECT_EQ(var("r"), 100);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, SwitchCaseTokensAndNestedBlocks) {
    load("int n = 3;\n"
         "int r = 0;\n"
         "int showcase = 0;\n"
         "int defaultValue = 0;\n"
         "void setup() {\n"
         "  switch (n) {\n"
         "    case 1:\n"
         "      if (r == 0) {\n"
         "        showcase = 1;\n"
         "      }\n"
         "      switch (r) {\n"
         "        case 3:\n"
         "          r = 50;\n"
         "          break;\n"
         "        default:\n"
         "          r = 60;\n"
         "      }\n"
         "      defaultValue = 4;\n"
         "      break;\n"
         "    case 3: {\n"
         "      r = 3;\n"
         "      break;\n"
         "    }\n"
         "    default:\n"
         "      r = 9;\n"
         "  }\n"
         "  r = r + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("r = r + 100;"), 100));
    steps(1);
    EXPECT_EQ(var("r"), 103);
    EXPECT_EQ(var("showcase"), 0);
    EXPECT_EQ(var("defaultValue"), 0) << "cases count only directly inside the switch, at a line's start";
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, SwitchWithoutBraceIsAnErrorAndPops) {
    load("int n = 1;\n"
         "void setup() {\n"
         "  switch (n)\n"
         "    n = 2;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    in.Step1Click();
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Error - no opening bracket for switch {"});
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, BreakInsideALoopInsideASwitch) {
    load("int n = 1;\n"
         "int i = 0;\n"
         "int r = 0;\n"
         "void setup() {\n"
         "  switch (n) {\n"
         "    case 1:\n"
         "      while (1) {\n"
         "        i++;\n"
         "        if (i == 3) break;\n"
         "      }\n"
         "      r = i;\n"
         "      break;\n"
         "  }\n"
         "  r = r + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("r = r + 100;"), 100));
    steps(1);
    EXPECT_EQ(var("r"), 103);
    EXPECT_EQ(depth(), 1);
}

// --- goto ------------------------------------------------------------------------------------

TEST_F(Flow, GotoJumpsToItsLabel) {
    load("int x = 0;\n"
         "void setup() {\n"
         "  x = 1;\n"
         "  goto done;\n"
         "  x = 2;\n"
         "done:\n"
         "  x = x + 10;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("x = x + 10;")));
    steps(1);
    EXPECT_EQ(var("x"), 11);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, GotoToAMissingLabelStaysPut) {
    load("int x = 0;\n"
         "void setup() {\n"
         "  goto nowhere;\n"
         "  x = 2;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    const int32_t at = in.Line;
    in.Step1Click();
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - label not found: nowhere"});
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors.front().line_text, "  goto nowhere;") << "the error names the goto line";
    EXPECT_EQ(in.Line, at + 1) << "the cursor is not sent past the end; the step goes on";
}

TEST_F(Flow, GotoOutOfABracelessBodyClosesIt) {
    load("int x = 0;\n"
         "void setup() {\n"
         "  while (x < 100)\n"
         "    goto out;\n"
         "out:\n"
         "  x = 7;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("x = 7;"), 20));
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.single_loop, 0);
}

TEST_F(Flow, GotoKeepsLevelsUntilTheFunctionEnds) {
    load("int x = 0;\n"
         "int passes = 0;\n"
         "void setup() {\n"
         "}\n"
         "void loop() {\n"
         "  while (1) {\n"
         "    x++;\n"
         "    if (x % 3 == 0) goto out;\n"
         "  }\n"
         "out:\n"
         "  passes++;\n"
         "}\n");
    finish_setup();
    const int32_t after = line_of("passes++;");
    for (int pass = 1; pass <= 5; ++pass) {
        ASSERT_TRUE(step_to(after, 100)) << pass;
        EXPECT_EQ(depth(), 2) << "goto keeps the while level";
        ASSERT_TRUE(step_to(line_of("void loop() {") + 1, 100)) << pass;
        EXPECT_EQ(depth(), 1) << "loop()'s closing brace leaves what was left open";
    }
    EXPECT_EQ(var("passes"), 5);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

// --- words and calls -------------------------------------------------------------------------

TEST_F(Flow, ControlWordsNeedAWordBoundary) {
    load("int doCount = 0;\n"
         "int breakTime = 0;\n"
         "int format = 0;\n"
         "int iffy = 0;\n"
         "int elsewhere = 0;\n"
         "int gotoCount = 0;\n"
         "void setup() {\n"
         "  doCount++;\n"
         "  breakTime++;\n"
         "  format = 3;\n"
         "  iffy = 2;\n"
         "  elsewhere = 4;\n"
         "  gotoCount = 5;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    finish_setup();
    EXPECT_EQ(var("doCount"), 1);
    EXPECT_EQ(var("breakTime"), 1);
    EXPECT_EQ(var("format"), 3);
    EXPECT_EQ(var("iffy"), 2);
    EXPECT_EQ(var("elsewhere"), 4);
    EXPECT_EQ(var("gotoCount"), 5);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

// A brace-less body that calls a subroutine: the countdown waits for the return.
TEST_F(Flow, BracelessBodiesThatCall) {
    load("int c = 1;\n"
         "int n = 0;\n"
         "int i = 0;\n"
         "void bump() {\n"
         "  n++;\n"
         "}\n"
         "void step() {\n"
         "  i++;\n"
         "}\n"
         "void setup() {\n"
         "  if (c)\n"
         "    bump();\n"
         "  while (i < 3)\n"
         "    step();\n"
         "  for (int k = 0; k < 2; k++)\n"
         "    bump();\n"
         "  while (i < 5) step();\n"
         "  for (int k = 0; k < 3; k++) bump();\n"
         "  n = n + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    in.Step1Click();
    in.Step1Click();
    ASSERT_GE(depth(), 3) << "the call should have opened its frame";
    ASSERT_TRUE(step_to(line_of("n = n + 100;"), 200));
    steps(1);
    EXPECT_EQ(var("n"), 106);
    EXPECT_EQ(var("i"), 5);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.single_loop, 0);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

// --- setup() to loop() -----------------------------------------------------------------------

TEST_F(Flow, SetupWalksToLoopPastFunctionsAndKeepsGlobals) {
    load("int counter = 0;\n"
         "void setup() {\n"
         "  counter = 5;\n"
         "  g = 3;\n"
         "}\n"
         "int g = 1;\n"
         "void helper() {\n"
         "  counter = 99;\n"
         "}\n"
         "void loop() {\n"
         "  counter++;\n"
         "}\n");
    const int32_t header = line_of("void loop() {");
    ASSERT_TRUE(step_to(header));
    EXPECT_TRUE(in.flow.inloop);
    EXPECT_FALSE(in.flow.insetup);
    EXPECT_EQ(var("counter"), 5);
    EXPECT_EQ(var("g"), 3) << "a global the reset scan made keeps the value setup() gave it";
    // loop() repeats for ever
    for (int pass = 1; pass <= 3; ++pass) {
        ASSERT_TRUE(step_to(header + 1));
        steps(1);
        EXPECT_EQ(var("counter"), 5 + pass);
    }
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, LoopBeforeSetupIsFoundAllTheSame) {
    load("int n = 0;\n"
         "void loop() {\n"
         "  n++;\n"
         "}\n"
         "void setup() {\n"
         "  n = 10;\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("n++;")));
    steps(1);
    EXPECT_EQ(var("n"), 11);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, OneLineSetupAndLoop) {
    load("int n = 0;\n"
         "int m = 0;\n"
         "void setup() { n = 10; m = 1; }\n"
         "void loop() { n++; }\n");
    steps(1);
    EXPECT_EQ(var("n"), 10);
    EXPECT_EQ(var("m"), 1);
    steps(3);
    EXPECT_EQ(var("n"), 13);
    EXPECT_EQ(in.Line, 3);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

// --- scans that reach the end of the sketch ---------------------------------------------------

// The reset scan reports the function whose braces do not match; the statement that needs the
// missing "}" then reports its own error, on its own line, and leaves the stack as it was.
TEST_F(Flow, UnclosedBlocksReportNoClosingBrace) {
    for (const char* header : {"if (x == 1) {", "while (x == 1) {", "for (x = 0; x == 1; x++) {", "switch (x) {"}) {
        host.errors.clear();
        load(std::string("int x = 0;\n"
                         "void loop() {\n"
                         "}\n"
                         "void setup() {\n  ") +
             header + "\n    x = 2;\n");
        const int32_t at = in.Line;
        ASSERT_EQ(dtrim(in.ListBox1.item(at)), header);
        host.errors.clear();
        in.Step1Click();
        EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - no closing } found"}) << header;
        ASSERT_FALSE(host.errors.empty());
        EXPECT_EQ(dtrim(host.errors.back().line_text), header) << "the error names the header line";
        EXPECT_EQ(in.Line, at + 1) << "the cursor stays in the list: the step goes on from the header";
        EXPECT_EQ(depth(), 1) << header;
    }
}

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

TEST_F(Flow, BreakWithoutClosingBraceLeavesTheStackAlone) {
    load("int x = 0;\n"
         "void loop() {\n"
         "}\n"
         "void setup() {\n"
         "  while (x == 0) {\n"
         "    break;\n"
         "    x = 1;\n");
    host.errors.clear();
    steps(2);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - no closing } found"});
    EXPECT_EQ(depth(), 2);
    EXPECT_LT(in.Line, in.ListBox1.Count());
}

TEST_F(Flow, NoLoopIsReported) {
    load("int x = 0;\n"
         "void setup() {\n"
         "  x = 1;\n"
         "}\n"
         "int y = 2;\n");
    steps(2);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - no loop() found"});
    EXPECT_EQ(dtrim(host.errors.front().line_text), "}") << "the error names setup()'s closing brace";
    EXPECT_EQ(in.Line, 4) << "the step goes on from there";
    steps(1);
    EXPECT_EQ(in.Line, in.ListBox1.Count()) << "and the sketch ends";
    EXPECT_EQ(var("y"), 2);
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, ContinueWithoutClosingBrace) {
    load("int x = 0;\n"
         "void loop() {\n"
         "}\n"
         "void setup() {\n"
         "  while (x == 0) {\n"
         "    continue;\n"
         "    x = 1;\n");
    host.errors.clear();
    steps(2);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - no closing } found"});
    EXPECT_LT(in.Line, in.ListBox1.Count());
}

TEST_F(Flow, ElseSkipWithoutClosingBrace) {
    load("int x = 1;\n"
         "void loop() {\n"
         "}\n"
         "void setup() {\n"
         "  if (x) {\n"
         "    x = 2;\n"
         "  } else {\n"
         "    x = 3;\n");
    host.errors.clear();
    steps(3);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - no closing } found"});
    EXPECT_LT(in.Line, in.ListBox1.Count());
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
