#pragma once
// A core interpreter wired to a recording host and a fixed clock.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "interpreter/interpreter.h"
#include "support/recording_host.h"

namespace quorvex::test {

class CoreTest : public ::testing::Test {
protected:
    RecordingHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};

    // Straight-line statements with no setup(): the cursor on the first code line, without
    // the reset scan that would run them as globals.
    void load_lines(std::string_view text) {
        in.load_text(text);
        in.Line = 0;
        if (!in.CodeLine()) in.FindNextLine();
    }

    // Loads tests/sketches/NAME.ino, whose transcript shows the rest of what it does, and resets
    // it: the cursor stops in setup().
    void load_sketch(std::string_view name) {
        ASSERT_EQ(in.LoadFile1(std::string(QUORVEX_SKETCH_DIR "/") + std::string(name) + ".ino"), 1) << name;
        in.RestartClick();
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& e : host.errors) out.push_back(e.message);
        return out;
    }
};

} // namespace quorvex::test
