#pragma once
// Whole sketches stepped as the workbench steps them, for the control-flow tests.

#include <string>
#include <string_view>

#include "support/fixture.h"

namespace quorvex::test {

class Flow : public CoreTest {
protected:
    // Loads a whole sketch and resets it: the cursor stops in setup().
    void load(std::string_view text) {
        in.load_text(text);
        in.RestartClick();
    }
    void steps(int n) {
        for (int i = 0; i < n; ++i) in.Step1Click();
    }
    // Steps until the cursor stands on `line` (not counting where it starts); false after `limit`.
    bool step_to(int32_t line, int limit = 2000) {
        for (int i = 0; i < limit; ++i) {
            in.Step1Click();
            if (in.Line == line) return true;
        }
        return false;
    }
    // Steps until setup() has handed over to loop(): the cursor on the loop() header.
    void finish_setup(int limit = 2000) {
        for (int i = 0; i < limit && !in.flow.inloop; ++i) in.Step1Click();
        ASSERT_TRUE(in.flow.inloop) << "setup() never reached loop()";
    }
    int32_t var(std::string_view name) { return in.get_var(name); }
    // The first line whose text, trimmed, is `text`.
    int32_t line_of(std::string_view text) const {
        for (int32_t i = 0; i < in.ListBox1.Count(); ++i)
            if (dtrim(in.ListBox1.item(i)) == text) return i;
        ADD_FAILURE() << "no line " << text;
        return -1;
    }
    std::string current() { return in.get_line(); }
    int32_t depth() const { return in.cs.loopx; }
};

} // namespace quorvex::test
