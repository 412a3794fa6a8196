// Hostile sketch text: every case must end in at most a sketch error, never a crash, hang
// or out-of-range read (the sanitizer build runs these too), and the next step must work.
#include <string>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

struct BadInput {
    const char* name;
    std::string text;
};

class BadInputs : public CoreTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadInputs, RunsToTheEndWithoutHarm) {
    in.load_text(GetParam().text);
    in.RestartClick();
    int steps = 0;
    while (in.Line < in.ListBox1.Count() && steps < 20000) {
        in.Step1Click();
        ++steps;
    }
    EXPECT_LE(in.Line, in.ListBox1.Count());
    EXPECT_LT(steps, 20000) << "the cursor must reach the end";
    for (const auto& e : host.errors) {
        const std::string& m = e.message;
        const bool known = m.starts_with("Unknown command: ") || m.starts_with("Cannot Evaluate ") ||
                           m.starts_with("Sketch Error - ") || m.starts_with("Cannot process >> ");
        EXPECT_TRUE(known) << e.message;
    }
    host.errors.clear();
    EXPECT_EQ(in.evaluate_expression("((4))"), 4);
    EXPECT_TRUE(host.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Sketches, BadInputs,
                         ::testing::Values(BadInput{"crlf", "a;\r\nb;\r\n(1);\r\n"},
                                           BadInput{"nul_bytes", std::string("x\0y;\n(\0);\n", 11)},
                                           BadInput{"not_utf8", "\xff\xfe\x80;\n\"\xc3\x28\";\n"},
                                           BadInput{"ten_thousand_lines", repeat("noTone(1);\n", 10000)},
                                           BadInput{"very_long_line",
                                                    repeat("a", 200000) + ";\n" + repeat("(", 50000) + "\n"},
                                           BadInput{"unclosed_block_comment", "x;\n/* never closed\ny;\n"},
                                           BadInput{"unclosed_quote", "say(\"never closed;\n'\n\"\n"},
                                           BadInput{"unmatched_brackets", "(((1;\n)))2;\n(1 + 2\nf(;\n)(\n"},
                                           BadInput{"nested_1000", repeat("(", 1000) + "1" + repeat(")", 1000) + ";\n" +
                                                                       repeat("{", 1000) + "\n"},
                                           BadInput{"three_hundred_arguments", "f(" + repeat("1, ", 299) + "1);\n"},
                                           BadInput{"beyond_int32", "(4294967296);\n(99999999999999999999999);\n"},
                                           BadInput{"only_semicolons", ";;;;\n;\n; ;\n"},
                                           BadInput{"brace_soup", "}\n{\n} else {\n{}{}}}\n"}),
                         [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

TEST_F(CoreTest, EmptyFileReportsAtReset) {
    in.load_text("");
    EXPECT_EQ(in.ListBox1.Count(), 0);
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Please load a sketch first before resetting"});
    EXPECT_EQ(host.errors[0].line_text, "Past End");
    in.Step1Click(); // nothing to run, nothing read
    EXPECT_EQ(in.Line, 0);
}

} // namespace
} // namespace quorvex::test
