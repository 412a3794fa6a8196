#include <gtest/gtest.h>

#include "interpreter/interpreter.h"
#include "support/recording_host.h"

TEST(Smoke, UnknownCommand) {
    quorvex::test::RecordingHost host;
    quorvex::FixedClock clock({2024, 5, 6, 13, 4, 5});
    quorvex::Interpreter in(host, clock);
    in.evaluate_expression("foo;");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].message, "Unknown command: foo");
}
