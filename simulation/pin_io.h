#pragma once
// Digital and analog I/O: pin modes, levels, analog inputs and outputs, tone, pulseIn and the
// shift routines, and the user's clicks on the pin shapes.

#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/controls.h"
#include "interpreter/dispatch_tables.h"
#include "simulation/ports.h" // maybe_port_register, the cheap test every assignment makes

namespace quorvex {

class Interpreter;

// Option menu items these handlers (and the delay handler) read when they need them.
struct PinOptions {
    MenuItem SimulateTone1; // "Simulate Tone": tone() sounds through the host
    MenuItem ShowVolts;     // "Show Volts": analog values shown as volts
    MenuItem SimulateDelay; // "Simulate Delay": delay() shows its countdown through the host
};

// The tool-bar boxes whose texts pulseIn and shiftIn return.
struct PinInputs {
    std::string EPulseIn = "1000"; // "Pulse In <<"
    std::string EShiftIn = "100";  // "shiftIn <<"
};

class PinIO {
public:
    explicit PinIO(Interpreter& in);

    PinOptions options;
    PinInputs inputs;

    // Handlers reached from the dispatch tables.
    int32_t kpinmode(const Match& m);
    int32_t kdigwrite(const Match& m);
    int32_t kdigread(const Match& m);
    int32_t kanalog(const Match& m);
    int32_t kanalogWrite(const Match& m);
    int32_t ktone(const Match& m);
    int32_t kpulsein(const Match& m);
    int32_t kshiftOut(const Match& m);
    int32_t kshiftIn(const Match& m);
    int32_t kanalogReference(const Match& m);

    // A store to port register `name` (DDRx, PORTx): its bits drive their pins on this board; a
    // port the board lacks drives nothing.
    void store_port_register(std::string_view name, int32_t value);

    // A click on digital pin `pin`'s level shape: toggles it and fires its external interrupt.
    void LD0MouseDown(int32_t pin);
    // A click on analog input k's level shape (pin 60 + k): toggles it; no interrupt.
    void LDAN0MouseDown(int32_t k);

    // Longest tone played: the host holds the thread while it sounds.
    static constexpr int32_t max_tone_ms = 10000;

private:
    int32_t pin_mode(std::string_view s);
    // shiftOut/shiftIn: names the data and clock pins as macros (once) and makes both outputs.
    void define_shift_pins(const std::string& data, const std::string& clock);
    // Reports "Sketch Error - <fn> Pin <pin> past maximum of <maxPin>" when pin > maxPin.
    void check_maximum(const char* fn, int32_t pin);
    void no_such_pin(const char* fn, int32_t pin);

    Interpreter& in_;
};

} // namespace quorvex
