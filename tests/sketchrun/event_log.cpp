#include "sketchrun/event_log.h"

#include <cstdio>

namespace quorvex::sketchrun {

void EventLog::error(int32_t line, int32_t line_count, const std::string& message) {
    char where[16];
    if (line >= 0 && line < line_count) std::snprintf(where, sizeof where, "%.4d", line);
    else std::snprintf(where, sizeof where, "Past End");
    out_ << "error " << where << ": " << message << '\n';
}

void EventLog::steps(long count) { out_ << "steps: " << count << '\n'; }

} // namespace quorvex::sketchrun
