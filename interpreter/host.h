#pragma once
// The one seam between the core and the windows. The workbench implements it with
// modal dialogs; tests and sketchrun record the calls.

#include <cstdint>
#include <string>

namespace quorvex {

class Host {
public:
    virtual ~Host() = default;
    // Modal: returns when the user has closed the error window.
    virtual void show_error(const std::string& message, const std::string& line_text) = 0;
    // Whether the errors of one load or reset come as one show_error: the first, with the count
    // of the others (each of them is still logged). A host with a modal window says yes, so that
    // a sketch full of faults is not one window per line; a host that records every error as it
    // comes (tests, sketchrun) keeps the default.
    virtual bool gathers_load_errors() const { return false; }
    // The refresh after a step: always the block level; with `update1` also the current
    // line's selection and the variables. A no-op headless.
    virtual void update_click(bool update1, int32_t line) {
        (void)update1;
        (void)line;
    }
    // A delay the user asked to see: the window counts down `ms` while no step runs.
    virtual void show_delay(int64_t ms) { (void)ms; }
    // A tone of `freq` Hz for `ms` milliseconds; returns when it has finished.
    virtual void play_tone(int32_t freq, int32_t ms) {
        (void)freq;
        (void)ms;
    }
    // Brings the simulation window with the port panels to the front.
    virtual void show_simulation_window() {}
    // A message for the user that neither stops Run nor goes to the error log.
    virtual void notice(const std::string& text) { (void)text; }
    // The sketch stored a value in EEPROM cell `addr`: the EEPROM window shows it.
    virtual void eeprom_changed(int32_t addr) { (void)addr; }
};

class NullHost : public Host {
public:
    void show_error(const std::string&, const std::string&) override {}
};

} // namespace quorvex
