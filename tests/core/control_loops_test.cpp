// Loops driven step by step: while, do, for, break and continue.
#include <string>
#include <vector>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

// --- while and do ----------------------------------------------------------------------------

TEST_F(Flow, WhileBlockRetestsAtItsBrace) {
    load("int i = 0;\n"
         "int s = 0;\n"
         "void setup() {\n"
         "  while (i < 3) {\n"
         "    i++;\n"
         "    s = s + i;\n"
         "  }\n"
         "  while (i > 100) {\n"
         "    s = 999;\n"
         "  }\n"
         "  s = s * 2;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("s = s * 2;")));
    EXPECT_EQ(var("i"), 3);
    EXPECT_EQ(var("s"), 6);
    EXPECT_EQ(depth(), 1);
    steps(1);
    EXPECT_EQ(var("s"), 12);
}

TEST_F(Flow, BracelessAndOneLineWhileBodies) {
    load("int i = 0;\n"
         "int j = 0;\n"
         "int k = 0;\n"
         "void setup() {\n"
         "  while (i < 3)\n"
         "    i++;\n"
         "  while (j < 4) { j++; }\n"
         "  while ((i + j) < 10) { k = k + 1; i++; }\n"
         "  k = k + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("k = k + 100;")));
    EXPECT_EQ(var("i"), 6);
    EXPECT_EQ(var("j"), 4);
    EXPECT_EQ(var("k"), 3);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.single_loop, 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, WhileTakesItsConditionWithNestedBrackets) {
    load("int a = 1;\n"
         "int b = 5;\n"
         "int n = 0;\n"
         "void setup() {\n"
         "  while ((a + (b - 4)) < 6) {\n"
         "    a++;\n"
         "    n++;\n"
         "  }\n"
         "  n = n + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("n = n + 100;")));
    EXPECT_EQ(var("n"), 4);
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, DoWhile) {
    load("int i = 0;\n"
         "int j = 10;\n"
         "void setup() {\n"
         "  do {\n"
         "    i++;\n"
         "  } while (i < 3);\n"
         "  do {\n"
         "    j++;\n"
         "  } while (j < 3);\n"
         "  i = i + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("i = i + 100;")));
    EXPECT_EQ(var("i"), 3);
    EXPECT_EQ(var("j"), 11) << "the body runs once before the test";
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Flow, AllmanDoWithItsWhileOnTheNextLine) {
    load_lines("do\n");
    ASSERT_TRUE(in.CodeLine()) << "a lone \"do\" is an executable line";
    load("int i = 0;\n"
         "void setup()\n"
         "{\n"
         "  do\n"
         "  {\n"
         "    i++;\n"
         "  }\n"
         "  while (i < 4);\n"
         "  i = i + 100;\n"
         "}\n"
         "void loop()\n"
         "{\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("i = i + 100;")));
    EXPECT_EQ(var("i"), 4);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, CloseElseWithABracelessBody) {
    load_lines("} else\n");
    ASSERT_TRUE(in.CodeLine()) << "a line starting with \"}\" is an executable line";
    const std::string sketch = "int c = 0;\n"
                               "int a = 0;\n"
                               "int b = 0;\n"
                               "void setup() {\n"
                               "  if (c) {\n"
                               "    a = 1;\n"
                               "  } else\n"
                               "    b = 2;\n"
                               "  a = a + 100;\n"
                               "}\n"
                               "void loop() {\n"
                               "}\n";
    load(sketch);
    ASSERT_TRUE(step_to(line_of("a = a + 100;")));
    EXPECT_EQ(var("a"), 0);
    EXPECT_EQ(var("b"), 2);
    EXPECT_EQ(depth(), 1);
    std::string taken = sketch;
    taken.replace(taken.find("c = 0"), 5, "c = 1");
    load(taken);
    ASSERT_TRUE(step_to(line_of("a = a + 100;")));
    EXPECT_EQ(var("a"), 1);
    EXPECT_EQ(var("b"), 0);
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, OneLineDoWhile) {
    load("int i = 0;\n"
         "int j = 0;\n"
         "void setup() {\n"
         "  do { i++; } while (i < 5);\n"
         "  do j++; while (j < 3);\n"
         "  i = i + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("i = i + 100;")));
    EXPECT_EQ(var("i"), 5);
    EXPECT_EQ(var("j"), 3);
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, DoClosedWithoutWhileIsAnError) {
    load("int i = 0;\n"
         "void setup() {\n"
         "  do {\n"
         "    i++;\n"
         "  }\n"
         "  i = 5;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    steps(3);
    ASSERT_EQ(messages(), std::vector<std::string>{"Sketch Error - No While for do loop"});
    EXPECT_EQ(depth(), 1);
}

// --- for -------------------------------------------------------------------------------------

TEST_F(Flow, ForRunsItsBodyAndTestsOnFirstEntry) {
    load("int s = 0;\n"
         "int z = 0;\n"
         "int i = 0;\n"
         "void setup() {\n"
         "  for (int k = 0; k < 3; k++) {\n"
         "    s = s + k;\n"
         "  }\n"
         "  for (i = 5; i < 3; i++) {\n"
         "    z = 1;\n"
         "  }\n"
         "  s = s + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("s = s + 100;")));
    EXPECT_EQ(var("s"), 3);
    EXPECT_EQ(var("z"), 0) << "the condition is tested on the first entry";
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.flow.forx, 0);
}

TEST_F(Flow, ForConditionThroughGetVarAndEmptyCondition) {
    load("int n = 3;\n"
         "int c = 0;\n"
         "int d = 0;\n"
         "void setup() {\n"
         "  for (; n; n--) {\n"
         "    c++;\n"
         "  }\n"
         "  for (;;) {\n"
         "    d++;\n"
         "    if (d == 4) break;\n"
         "  }\n"
         "  c = c + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("c = c + 100;")));
    EXPECT_EQ(var("c"), 3);
    EXPECT_EQ(var("n"), 0);
    EXPECT_EQ(var("d"), 4);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, OneLineAndBracelessFor) {
    load("int s = 0;\n"
         "int t = 0;\n"
         "void setup() {\n"
         "  for (int i = 0; i < 4; i++) s += i;\n"
         "  for (int j = 0; j < 3; j++)\n"
         "    t += j;\n"
         "  s = s + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    const int32_t one = line_of("for (int i = 0; i < 4; i++) s += i;");
    ASSERT_EQ(in.Line, one);
    in.Step1Click();
    EXPECT_EQ(in.Line, one);
    EXPECT_EQ(depth(), 1) << "a one-line for pushes nothing";
    EXPECT_EQ(in.single_loop, 0);
    ASSERT_TRUE(step_to(line_of("s = s + 100;")));
    EXPECT_EQ(var("s"), 6);
    EXPECT_EQ(var("t"), 3);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.flow.forx, 0);
}

TEST_F(Flow, AllmanFor) {
    load("int s = 0;\n"
         "void setup()\n"
         "{\n"
         "  for (int i = 0; i < 3; i++)\n"
         "  {\n"
         "    for (int j = 0; j < 2; j++)\n"
         "    {\n"
         "      s++;\n"
         "    }\n"
         "  }\n"
         "  s = s + 100;\n"
         "}\n"
         "void loop()\n"
         "{\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("s = s + 100;")));
    EXPECT_EQ(var("s"), 6);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_EQ(in.rbr_found, 0);
}

// --- break and continue ----------------------------------------------------------------------

TEST_F(Flow, BreakLeavesTheIfAndTheLoop) {
    load("int x = 0;\n"
         "int after = 0;\n"
         "void setup() {\n"
         "  while (1) {\n"
         "    x++;\n"
         "    if (x > 5) {\n"
         "      break;\n"
         "    }\n"
         "  }\n"
         "  after = 1;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("after = 1;"), 200));
    EXPECT_EQ(var("x"), 6);
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, BreakInsideInlineBraces) {
    load("int x = 0;\n"
         "int y = 0;\n"
         "void setup() {\n"
         "  while (1) { x++; if (x > 5) { break; } }\n"
         "  while (1) {\n"
         "    y++;\n"
         "    if (y > 2) { break; }\n"
         "  }\n"
         "  x = x + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("x = x + 100;"), 200));
    EXPECT_EQ(var("x"), 6);
    EXPECT_EQ(var("y"), 3);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, BreakFromABracelessIf) {
    load("int x = 0;\n"
         "void setup() {\n"
         "  while (1) {\n"
         "    x++;\n"
         "    if (x == 3)\n"
         "      break;\n"
         "  }\n"
         "  x = x + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("x = x + 100;"), 200));
    EXPECT_EQ(var("x"), 3);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.single_loop, 0);
}

TEST_F(Flow, ContinueRunsTheLoopsBrace) {
    load("int i = 0;\n"
         "int odd = 0;\n"
         "int s = 0;\n"
         "void setup() {\n"
         "  while (i < 6) {\n"
         "    i++;\n"
         "    if (i % 2 == 0) {\n"
         "      continue;\n"
         "    }\n"
         "    odd++;\n"
         "  }\n"
         "  for (int k = 0; k < 5; k++) {\n"
         "    if (k == 2) continue;\n"
         "    s = s + k;\n"
         "  }\n"
         "  s = s + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("s = s + 100;"), 500));
    EXPECT_EQ(var("odd"), 3);
    EXPECT_EQ(var("s"), 0 + 1 + 3 + 4);
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Flow, BreakAndContinueInOneLineLoops) {
    load("int i = 0;\n"
         "int s = 0;\n"
         "void setup() {\n"
         "  while (1) { i++; if (i == 4) break; }\n"
         "  for (int k = 0; k < 6; k++) { if (k % 2) continue; s = s + k; }\n"
         "  s = s + 100;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("s = s + 100;"), 200));
    EXPECT_EQ(var("i"), 4);
    EXPECT_EQ(var("s"), 0 + 2 + 4);
    EXPECT_EQ(depth(), 1);
}

TEST_F(Flow, BreakOrContinueWithNothingToLeaveIsAnError) {
    load("int x = 0;\n"
         "void setup() {\n"
         "  if (x == 0) {\n"
         "    break;\n"
         "  }\n"
         "  continue;\n"
         "  x = 5;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    ASSERT_TRUE(step_to(line_of("x = 5;")));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - break outside a loop or switch",
                                                    "Sketch Error - continue outside a loop"}));
    EXPECT_EQ(depth(), 1);
}

// A brace-less body that is itself a block statement: the outer level ends with that block,
// and loops, if/else chains, switch with break and a skipped last pass all come out as in C.
TEST_F(Flow, BracelessBodyThatOpensABlock) {
    load("int a = 0;\n"
         "int b = 0;\n"
         "int c = 0;\n"
         "int d = 0;\n"
         "int e = 0;\n"
         "int w = 0;\n"
         "void setup() {\n"
         "  for (int i = 0; i < 4; i++)\n"
         "    if (i % 2 == 0) {\n"
         "      a = a + 1;\n"
         "    } else {\n"
         "      b = b + 1;\n"
         "    }\n"
         "  while (w < 3)\n"
         "    for (int q = 0; q < 2; q++) {\n"
         "      c = c + 1;\n"
         "      w = w + 1;\n"
         "    }\n"
         "  for (int j = 0; j < 3; j++)\n"
         "    for (int r = 0; r < 2; r++) {\n"
         "      d = d + 1;\n"
         "    }\n"
         "  for (int s = 0; s < 2; s++)\n"
         "    switch (s) {\n"
         "      case 0:\n"
         "        e = e + 10;\n"
         "        break;\n"
         "      default:\n"
         "        e = e + 1;\n"
         "    }\n"
         "  int after = 1;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    finish_setup();
    EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
    EXPECT_EQ(var("a"), 2);
    EXPECT_EQ(var("b"), 2);
    EXPECT_EQ(var("c"), 4);
    EXPECT_EQ(var("w"), 4);
    EXPECT_EQ(var("d"), 6);
    EXPECT_EQ(var("e"), 11);
    EXPECT_EQ(var("after"), 1);
    EXPECT_EQ(depth(), 1);
}

// Skipping a brace-less body (the loop's last test) passes over an if together with its
// else branches, whether they stand on the closing line or on the next line.
TEST_F(Flow, SkippedBracelessIfTakesItsElseAlong) {
    load("int x = 0;\n"
         "int y = 0;\n"
         "void setup() {\n"
         "  while (x > 0)\n"
         "    if (y) {\n"
         "      y = 1;\n"
         "    }\n"
         "    else\n"
         "      y = 2;\n"
         "  for (int i = 0; i < 0; i++)\n"
         "    if (y) y = 3;\n"
         "    else if (x) y = 4;\n"
         "    else y = 5;\n"
         "  int after = 7;\n"
         "}\n"
         "void loop() {\n"
         "}\n");
    finish_setup();
    EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
    EXPECT_EQ(var("y"), 0);
    EXPECT_EQ(var("after"), 7);
    EXPECT_EQ(depth(), 1);
}

} // namespace
} // namespace quorvex::test
