#pragma once
// A Host that records every call, for the core tests and sketchrun.

#include <cstdint>
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
    void show_delay(int64_t ms) override { delays.push_back(ms); }
    void play_tone(int32_t freq, int32_t ms) override { tones.push_back({freq, ms}); }
    void show_simulation_window() override { ++simulation_window_shown; }
    void notice(const std::string& text) override { notices.push_back(text); }
    void eeprom_changed(int32_t addr) override {
        eeprom_writes.push_back(addr);
        if (on_eeprom) on_eeprom(addr);
    }

    struct Update {
        bool update1;
        int32_t line;
    };
    std::vector<RecordedError> errors;
    std::vector<Update> updates;
    struct Tone {
        int32_t freq;
        int32_t ms;
    };
    std::vector<int64_t> delays;
    std::vector<Tone> tones;
    int simulation_window_shown = 0;
    std::vector<std::string> notices;
    std::vector<int32_t> eeprom_writes; // the cells the sketch stored, in order
    std::function<void(int32_t)> on_eeprom;
    std::function<void(const std::string&, const std::string&)> on_error;
};

} // namespace quorvex::test
