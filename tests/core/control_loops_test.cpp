// Loops driven step by step: the state behind while, do, for, break and continue that no
// transcript shows. The values, errors, lines and levels of these sketches are in
// tests/sketches/loops_*.expected.
#include <string>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

// --- while and do ----------------------------------------------------------------------------

TEST_F(Flow, BracelessAndOneLineWhileBodies) {
    load_sketch("loops_while");
    ASSERT_TRUE(step_to(line_of("q = q + 100;")));
    EXPECT_EQ(var("q"), 3);
    EXPECT_EQ(in.single_loop, 0);
}

TEST_F(Flow, AllmanDoWithItsWhileOnTheNextLine) {
    load_lines("do\n");
    EXPECT_TRUE(in.CodeLine()) << "a lone \"do\" is an executable line";
}

TEST_F(Flow, CloseElseWithABracelessBody) {
    load_lines("} else\n");
    EXPECT_TRUE(in.CodeLine()) << "a line starting with \"}\" is an executable line";
}

// --- for -------------------------------------------------------------------------------------

TEST_F(Flow, ForRunsItsBodyAndTestsOnFirstEntry) {
    load_sketch("loops_for");
    ASSERT_TRUE(step_to(line_of("s = s + 100;")));
    EXPECT_EQ(var("s"), 3);
    EXPECT_EQ(in.flow.forx, 0);
}

TEST_F(Flow, ForConditionThroughGetVarAndEmptyCondition) {
    load_sketch("loops_for");
    ASSERT_TRUE(step_to(line_of("c = c + 100;")));
    EXPECT_EQ(var("d"), 4);
    EXPECT_EQ(in.flow.forx, 0);
}

TEST_F(Flow, OneLineAndBracelessFor) {
    load_sketch("loops_for");
    const int32_t one = line_of("for (int e = 0; e < 4; e++) u += e;");
    ASSERT_TRUE(step_to(one));
    in.Step1Click();
    EXPECT_EQ(in.Line, one);
    EXPECT_EQ(in.single_loop, 0) << "a one-line for counts no brace-less body";
    ASSERT_TRUE(step_to(line_of("u = u + 100;")));
    EXPECT_EQ(in.flow.forx, 0);
}

TEST_F(Flow, AllmanFor) {
    load_sketch("loops_for");
    ASSERT_TRUE(step_to(line_of("w = w + 100;")));
    EXPECT_EQ(var("w"), 6);
    EXPECT_EQ(in.flow.forx, 0);
    EXPECT_EQ(in.rbr_found, 0);
}

// --- break and continue ----------------------------------------------------------------------

TEST_F(Flow, BreakFromABracelessIf) {
    load_sketch("loops_break_continue");
    ASSERT_TRUE(step_to(line_of("j = j + 100;"), 200));
    EXPECT_EQ(var("j"), 3);
    EXPECT_EQ(in.single_loop, 0);
}

TEST_F(Flow, ContinueRunsTheLoopsBrace) {
    load_sketch("loops_break_continue");
    ASSERT_TRUE(step_to(line_of("s = s + 100;"), 500));
    EXPECT_EQ(var("s"), 0 + 1 + 3 + 4);
    EXPECT_EQ(in.flow.forx, 0);
}

} // namespace
} // namespace quorvex::test
