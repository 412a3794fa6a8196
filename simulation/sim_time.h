#pragma once
// Simulated time: delays, millis/micros, the Time library clock and the frequency counter.
// Two clocks: the interpreter's `us` (sketch time, moved only by steps and delays) and the
// Time library's `arduino_time`, which follows the wall clock from reset on.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"

namespace quorvex {

class Interpreter;

// Calendar arithmetic on days since 1970-01-01, proleptic Gregorian, valid for any int64
// count that fits a year in int64: no host time zone, no mktime.
int64_t days_from_civil(int64_t y, int32_t m, int32_t d);
struct CivilDate {
    int64_t year;
    int32_t month;
    int32_t day;
};
CivilDate civil_from_days(int64_t days);
// 1 Sunday .. 7 Saturday.
int32_t weekday_from_days(int64_t days);

// Time library fields of `arduino_time`, numbered as the function codes.
inline constexpr int32_t TIME_HOUR = 1;
inline constexpr int32_t TIME_MIN = 2;
inline constexpr int32_t TIME_SEC = 3;
inline constexpr int32_t TIME_DAY = 4;
inline constexpr int32_t TIME_WEEKDAY = 5;
inline constexpr int32_t TIME_MON = 6;
inline constexpr int32_t TIME_YEAR = 7;
inline constexpr int32_t TIME_HRFORMAT = 8;
inline constexpr int32_t TIME_ISAM = 9;
inline constexpr int32_t TIME_ISPM = 10;
inline constexpr int32_t TIME_NOW = 11;

class SimTime {
public:
    explicit SimTime(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables.
    int32_t kdelay(const Match& m);
    int32_t kdelayMicroseconds(const Match& m);
    int32_t kmillis(const Match& m);
    int32_t kmicros(const Match& m);
    int32_t kTime(const Match& m);
    int32_t ksetTime(const Match& m);
    int32_t kadjTime(const Match& m);
    int32_t kfreq(const Match& m);

    // The half-second housekeeping tick: the LCD cursor blinks, serial lights off, the Time
    // library clock +1 s every second tick.
    void Timer2Timer();

    // The millis box: "ms.uuu" of `us`, and the text typed into it. A text that is not an
    // integer on either side of the point leaves `us` alone and answers false.
    std::string millis_text() const;
    bool set_millis_text(std::string_view text);

    // Part of reset: `us` and the Time library clock from the wall clock.
    void reset();

    int32_t delay_timer = 0;                // the last delay's argument, for the countdown window
    std::array<int32_t, 13> arduino_time{}; // [1..12]; see TIME_*; [11] Unix seconds of the local wall clock
    int32_t hr_format = 0;
    int32_t half_s = 0; // half-second ticks since start; reset leaves it

private:
    // Reports the missing #include and answers false.
    bool library_included(int32_t bit, const char* header);
    // Fields [1..7] from arduino_time[11].
    void decode_now();
    void advance_us(int64_t delta);
    // The low 32 bits of a counter as millis() and micros() give it: a long whose bits an
    // unsigned long takes whole.
    int32_t unsigned_count(uint64_t count);
    // The integer in the pulse box; empty is 0, anything else unreadable is a fault.
    int32_t pulse_box_value();

    Interpreter& in_;
};

} // namespace quorvex
