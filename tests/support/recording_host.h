#pragma once
// A Host that records every call, for the core tests and sketchrun.

#include <functional>
#include <string>
#include <vector>

#include "interpreter/host.h"

namespace quorvex::test {

struct RecordedError {
    std::string message;
    std::string line_text;
};

class RecordingHost : public Host {
public:
    void show_error(const std::string& message, const std::string& line_text) override {
        errors.push_back({message, line_text});
        if (on_error) on_error(message, line_text);
    }

    void update_click(bool update1, int32_t line) override { updates.push_back({update1, line}); }

    struct Update {
        bool update1;
        int32_t line;
    };
    std::vector<RecordedError> errors;
    std::vector<Update> updates;
    std::function<void(const std::string&, const std::string&)> on_error;
};

} // namespace quorvex::test
