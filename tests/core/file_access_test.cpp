// Sketch text decoding and include-file lookup in the sketch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "interpreter/file_access.h"

namespace quorvex::test {
namespace {

TEST(DecodeSketchText, KeepsUtf8DropsTheMarkAndReadsOtherTextAsWindows1252) {
    struct Case {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"int x;\n", "int x;\n"},
        {"\xEF\xBB\xBFint x;", "int x;"},
        {"// caf\xC3\xA9", "// caf\xC3\xA9"},             // valid UTF-8 stays
        {"// caf\xE9", "// caf\xC3\xA9"},                 // Latin-1 e-acute
        {"// \x80 5", "// \xE2\x82\xAC 5"},               // the euro sign of Windows-1252
        {"\xC3", "\xC3\x83"},                             // a cut-off sequence is not UTF-8
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}, // an encoded surrogate is not UTF-8
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                 // nor is an overlong form
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(decode_sketch_text(c.bytes), c.text);
}

class DiskFilesTest : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("quorvex_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    DiskFiles files;

    void SetUp() override {
        std::filesystem::create_directories(dir / "sub");
        files.root = dir;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
};

TEST_F(DiskFilesTest, ReadsByNameThenByAUniqueCaseInsensitiveMatch) {
    write("Pins.h", "#define LED 13\n");
    write("sub/more.h", "x;");
    EXPECT_EQ(files.read("Pins.h"), std::optional<std::string>("#define LED 13\n"));
    EXPECT_EQ(files.read("pins.h"), std::optional<std::string>("#define LED 13\n"));
    EXPECT_EQ(files.read("sub/more.h"), std::optional<std::string>("x;"));
    write("PINS.H", "other");
    EXPECT_EQ(files.read("Pins.h"), std::optional<std::string>("#define LED 13\n")); // exact match first
    EXPECT_FALSE(files.read("pINs.h").has_value());                                  // two candidates
}

TEST_F(DiskFilesTest, StaysInsideTheSketchFolderAndReadsOnlyRegularFiles) {
    write("a.h", "x;");
    EXPECT_FALSE(files.read("missing.h").has_value());
    EXPECT_FALSE(files.read("").has_value());
    EXPECT_FALSE(files.read("sub").has_value());
    EXPECT_FALSE(files.read("../a.h").has_value());
    EXPECT_FALSE(files.read("sub/../a.h").has_value());
    EXPECT_FALSE(files.read((dir / "a.h").string()).has_value());
}

TEST_F(DiskFilesTest, RefusesOversizedFiles) {
    write("big.h", std::string(DiskFiles::max_bytes + 1, 'x'));
    EXPECT_FALSE(files.read("big.h").has_value());
}

} // namespace
} // namespace quorvex::test
