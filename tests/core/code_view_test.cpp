// The brace-match highlight and the status panels the refresh writes.
#include "support/fixture.h"
#include "support/state_snapshot.h"

namespace quorvex::test {
namespace {

const char* const sketch = "int c = 0;\n"            // 0
                           "int xyz = 0;\n"          // 1
                           "void setup() {\n"        // 2
                           "}\n"                     // 3
                           "void loop() {\n"         // 4
                           "  if (c) {\n"            // 5
                           "    if (xyz) {\n"        // 6
                           "      c = 1; /* {\n"     // 7
                           "      } */ c = 2;\n"     // 8
                           "    } else if (xyz) {\n" // 9
                           "      c = 3;\n"          // 10
                           "    }\n"                 // 11
                           "  } else if (xyz) {\n"   // 12
                           "    c = 4;\n"            // 13
                           "  }\n"                   // 14
                           "}\n";                    // 15

class CodeView : public CoreTest {
protected:
    void SetUp() override {
        in.load_text(sketch);
        in.RestartClick();
    }
    // The highlight from `line`; nothing else of the interpreter may change.
    std::pair<int32_t, int32_t> match_from(int32_t line) {
        in.Line = line;
        in.get_line();
        const std::string before = state_snapshot(in);
        const int32_t depth = in.cs.loopx;
        const bool comment = in.opencomment;
        in.Matchbrace1Click();
        EXPECT_EQ(state_snapshot(in), before);
        EXPECT_EQ(in.cs.loopx, depth);
        EXPECT_EQ(in.opencomment, comment);
        const std::pair<int32_t, int32_t> range{in.match_Start, in.match_end};
        if (in.Matchbrace1.Checked) in.Matchbrace1Click(); // off again: the range clears
        EXPECT_EQ(in.match_Start, -1);
        EXPECT_EQ(in.match_end, -1);
        return range;
    }
};

TEST_F(CodeView, MatchBracketWalksOverCommentsAndPastLinesNamingXyz) {
    EXPECT_EQ(match_from(5), (std::pair<int32_t, int32_t>{5, 14}));   // «if (c) {»
    EXPECT_EQ(match_from(12), (std::pair<int32_t, int32_t>{12, 14})); // «} else if (xyz) {» goes forward
    EXPECT_EQ(match_from(11), (std::pair<int32_t, int32_t>{6, 11}));  // «}» goes back
    EXPECT_EQ(match_from(10), (std::pair<int32_t, int32_t>{-1, -1})); // no brace: nothing
    EXPECT_FALSE(in.Matchbrace1.Checked);
}

// «} else { n = 7; }» closes one block more than it opens: the highlight ends at setup()'s "}".
TEST_F(CodeView, AOneLineElseBlockCountsEveryBrace) {
    in.load_text("int c = 0;\nint n = 0;\nvoid setup() {\n  if (c) {\n    n = 1;\n  } else { n = 7; }\n}\n"
                 "void loop() {\n}\n");
    in.RestartClick();
    EXPECT_EQ(match_from(2), (std::pair<int32_t, int32_t>{2, 6}));
    EXPECT_EQ(match_from(6), (std::pair<int32_t, int32_t>{2, 6}));
}

TEST_F(CodeView, AnUnmatchedBraceEndsAtTheLastLineAndAStepOrALoadClearsTheRange) {
    in.load_text("void setup() {\n  int a = 1;\n  if (a) {\n  a = 2;\n");
    in.RestartClick();
    in.Line = 2;
    in.Matchbrace1Click();
    EXPECT_TRUE(in.Matchbrace1.Checked);
    EXPECT_EQ(in.match_Start, 2);
    EXPECT_EQ(in.match_end, 3);
    in.Step1Click();
    EXPECT_FALSE(in.Matchbrace1.Checked);
    EXPECT_EQ(in.match_Start, -1);

    in.Line = 2;
    in.Matchbrace1Click();
    EXPECT_EQ(in.LoadFile1("/no/such/sketch.ino"), 0);
    EXPECT_EQ(in.match_Start, -1);
    EXPECT_EQ(in.match_end, -1);
}

TEST_F(CodeView, StatusPanelsFollowTheStepAndResetWritesResetLast) {
    EXPECT_EQ(in.StatusBar1[3], "Reset");
    in.Line = 5;
    in.Step1Click(); // «if (c) {» with c 0: jumps to the else
    EXPECT_EQ(in.StatusBar1[0], "Line: 0012");
    EXPECT_EQ(in.StatusBar1[2], "Next: } else if (xyz) {");
    EXPECT_EQ(in.StatusBar1[3], "Level" + std::to_string(in.cs.loopx));
    const std::string line_panel = in.StatusBar1[0];
    in.update1 = false; // steps without the full refresh write the level only
    in.ListBox1.set_item(12, "  } else if (xyz) { c = 9;");
    in.UpdateClick();
    EXPECT_EQ(in.StatusBar1[2], "Next: } else if (xyz) {");
    EXPECT_EQ(in.StatusBar1[0], line_panel);
    in.RestartClick();
    EXPECT_EQ(in.StatusBar1[3], "Reset");
    EXPECT_EQ(in.StatusBar1[1], "of 0016");

    // The next line's text is the one the step saw, even when the line is edited before the
    // panel is read, with or without the code list being read again meanwhile.
    for (const bool reread : {false, true}) {
        in.ListBox1.set_item(12, "  } else if (xyz) {");
        in.RestartClick();
        in.Line = 5;
        in.Step1Click();
        in.ListBox1.set_item(12, reread ? "  } else if (xyz) { c = 8;" : "  } else if (xyz) { c = 7;");
        if (reread) {
            EXPECT_EQ(in.code_text(12), "} else if (xyz) { c = 8;");
        }
        EXPECT_EQ(in.StatusBar1[2], "Next: } else if (xyz) {") << reread;
    }
}

// The line and level panels are written when read; whichever came last, a step's number or a
// text written into the panel (the stepper's count), is what the panel shows.
TEST(StatusPanels, TheLastShownOrWrittenTextIsRead) {
    StatusBar bar;
    bar.show_level(2);
    bar[3] = "10Steps Left";
    EXPECT_EQ(bar[3], "10Steps Left");
    bar.show_level(3);
    EXPECT_EQ(bar[3], "Level3");
    bar.show_line(7);
    bar.show_line(-12);
    EXPECT_EQ(bar[0], "Line: -0012");
    bar.show_line(123456);
    const std::string code = "x = 1;";
    bar.show_next(code);
    EXPECT_EQ(bar[2], "Next: x = 1;");
    bar[1] = "of 0020"; // another panel leaves the line panel waiting
    const StatusBar& shown = bar;
    EXPECT_EQ(shown[0], "Line: 123456");
    EXPECT_EQ(shown[3], "Level3");
}

} // namespace
} // namespace quorvex::test
