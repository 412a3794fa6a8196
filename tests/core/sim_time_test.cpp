// Simulated time: the step clock, delays, millis/micros, the Time library clock, the
// half-second tick and the frequency counter.
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

class SimTimeTest : public CoreTest {
protected:
    void start(std::string_view sketch) {
        in.load_text(sketch);
        in.RestartClick();
    }
    // A sketch with the Time and FreqCounter headers, stopped on setup()'s first line.
    void start_with_libraries() {
        start("#include <time.h>\n#include <FreqCounter.h>\nvoid setup() {\n  int x = 0;\n}\nvoid loop() {\n}\n");
    }
    int32_t value(std::string_view expr) { return in.get_var(expr); }
    void run(std::string_view statement) { in.evaluate_expression(std::string(statement)); }
};

TEST(CivilDays, KnownDatesAndRoundTrip) {
    EXPECT_EQ(days_from_civil(1970, 1, 1), 0);
    EXPECT_EQ(days_from_civil(1969, 12, 31), -1);
    EXPECT_EQ(days_from_civil(2000, 3, 1), 11017);
    EXPECT_EQ(days_from_civil(2024, 2, 29), 19782);
    EXPECT_EQ(days_from_civil(1, 1, 1), -719162);
    EXPECT_EQ(weekday_from_days(0), 5);                             // Thursday
    EXPECT_EQ(weekday_from_days(-1), 4);                            // Wednesday
    EXPECT_EQ(weekday_from_days(days_from_civil(2015, 12, 25)), 6); // Friday
    EXPECT_EQ(weekday_from_days(days_from_civil(1899, 12, 30)), 7); // Saturday
    for (int64_t d = -800000; d <= 3000000; d += 997) {
        const CivilDate c = civil_from_days(d);
        ASSERT_EQ(days_from_civil(c.year, c.month, c.day), d) << d;
        ASSERT_GE(c.month, 1);
        ASSERT_LE(c.month, 12);
        ASSERT_GE(c.day, 1);
        ASSERT_LE(c.day, 31);
    }
}

TEST_F(SimTimeTest, StepsAndDelaysMoveTheClock) {
    start("int a = 0;\nvoid setup() {\n  a = 1;\n  a = 2;\n  a = 3;\n  delay(1500);\n  delayMicroseconds(250);\n"
          "  delay(-1000);\n}\nvoid loop() {\n}\n");
    EXPECT_EQ(in.us, 0);
    for (int i = 0; i < 3; ++i) in.Step1Click();
    EXPECT_EQ(value("millis()"), 0);
    EXPECT_EQ(value("micros()"), 3);
    in.Step1Click();
    EXPECT_EQ(value("millis()"), 1500);
    EXPECT_EQ(in.simtime.delay_timer, 1500);
    in.Step1Click();
    EXPECT_EQ(value("micros()"), 1500000 + 4 + 250 + 1);
    in.Step1Click(); // a negative delay moves the clock back
    EXPECT_EQ(in.us, 500000 + 4 + 250 + 2);
    EXPECT_TRUE(host.delays.empty()); // Simulate Delay is off
    EXPECT_TRUE(messages().empty());
}

TEST_F(SimTimeTest, MillisAndMicrosKeepThe32BitCounterWithoutOverflow) {
    start_with_libraries();
    in.us = 2147483647;
    run("delay(1)");
    EXPECT_EQ(value("millis()"), 2147484); // no sign flip after 35.8 minutes
    in.us = 5'000'000'000'000;             // 58 days: both counters have wrapped
    EXPECT_EQ(value("millis()"), static_cast<int32_t>(5'000'000'000u));
    EXPECT_EQ(value("micros()"), static_cast<int32_t>(static_cast<uint32_t>(5'000'000'000'000u)));
    in.us = std::numeric_limits<int64_t>::max() - 10;
    run("delay(2147483647)"); // wraps instead of overflowing
    run("delayMicroseconds(2147483647)");
    EXPECT_TRUE(messages().empty());
}

TEST_F(SimTimeTest, TrailingTextIsLeftToTheOperators) {
    start_with_libraries();
    in.us = 5'000'000;
    EXPECT_EQ(value("millis() / (1000)"), 5);
    EXPECT_EQ(value("micros() - 1"), 4999999);
    EXPECT_EQ(value("millis()-4000"), 1000);
    // The handlers themselves decline a rest they were handed.
    Match m;
    m.rest = "+ 1";
    in.keep_going = 0;
    in.simtime.kmillis(m);
    EXPECT_EQ(in.keep_going, 1);
    in.keep_going = 0;
    in.simtime.kmicros(m);
    EXPECT_EQ(in.keep_going, 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(SimTimeTest, SimulatedDelayAsksTheHostOrRefusesLongOnes) {
    start_with_libraries();
    in.pinio.options.SimulateDelay.Checked = true;
    run("delay(1000)");
    run("delay(10000)");
    ASSERT_EQ(host.delays.size(), 2u);
    EXPECT_EQ(host.delays[0], 1000);
    EXPECT_EQ(host.delays[1], 10000);
    const int64_t before = in.us;
    run("delay(20000)");
    EXPECT_EQ(host.delays.size(), 2u);
    EXPECT_EQ(in.us - before, 20'000'000); // the clock has moved all the same
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "Sketch Error - Delay is too long >10000 (20000)");
    run("delayMicroseconds(20000000)"); // never a window
    EXPECT_EQ(host.delays.size(), 2u);
}

TEST_F(SimTimeTest, LibraryGuards) {
    start("void setup() {\n  int x = 0;\n}\nvoid loop() {\n}\n");
    const int32_t before = in.simtime.arduino_time[TIME_NOW];
    value("hour()");
    run("setTime(3600)");
    run("adjustTime(60)");
    value("FreqCounter::f_freq");
    EXPECT_EQ(in.simtime.arduino_time[TIME_NOW], before); // no effect
    const std::string time_error = "Sketch Error - <time.h> library must be included first!";
    EXPECT_EQ(messages(), (std::vector<std::string>{time_error, time_error, time_error,
                                                    "Sketch Error - <FreqCounter.h> library must be included first!"}));
    // A longer name that starts with the word is not the call.
    host.errors.clear();
    run("int adjustTimeout = 5");
    run("adjustTimeout = 7");
    EXPECT_EQ(value("adjustTimeout"), 7);
    EXPECT_TRUE(messages().empty());
}

TEST_F(SimTimeTest, ResetTakesTheLocalWallClockUnderAnyZone) {
    const char* old = std::getenv("TZ");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    clock.time = {2024, 2, 29, 23, 59, 30};
    for (const char* zone : {"UTC0", "EST5EDT", "JST-9", "NZST-12NZDT"}) {
        setenv("TZ", zone, 1);
        tzset();
        start_with_libraries();
        const auto& t = in.simtime.arduino_time;
        // Before any Time call: the date, midnight, and the unused fields -1.
        EXPECT_EQ(t[TIME_HOUR], 0);
        EXPECT_EQ(t[TIME_DAY], 29);
        EXPECT_EQ(t[TIME_WEEKDAY], 5);
        EXPECT_EQ(t[8], -1);
        EXPECT_EQ(t[12], -1);
        EXPECT_EQ(value("now()"), 1709251170) << zone;
        EXPECT_EQ(value("weekday()"), 5) << zone;
        EXPECT_EQ(value("hour()"), 23);
        EXPECT_EQ(value("second()"), 30);
        EXPECT_EQ(value("year()"), 2024);
    }
    if (saved)
        setenv("TZ", saved->c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_TRUE(messages().empty());
}

TEST_F(SimTimeTest, SetTimeFromSecondsDecodesEveryField) {
    start_with_libraries();
    run("setTime(3600)");
    EXPECT_EQ(value("hour()"), 1);
    EXPECT_EQ(value("minute()"), 0);
    EXPECT_EQ(value("year()"), 1970);
    EXPECT_EQ(value("now()"), 3600);
    EXPECT_EQ(value("weekday()"), 5);
    run("setTime(-1)"); // one second before 1970
    EXPECT_EQ(value("year()"), 1969);
    EXPECT_EQ(value("month()"), 12);
    EXPECT_EQ(value("day()"), 31);
    EXPECT_EQ(value("hour()"), 23);
    EXPECT_EQ(value("minute()"), 59);
    EXPECT_EQ(value("second()"), 59);
    EXPECT_EQ(value("weekday()"), 4);
    EXPECT_EQ(value("hour() + 1"), 24);
    EXPECT_TRUE(messages().empty());
}

TEST_F(SimTimeTest, SetTimeFromSixFieldsAndTheHalfDayFlags) {
    start_with_libraries();
    run("setTime(13, 30, 0, 25, 12, 2015)");
    EXPECT_EQ(value("month()"), 12);
    EXPECT_EQ(value("now()"), 1451050200);
    EXPECT_EQ(value("weekday()"), 6);
    EXPECT_EQ(value("isPM()"), 1);
    EXPECT_EQ(value("isAM()"), 0);
    EXPECT_EQ(value("hourFormat12()"), 1);
    EXPECT_EQ(in.simtime.hr_format, 1);
    EXPECT_EQ(value("isAM()"), 0); // the 12-hour format does not change the flags
    EXPECT_EQ(value("hour()"), 13);
    run("setTime(0, 5, 0, 1, 1, 2020)");
    EXPECT_EQ(value("hourFormat12()"), 12);
    EXPECT_EQ(value("isAM()"), 1);
    run("setTime(12, 0, 0, 1, 1, 2020)");
    EXPECT_EQ(value("hourFormat12()"), 12);
    EXPECT_EQ(value("isPM()"), 1);
    // Each value is cut to 16 bits: 65536 + 2020 is the year 2020.
    run("setTime(1, 0, 0, 1, 1, 67556)");
    EXPECT_EQ(value("year()"), 2020);
    EXPECT_TRUE(messages().empty());
    run("setTime(1, 2)");
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Sketch Error - setTime can have either one argument or six arguments!"});
}

TEST_F(SimTimeTest, ImpossibleDateStoresTheFieldsThenFaults) {
    start_with_libraries();
    const int32_t before = in.simtime.arduino_time[TIME_NOW];
    run("setTime(25, 0, 0, 1, 13, 2020)");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "Cannot Evaluate setTime(25, 0, 0, 1, 13, 2020)");
    EXPECT_EQ(in.simtime.arduino_time[TIME_HOUR], 25);
    EXPECT_EQ(in.simtime.arduino_time[TIME_MON], 13);
    EXPECT_EQ(in.simtime.arduino_time[TIME_NOW], before);
    run("setTime(0, 0, 0, 29, 2, 2023)"); // no 29 February in 2023
    run("setTime(0, 0, 0, 1, 1, 0)");     // no year 0
    EXPECT_EQ(messages().size(), 3u);
    run("setTime(0, 0, 0, 29, 2, 2024)");
    EXPECT_EQ(messages().size(), 3u);
}

TEST_F(SimTimeTest, AdjustTimeAndTheHalfSecondTick) {
    start_with_libraries();
    run("setTime(1000)");
    run("adjustTime(60)");
    EXPECT_EQ(value("now()"), 1060);
    run("adjustTime(1, 2)"); // any other count: nothing
    EXPECT_EQ(value("now()"), 1060);
    in.board.rxled = in.board.txled = true;
    in.simtime.half_s = 0;
    in.simtime.Timer2Timer();
    in.simtime.Timer2Timer();
    EXPECT_EQ(value("now()"), 1061); // one second per two ticks
    EXPECT_FALSE(in.board.rxled);
    EXPECT_FALSE(in.board.txled);
    in.RestartClick(); // the tick count runs on across a reset
    EXPECT_EQ(in.simtime.half_s, 2);
    run("setTime(2147483647)"); // the 32-bit counter wraps in 2038
    run("adjustTime(1)");
    EXPECT_EQ(value("now()"), std::numeric_limits<int32_t>::min());
    EXPECT_TRUE(messages().empty());
}

TEST_F(SimTimeTest, FrequencyCounterReadsThePulseBox) {
    start_with_libraries();
    in.pinio.inputs.EPulseIn = "1000";
    EXPECT_EQ(value("FreqCounter::f_freq"), 1000);
    EXPECT_EQ(value("FreqCounter::f_freq / 10"), 100);
    EXPECT_EQ(value("FreqCounter::f_ready"), 1);
    EXPECT_EQ(value("FreqCounter::f_ready == 1"), 1);
    EXPECT_EQ(value("FreqCounter::start(1000)"), 1);
    EXPECT_EQ(value("FreqCounter::stop(1)"), 0);
    EXPECT_EQ(value("FreqCounter::f_comp"), 1);
    run("FreqCounter::f_comp = 10;"); // accepted and ignored
    run("int f = FreqCounter::f_freq;");
    EXPECT_EQ(value("f"), 1000);
    in.pinio.inputs.EPulseIn = "";
    EXPECT_EQ(value("FreqCounter::f_ready"), 0);
    EXPECT_EQ(value("FreqCounter::f_freq"), 0);
    in.pinio.inputs.EPulseIn = " 0 ";
    EXPECT_EQ(value("FreqCounter::f_ready"), 0);
    EXPECT_EQ(value("FreqCounter::other"), 0);
    EXPECT_TRUE(messages().empty()) << messages().front();
    in.pinio.inputs.EPulseIn = "12kHz";
    value("FreqCounter::f_freq");
    in.pinio.inputs.EPulseIn = "99999999999";
    value("FreqCounter::f_ready");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot Evaluate FreqCounter::f_freq",
                                                    "Cannot Evaluate FreqCounter::f_ready"}));
}

TEST_F(SimTimeTest, MillisBoxShowsAndSetsTheClock) {
    start_with_libraries();
    in.us = 2005;
    EXPECT_EQ(in.simtime.millis_text(), "2.005");
    in.us = 5'000'000'000'123;
    EXPECT_EQ(in.simtime.millis_text(), "5000000000.123");
    EXPECT_TRUE(in.simtime.set_millis_text("12"));
    EXPECT_EQ(in.us, 12000);
    EXPECT_TRUE(in.simtime.set_millis_text("12.34"));
    EXPECT_EQ(in.us, 12034);
    for (const char* bad : {"", "x", "1.", "1.x", "99999999999999999999", "9223372036854775.808"}) {
        EXPECT_FALSE(in.simtime.set_millis_text(bad)) << bad;
        EXPECT_EQ(in.us, 12034);
    }
}

} // namespace
} // namespace quorvex::test

namespace quorvex::test {
namespace {

TEST_F(SimTimeTest, FaultingOrUnbalancedArgumentsChangeNothing) {
    start_with_libraries();
    in.us = 7;
    const int32_t before = in.simtime.arduino_time[TIME_NOW];
    const std::vector<std::string> faulting = {"delay(1 / 0)", "delayMicroseconds(1 % 0)", "setTime(1 / 0)",
                                               "setTime(1, 2, 3, 4, 5 / 0, 6)", "adjustTime(1 / 0)"};
    for (const std::string& s : faulting) in.evaluate_expression(s);
    for (const char* s : {"delay(1000", "delay()", "setTime(", "adjustTime(", "FreqCounter::start(",
                          "FreqCounter::f_freq(", "delay(nowhere)", "setTime(nowhere)", "adjustTime(nowhere)"})
        in.evaluate_expression(s);
    EXPECT_EQ(in.us, 7);
    EXPECT_EQ(in.simtime.arduino_time[TIME_NOW], before);
    const std::vector<std::string> got = messages();
    ASSERT_GE(got.size(), faulting.size());
    for (size_t i = 0; i < faulting.size(); ++i) EXPECT_EQ(got[i].rfind("Cannot Evaluate ", 0), 0u) << got[i];
}

} // namespace
} // namespace quorvex::test
