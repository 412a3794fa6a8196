#pragma once
// The one place that formats what sketchrun prints, so every sketch test reads alike.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace quorvex::sketchrun {

class EventLog {
public:
    explicit EventLog(std::ostream& out) : out_(out) {}

    // `error 0007: message`, or `error Past End: message` past the last line.
    void error(int32_t line, int32_t line_count, const std::string& message);
    // `D13=1 @42`: a pin's level changed at simulated microsecond `us`.
    void level(int32_t pin, bool high, int64_t us);
    // `D9~128 @42`: analogWrite shaded a pin's shape (the low 8 bits of its value).
    void shade(int32_t pin, int32_t shade, int64_t us);
    // `tone 440 100`: a tone the sketch sounded, in Hz and milliseconds.
    void tone(int32_t freq, int32_t ms);
    // `delay 1000 @1000004`: a countdown the sketch asked to be shown, in milliseconds, at the
    // simulated microsecond after the delay.
    void delay(int64_t ms, int64_t us);
    // `notice 0007: text`: a message shown to the user that neither stops Run nor is logged.
    void notice(int32_t line, int32_t line_count, const std::string& text);
    // `eeprom 10=300`: the sketch stored a value in an EEPROM cell.
    void eeprom(int32_t addr, int32_t value);
    // Final dump.
    // `var x = 5`, `var f = 2.50`, `var s = "text"`; a #define shows its text.
    void variable(const std::string& name, int32_t type, const std::string& value);
    // `pin 13 OUTPUT 1`, with ` "caption"` when the label shows other than the pin's own name.
    void pin(int32_t pin, int32_t mode, bool high, const std::string& caption);
    // `led13 on` while the board's pin-13 light is lit.
    void led13(bool on);
    // `analog out 9 "128"`: a shown analogWrite value label.
    void analog_out(int32_t pin, const std::string& caption);
    // `analog in 3 "A3" 512`: an analog input the sketch has read, its name and level.
    void analog_in(int32_t ch, const std::string& name, int32_t level);
    // `panel 1 "Serial at 9600" shown` (or hidden): a port panel, before its lines.
    void panel(int32_t k, const std::string& caption, bool visible);
    // `IN4 shown "text"` or `IN4 hidden`: a port panel's input box, with --all-panels.
    void input_box(int32_t k, bool visible, std::string_view text);
    // `event receiveEvent 4`: the event routine and its panel, when not serialEvent on 1.
    void event(const std::string& name, int32_t panel);
    // `sd_file: "a.txt"`: the SD file's name as the sketch wrote it, when one is set.
    void sd_file(const std::string& name);
    // `E1| text`: one line of port panel 1's output list; other than printable ASCII as \xNN.
    void panel_line(int32_t k, const std::string& text);
    // `lcd x 5 y 0 cursor 1 blink 0 scroll 0 backwards 0 colour 000000/7FFF00`: the LCD's
    // cursor, modes, and font/background colours (0x00BBGGRR in, RRGGBB out).
    void lcd_state(int32_t x, int32_t y, bool cursor, bool blink, int32_t scroll, bool backwards, uint32_t font,
                   uint32_t background);
    // `LCD| Hello           |`: an LCD row item padded to `width` and closed; a cursor item (odd)
    // without trailing blanks: `LCD|      _`, and `LCD|` when blank.
    void lcd_item(int32_t item, const std::string& text, int32_t width);
    // `LCD @12 item 1`: step 12 changed the LCD's items from item 1 on, which follow.
    void lcd_trace(long step, int32_t first);
    // `servo 16 myservo pin 9 attached` (or unattached).
    void servo(int32_t row, const std::string& name, int32_t pin, bool attached);
    // `stepper motor pins 8,9,10,11 steps 0 stepx 2 timer off 5 ms "0Steps Left"`.
    void stepper(const std::string& name, const std::string& pins, int32_t steps, int32_t stepx, bool running,
                 int32_t interval, const std::string& status);
    // `trace 12 line 0007 us 9 level 2 run 1 updates 12 vars 5f3a...`: the state after step 12,
    // the variables as one digest of their names, types, values and order.
    void step_trace(long step, int32_t line, int32_t line_count, int64_t us, int32_t level, bool run, size_t updates,
                    uint64_t vars);
    void clock(int64_t us);
    // `millis: 1500`, once the simulated clock has passed a millisecond.
    void millis(int64_t us);
    void line(int32_t line, int32_t line_count);
    void steps(long count);

private:
    // Printable ASCII as it is, any other byte as \xNN.
    void printable(std::string_view text);
    std::ostream& out_;
};

} // namespace quorvex::sketchrun
