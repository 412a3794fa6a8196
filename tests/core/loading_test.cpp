// Loading a sketch, the reset scan and reset.
#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "support/state_snapshot.h"

namespace quorvex::test {
namespace {

class Loading : public CoreTest {
protected:
    const Subroutine* sub(const std::string& name) const { return in.subs.find(name); }
};

const char* const sketch = "// Simulate Mega\n"                 // 0
                           "int led = 13;\n"                    // 1
                           "/* note */\n"                       // 2
                           "unsigned long count() {\n"          // 3
                           "  return 1;\n"                      // 4
                           "}\n"                                // 5
                           "void blinkLed(int pin, int ms) {\n" // 6
                           "}\n"                                // 7
                           "int getint() {\n"                   // 8
                           "}\n"                                // 9
                           "void proto(int a);\n"               // 10
                           "void one() { led = 2; }\n"          // 11
                           "void setup() {\n"                   // 12
                           "  led = 12;\n"                      // 13
                           "}\n"                                // 14
                           "void loop() {\n"                    // 15
                           "}\n";                               // 16

TEST_F(Loading, ScanRegistersSubroutinesColoursLinesAndRunsGlobals) {
    in.load_text(sketch);
    in.RestartClick();
    EXPECT_TRUE(host.errors.empty()) << (host.errors.empty() ? "" : host.errors[0].message);
    ASSERT_EQ(in.subs.srx(), 6);
    EXPECT_EQ(sub("count")->params, 0);
    EXPECT_EQ(sub("count")->header_line, 3);
    EXPECT_EQ(sub("count")->close_line, 5);
    EXPECT_EQ(sub("blinkLed")->params, 2);
    EXPECT_NE(sub("getint"), nullptr);
    EXPECT_EQ(sub("proto"), nullptr); // a prototype is not registered
    EXPECT_EQ(sub("one")->close_line, 11);
    EXPECT_EQ(sub("setup")->header_line, 12);
    EXPECT_EQ(in.f_color[1], col_decl);
    EXPECT_EQ(in.f_color[2], col_comment);
    EXPECT_EQ(in.f_color[3], col_sr);
    EXPECT_EQ(in.f_color[13], LineColour::Default);
    const VariableTable::Ref led = in.vars.lookup("led");
    ASSERT_TRUE(led);
    EXPECT_EQ(in.vars.at(led.type, led.slot).ival, 13);
    EXPECT_TRUE(in.vars.at(led.type, led.slot).from_scan);
    EXPECT_EQ(in.board.kind, BoardKind::Mega);
    EXPECT_EQ(in.Line, 13);
    EXPECT_EQ(in.StatusBar1[0], "Line: 0013");
    EXPECT_EQ(in.StatusBar1[1], "of 0017");
    EXPECT_EQ(in.StatusBar1[2], "Next: led = 12;");
    EXPECT_EQ(in.StatusBar1[3], "Reset");
}

TEST_F(Loading, BoardComesOnlyFromACaseSensitiveFirstLine) {
    in.board.Mega1Click();
    in.load_text("// simulate uno\nvoid setup() {\n}\n");
    in.RestartClick();
    EXPECT_EQ(in.board.kind, BoardKind::Mega);
    in.load_text("// Simulate Uno\nvoid setup() {\n}\n");
    in.RestartClick();
    EXPECT_EQ(in.board.kind, BoardKind::Uno);
}

TEST_F(Loading, TooManySubroutinesIsReportedOnceAndTheirBodiesAreStillSkipped) {
    std::string text;
    for (int i = 0; i < 203; ++i) text += "void f" + std::to_string(i) + "() {\n  x = 1;\n}\n";
    text += "void setup() {\n}\n";
    in.load_text(text);
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Too many subroutines (limit 201)"});
    EXPECT_EQ(in.subs.srx(), 201);
}

TEST_F(Loading, TwoResetsGiveTheSameState) {
    in.load_text(sketch);
    in.RestartClick();
    const std::string first = state_snapshot(in);
    in.register_object(servo_key, "myServo");
    in.evaluate_expression("int extra = 4;");
    in.Step1Click();
    in.RestartClick();
    EXPECT_EQ(state_snapshot(in), first);
}

TEST_F(Loading, FilesOnDisk) {
    const auto dir = std::filesystem::temp_directory_path() / "quorvex_loading_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "s.ino", std::ios::binary) << "\xEF\xBB\xBF// caf\xE9\r\nvoid setup() {\r\n\tint x;\r\n}\r\n";
    std::ofstream(dir / "bin.ino", std::ios::binary) << std::string("ab\0cd", 5);
    in.LoadFile((dir / "s.ino").string());
    EXPECT_EQ(in.ListBox1.item(0), "// caf\xC3\xA9");
    EXPECT_EQ(in.ListBox1.item(2), " int x;");
    EXPECT_EQ(in.Caption, "s.ino");
    EXPECT_EQ(in.Logdir1, dir.string());
    EXPECT_EQ(in.Line, 2);
    EXPECT_TRUE(host.errors.empty());

    EXPECT_EQ(in.LoadFile1((dir / "bin.ino").string()), 0);
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Sketch Error - not a sketch text file: " + (dir / "bin.ino").string()});
    EXPECT_EQ(in.ListBox1.Count(), 4); // the loaded sketch stays
    EXPECT_EQ(in.LoadFile1((dir / "missing.ino").string()), 0);
    std::filesystem::remove_all(dir);
}

TEST_F(Loading, ARelativeNameBecomesAFullPath) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() /
                         ("quorvex_relative_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(dir / "sub");
    std::ofstream(dir / "sketch.ino", std::ios::binary) << "#include \"lib.h\"\nvoid setup() {\n}\nvoid loop() {\n}\n";
    std::ofstream(dir / "Lib.h", std::ios::binary) << "int fromLib = 7;\n";
    const fs::path started_in = fs::current_path();
    const fs::path folder = fs::canonical(dir);

    // Started in the sketch's folder: the include lookup searches that folder, not "".
    fs::current_path(dir);
    const bool read = in.LoadFile("sketch.ino");
    fs::current_path(dir / "sub");
    const bool read_from_sub = in.LoadFile1("../sketch.ino") == 1;
    fs::current_path(started_in);
    fs::remove_all(dir);

    EXPECT_TRUE(read);
    EXPECT_TRUE(read_from_sub);
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(in.get_var("fromLib"), 7);
    EXPECT_EQ(in.FileName, (folder / "sketch.ino").string());
    EXPECT_EQ(in.Logdir1, folder.string());
    EXPECT_EQ(in.Caption, "sketch.ino");
}

// A seam that serves one sketch from memory, as the workbench serves its bundled examples.
class ServedFiles : public MemoryFiles {
public:
    std::string folder;
    SketchBytes read_sketch(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end()) return {};
        return {SketchBytes::Status::Read, it->second};
    }
    void set_folder(const std::filesystem::path& f) override { folder = f.string(); }
};

TEST_F(Loading, LoadFileReadsThroughTheFileSeamAndNotDuringAStep) {
    auto served = std::make_unique<ServedFiles>();
    ServedFiles& files = *served;
    files.files[":/examples/a.ino"] = "// Simulate Mega\nvoid setup() {\n\tx = 1;\n}\n";
    files.files["b.ino"] = "void setup() {\n}\n";
    in.files = std::move(served);
    EXPECT_TRUE(in.LoadFile(":/examples/a.ino"));
    EXPECT_EQ(in.ListBox1.item(2), " x = 1;");
    EXPECT_EQ(in.Caption, "a.ino");
    EXPECT_EQ(files.folder, ":/examples");
    EXPECT_EQ(in.board.kind, BoardKind::Mega);
    EXPECT_EQ(in.Line, 2);

    // An error window opened by a step keeps the sketch it is showing.
    bool loaded_during_step = true;
    host.on_error = [&](const std::string&, const std::string&) { loaded_during_step = in.LoadFile("b.ino"); };
    in.ListBox1.set_item(2, "foo;");
    in.Step1Click();
    EXPECT_FALSE(loaded_during_step);
    EXPECT_EQ(in.Caption, "a.ino");
    host.on_error = nullptr;

    EXPECT_FALSE(in.LoadFile("missing.ino")); // the loaded sketch stays, reset
    EXPECT_EQ(in.ListBox1.Count(), 4);
    EXPECT_TRUE(in.LoadFile("b.ino"));
    EXPECT_EQ(in.ListBox1.Count(), 2);
}

TEST_F(Loading, FiveThousandLinesLoadAndReset) {
    std::string text = "// Simulate Uno\n";
    for (int i = 0; i < 400; ++i) text += "int g" + std::to_string(i) + " = " + std::to_string(i) + ";\n";
    for (int f = 0; text.size() < 200000 && f < 190; ++f) {
        text += "int fn" + std::to_string(f) + "(int a) {\n";
        for (int k = 0; k < 20; ++k) text += "  a = a + " + std::to_string(k) + ";\n";
        text += "  return a;\n}\n";
    }
    text += "void setup() {\n}\nvoid loop() {\n}\n";
    in.load_text(text);
    ASSERT_GT(in.ListBox1.Count(), 4500);
    in.RestartClick();
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(in.subs.srx(), 192);
    EXPECT_EQ(in.vars.var_n[n_int], 401);
}

} // namespace
} // namespace quorvex::test
