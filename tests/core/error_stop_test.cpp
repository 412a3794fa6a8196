// The error stop (run state, message, window) and the daily error log.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "support/recording_host.h"

namespace {

namespace fs = std::filesystem;
using quorvex::FixedClock;
using quorvex::Interpreter;
using quorvex::test::RecordingHost;

// A fresh folder under the system temp folder, removed with everything in it at the end.
struct TempDir {
    fs::path path;
    TempDir() {
        static int serial = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = fs::temp_directory_path() / ("quorvex-log-" + std::to_string(::getpid()) + "-" + std::to_string(stamp) +
                                            "-" + std::to_string(++serial));
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(path)) out.push_back(e.path().filename().string());
        return out;
    }
};

std::string read_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ErrorStop : public ::testing::Test {
protected:
    RecordingHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};
    TempDir dir;

    void SetUp() override {
        in.ListBox1.assign({"int x;", "foo(1); // call", "}"});
        in.CurrentDir = dir.path;
    }
    // The run state as it is while Run is on.
    void start_run() {
        in.Timer1.Enabled = true;
        in.AutoStep.Checked = true;
        in.RunButton.ImageIndex = 13;
        in.RunButton.Hint = "Stop F9";
        in.ON_LED.Visible = true;
        in.update1 = false;
    }
    void expect_stopped() const {
        EXPECT_FALSE(in.Timer1.Enabled);
        EXPECT_FALSE(in.AutoStep.Checked);
        EXPECT_EQ(in.RunButton.ImageIndex, 12);
        EXPECT_EQ(in.RunButton.Hint, "Run F9");
        EXPECT_FALSE(in.ON_LED.Visible);
        EXPECT_TRUE(in.update1);
    }
};

TEST_F(ErrorStop, StopsTheRunAndShowsTheMessageWithTheRawLine) {
    start_run();
    in.Line = 1;
    in.cs.push({.last_control = quorvex::L_WHILE});
    in.ShowMessage1("Sketch Error - bad pin");
    expect_stopped();
    EXPECT_EQ(in.error_str, "Sketch Error - bad pin");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Sketch Error - bad pin");
    EXPECT_EQ(host.errors[0].line_text, "foo(1); // call");
    // The caller carries on from where it was.
    EXPECT_EQ(in.Line, 1);
    EXPECT_EQ(in.cs.loopx, 2);
    EXPECT_EQ(in.ListBox1.Count(), 3);
}

TEST_F(ErrorStop, LineOutsideTheListShowsPastEnd) {
    for (int32_t line : {3, 100, -1}) {
        host.errors.clear();
        in.Line = line;
        in.ShowMessage1("Unknown command: x");
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_EQ(host.errors[0].line_text, "Past End") << line;
    }
    in.ListBox1.clear();
    in.Line = 0;
    EXPECT_EQ(in.error_line_text(), "Past End");
}

TEST_F(ErrorStop, StopRunAlone) {
    start_run();
    in.stop_run();
    expect_stopped();
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(in.error_str.empty());
}

TEST_F(ErrorStop, LogOffWritesNothing) {
    in.LogErrors1.Checked = false;
    in.ShowMessage1("Sketch Error - a");
    in.log_error("loaded x.ino");
    EXPECT_TRUE(dir.names().empty());
}

TEST_F(ErrorStop, LogsOneLinePerErrorIntoTheDailyFile) {
    in.LogErrors1.Checked = true;
    in.Line = 1;
    in.ShowMessage1("Sketch Error - bad pin");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"Errorlog 2024-05-06.txt"});
    const fs::path file = dir.path / "Errorlog 2024-05-06.txt";
    const std::string first = "13:04:05 **ERROR** Line:1 foo(1); // call Sketch Error - bad pin\r\n";
    EXPECT_EQ(read_bytes(file), first);

    clock.time.second = 6;
    in.Line = 3;
    in.ShowMessage1("Cannot Evaluate (1 + 2");
    EXPECT_EQ(read_bytes(file), first + "13:04:06 **ERROR** Line:3 Past End Cannot Evaluate (1 + 2\r\n");
}

TEST_F(ErrorStop, NextDayStartsANewFile) {
    in.LogErrors1.Checked = true;
    clock.time = {2024, 5, 6, 23, 59, 59};
    in.log_error("late");
    clock.time = {2024, 5, 7, 0, 0, 1};
    in.log_error("early");
    EXPECT_EQ(read_bytes(dir.path / "Errorlog 2024-05-06.txt"), "23:59:59 late\r\n");
    EXPECT_EQ(read_bytes(dir.path / "Errorlog 2024-05-07.txt"), "00:00:01 early\r\n");
    EXPECT_EQ(dir.names().size(), 2u);
}

TEST_F(ErrorStop, LogPadsDateAndTimeAndKeepsBytes) {
    in.LogErrors1.Checked = true;
    clock.time = {2025, 1, 2, 3, 4, 5};
    in.log_error("loaded caf\xc3\xa9.ino \xff");
    EXPECT_EQ(read_bytes(dir.path / "Errorlog 2025-01-02.txt"), "03:04:05 loaded caf\xc3\xa9.ino \xff\r\n");
}

TEST_F(ErrorStop, LogAppendsToAnExistingFile) {
    in.LogErrors1.Checked = true;
    {
        std::ofstream out(dir.path / "Errorlog 2024-05-06.txt", std::ios::binary);
        out << "earlier\r\n";
    }
    in.log_error("now");
    EXPECT_EQ(read_bytes(dir.path / "Errorlog 2024-05-06.txt"), "earlier\r\n13:04:05 now\r\n");
}

TEST_F(ErrorStop, UnwritableLogIsDroppedSilently) {
    in.LogErrors1.Checked = true;
    const fs::path as_file = dir.path / "plain";
    std::ofstream(as_file) << "x";
    const std::vector<fs::path> folders = {dir.path / "missing", as_file, dir.path / "missing" / "deeper"};
    for (const fs::path& folder : folders) {
        in.CurrentDir = folder;
        host.errors.clear();
        EXPECT_NO_THROW(in.ShowMessage1("Sketch Error - a")) << folder;
        EXPECT_EQ(host.errors.size(), 1u) << folder; // the window still opens
    }
    EXPECT_FALSE(fs::exists(dir.path / "missing"));

    // The day's file name taken by a folder.
    in.CurrentDir = dir.path;
    fs::create_directory(dir.path / "Errorlog 2024-05-06.txt");
    EXPECT_NO_THROW(in.log_error("x"));
    EXPECT_TRUE(fs::is_directory(dir.path / "Errorlog 2024-05-06.txt"));
}

TEST_F(ErrorStop, ReadOnlyFolderDropsTheLog) {
    in.LogErrors1.Checked = true;
    auto files = std::make_unique<quorvex::MemoryFiles>();
    files->read_only = true;
    const quorvex::MemoryFiles& written = *files;
    in.files = std::move(files);
    EXPECT_NO_THROW(in.ShowMessage1("Sketch Error - a"));
    EXPECT_EQ(host.errors.size(), 1u);
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_TRUE(written.files.empty());
}

// An error raised while the window is open (a timer or a pin click during it) stops and
// logs, but must not stack a second window.
TEST_F(ErrorStop, ErrorWhileTheWindowIsOpenLogsButDoesNotShowAgain) {
    in.LogErrors1.Checked = true;
    int nested = 0;
    host.on_error = [&](const std::string&, const std::string&) {
        if (nested++ == 0) {
            in.Timer1.Enabled = true;
            in.ShowMessage1("Sketch Error - second");
            EXPECT_FALSE(in.Timer1.Enabled);
        }
    };
    in.Line = 0;
    in.ShowMessage1("Sketch Error - first");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Sketch Error - first");
    EXPECT_EQ(in.error_str, "Sketch Error - second");
    EXPECT_EQ(read_bytes(dir.path / "Errorlog 2024-05-06.txt"),
              "13:04:05 **ERROR** Line:0 int x; Sketch Error - first\r\n"
              "13:04:05 **ERROR** Line:0 int x; Sketch Error - second\r\n");

    // Once closed, the next error opens the window again.
    in.ShowMessage1("Sketch Error - third");
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_EQ(host.errors[1].message, "Sketch Error - third");
}

TEST_F(ErrorStop, WindowThatThrowsDoesNotBlockLaterWindows) {
    host.on_error = [](const std::string&, const std::string&) { throw std::runtime_error("closed"); };
    EXPECT_THROW(in.ShowMessage1("Sketch Error - a"), std::runtime_error);
    host.on_error = nullptr;
    in.ShowMessage1("Sketch Error - b");
    EXPECT_EQ(host.errors.size(), 2u);
}

TEST_F(ErrorStop, ResetOnEmptyListStopsAndLogs) {
    in.LogErrors1.Checked = true;
    in.ListBox1.clear();
    start_run();
    in.RestartClick();
    expect_stopped();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].line_text, "Past End");
    EXPECT_EQ(read_bytes(dir.path / "Errorlog 2024-05-06.txt"),
              "13:04:05 **ERROR** Line:0 Past End Sketch Error - Please load a sketch first before resetting\r\n");
}

// A host with a modal window, as the workbench's: a load or reset shows one window.
struct WindowHost : RecordingHost {
    bool gathers_load_errors() const override { return true; }
};

class GatheredLoadErrors : public ::testing::Test {
protected:
    WindowHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};
    TempDir dir;

    void SetUp() override { in.CurrentDir = dir.path; }
    std::string log() const { return read_bytes(dir.path / "Errorlog 2024-05-06.txt"); }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& e : host.errors) out.push_back(e.message);
        return out;
    }
};

const char* const stray_braces = "void setup() {\n" // 0
                                 "  int a = 1;\n"   // 1
                                 "}\n"              // 2
                                 "}\n"              // 3
                                 "}\n"              // 4
                                 "foo bar;\n"       // 5
                                 "}\n"              // 6
                                 "void loop() {\n"  // 7
                                 "  oops(;\n"       // 8
                                 "}\n";             // 9

TEST_F(GatheredLoadErrors, AResetShowsItsFirstErrorAndCountsTheRestWhichAreLogged) {
    in.LogErrors1.Checked = true;
    in.load_text(stray_braces);
    in.RestartClick();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Cannot process >> }\n\u2026 and 3 more errors while resetting");
    EXPECT_EQ(host.errors[0].line_text, "}");
    EXPECT_EQ(in.error_str, host.errors[0].message);
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_EQ(in.Line, 1); // the reset went on to setup()
    EXPECT_EQ(log(), "13:04:05 **ERROR** Line:3 } Cannot process >> }\r\n"
                     "13:04:05 **ERROR** Line:4 } Cannot process >> }\r\n"
                     "13:04:05 **ERROR** Line:5 foo bar; Cannot process >> foo bar;\r\n"
                     "13:04:05 **ERROR** Line:6 } Cannot process >> }\r\n");

    // A step's errors still come one window each.
    in.Line = 8;
    in.Step1Click();
    in.Step1Click();
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_FALSE(host.errors[1].message.ends_with("while resetting"));

    // One more error reads in the singular; a lone error has nothing added.
    host.errors.clear();
    in.load_text("}\n}\nvoid setup() {\n}\n");
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot process >> }\n\u2026 and 1 more error while resetting"});
    host.errors.clear();
    in.load_text("}\nvoid setup() {\n}\n");
    in.RestartClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot process >> }"});
}

TEST_F(GatheredLoadErrors, ALoadShowsOneWindowForItsReadAndItsReset) {
    const fs::path sketch = dir.path / "braces.ino";
    std::ofstream(sketch, std::ios::binary) << stray_braces;
    EXPECT_TRUE(in.LoadFile(sketch.string()));
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot process >> }\n\u2026 and 3 more errors while loading"});

    // A file that cannot be loaded, and the empty list's reset after it: one window.
    host.errors.clear();
    in.ListBox1.clear();
    EXPECT_FALSE(in.LoadFile((dir.path / "missing.ino").string()));
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Please load a sketch first before resetting"});
}

} // namespace
