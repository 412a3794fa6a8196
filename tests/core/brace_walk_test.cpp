// The forward and backward brace walks over the code list.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "support/recording_host.h"

namespace {

using quorvex::col_comment;
using quorvex::FixedClock;
using quorvex::IFORELSE;
using quorvex::Interpreter;
using quorvex::MAX_LOOP;
using quorvex::test::RecordingHost;

class BraceWalk : public ::testing::Test {
protected:
    RecordingHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};

    // Loads the lines and walks from `from` with that line's own text, as the callers do.
    void forward(const std::vector<std::string>& lines, int32_t from, const char* stop = "never_a_word") {
        in.ListBox1.assign(lines);
        in.Line = from;
        in.match_bracket(in.get_line(), 0, stop);
    }
    void backward(const std::vector<std::string>& lines, int32_t from, const char* stop = "never_a_word") {
        in.ListBox1.assign(lines);
        in.Line = from;
        in.match_rev_bracket(in.get_line(), 0, stop);
    }
};

struct WalkCase {
    const char* name;
    std::vector<std::string> lines;
    int32_t from;
    const char* stop;
    int32_t end_line;
    bool pushed_else;
};
void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class ForwardWalk : public BraceWalk, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(ForwardWalk, EndsOnThePartnerOrTheStopWord) {
    const WalkCase& c = GetParam();
    forward(c.lines, c.from, c.stop);
    EXPECT_EQ(in.Line, c.end_line);
    EXPECT_EQ(in.cs.loopx, c.pushed_else ? 2 : 1);
    if (c.pushed_else) {
        EXPECT_EQ(in.cs.at(1).last_control, IFORELSE);
    }
    EXPECT_TRUE(host.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForwardWalk,
    ::testing::Values(
        WalkCase{"TwoLineBody", {"if (c) {", "a = 1;", "b = 2;", "}", "z = 3;"}, 0, "else", 3, false},
        WalkCase{"BodySkipsComments", {"if (c) {", "// }", "/* }", "} */", "a;", "}", "z;"}, 0, "else", 5, false},
        WalkCase{"Nested", {"if (a) {", "if (b) {", "x;", "}", "}", "y;"}, 0, "else", 4, false},
        WalkCase{"BraceOnNextLine", {"if (a)", "{", "x;", "}", "y;"}, 0, "else", 3, false},
        WalkCase{"StopsAtElse", {"if (c) {", "a;", "} else {", "b;", "}"}, 0, "else", 2, true},
        WalkCase{"NoStopWordWalksPastElse", {"if (c) {", "a;", "} else {", "b;", "}"}, 0, "never_a_word", 4, false},
        WalkCase{"InnerElseDoesNotStop",
                 {"if (a) {", "if (b) {", "x;", "} else {", "y;", "}", "} else {", "z;", "}"},
                 0,
                 "else",
                 6,
                 true},
        WalkCase{"BracesInStrings", {"if (c) {", "Serial.println(\"}\");", "s = '{';", "}", "z;"}, 0, "else", 3, false},
        WalkCase{
            "StopWordInStringWithBrace", {"if (c) {", "Serial.println(\"} else {\");", "a;", "}"}, 0, "else", 3, false},
        // Right after the opening, a «} else {» can still be the stop line and a one-line block leaves the depth.
        WalkCase{"EmptyBodyThenElse", {"if (c) {", "// nothing yet", "} else {", "b;", "}"}, 0, "else", 2, true},
        WalkCase{"EmptyBodyThenElseIf", {"if (c) {", "} else if (d) {", "b;", "}"}, 0, "else", 1, true},
        WalkCase{"EmptyBodyEndsAtElseWithoutStopWord", {"if (c) {", "} else {", "b;", "}"}, 0, "xyz1", 1, false},
        WalkCase{"OneLineBlockFirstInBody", {"if (c) {", "if (x) { a(); }", "b;", "}", "z;"}, 0, "else", 3, false},
        WalkCase{"UnclosedBlockEndsAtCount", {"if (c) {", "a;", "b;"}, 0, "else", 3, false},
        // «} else { n = 7; }» closes the if's block and opens and closes its own.
        WalkCase{
            "OneLineElseBlockClosesOneMore",
            {"void setup() {", "if (c) {", "n = 1;", "} else { n = 7; }", "n = n + 100;", "}", "void loop() {", "}"},
            0,
            "xyz1",
            5,
            false},
        WalkCase{"TwoOpeningsOnALine", {"void f() { if (c) {", "a;", "}", "b;", "}", "z;"}, 0, "xyz1", 4, false},
        WalkCase{"UnclosedOnLastLine", {"x;", "if (c) {"}, 1, "else", 2, false}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return std::string(info.param.name); });

class BackwardWalk : public BraceWalk, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(BackwardWalk, MirrorsTheForwardWalk) {
    const WalkCase& c = GetParam();
    backward(c.lines, c.from, c.stop);
    EXPECT_EQ(in.Line, c.end_line);
    EXPECT_EQ(in.cs.loopx, c.pushed_else ? 2 : 1);
    if (c.pushed_else) {
        EXPECT_EQ(in.cs.at(1).last_control, IFORELSE);
    }
    EXPECT_TRUE(host.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackwardWalk,
    ::testing::Values(
        WalkCase{"TwoLineBody", {"x;", "if (c) {", "a;", "b;", "}"}, 4, "else", 1, false},
        WalkCase{"Nested", {"void f() {", "if (b) {", "x;", "}", "}"}, 4, "else", 0, false},
        WalkCase{"StopsAtElse", {"if (c) {", "a;", "} else {", "b;", "}"}, 4, "else", 2, true},
        WalkCase{"NoStopWordWalksToOpening", {"if (c) {", "a;", "} else {", "b;", "}"}, 4, "never_a_word", 0, false},
        WalkCase{"BracesInStrings", {"if (c) {", "s = \"{\";", "t = '}';", "}"}, 3, "else", 0, false},
        WalkCase{"UnopenedBlockStopsAtFirstLine", {"a;", "b;", "}"}, 2, "else", 0, false},
        WalkCase{"ElseLineHoldsThePartner", {"if (c) {", "a;", "} else {", "}"}, 3, "xyz", 2, false},
        WalkCase{"ElseLineRightBeforeIsTheStopLine", {"if (c) {", "a;", "} else {", "}"}, 3, "else", 2, true},
        WalkCase{"OneLineBlockLastInBody", {"if (c) {", "a;", "if (x) { a(); }", "}"}, 3, "xyz", 0, false},
        WalkCase{"FromFirstLine", {"}", "a;"}, 0, "else", 0, false},
        WalkCase{"TwoClosingsOnALine", {"void f() {", "if (c) {", "a;", "} }", "z;"}, 3, "xyz1", 0, false},
        WalkCase{"OneLineElseBlockClosesOneMore",
                 {"void setup() {", "if (c) {", "n = 1;", "} else { n = 7; }", "n = n + 100;", "}"},
                 5,
                 "xyz1",
                 0,
                 false},
        WalkCase{"FromPastTheEnd", {"if (c) {", "a;", "}"}, 3, "else", 0, false}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return std::string(info.param.name); });

// A break walks out of the enclosing block, starting one level deep.
TEST_F(BraceWalk, StartingDepthCounts) {
    in.ListBox1.assign({"while (c) {", "break;", "if (x) { a(); }", "}", "z;"});
    in.Line = 1;
    in.match_bracket("break;", 1, "xyz1");
    EXPECT_EQ(in.Line, 3);
    in.ListBox1.assign({"while (c) {", "break;", "} else {", "b;", "}", "}"});
    in.Line = 1;
    in.match_bracket("break;", 1, "xyz1");
    EXPECT_EQ(in.Line, 2);
    EXPECT_EQ(in.cs.loopx, 1);
}

TEST_F(BraceWalk, ForwardColoursAnEmptyLastLine) {
    forward({"if (c) {", "// only a comment"}, 0);
    EXPECT_EQ(in.Line, 2);
    ASSERT_EQ(in.f_color.size(), 2u);
    EXPECT_EQ(in.f_color[1], col_comment);
    EXPECT_EQ(in.f_color[0], quorvex::LineColour::Default);
}

TEST_F(BraceWalk, BackwardVisitsEveryLineAndColoursEmptyOnes) {
    backward({"void f() {", "", "/* { */", "a;", "}"}, 4);
    EXPECT_EQ(in.Line, 0);
    ASSERT_EQ(in.f_color.size(), 5u);
    EXPECT_EQ(in.f_color[1], col_comment);
    EXPECT_EQ(in.f_color[2], col_comment);
    EXPECT_EQ(in.f_color[3], quorvex::LineColour::Default);
}

TEST_F(BraceWalk, DeepNestingWalksWithoutRecursion) {
    std::vector<std::string> lines(1000, "{");
    lines.insert(lines.end(), 1000, "}");
    forward(lines, 0);
    EXPECT_EQ(in.Line, 1999);
    backward(lines, 1999);
    EXPECT_EQ(in.Line, 0);
}

TEST_F(BraceWalk, FullStackReportsAndPushesNothing) {
    while (in.cs.push({})) {
    }
    ASSERT_EQ(in.cs.loopx, MAX_LOOP);
    forward({"if (c) {", "a;", "} else {", "b;", "}"}, 0, "else");
    EXPECT_EQ(in.Line, 2);
    EXPECT_EQ(in.cs.loopx, MAX_LOOP);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Sketch Error - Blocks nested too deeply");

    backward({"if (c) {", "a;", "} else {", "b;", "}"}, 4, "else");
    EXPECT_EQ(in.Line, 2);
    EXPECT_EQ(in.cs.loopx, MAX_LOOP);
    EXPECT_EQ(host.errors.size(), 2u);
}

// The walks fetch through get_line, so a stale flag from an earlier fetch cannot hide code.
TEST_F(BraceWalk, StaleOpenCommentDoesNotHideTheBody) {
    in.ListBox1.assign({"x = 1; /* note", "*/", "if (c) {", "a;", "}", "z;"});
    in.Line = 0;
    in.get_line();
    ASSERT_TRUE(in.opencomment);
    in.Line = 2;
    in.match_bracket("if (c) {", 0, "else");
    EXPECT_EQ(in.Line, 4);
}

} // namespace
