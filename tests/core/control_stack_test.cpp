// The control stack: block levels pushed at loopx, popped levels left readable for the
// else handling, and a full stack that refuses instead of writing past its table.
#include <gtest/gtest.h>

#include "interpreter/control_stack.h"
#include "interpreter/interpreter.h"
#include "support/recording_host.h"

namespace quorvex {
namespace {

ControlLevel marked(int32_t n) {
    return {.last_control = L_WHILE, .loop_line = n, .loop_next = n + 1, .last_ifloop = true, .sr_var = n + 2};
}

void expect_marked(const ControlLevel& level, int32_t n) {
    EXPECT_EQ(level.last_control, L_WHILE) << n;
    EXPECT_EQ(level.loop_line, n);
    EXPECT_EQ(level.loop_next, n + 1);
    EXPECT_TRUE(level.last_ifloop) << n;
    EXPECT_EQ(level.sr_var, n + 2);
}

TEST(ControlStack, StartsAtTheTopLevel) {
    ControlStack cs;
    EXPECT_EQ(cs.loopx, 1);
    EXPECT_EQ(cs.current().last_control, 0);
    EXPECT_EQ(&cs.current(), &cs.at(1));
}

TEST(ControlStack, PushWritesAtLoopxThenRaisesIt) {
    ControlStack cs;
    ASSERT_TRUE(cs.push(marked(7)));
    EXPECT_EQ(cs.loopx, 2);
    expect_marked(cs.at(1), 7);
    EXPECT_EQ(cs.at(2).last_control, 0);
    ASSERT_TRUE(cs.push({.last_control = L_FOR, .loop_line = 9}));
    EXPECT_EQ(cs.loopx, 3);
    EXPECT_EQ(cs.at(2).last_control, L_FOR);
    EXPECT_EQ(cs.at(2).loop_line, 9);
    expect_marked(cs.at(1), 7);
}

TEST(ControlStack, PoppedLevelsStayReadable) {
    ControlStack cs;
    cs.push(marked(3));
    cs.push(marked(4));
    ASSERT_TRUE(cs.pop());
    EXPECT_EQ(cs.loopx, 2);
    expect_marked(cs.current(), 4);
    ASSERT_TRUE(cs.pop());
    EXPECT_EQ(cs.loopx, 1);
    expect_marked(cs.current(), 3);
    expect_marked(cs.at(2), 4);
    // Re-opening a level by raising loopx finds its entries as the pop left them.
    ++cs.loopx;
    expect_marked(cs.at(cs.loopx - 1), 3);
}

TEST(ControlStack, NoPopBelowTheTopLevel) {
    ControlStack cs;
    EXPECT_FALSE(cs.pop());
    EXPECT_EQ(cs.loopx, 1);
    cs.push(marked(1));
    EXPECT_TRUE(cs.pop());
    EXPECT_FALSE(cs.pop());
    EXPECT_EQ(cs.loopx, 1);
}

TEST(ControlStack, FullStackRefusesAndKeepsItsLevels) {
    ControlStack cs;
    int pushed = 0;
    while (cs.push(marked(pushed + 1))) {
        ++pushed;
        ASSERT_LE(pushed, MAX_LOOP) << "the stack never filled";
    }
    // The level at loopx must stay writable for the next block header, so the last slot is not pushed.
    EXPECT_EQ(pushed, MAX_LOOP - 1);
    EXPECT_EQ(cs.loopx, MAX_LOOP);
    EXPECT_FALSE(cs.push(marked(999)));
    EXPECT_EQ(cs.loopx, MAX_LOOP);
    EXPECT_EQ(cs.at(MAX_LOOP).last_control, 0);
    for (int32_t i = 1; i < MAX_LOOP; ++i) expect_marked(cs.at(i), i);
    EXPECT_TRUE(cs.pop());
    EXPECT_EQ(cs.loopx, MAX_LOOP - 1);
    EXPECT_TRUE(cs.push(marked(MAX_LOOP - 1)));
}

TEST(ControlStack, IndexesOutsideTheTableStayInside) {
    ControlStack cs;
    cs.at(-1).loop_line = 5;
    cs.at(MAX_LOOP + 50).loop_line = 6;
    EXPECT_EQ(cs.at(0).loop_line, 5);
    EXPECT_EQ(cs.at(MAX_LOOP).loop_line, 6);
    // A handler that moved loopx by hand must not push outside the table.
    cs.loopx = MAX_LOOP + 10;
    EXPECT_FALSE(cs.push(marked(1)));
    cs.loopx = -3;
    EXPECT_FALSE(cs.push(marked(1)));
    EXPECT_EQ(cs.loopx, -3);
    cs.loopx = 0;
    EXPECT_TRUE(cs.push(marked(1)));
    expect_marked(cs.at(0), 1);
}

TEST(ControlStack, ResetClearsEveryLevel) {
    ControlStack cs;
    cs.push(marked(1));
    cs.push(marked(2));
    cs.reset();
    EXPECT_EQ(cs.loopx, 1);
    EXPECT_EQ(cs.at(1).last_control, 0);
    EXPECT_EQ(cs.at(2).loop_line, 0);
}

class PushLevel : public ::testing::Test {
protected:
    test::RecordingHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};
};

TEST_F(PushLevel, PushesWithoutAReport) {
    EXPECT_TRUE(in.push_level(marked(4)));
    EXPECT_EQ(in.cs.loopx, 2);
    expect_marked(in.cs.at(1), 4);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(PushLevel, FullStackReportsAndPushesNothing) {
    while (in.cs.loopx < MAX_LOOP) ASSERT_TRUE(in.push_level(marked(in.cs.loopx)));
    ASSERT_TRUE(host.errors.empty());
    in.Timer1.Enabled = true;
    in.AutoStep.Checked = true;

    EXPECT_FALSE(in.push_level(marked(999)));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Sketch Error - Blocks nested too deeply");
    EXPECT_EQ(in.cs.loopx, MAX_LOOP);
    EXPECT_EQ(in.cs.at(MAX_LOOP).last_control, 0);
    expect_marked(in.cs.at(MAX_LOOP - 1), MAX_LOOP - 1);
    // The error stop ends a run.
    EXPECT_FALSE(in.Timer1.Enabled);
    EXPECT_FALSE(in.AutoStep.Checked);

    // Each further attempt reports again; the stack works again once a level closes.
    EXPECT_FALSE(in.push_level(marked(999)));
    EXPECT_EQ(host.errors.size(), 2u);
    ASSERT_TRUE(in.cs.pop());
    EXPECT_TRUE(in.push_level(marked(5)));
    EXPECT_EQ(host.errors.size(), 2u);
}

} // namespace
} // namespace quorvex
