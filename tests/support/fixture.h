#pragma once
// A core interpreter wired to a recording host and a fixed clock.

#include <gtest/gtest.h>

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

    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& e : host.errors) out.push_back(e.message);
        return out;
    }
};

} // namespace quorvex::test
