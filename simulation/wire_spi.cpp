// Wire (I2C) and SPI on port panel 4.
#include "simulation/wire_spi.h"

#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

void WireSpi::open_panel(const Match& m, const char* example_input) {
    in_.panels.open(m.panel, std::string(m.port), example_input);
    in_.panels[m.panel].IN.Visible = true;
    in_.lcd.lcd_box = false; // the panel is no longer the LCD's display
    in_.host().show_simulation_window();
}

int32_t WireSpi::kWire(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::string first = a.empty() ? std::string() : a[0];
    PortPanel& panel = in_.panels[m.panel];
    Board& board = in_.board;
    const ArgumentErrors errors(in_);

    if (method == ".begin") {
        open_panel(m, "I2C/TWI Wire data\\n");
        const bool uno = board.maxPin <= 13; // on the Uno the bus is A4 and A5
        board.set_output(uno ? 64 : 20, SPECIAL, "SDA");
        board.set_output(uno ? 65 : 21, SPECIAL, "SCL");
    } else if (method == ".beginTransmission") {
        const int32_t device = in_.get_var(first);
        if (errors.raised()) return int_result(in_, 0);
        panel.append_text("Device:" + std::to_string(device) + " Data:");
        panel.select_last();
    } else if (method == ".write") {
        const Value v = in_.get_value(first);
        if (errors.raised()) return int_result(in_, 0);
        panel.append_text(v.type == n_string ? v.s : std::to_string(v.i) + " ");
        panel.select_last();
    } else if (method == ".endTransmission") {
        panel.end_line();
    } else if (method == ".requestFrom") {
        // the data asked for is whatever the user typed into the box
    } else if (method == ".available") {
        return int_result(in_, panel.IN.available());
    } else if (method == ".read") {
        return int_result(in_, in_.serial.kserialin(panel, 1));
    } else if (method == ".onReceive" || method == ".onRequest") {
        // «onReceive(&handler)» names the same routine.
        std::string_view name = dtrim(first);
        if (name.starts_with('&')) name = dtrim(name.substr(1));
        in_.Event = std::string(name);
        in_.Event_Panel = m.panel;
        // The blank arms the event once: entering a "request..." routine empties the box.
        if (method == ".onRequest") panel.IN.set_text(" ");
    } else {
        in_.ShowMessage1("Unknown Wire command");
    }
    return int_result(in_, 0);
}

int32_t WireSpi::kspi(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    PortPanel& panel = in_.panels[m.panel];
    Board& board = in_.board;
    const ArgumentErrors errors(in_);

    if (method == ".begin") {
        const bool uno = board.maxPin <= 13;
        open_panel(m, "SPI data\\n");
        board.set_output(uno ? 11 : 52, SPECIAL, "MOSI");
        board.set_output(uno ? 12 : 50, SPECIAL, "MISO");
        board.set_output(uno ? 13 : 51, SPECIAL, "SCLK");
    } else if (method == ".transfer") {
        const int32_t sent = in_.get_var(a.empty() ? std::string() : a[0]);
        if (errors.raised()) return int_result(in_, 0);
        panel.append_text(std::to_string(sent) + " ");
        panel.select_last();
        return int_result(in_, in_.serial.kserialin(panel, 1));
    } else if (method == ".available") {
        return int_result(in_, panel.IN.available());
    } else if (method == ".read") {
        return int_result(in_, in_.serial.kserialin(panel, 1));
    } else {
        in_.ShowMessage1("Sketch Error - Unknown SPI command");
    }
    return int_result(in_, 0);
}

} // namespace quorvex
