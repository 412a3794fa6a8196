#pragma once
// The simulated board as the board picture shows it: for every pin with a display element
// (digital 0..53, analog A0..A15 as 60..75) a level shape and a text label. A pin has no state
// apart from these two: its mode is its label's text colour and its level its shape's brush
// (white is LOW), so every reader derives them from there and nothing keeps a second copy.
// Also the board choice with its limits, the lights, the analog value labels and the analog
// input levels.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorvex {

// Pin modes.
inline constexpr int32_t INPUT = 0;
inline constexpr int32_t OUTPUT = 1;
inline constexpr int32_t SPECIAL = 2; // a pin the system uses, shown as SYSTEM
inline constexpr int32_t UNDEFINED = 3;

enum class BoardKind { Uno, Mega, Other };

struct Rgb {
    uint8_t r = 255;
    uint8_t g = 255;
    uint8_t b = 255;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb clWhite{255, 255, 255};
inline constexpr Rgb clRed{255, 0, 0};
inline constexpr Rgb clGreen{0, 128, 0};
inline constexpr Rgb clBlue{0, 0, 255};
inline constexpr Rgb clGray{128, 128, 128};
inline constexpr Rgb clSkyBlue{166, 202, 240};

// A label's background: the view maps ButtonFace to its palette's button colour.
enum class LabelBackground : uint8_t { White, SkyBlue, ButtonFace };

struct PinShape {
    bool visible = false;
    Rgb brush = clWhite;
    std::string_view hint = "UNDEFINED"; // always one of the fixed mode words
};

struct PinLabel {
    std::string caption;
    Rgb text = clGray;
    LabelBackground background = LabelBackground::ButtonFace;
    bool visible = true;

    // A label compares by its caption: captions carry meaning («Serial.RX» marks a port in use).
    friend bool operator==(const PinLabel& l, std::string_view words) { return l.caption == words; }
};

struct PinState {
    PinShape shape;
    PinLabel label;

    int32_t mode() const {
        if (label.text == clRed) return OUTPUT;
        if (label.text == clGreen) return INPUT;
        if (label.text == clBlue) return SPECIAL;
        return UNDEFINED;
    }
    bool is_high() const { return shape.brush != clWhite; }
    bool is_output() const { return label.text == clRed; }
    bool is_system() const { return shape.brush == clBlue; }
};

// A plain text control: the analog output and input value labels.
struct TextLabel {
    std::string caption;
    bool visible = false;
};

class Board {
public:
    static constexpr int32_t pin_count = 76;       // 0..53 digital, 60..75 analog A0..A15
    static constexpr int32_t analog_pin_base = 60; // A0's pin number in the display
    static constexpr int32_t analog_inputs = 16;
    static constexpr int32_t analog_outputs = 14; // value labels beside pins 0..13

    Board();

    BoardKind kind = BoardKind::Uno; // the ticked Hardware menu item
    int32_t maxPin = 13;
    int32_t maxInt = 1;
    // The Uno or Mega last chosen: it places the ON light and the reset switch (board_geometry),
    // which the Other board leaves where they were.
    BoardKind layout = BoardKind::Uno;
    std::string picture = "UnoR3.jpg"; // a bundled picture's name, or the Other board's file path
    bool led13 = false;                // the board's pin-13 light: follows output_on of pin 13
    bool rxled = false;                // the serial receive and transmit lights, cleared by the half-second tick
    bool txled = false;

    // Analog inputs: levels 0..1023 that analogRead returns, the captions of their input boxes
    // and the value labels on the board.
    std::array<int32_t, analog_inputs> analog_val{};
    std::array<std::string, analog_inputs> analog_box{};
    std::array<TextLabel, analog_inputs> ValAn{};
    // The analog output value labels Aw0..Aw13.
    std::array<TextLabel, analog_outputs> analog{};

    // Bumped on every display change, for a view that repaints after steps and clicks.
    uint64_t revision = 0;
    // Called when a pin's level changes through output_on, and on every output_var.
    std::function<void(int32_t pin, bool level)> on_level;
    std::function<void(int32_t pin, int32_t shade)> on_shade;
    // Sketch errors of the display ("... is a System pin"); the interpreter routes them to its
    // error stop. Empty: dropped.
    std::function<void(const std::string&)> on_error;

    static constexpr bool has_display(int32_t pin) { return (pin >= 0 && pin <= 53) || (pin >= 60 && pin <= 75); }
    // Only for pins with a display element.
    const PinState& pin(int32_t p) const { return pins_[static_cast<size_t>(p)]; }
    // Pin 60 + k's label, which is also analog input k's name label.
    const PinLabel& LabelAn(int32_t k) const { return pin(analog_pin_base + k).label; }

    // The level of a pin, LOW for pins without a display element.
    bool is_high(int32_t p) const { return has_display(p) && pin(p).is_high(); }

    // Shows a pin's mode and label; pins without a display element are ignored.
    void set_output(int32_t pin, int32_t mode, std::string_view label);
    // Shows `caption` on a pin's label, its mode and level unchanged.
    void set_caption(int32_t pin, std::string_view caption);
    // Shows a pin's level; a system pin reports an error and keeps its brush.
    void output_on(int32_t pin, bool level);
    // Shades a pin's shape red by the low 8 bits of `value` and shows it.
    void output_var(int32_t pin, int32_t value);
    // Shows `caption` on analog output label `pin` (0..13).
    void show_analog_value(int32_t pin, std::string caption);
    // Shows analog input label and box `ch` (0..15) named `name`, as analogRead does.
    void name_analog_input(int32_t ch, std::string_view name);
    // Sets analog input `ch` (0..15) to `level` (clamped to 0..1023) with its value label.
    void set_analog(int32_t ch, int32_t level, bool show_volts);

    void Uno1Click();
    void Mega1Click();
    // Keeps the limits, visibility and positions of the board chosen before.
    void Other1Click();
    // The picture the user picked for the Other board, once the view has read it.
    void set_other_picture(std::string path);

    // Digital pins undefined with their "D%d" labels, as at start-up.
    void LoadPins();
    // The reset's part: every digital pin undefined, the analog pins and value labels back to
    // their start and hidden, the pin-13 light off.
    void undefine_pins();
    static std::string digital_label(int32_t pin);

    // A click on pin `pin`'s level shape toggles its level; false when it has no shape.
    bool toggle(int32_t pin);
    // The external interrupt a click on `pin` fires on this board, -1 for none.
    int32_t click_interrupt(int32_t pin) const;

private:
    PinState& at(int32_t p) { return pins_[static_cast<size_t>(p)]; }
    void report(const std::string& message) const {
        if (on_error) on_error(message);
    }
    void reset_analog_pin(int32_t k);

    std::array<PinState, pin_count> pins_{};
};

// Pin of external interrupt n: 0 and 1 on pins 0 and 1, the Mega's 2..5 on 21, 20, 19, 18.
inline constexpr std::array<int32_t, 6> ipin = {0, 1, 21, 20, 19, 18};

// Mask of bit i, 0..15.
inline constexpr std::array<int32_t, 16> bits = {1,   2,   4,    8,    16,   32,   64,    128,
                                                 256, 512, 1024, 2048, 4096, 8192, 16384, 32768};

} // namespace quorvex
