#pragma once
// The one place that formats what sketchrun prints, so every sketch test reads alike.

#include <cstdint>
#include <ostream>
#include <string>

namespace quorvex::sketchrun {

class EventLog {
public:
    explicit EventLog(std::ostream& out) : out_(out) {}

    // `error 0007: message`, or `error Past End: message` past the last line.
    void error(int32_t line, int32_t line_count, const std::string& message);
    // `D13=1 @42`: a pin's level changed at simulated microsecond `us`.
    void level(int32_t pin, bool high, int64_t us);
    // Final dump.
    // `var x = 5`, `var f = 2.50`, `var s = "text"`; a #define shows its text.
    void variable(const std::string& name, int32_t type, const std::string& value);
    void pin(int32_t pin, int32_t mode, bool high);
    void clock(int64_t us);
    void line(int32_t line, int32_t line_count);
    void steps(long count);

private:
    std::ostream& out_;
};

} // namespace quorvex::sketchrun
