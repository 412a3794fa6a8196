// Macros, conditional inclusion and include files: the tables, colours and include ranges behind
// them. Whole sketches with their values and errors are in tests/sketches/preprocessor_*.expected.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

const char* const body = "void setup() {\n"
                         "}\n"
                         "void loop() {\n"
                         "}\n";

class Preprocessor : public CoreTest {
protected:
    MemoryFiles* mem = nullptr;

    void SetUp() override {
        auto files = std::make_unique<MemoryFiles>();
        mem = files.get();
        in.files = std::move(files);
    }

    // Globals and directives, then an empty setup() and loop(), reset once.
    void reset_with(const std::string& globals) {
        in.load_text(globals + body);
        in.RestartClick();
    }

    int32_t value(const std::string& name) { return in.get_var(name); }
    bool defined(const std::string& name) { return in.vars.lookup(name).slot > 0; }
};

// --- macros ---

TEST_F(Preprocessor, The201stMacroIsACapacityError) {
    std::string text;
    for (int i = 1; i <= 201; ++i) text += "#define M" + std::to_string(i) + " " + std::to_string(i) + "\n";
    reset_with(text);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Too many #define variables (limit 200)"});
    EXPECT_EQ(value("M200"), 200);
    EXPECT_FALSE(defined("M201"));
}

// N0 expands N1 twice, N1 expands N2 twice, ... down to N15: one use of N0 is 65,535 expansions,
// just inside one statement's bound; its value is 2^15.
std::string doubling_chain() {
    static_assert(Interpreter::max_define_expansions == 65536);
    std::string text;
    for (int k = 0; k < 15; ++k)
        text += "#define N" + std::to_string(k) + " (N" + std::to_string(k + 1) + "+N" + std::to_string(k + 1) + ")\n";
    return text + "#define N15 1\n";
}

TEST_F(Preprocessor, DefineExpansionsAreBoundedPerStatement) {
    mem->files["two.h"] = "long i1 = N0;\nlong i2 = N0;\n";
    reset_with(doubling_chain() + "long g = N0 + N15;\n"
                                  "long items[] = {N0, N0, 5};\n"
                                  "#include \"two.h\"\n");
    // The whole line is one statement, however its items are evaluated; an include file's
    // lines are statements of their own.
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot Evaluate N0"});
    EXPECT_EQ(value("g"), 32769);
    EXPECT_EQ(value("items[2]"), 5);
    EXPECT_EQ(value("i1"), 32768);
    EXPECT_EQ(value("i2"), 32768);

    // In steps: each statement counts afresh, and after a flood the next one runs as usual.
    host.errors.clear();
    load_lines(doubling_chain() + "long a = N0 + 1;\nlong b = N0 + N1;\nlong c = N0 - 1;\n");
    for (int i = 0; i < 19; ++i, ++in.Line) in.evaluate_expression(in.get_line());
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot Evaluate N1"});
    EXPECT_EQ(value("a"), 32769);
    EXPECT_EQ(value("c"), 32767);
}

// --- conditional inclusion, run by the reset scan ---

struct IfCase {
    const char* name;
    const char* text;
    int32_t a; // the value of a afterwards, -1 when a must not exist
    std::vector<std::string> messages;
};

class IfFamily : public Preprocessor, public ::testing::WithParamInterface<IfCase> {};

TEST_P(IfFamily, RunsTheRightBranch) {
    const IfCase& c = GetParam();
    reset_with(c.text);
    EXPECT_EQ(messages(), c.messages);
    if (c.a < 0)
        EXPECT_FALSE(defined("a"));
    else
        EXPECT_EQ(value("a"), c.a);
    EXPECT_EQ(in.pre.hloop, 0);
}

const IfCase if_cases[] = {
    {"IfFalseRunsElse", "#if 0\nint a = 1;\n#else\nint a = 2;\n#endif\n", 2, {}},
    {"IfTrueSkipsElse", "#if 1\nint a = 1;\n#else\nint a = 2;\n#endif\n", 1, {}},
    {"IfOnAMacro", "#define DEBUG 0\n#if DEBUG\nint a = 1;\n#endif\n", -1, {}},
    {"ElifTaken", "#if 0\nint a = 1;\n#elif 1\nint a = 3;\n#else\nint a = 2;\n#endif\n", 3, {}},
    {"SecondElifTaken",
     "#if 0\nint a = 1;\n#elif 0\nint a = 3;\n#elif 2\nint a = 4;\n#else\nint a = 2;\n#endif\n",
     4,
     {}},
    {"NoElifTakenRunsElse", "#if 0\nint a = 1;\n#elif 0\nint a = 3;\n#else\nint a = 2;\n#endif\n", 2, {}},
    {"IfdefUndefinedRunsElse", "#ifdef DEBUG\nint a = 1;\n#else\nint a = 2;\n#endif\n", 2, {}},
    {"IfdefUndefinedNoElse", "#ifdef DEBUG\nint a = 1;\n#endif\n", -1, {}},
    {"IfdefDefinedSkipsElse", "#define DEBUG\n#ifdef DEBUG\nint a = 1;\n#else\nint a = 2;\n#endif\n", 1, {}},
    {"IfndefUndefined", "#ifndef DEBUG\nint a = 1;\n#else\nint a = 2;\n#endif\n", 1, {}},
    {"IfndefDefined", "#define DEBUG 1\n#ifndef DEBUG\nint a = 1;\n#else\nint a = 2;\n#endif\n", 2, {}},
    {"NestedIfInSkippedBranch",
     "#if 0\n#if 1\nint a = 1;\n#else\nint a = 5;\n#endif\n#else\nint a = 3;\n#endif\n",
     3,
     {}},
    {"NestedFalseInTakenBranch", "#if 1\n#if 0\nint a = 1;\n#endif\nint a = 2;\n#else\nint a = 3;\n#endif\n", 2, {}},
    {"NestedIfdefInElseSkip", "#if 1\nint a = 1;\n#else\n#ifdef X\n#endif\nint a = 9;\n#endif\n", 1, {}},
    {"UnclosedIf", "#if 0\nint a = 1;\n", -1, {"Sketch Error - #if without #endif"}},
    {"UnclosedElse", "#if 1\nint a = 1;\n#else\nint a = 2;\n", 1, {"Sketch Error - #if without #endif"}},
};

INSTANTIATE_TEST_SUITE_P(Preprocessor, IfFamily, ::testing::ValuesIn(if_cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Preprocessor, SkippedLinesAreGreyAndStopLinesAreDirectives) {
    reset_with("#if 0\n"    // 0
               "int a;\n"   // 1
               "#else\n"    // 2
               "int b;\n"   // 3
               "#endif\n"); // 4
    EXPECT_EQ(in.f_color[0], col_hash);
    EXPECT_EQ(in.f_color[1], col_comment);
    EXPECT_EQ(in.f_color[2], col_hash);
    EXPECT_EQ(in.f_color[3], col_decl);
    EXPECT_EQ(in.f_color[4], col_hash);
}

TEST_F(Preprocessor, AnUnclosedIfStopsOnTheLastLine) {
    in.load_text("#if 0\nint a;\nint b;");
    in.RestartClick();
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages()[0], "Sketch Error - #if without #endif");
    EXPECT_EQ(in.f_color.size(), 3U);
}

TEST_F(Preprocessor, IfNestingBeyond200IsAnError) {
    std::string text;
    for (int i = 0; i < 201; ++i) text += "#if 1\n";
    reset_with(text);
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages()[0], "Sketch Error - #if nested too deeply (limit 200)");
    EXPECT_EQ(in.pre.hloop, 200);
}

TEST_F(Preprocessor, ResetClearsTheIfState) {
    reset_with("#if 1\n#if 1\n");
    in.RestartClick();
    in.pre.reset();
    EXPECT_EQ(in.pre.hloop, 0);
    EXPECT_EQ(in.pre.hif[0], 0);
    EXPECT_EQ(in.pre.library1, 0);
}

// Skipped lines inside setup() take the comment colour, and the directives close their state.
TEST_F(Preprocessor, DirectivesReachedByTheStep) {
    in.files = std::make_unique<DiskFiles>();
    load_sketch("preprocessor_directive_steps");
    const Subroutine* setup = in.subs.find("setup");
    ASSERT_NE(setup, nullptr);
    for (int steps = 0; steps < 20 && in.Line < setup->close_line; ++steps) in.Step1Click();
    EXPECT_EQ(in.Line, setup->close_line);
    EXPECT_EQ(in.pre.hloop, 0);
    for (const char* skipped : {"  x = 1;", "  x = 50;"}) {
        int32_t line = 0;
        while (line < in.ListBox1.Count() && in.ListBox1.item(line) != skipped) ++line;
        ASSERT_LT(line, in.ListBox1.Count()) << skipped;
        EXPECT_EQ(in.f_color[static_cast<size_t>(line)], col_comment) << skipped;
    }
}

// --- library headers ---

TEST_F(Preprocessor, LibraryHeadersSetTheirBits) {
    struct Case {
        const char* header;
        int32_t bits;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"<Servo.h>", LIB_SERVO, {}},
        {"<EEPROM.h>", LIB_EEPROM, {}},
        {"<FreqCounter.h>", LIB_FC, {}},
        {"<time.h>", LIB_TIME, {}},
        {"<stdio.h>", 0, {}},
        {"<stdlib.h>", 0, {}},
        {"<Firmata.h>", LIB_FIRMATA, {"Warning - Firmata Functions not yet fully implemented!"}},
        {"<Foo.h>", 0, {"Custom Library not yet implement <Foo.h> Please email"}},
        {"<servo.h>", 0, {"Custom Library not yet implement <servo.h> Please email"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        host.errors.clear();
        reset_with(std::string("#include ") + c.header + "\n#include " + c.header + "\n");
        EXPECT_EQ(in.pre.library1, c.bits);
        std::vector<std::string> twice = c.messages;
        twice.insert(twice.end(), c.messages.begin(), c.messages.end());
        EXPECT_EQ(messages(), twice);
    }
}

TEST_F(Preprocessor, EveryResetRebuildsTheLibraryBits) {
    reset_with("#include <Servo.h>\n#include <Wire.h>\n");
    in.RestartClick();
    EXPECT_EQ(in.pre.library1, LIB_SERVO | LIB_WIRE);
}

// --- include files ---

TEST_F(Preprocessor, IncludeFileLinesRunAsGlobals) {
    mem->files["pins.h"] = "// pins\n#define LED 7\nint led = LED;\r\n\tint arr[3] = {1,\n  2,\n  3};\nint after = 5;";
    reset_with("#include \"pins.h\" // ours\nint b = led + 1;\n");
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(value("led"), 7);
    EXPECT_EQ(value("b"), 8);
    EXPECT_EQ(value("arr[2]"), 3);
    EXPECT_EQ(value("after"), 5);
    EXPECT_EQ(in.ListBox1.Count(), 6); // not inserted: "#include Code" is off
    EXPECT_EQ(in.pre.include_start, -1);
    EXPECT_FALSE(in.pre.kinclude1);
}

TEST_F(Preprocessor, AnIncludeFileKeepsItsOwnCommentState) {
    mem->files["c.h"] = "/* open\nint hidden = 1;\n*/ int shown = 2;\n/* never closed\n";
    reset_with("#include \"c.h\"\nint a = 3;\n");
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_FALSE(defined("hidden"));
    EXPECT_EQ(value("shown"), 2);
    EXPECT_EQ(value("a"), 3);
}

TEST_F(Preprocessor, AnIncludeFileRunsOnlyItsFirst1000Lines) {
    std::string text(999, '\n');
    text += "int a = 1;\nint b = 2;\n";
    mem->files["long.h"] = text;
    reset_with("#include \"long.h\"\n");
    EXPECT_EQ(value("a"), 1);
    EXPECT_FALSE(defined("b"));
}

TEST_F(Preprocessor, IncludeGuardsAndDirectivesInsideAFile) {
    mem->files["g.h"] = "#ifndef G_H\n#define G_H\nint led = 13;\n#if 0\nint skipped = 1;\n#endif\n#endif\n";
    reset_with("#include \"g.h\"\n#include \"g.h\"\nint a = led;\n");
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(value("a"), 13);
    EXPECT_FALSE(defined("skipped"));
    EXPECT_EQ(in.vars.var_n[n_int], 3); // led and a
    EXPECT_EQ(in.pre.hloop, 0);
}

TEST_F(Preprocessor, AnUnclosedIfEndsWithItsFile) {
    mem->files["u.h"] = "#if 0\nint x = 1;\n";
    mem->files["v.h"] = "#if 1\nint y = 1;\n";
    reset_with("#include \"u.h\"\n#include \"v.h\"\nint a = 2;\n");
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Sketch Error - #if without #endif", "Sketch Error - #if without #endif"}));
    EXPECT_EQ(value("a"), 2);
    EXPECT_EQ(value("y"), 1);
    EXPECT_EQ(in.pre.hloop, 0);
}

TEST_F(Preprocessor, BadIncludesAreErrors) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;
        std::string message;
    };
    std::vector<std::pair<std::string, std::string>> chain;
    for (int i = 1; i <= 10; ++i)
        chain.emplace_back("h" + std::to_string(i) + ".h", "#include \"h" + std::to_string(i + 1) + ".h\"\n");
    const Case cases[] = {
        {"self", {{"h1.h", "int a = 1;\n#include \"H1.h\"\n"}}, "Sketch Error - include file includes itself: H1.h"},
        {"cycle",
         {{"h1.h", "#include \"h2.h\"\n"}, {"h2.h", "#include \"h1.h\"\n"}},
         "Sketch Error - include file includes itself: h1.h"},
        {"deep", chain, "Sketch Error - include files nested too deeply: h9.h"},
        {"binary", {{"h1.h", std::string("int a;\0\x01", 8)}}, "Sketch Error - include file is not text: h1.h"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.errors.clear();
        mem->files.clear();
        for (const auto& [name, text] : c.files) mem->files[name] = text;
        reset_with("#include \"h1.h\"\nint b = 2;\n");
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(value("b"), 2);
        EXPECT_FALSE(in.pre.kinclude1);
    }
}

TEST_F(Preprocessor, IncludeInsertedInMemoryThenASecondReset) {
    mem->files["pins.h"] = "#define LED 7\nint led = LED;\n#include <Servo.h>\n";
    in.includeCode1.Checked = true;
    in.load_text(std::string("#include \"pins.h\"\n" // 0, file lines 1..3 follow
                             "int b = led + 1;\n") + // 1 -> 4
                 body);
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    ASSERT_EQ(in.ListBox1.Count(), 9);
    EXPECT_EQ(in.ListBox1.item(1), "#define LED 7"); // as written, no line-number prefix
    EXPECT_EQ(in.ListBox1.item(3), "#include <Servo.h>");
    EXPECT_EQ(in.ListBox1.item(4), "int b = led + 1;");
    EXPECT_EQ(in.f_color.size(), 9U);
    EXPECT_EQ(in.pre.include_start, 1);
    EXPECT_EQ(in.pre.include_end, 3);
    EXPECT_FALSE(in.pre.from_include(0));
    EXPECT_TRUE(in.pre.from_include(2));
    EXPECT_FALSE(in.pre.from_include(4));
    EXPECT_EQ(value("b"), 8);
    ASSERT_NE(in.subs.find("setup"), nullptr);
    EXPECT_EQ(in.subs.find("setup")->header_line, 5);

    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(in.ListBox1.Count(), 9); // read again, not inserted again
    EXPECT_EQ(value("led"), 7);
    EXPECT_EQ(value("LED"), 7);
    EXPECT_EQ(value("b"), 8);
    EXPECT_EQ(in.pre.library1, LIB_SERVO);
    EXPECT_EQ(in.vars.var_n[n_int], 3);
    EXPECT_EQ(in.pre.include_start, 1);
    EXPECT_EQ(in.pre.include_end, 3);

    // New text forgets the ranges and inserts again.
    in.load_text("#include \"pins.h\"\n" + std::string(body));
    EXPECT_EQ(in.pre.include_start, -1);
    EXPECT_FALSE(in.pre.from_include(2));
    in.RestartClick();
    EXPECT_EQ(in.ListBox1.Count(), 8);
    EXPECT_EQ(in.pre.include_end, 3);
}

// Line numbers belong to the view: the code list holds the same text either way.
TEST_F(Preprocessor, InsertionIsTheSameWithLineNumbersOn) {
    mem->files["pins.h"] = "int led = 7;\n";
    in.includeCode1.Checked = true;
    in.LineNumbers1.Checked = true;
    in.load_text("#include \"pins.h\"\nint b = led + 1;\n" + std::string(body));
    in.RestartClick();
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    ASSERT_EQ(in.ListBox1.Count(), 7);
    EXPECT_EQ(in.ListBox1.item(1), "int led = 7;");
    EXPECT_EQ(value("b"), 8);
}

TEST_F(Preprocessor, AStepNeverInsertsIncludeLines) {
    mem->files["s.h"] = "int y = 4;\n";
    in.includeCode1.Checked = true;
    in.load_text("void setup() {\n"
                 "#include \"s.h\"\n"
                 "}\n"
                 "void loop() {\n"
                 "}\n");
    in.RestartClick();
    in.pre.included = false;
    ASSERT_EQ(in.Line, 1);
    in.Step1Click();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(in.ListBox1.Count(), 5);
    EXPECT_EQ(value("y"), 4);
    EXPECT_EQ(in.subs.find("loop")->header_line, 3);
}

// Sketch lines between two inserted files belong to no include range.
TEST_F(Preprocessor, LinesBetweenTwoInsertedFilesSurviveASecondReset) {
    mem->files["a.h"] = "int a = 1;\n";
    mem->files["b.h"] = "int b = 2;\n";
    in.includeCode1.Checked = true;
    in.load_text("#include \"a.h\"\nint z = 5;\n#include \"b.h\"\n" + std::string(body));
    in.RestartClick();
    EXPECT_EQ(in.pre.include_start, 1);
    EXPECT_EQ(in.pre.include_end, 4);
    EXPECT_FALSE(in.pre.from_include(2));
    EXPECT_FALSE(in.pre.from_include(3));
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(value("z"), 5);
    EXPECT_EQ(value("b"), 2);
}

TEST_F(Preprocessor, NestedAndMultiLineIncludesInsertInOrder) {
    mem->files["a.h"] = "int a1 = 1;\n#include \"b.h\"\nint a2[2] = {4,\n 5};\nint a3 = 3;\n";
    mem->files["b.h"] = "int b1 = 2;\n";
    in.includeCode1.Checked = true;
    in.load_text("#include \"a.h\"\nint z = a3 + b1;\n" + std::string(body));
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    const std::vector<std::string> expected = {"#include \"a.h\"", "int a1 = 1;",     "#include \"b.h\"",
                                               "int b1 = 2;",      "int a2[2] = {4,", " 5};",
                                               "int a3 = 3;",      "int z = a3 + b1;"};
    ASSERT_GE(in.ListBox1.Count(), 8);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(in.ListBox1.item(static_cast<int32_t>(i)), expected[i]);
    EXPECT_EQ(value("a2[1]"), 5);
    EXPECT_EQ(value("z"), 5);
    EXPECT_EQ(in.pre.include_start, 1);
    EXPECT_EQ(in.pre.include_end, 6);
    EXPECT_FALSE(in.pre.from_include(7));

    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(in.ListBox1.Count(), 12);
    EXPECT_EQ(value("z"), 5);
}

// A loaded sketch reads its include files from its own folder, whatever the letter case.
TEST_F(CoreTest, IncludeFilesComeFromTheSketchFolder) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("quorvex_include_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "Pins.H", std::ios::binary) << "\xEF\xBB\xBFint led = 9; // caf\xE9\r\n";
    std::ofstream(dir / "main.ino", std::ios::binary) << "#include \"pins.h\"\n" << body;
    ASSERT_EQ(in.LoadFile1((dir / "main.ino").string()), 1);
    in.RestartClick();
    std::filesystem::remove_all(dir);
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(in.get_var("led"), 9);
}

} // namespace
} // namespace quorvex::test
