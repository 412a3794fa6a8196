// Values read back from the settings and the rules that fit a stored window to a screen.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "workbench/settings_store.h"
#include "workbench/sketch_file.h"
#include "workbench/window_layout.h"

using namespace quorvex;

namespace {

SettingsValues read_from(const std::map<std::string, std::string>& stored) {
    return read_settings(
        [&stored](const std::string& name) -> std::optional<std::string> {
            const auto it = stored.find(name);
            if (it == stored.end()) return std::nullopt;
            return it->second;
        },
        default_settings());
}

} // namespace

TEST(SettingsBounds, OutOfRangeValuesTakeTheDefaultOrTheirBound) {
    const SettingsValues v = read_from({{"Auto Step ms", "-5"},
                                        {"Width", "100000"},
                                        {"Height", "2147483647"},
                                        {"Splitter", "0"},
                                        {"Left", "-2147483648"},
                                        {"ATop", "99999"},
                                        {"Font Type", std::string(1 << 20, 'x')},
                                        {"File Name", std::string(max_setting_text, 'f')},
                                        {"Log Directory", std::string(max_setting_text + 1, 'd')}});
    EXPECT_EQ(v.integer("Auto Step ms"), 250);
    EXPECT_EQ(v.integer("Width"), max_window_extent);
    EXPECT_EQ(v.integer("Height"), max_window_extent);
    EXPECT_EQ(v.integer("Splitter"), 300);
    EXPECT_EQ(v.integer("Left"), -max_window_extent);
    EXPECT_EQ(v.integer("ATop"), max_window_extent);
    // Compared as truths: a failure would print the megabyte.
    EXPECT_TRUE(v.text("Font Type") == "Courier");
    EXPECT_EQ(v.text("File Name").size(), max_setting_text); // a long path is still a path
    EXPECT_TRUE(v.text("Log Directory").empty());

    EXPECT_EQ(read_from({{"Auto Step ms", "0"}}).integer("Auto Step ms"), 250);
    EXPECT_EQ(read_from({{"Auto Step ms", "1"}}).integer("Auto Step ms"), 1);
    EXPECT_EQ(read_from({{"Auto Step ms", "100"}}).integer("Auto Step ms"), 100);
}

TEST(FitFrame, StoredFramesLandWhereTheUserCanReachThem) {
    const ScreenRect desk{0, 30, 1280, 994}; // a panel along the top
    // A frame that fits stays as it is.
    EXPECT_EQ(fit_frame({304, 167, 992, 655}, desk, true), (ScreenRect{304, 167, 992, 655}));
    // Larger than the screen: no larger than its free area.
    EXPECT_EQ(fit_frame({10, 40, 65535, 65535}, desk, true), (ScreenRect{10, 40, 1280, 994}));
    // The title bar above the free area comes down into it.
    EXPECT_EQ(fit_frame({294, -33, 1012, 905}, desk, true), (ScreenRect{294, 30, 1012, 905}));
    // Off every screen (a removed monitor): to the free area's corner.
    EXPECT_EQ(fit_frame({-3000, 99999, 458, 341}, desk, false), (ScreenRect{0, 30, 458, 341}));
    // No screen known: left alone.
    EXPECT_EQ(fit_frame({-3000, 5, 458, 341}, {}, false), (ScreenRect{-3000, 5, 458, 341}));
}

TEST(SaveTarget, OnlyRegularFilesOrNewNamesAreWritten) {
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "quorvex_save_target";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string regular = (dir / "a.ino").string();
    {
        std::FILE* f = std::fopen(regular.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    const std::string fifo = (dir / "pipe.ino").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(dir / "a.ino", dir / "to_regular.ino");
    std::filesystem::create_symlink(dir / "pipe.ino", dir / "to_pipe.ino");
    std::filesystem::create_symlink(dir / "nothing.ino", dir / "dangling.ino");

    EXPECT_EQ(save_target_problem(regular), "");
    EXPECT_EQ(save_target_problem((dir / "new.ino").string()), "");
    EXPECT_EQ(save_target_problem((dir / "to_regular.ino").string()), "");
    EXPECT_EQ(save_target_problem((dir / "dangling.ino").string()), ""); // the link's target is created
    EXPECT_EQ(save_target_problem(fifo), "It is not a regular file");
    EXPECT_EQ(save_target_problem((dir / "to_pipe.ino").string()), "It is not a regular file");
    EXPECT_EQ(save_target_problem(dir.string()), "It is a folder");
    std::filesystem::remove_all(dir);
}
