// Comment stripping, line fetch, the executable-line test and the cursor moves, plus
// loading text into the code list and reset's first-line placement.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "support/recording_host.h"

namespace {

using quorvex::FixedClock;
using quorvex::Interpreter;
using quorvex::test::RecordingHost;

class SketchLines : public ::testing::Test {
protected:
    RecordingHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};

    std::string line_at(int32_t line) {
        in.Line = line;
        return in.get_line();
    }
    bool code_at(int32_t line) {
        in.Line = line;
        return in.CodeLine();
    }
};

// A folder under the system temp folder, removed with everything in it at the end.
struct TempDir {
    std::filesystem::path path;
    explicit TempDir(const std::string& tag) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = std::filesystem::temp_directory_path() /
               ("quorvex-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(stamp));
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

void write_file(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

// --- uncomment ---

struct UncommentCase {
    const char* name;
    bool open_before;
    std::string text;
    std::string code;
    bool open_after;
};
void PrintTo(const UncommentCase& c, std::ostream* os) { *os << c.name; }

class Uncomment : public SketchLines, public ::testing::WithParamInterface<UncommentCase> {};

TEST_P(Uncomment, StripsCommentsAndTracksBlockState) {
    const UncommentCase& c = GetParam();
    in.opencomment = c.open_before;
    EXPECT_EQ(in.uncomment(c.text), c.code);
    EXPECT_EQ(in.opencomment, c.open_after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Uncomment,
    ::testing::Values(
        UncommentCase{"LineComment", false, "x = 1; // set x", "x = 1;", false},
        UncommentCase{"InlineBlockLeavesThreeBlanks", false, "a = 1; /* note */ b = 2;", "a = 1;   b = 2;", false},
        UncommentCase{"OpensBlock", false, "/* start", "", true}, UncommentCase{"InsideBlock", true, "text", "", true},
        UncommentCase{"ClosesBlockKeepsTail", true, "end */ y = 3;", "y = 3;", false},
        UncommentCase{"CloseThenOpen", true, "*/ x = 1; /* more", "x = 1;", true},
        UncommentCase{"CloseThenOpenWithoutEarlierState", false, "*/ x = 1; /* more", "x = 1;", true},
        UncommentCase{"CloseOpenClose", true, "*/ x = 1; /* more */", "x = 1;", false},
        UncommentCase{"TwoBlocksKeepAllCode", false, "a /* x */ b /* y */ c", "a   b   c", false},
        UncommentCase{"CodeBeforeOpeningSurvives", false, "x = 1; /* note", "x = 1;", true},
        UncommentCase{"CodeBeforeOpeningAfterClosedBlock", false, "/* a */ b; /* c", "b;", true},
        UncommentCase{"LineCutHidesOpening", false, "a; // x /* y", "a;", false},
        UncommentCase{"LineCutFirstInsideBlock", true, "still // */ x = 1;", "", true},
        UncommentCase{"LineCutInsideInlineBlock", false, "/* a // b */ c;", "", true},
        UncommentCase{"StrayCloseDropsTextBefore", false, "stray */ y = 2;", "y = 2;", false},
        UncommentCase{"TwoStrayCloses", false, "a */ b */ c;", "c;", false},
        UncommentCase{"SlashStarSlashDoesNotClose", false, "/*/ x", "", true},
        UncommentCase{"EmptyBlock", false, "/**/x;", "x;", false},
        UncommentCase{"OnlyBlanksAndTabs", false, " \t  ", "", false}, UncommentCase{"EmptyLine", true, "", "", true},
        UncommentCase{"UrlInString", false, "Serial.println(\"http://x\");", "Serial.println(\"http://x\");", false},
        UncommentCase{"UrlInStringThenComment", false, "u = \"a//b\"; // real", "u = \"a//b\";", false},
        UncommentCase{"BlockMarkersInString", false, "s = \"/* not a comment */\";", "s = \"/* not a comment */\";",
                      false},
        UncommentCase{"OpeningInStringThenCode", false, "s = \"/*\"; t = 1;", "s = \"/*\"; t = 1;", false},
        UncommentCase{"CloseInString", false, "p = \"*/\";", "p = \"*/\";", false},
        UncommentCase{"EscapedQuoteInString", false, "s = \"\\\"/*\"; t = 1;", "s = \"\\\"/*\"; t = 1;", false},
        UncommentCase{"SlashChar", false, "c = '/';", "c = '/';", false},
        UncommentCase{"SlashCharsThenComment", false, "if (c == '/' || d == '*') { // x", "if (c == '/' || d == '*') {",
                      false},
        UncommentCase{"QuoteInsideBlockIsComment", false, "/* it's */ x = 1;", "x = 1;", false},
        UncommentCase{"UnclosedStringRunsToEnd", false, "s = \"abc /* x", "s = \"abc /* x", false}),
    [](const ::testing::TestParamInfo<UncommentCase>& info) { return std::string(info.param.name); });

// A long line of many block comments (bench/sketch_bench times it).
TEST_F(SketchLines, LongLineOfManyCommentsStrips) {
    std::string text = "x = 1;";
    for (int i = 0; i < 100000; ++i) text += "/* */ ";
    EXPECT_EQ(in.uncomment(text), "x = 1;");
    EXPECT_FALSE(in.opencomment);
}

// --- get_line ---

TEST_F(SketchLines, GetLineOutsideTheListIsEmpty) {
    in.ListBox1.assign({"a = 1;"});
    EXPECT_EQ(line_at(-1), "");
    EXPECT_EQ(line_at(1), "");
    EXPECT_EQ(line_at(1000), "");
    EXPECT_EQ(line_at(0), "a = 1;");
}

TEST_F(SketchLines, GetLineLeavesTheItemsRaw) {
    in.ListBox1.assign({"  x = 1; // set x  "});
    EXPECT_EQ(line_at(0), "x = 1;");
    EXPECT_EQ(in.ListBox1.item(0), "  x = 1; // set x  ");
}

// Line numbers are drawn by the view: the items hold the sketch's own text either way.
TEST_F(SketchLines, LineNumbersNeverCutTheItems) {
    in.ListBox1.assign({"/* a", "b */ c;", "0012 delay(10);"});
    in.LineNumbers1.Checked = true;
    EXPECT_EQ(line_at(1), "c;");
    EXPECT_EQ(line_at(2), "0012 delay(10);");
}

TEST_F(SketchLines, FetchOrderDoesNotChangeTheText) {
    std::vector<std::string> lines(10, "x = 0;");
    lines.insert(lines.end(), {"y = 1;", "/* start", "comment", "*/"});
    in.ListBox1.assign(lines);
    EXPECT_EQ(line_at(13), "");
    EXPECT_FALSE(in.opencomment);
    EXPECT_EQ(line_at(12), "");
    EXPECT_TRUE(in.opencomment);
    EXPECT_EQ(line_at(11), "");
    EXPECT_TRUE(in.opencomment);
    EXPECT_EQ(line_at(10), "y = 1;");
    EXPECT_FALSE(in.opencomment);
}

// A stale opencomment left by an earlier fetch must not hide the next line read directly.
TEST_F(SketchLines, OpenCommentFromOtherLineDoesNotLeak) {
    in.ListBox1.assign({"x = 1; /* note", "still */", "y = 2;"});
    EXPECT_EQ(line_at(0), "x = 1;");
    EXPECT_TRUE(in.opencomment);
    EXPECT_EQ(line_at(2), "y = 2;");
    in.opencomment = true;
    EXPECT_EQ(line_at(2), "y = 2;");
}

TEST_F(SketchLines, EditingTheCodeListRecomputesCommentStates) {
    in.ListBox1.assign({"a;", "b;", "c;"});
    EXPECT_EQ(line_at(2), "c;");
    in.ListBox1.set_item(0, "/* open");
    EXPECT_EQ(line_at(2), "");
    EXPECT_EQ(line_at(1), "");
    in.ListBox1.set_item(1, "b; */ d;");
    EXPECT_EQ(line_at(1), "d;");
    EXPECT_EQ(line_at(2), "c;");
    in.ListBox1.set_item(0, "a;");
    EXPECT_EQ(line_at(1), "d;"); // now a stray close
    in.ListBox1.add("/* tail");
    in.ListBox1.add("e;");
    EXPECT_EQ(line_at(4), "");
    in.ListBox1.clear();
    EXPECT_EQ(line_at(0), "");
    in.ListBox1.assign({"z;"});
    EXPECT_EQ(line_at(0), "z;");
}

// --- CodeLine ---

struct CodeLineCase {
    const char* name;
    std::string text;
    bool code;
};
void PrintTo(const CodeLineCase& c, std::ostream* os) { *os << c.name; }

class CodeLineTable : public SketchLines, public ::testing::WithParamInterface<CodeLineCase> {};

TEST_P(CodeLineTable, DecidesFromTheTextAlone) {
    in.ListBox1.assign({GetParam().text});
    EXPECT_EQ(code_at(0), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodeLineTable,
    ::testing::Values(CodeLineCase{"CloseBrace", "}", true}, CodeLineCase{"Else", "else", true},
                      CodeLineCase{"OpenBrace", "{", true}, CodeLineCase{"Define", "#define X 3", true},
                      CodeLineCase{"Include", "#include <Servo.h>", true},
                      CodeLineCase{"Header", "void setup() {", true}, CodeLineCase{"Declaration", "int x;", true},
                      CodeLineCase{"Call", "  delay(10)", true}, CodeLineCase{"Empty", "", false},
                      CodeLineCase{"Blank", "   ", false}, CodeLineCase{"ElseIfWithoutBracket", "else if", false},
                      CodeLineCase{"Label", "label:", false}, CodeLineCase{"LoneParen", ")", false},
                      CodeLineCase{"CaseLabel", "case 1:", false}, CodeLineCase{"LineComment", "// x = 1;", false},
                      CodeLineCase{"BlockComment", "/* x = 1; */", false},
                      CodeLineCase{"CodeThenOpening", "x = 1; /* note", true},
                      CodeLineCase{"CloseInString", "s = \"*/\";", true}, CodeLineCase{"LoneDo", "do", true},
                      CodeLineCase{"CloseElse", "} else", true}),
    [](const ::testing::TestParamInfo<CodeLineCase>& info) { return std::string(info.param.name); });

TEST_F(SketchLines, CodeLineInsideBlockCommentIsFalse) {
    in.ListBox1.assign({"/* start", "x = 1;", "*/", "y = 2; /* more", "z = 3;", "*/ w = 4;"});
    EXPECT_FALSE(code_at(1));
    EXPECT_FALSE(code_at(2));
    EXPECT_TRUE(code_at(3));
    EXPECT_TRUE(in.opencomment);
    EXPECT_FALSE(code_at(4));
    EXPECT_TRUE(code_at(5));
    EXPECT_FALSE(in.opencomment);
}

// --- cursor moves ---

TEST_F(SketchLines, FindNextLineSkipsCommentsAndBlanks) {
    in.ListBox1.assign({"a;", "", "// c", "/* x", "y */", "label:", "b;", "c;"});
    in.Line = 0;
    in.FindNextLine();
    EXPECT_EQ(in.Line, 6);
    EXPECT_EQ(in.ListBox1.ItemIndex, 6);
    in.FindNextLine();
    EXPECT_EQ(in.Line, 7);
}

TEST_F(SketchLines, FindNextLineOnTheLastLineStopsAtTheCount) {
    in.ListBox1.assign({"a;", "b;"});
    in.Line = 1;
    in.ListBox1.ItemIndex = 1;
    in.FindNextLine();
    EXPECT_EQ(in.Line, 2);
    EXPECT_EQ(in.ListBox1.ItemIndex, 1); // nothing to select past the end
    in.FindNextLine();
    EXPECT_EQ(in.Line, 2);
    in.Line = 7;
    in.FindNextLine();
    EXPECT_EQ(in.Line, 7); // never moved further out
}

TEST_F(SketchLines, FindNextLineWithoutFurtherCodeEndsOnTheLastLine) {
    in.ListBox1.assign({"a;", "", "label:"});
    in.Line = 0;
    in.FindNextLine();
    EXPECT_EQ(in.Line, 2);
}

TEST_F(SketchLines, FindNextLineOnAnEmptyList) {
    in.Line = 0;
    in.FindNextLine();
    EXPECT_EQ(in.Line, 0);
    EXPECT_EQ(in.ListBox1.ItemIndex, -1);
}

TEST_F(SketchLines, FindNextLineSelectsOnlyWithUpdate) {
    in.ListBox1.assign({"a;", "b;", "c;"});
    in.update1 = false;
    in.ListBox1.ItemIndex = 0;
    in.Line = 0;
    in.FindNextLine();
    EXPECT_EQ(in.Line, 1);
    EXPECT_EQ(in.ListBox1.ItemIndex, 0);
    in.update1 = true;
    in.FindNextLine();
    EXPECT_EQ(in.ListBox1.ItemIndex, 2);
}

TEST_F(SketchLines, NextLineStopsOnTheLastLine) {
    in.next_line();
    EXPECT_EQ(in.Line, 0); // empty list
    in.ListBox1.assign({"", "", ""});
    in.Line = 0;
    in.next_line();
    EXPECT_EQ(in.Line, 1); // every line, not only code lines
    in.next_line();
    EXPECT_EQ(in.Line, 2);
    in.next_line();
    EXPECT_EQ(in.Line, 2);
}

// --- loading ---

struct LoadCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};
void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class LoadText : public SketchLines, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadText, SplitsIntoRawLines) {
    in.ListBox1.assign({"old;", "old;", "old;", "old;", "old;"});
    in.Line = 4;
    in.load_text(GetParam().text);
    EXPECT_EQ(in.ListBox1.items(), GetParam().lines);
    EXPECT_EQ(in.Line, 0);
    EXPECT_EQ(in.f_color.size(), GetParam().lines.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadText,
    ::testing::Values(LoadCase{"Empty", "", {}}, LoadCase{"TabsBecomeBlanks", "\ta\t= 1;", {" a = 1;"}},
                      LoadCase{"LineFeeds", "a;\nb;\n", {"a;", "b;"}}, LoadCase{"CrLf", "a;\r\nb;\r\n", {"a;", "b;"}},
                      LoadCase{"NoFinalNewline", "a;\r\nb;", {"a;", "b;"}},
                      LoadCase{"BlankLinesKept", "a;\n\n\r\nb;", {"a;", "", "", "b;"}},
                      LoadCase{"LoneNewline", "\n", {""}},
                      LoadCase{"NulBytesKept", std::string("a\0b;\nc;", 7), {std::string("a\0b;", 4), "c;"}},
                      LoadCase{"NonUtf8Kept", "s = \"\xff\xfe\";\n", {"s = \"\xff\xfe\";"}}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST_F(SketchLines, NulByteInsideALineIsHarmless) {
    in.load_text(std::string("x = 1;\0 /* y\nz = 2;", 19));
    EXPECT_EQ(line_at(0), std::string("x = 1;", 6));
    EXPECT_EQ(line_at(1), "");
    EXPECT_TRUE(code_at(0));
}

TEST_F(SketchLines, LoadFileReadsAFile) {
    TempDir dir("lines");
    write_file(dir.path / "s.ino", "// Simulate Uno\r\nvoid setup() {\r\n\tpinMode(13, OUTPUT);\r\n}\r\n");
    EXPECT_EQ(in.LoadFile1((dir.path / "s.ino").string()), 1);
    EXPECT_EQ(in.ListBox1.items(),
              (std::vector<std::string>{"// Simulate Uno", "void setup() {", " pinMode(13, OUTPUT);", "}"}));
}

TEST_F(SketchLines, LoadFileOfAnEmptyFileEmptiesTheList) {
    TempDir dir("lines");
    write_file(dir.path / "empty.ino", "");
    in.ListBox1.assign({"old;"});
    EXPECT_EQ(in.LoadFile1((dir.path / "empty.ino").string()), 1);
    EXPECT_EQ(in.ListBox1.Count(), 0);
    in.RestartClick();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Sketch Error - Please load a sketch first before resetting");
}

TEST_F(SketchLines, LoadFileFailureKeepsTheList) {
    TempDir dir("lines");
    in.ListBox1.assign({"keep;"});
    EXPECT_EQ(in.LoadFile1((dir.path / "missing.ino").string()), 0);
    EXPECT_EQ(in.LoadFile1((dir.path).string()), 0);
    EXPECT_EQ(in.ListBox1.items(), std::vector<std::string>{"keep;"});
}

TEST_F(SketchLines, LoadsTenThousandLines) {
    TempDir dir("lines");
    std::string text;
    for (int i = 0; i < 10000; ++i) text += (i % 2 == 0 ? "/* c */\n" : "x = " + std::to_string(i) + ";\n");
    write_file(dir.path / "big.ino", text);
    ASSERT_EQ(in.LoadFile1((dir.path / "big.ino").string()), 1);
    ASSERT_EQ(in.ListBox1.Count(), 10000);
    in.Line = 0;
    if (!in.CodeLine()) in.FindNextLine();
    EXPECT_EQ(in.Line, 1);
    int moves = 0;
    while (in.Line < in.ListBox1.Count() && moves < 20000) {
        in.FindNextLine();
        ++moves;
    }
    EXPECT_EQ(moves, 5000);
    EXPECT_EQ(in.Line, 10000);
    EXPECT_EQ(line_at(9999), "x = 9999;");
}

TEST_F(SketchLines, VeryLongLine) {
    const std::string body(1 << 20, 'a');
    in.load_text("x = \"" + body + "\"; // c\n/*" + body + "\ny = 2;");
    EXPECT_EQ(line_at(0), "x = \"" + body + "\";");
    EXPECT_TRUE(code_at(0));
    EXPECT_EQ(line_at(1), "");
    EXPECT_EQ(line_at(2), "");
}

// --- reset ---

TEST_F(SketchLines, ResetOnAnEmptyListReportsIt) {
    in.RestartClick();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Sketch Error - Please load a sketch first before resetting");
    EXPECT_EQ(in.Line, 0);
}

TEST_F(SketchLines, ResetStopsOnTheFirstCodeLineOfSetup) {
    in.load_text("// Simulate Uno\n\n/* block\n int x;\n*/\nint led = 13;\nvoid setup() {\n // start\n  led = 12;\n}\n"
                 "void loop() {\n}\n");
    in.Line = 6;
    in.opencomment = true;
    in.RestartClick();
    EXPECT_EQ(in.Line, 8);
    EXPECT_EQ(in.ListBox1.ItemIndex, 8);
    EXPECT_TRUE(host.errors.empty());
    in.load_text("x = 1;\n");
    in.RestartClick();
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_EQ(host.errors[0].message, "Cannot process >> x = 1;");
    EXPECT_EQ(host.errors[1].message, "Sketch Error - no setup() found");
}

} // namespace
