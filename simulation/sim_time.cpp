// Simulated time: delays, millis/micros, the Time library clock and the frequency counter.
#include "simulation/sim_time.h"

#include <charconv>
#include <cstdio>

#include "interpreter/checked.h"
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr int64_t seconds_per_day = 86400;
constexpr int32_t longest_shown_delay = 10000; // ms; longer delays are refused by the countdown window

int64_t floor_div(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t floor_mod(int64_t a, int64_t b) { return a - floor_div(a, b) * b; }

// A whole decimal text as int64, optional leading '-'.
bool read_int64(std::string_view t, int64_t& out) {
    t = dtrim(t);
    if (t.empty()) return false;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
    return ec == std::errc() && end == t.data() + t.size();
}

bool valid_date_time(int32_t h, int32_t mi, int32_t s, int32_t d, int32_t mo, int32_t y) {
    if (h > 23 || mi > 59 || s > 59) return false;
    if (y < 1 || y > 9999 || mo < 1 || mo > 12 || d < 1) return false;
    static constexpr int days_in[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    const int last = days_in[mo - 1] + (mo == 2 && leap ? 1 : 0);
    return d <= last;
}

} // namespace

int64_t days_from_civil(int64_t y, int32_t m, int32_t d) {
    y -= m <= 2;
    const int64_t era = floor_div(y, 400);
    const int64_t yoe = y - era * 400;                                  // [0, 399]
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1; // [0, 365]
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;          // [0, 146096]
    return era * 146097 + doe - 719468;
}

CivilDate civil_from_days(int64_t z) {
    z += 719468;
    const int64_t era = floor_div(z, 146097);
    const int64_t doe = z - era * 146097;                                      // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                                    // [0, 11]
    const auto d = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
    const auto m = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

int32_t weekday_from_days(int64_t days) {
    // 1970-01-01 was a Thursday, weekday 5.
    return static_cast<int32_t>(floor_mod(days + 4, 7)) + 1;
}

void SimTime::advance_us(int64_t delta) {
    // Wraps rather than overflowing: a sketch may delay for as long as it likes.
    in_.us = static_cast<int64_t>(static_cast<uint64_t>(in_.us) + static_cast<uint64_t>(delta));
}

int32_t SimTime::kdelay(const Match& m) {
    const std::string arg = in_.StripBrackets(m.rest);
    const ArgumentErrors errors(in_);
    const int32_t ms = in_.get_var(arg);
    if (errors.raised()) return 0;
    delay_timer = ms;
    advance_us(static_cast<int64_t>(delay_timer) * 1000);
    if (!in_.pinio.options.SimulateDelay.Checked) return 0;
    if (delay_timer > longest_shown_delay) {
        in_.ShowMessage1("Sketch Error - Delay is too long >10000 (" + std::to_string(delay_timer) + ")");
        return 0;
    }
    in_.host().show_delay(delay_timer);
    return 0;
}

int32_t SimTime::kdelayMicroseconds(const Match& m) {
    const std::string arg = in_.StripBrackets(m.rest);
    const ArgumentErrors errors(in_);
    const int32_t micros = in_.get_var(arg);
    if (errors.raised()) return 0;
    delay_timer = micros;
    advance_us(delay_timer);
    return 0;
}

int32_t SimTime::kmillis(const Match& m) {
    // Text after the call belongs to an expression: the operator scan splits it first.
    if (!dtrim(m.rest).empty()) {
        in_.keep_going = 1;
        return 0;
    }
    // The board's counter is 32 bits wide and unsigned: it wraps, as a sketch's unsigned long does.
    return unsigned_count(static_cast<uint64_t>(in_.us / 1000));
}

int32_t SimTime::unsigned_count(uint64_t count) {
    const int32_t value = int_result(in_, static_cast<int32_t>(static_cast<uint32_t>(count)), n_long);
    in_.unsigned_bits = true;
    return value;
}

int32_t SimTime::kmicros(const Match& m) {
    if (!dtrim(m.rest).empty()) {
        in_.keep_going = 1;
        return 0;
    }
    return unsigned_count(static_cast<uint64_t>(in_.us));
}

bool SimTime::library_included(int32_t bit, const char* header) {
    if ((in_.pre.library1 & bit) != 0) return true;
    in_.ShowMessage1(std::string("Sketch Error - ") + header + " library must be included first!");
    return false;
}

void SimTime::decode_now() {
    const int64_t t = arduino_time[TIME_NOW];
    const int64_t days = floor_div(t, seconds_per_day);
    const int64_t secs = t - days * seconds_per_day;
    const CivilDate date = civil_from_days(days);
    arduino_time[TIME_YEAR] = static_cast<int32_t>(date.year);
    arduino_time[TIME_MON] = date.month;
    arduino_time[TIME_DAY] = date.day;
    arduino_time[TIME_HOUR] = static_cast<int32_t>(secs / 3600);
    arduino_time[TIME_MIN] = static_cast<int32_t>(secs / 60 % 60);
    arduino_time[TIME_SEC] = static_cast<int32_t>(secs % 60);
    arduino_time[TIME_WEEKDAY] = weekday_from_days(days);
}

int32_t SimTime::kTime(const Match& m) {
    if (!library_included(LIB_TIME, "<time.h>")) return int_result(in_, 0);
    decode_now();
    // The flags test the hour just decoded, in 24-hour form.
    const int32_t hour = arduino_time[TIME_HOUR];
    switch (m.code) {
    case TIME_HRFORMAT:
        hr_format = 1;
        return int_result(in_, hour % 12 == 0 ? 12 : hour % 12);
    case TIME_ISAM:
        return int_result(in_, hour < 12 ? 1 : 0);
    case TIME_ISPM:
        return int_result(in_, hour >= 12 ? 1 : 0);
    case TIME_NOW:
        return int_result(in_, arduino_time[TIME_NOW]);
    default:
        if (m.code >= TIME_HOUR && m.code <= TIME_YEAR)
            return int_result(in_, arduino_time[static_cast<size_t>(m.code)]);
        return int_result(in_, 0);
    }
}

int32_t SimTime::ksetTime(const Match& m) {
    if (!library_included(LIB_TIME, "<time.h>")) return int_result(in_, 0);
    const int n = in_.parse(m.rest, '(', ')');
    std::array<std::string, 6> args;
    for (size_t i = 0; i < args.size(); ++i) args[i] = in_.varx[i]; // evaluation re-parses
    const ArgumentErrors errors(in_);
    if (n == 1) {
        const int32_t t = in_.get_var(args[0]);
        if (errors.raised()) return int_result(in_, 0);
        arduino_time[TIME_NOW] = t;
        decode_now();
        return int_result(in_, 0);
    }
    if (n != 6) {
        in_.ShowMessage1("Sketch Error - setTime can have either one argument or six arguments!");
        return int_result(in_, 0);
    }
    std::array<int32_t, 6> v{};
    for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint16_t>(static_cast<uint32_t>(in_.get_var(args[i])));
    if (errors.raised()) return int_result(in_, 0);
    const auto [h, mi, s, d, mo, y] = v;
    arduino_time[TIME_HOUR] = h;
    arduino_time[TIME_MIN] = mi;
    arduino_time[TIME_SEC] = s;
    arduino_time[TIME_DAY] = d;
    arduino_time[TIME_MON] = mo;
    arduino_time[TIME_YEAR] = y;
    if (!valid_date_time(h, mi, s, d, mo, y)) throw EvalFault("impossible date or time");
    const int64_t t = days_from_civil(y, mo, d) * seconds_per_day + h * 3600 + mi * 60 + s;
    arduino_time[TIME_NOW] =
        static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(t))); // 32-bit, wraps in 2038
    return int_result(in_, 0);
}

int32_t SimTime::kadjTime(const Match& m) {
    // A longer name that only begins with the word («adjustTimeout = 5») is not this call.
    if (!dtrim(m.rest).starts_with('(')) {
        in_.keep_going = 1;
        return 0;
    }
    if (!library_included(LIB_TIME, "<time.h>")) return int_result(in_, 0);
    if (in_.parse(m.rest, '(', ')') == 1) {
        const std::string arg = in_.varx[0];
        const ArgumentErrors errors(in_);
        const int32_t seconds = in_.get_var(arg);
        if (!errors.raised()) arduino_time[TIME_NOW] = wrap_add(arduino_time[TIME_NOW], seconds);
    }
    return int_result(in_, 0);
}

int32_t SimTime::pulse_box_value() {
    const std::string_view t = dtrim(in_.pinio.inputs.EPulseIn);
    if (t.empty()) return 0;
    return text_to_int32(t);
}

int32_t SimTime::kfreq(const Match& m) {
    if (!library_included(LIB_FC, "<FreqCounter.h>")) return int_result(in_, 0);
    in_.keep_going = 0;
    const std::string_view s = dtrim(m.rest);
    size_t end = 0;
    while (end < s.size() && ident_char(s[end])) ++end;
    const std::string_view member = s.substr(0, end);
    const std::string_view after = dtrim(s.substr(end));

    if (after.starts_with('(')) {
        // A call: only start(gate) answers 1; nothing is measured.
        if (matching_bracket(after, 0) != after.size() - 1) {
            in_.keep_going = 1;
            return 0;
        }
        const int n = in_.parse(s, '(', ')');
        return int_result(in_, n == 1 && member == "start" ? 1 : 0);
    }
    if (!after.empty()) {
        // The compensation setting is accepted and ignored.
        if (member == "f_comp" && after.starts_with('=') && !after.starts_with("==")) return int_result(in_, 1);
        in_.keep_going = 1; // an operator follows: the operator scan splits the expression
        return 0;
    }
    if (member == "f_comp") return int_result(in_, 1);
    if (member == "f_ready") return int_result(in_, pulse_box_value() != 0 ? 1 : 0);
    if (member == "f_freq") return int_result(in_, pulse_box_value());
    return int_result(in_, 0);
}

void SimTime::Timer2Timer() {
    in_.lcd.blink();
    in_.board.rxled = false;
    in_.board.txled = false;
    half_s = wrap_add(half_s, 1);
    if ((half_s & 1) != 0) arduino_time[TIME_NOW] = wrap_add(arduino_time[TIME_NOW], 1);
}

std::string SimTime::millis_text() const {
    const int64_t ms = in_.us / 1000;
    const int64_t rest = in_.us % 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%.3lld", static_cast<long long>(ms), static_cast<long long>(rest));
    return text;
}

bool SimTime::set_millis_text(std::string_view text) {
    const size_t dot = text.find('.');
    int64_t ms = 0;
    int64_t micro = 0;
    if (!read_int64(text.substr(0, dot), ms)) return false;
    if (dot != std::string_view::npos && !read_int64(text.substr(dot + 1), micro)) return false;
    int64_t us = 0;
    if (__builtin_mul_overflow(ms, int64_t{1000}, &us) || __builtin_add_overflow(us, micro, &us)) return false;
    in_.us = us;
    return true;
}

void SimTime::reset() {
    in_.us = 0;
    arduino_time.fill(-1);
    const LocalDateTime now = in_.clock().now();
    const int64_t days = days_from_civil(now.year, now.month, now.day);
    arduino_time[TIME_YEAR] = now.year;
    arduino_time[TIME_MON] = now.month;
    arduino_time[TIME_DAY] = now.day;
    arduino_time[TIME_HOUR] = arduino_time[TIME_MIN] = arduino_time[TIME_SEC] = 0;
    arduino_time[TIME_WEEKDAY] = weekday_from_days(days);
    const int64_t t = days * seconds_per_day + now.hour * 3600 + now.minute * 60 + now.second;
    arduino_time[TIME_NOW] = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(t)));
    hr_format = 0;
}

} // namespace quorvex
