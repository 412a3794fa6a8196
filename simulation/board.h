#pragma once
// The simulated board's pins: mode, level and label of every pin that has a display
// element (digital 0..53, analog 60..75), the board choice and its limits.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace quorvex {

// Pin modes.
inline constexpr int32_t INPUT = 0;
inline constexpr int32_t OUTPUT = 1;
inline constexpr int32_t SPECIAL = 2;
inline constexpr int32_t UNDEFINED = 3;

enum class BoardKind { Uno, Mega, Other };

struct PinState {
    int32_t mode = UNDEFINED;
    bool level = false;
    std::string label;
    bool shape_visible = false;
};

class Board {
public:
    static constexpr int32_t pin_count = 76; // 0..53 digital, 60..75 analog A0..A15

    Board();

    BoardKind kind = BoardKind::Uno;
    int32_t maxPin = 13;
    int32_t maxInt = 1;
    bool led13 = false; // the board's pin-13 light: on while pin 13 is a HIGH output
    bool rxled = false; // the serial receive and transmit lights, cleared by the half-second tick
    bool txled = false;
    std::array<int32_t, 16> analog_val{}; // the analog input levels 0..1023 of A0..A15

    // Called after every level change, for observers such as the headless runner.
    std::function<void(int32_t pin, bool level)> on_level;

    static bool has_display(int32_t pin) { return (pin >= 0 && pin <= 53) || (pin >= 60 && pin <= 75); }
    const PinState& pin(int32_t p) const { return pins_[static_cast<size_t>(p)]; }

    // Pins without a display element are ignored.
    void set_output(int32_t pin, int32_t mode, const std::string& label);
    void output_on(int32_t pin, bool level);

    void Uno1Click();
    void Mega1Click();
    void Other1Click(); // keeps the limits of the board chosen before

    // Every pin undefined with its "D%d" label, as at start-up.
    void LoadPins();
    // Pins 0..maxPin undefined with their "D%d" labels, as at reset.
    void undefine_pins();
    static std::string digital_label(int32_t pin);

private:
    std::array<PinState, pin_count> pins_{};
};

// Mask of bit i, 0..15.
inline constexpr std::array<int32_t, 16> bits = {1,   2,   4,    8,    16,   32,   64,    128,
                                                 256, 512, 1024, 2048, 4096, 8192, 16384, 32768};

} // namespace quorvex
