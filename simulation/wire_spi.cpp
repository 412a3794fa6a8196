// Wire (I2C) and SPI on port panel 4.
#include "simulation/wire_spi.h"

#include <optional>
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

// One call statement: what every method reads.
struct WireSpi::Call {
    const Match& m;
    PortPanel& panel;
    std::vector<std::string> a;   // the argument texts
    const ArgumentErrors& errors; // set when an argument reported an error: the method changes nothing
};

const MethodRow<WireSpi::Method> WireSpi::wire_methods[] = {
    {".begin", &WireSpi::kbeginWire},
    {".beginTransmission", &WireSpi::kbeginTransmission},
    {".write", &WireSpi::kwrite},
    {".endTransmission", &WireSpi::kendTransmission},
    {".requestFrom", &WireSpi::krequestFrom},
    {".available", &WireSpi::kavailable},
    {".read", &WireSpi::kread},
    {".onReceive", &WireSpi::konReceive},
    {".onRequest", &WireSpi::konRequest},
};

const MethodRow<WireSpi::Method> WireSpi::spi_methods[] = {
    {".begin", &WireSpi::kbeginSpi},
    {".transfer", &WireSpi::ktransfer},
    {".available", &WireSpi::kavailable},
    {".read", &WireSpi::kread},
};

template <size_t N>
int32_t WireSpi::answer(const MethodRow<Method> (&rows)[N], const Match& m, const char* unknown) {
    if (declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    const ArgumentErrors errors(in_);
    const Call c{m, in_.panels[m.panel], call_arguments(in_, m.rest), errors};
    if (const std::optional<int32_t> value = call_row(*this, rows, method, c)) return *value;
    in_.ShowMessage1(unknown);
    return int_result(in_, 0);
}

int32_t WireSpi::kWire(const Match& m) { return answer(wire_methods, m, "Unknown Wire command"); }

int32_t WireSpi::kspi(const Match& m) { return answer(spi_methods, m, "Sketch Error - Unknown SPI command"); }

int32_t WireSpi::kbeginWire(const Call& c) {
    open_panel(c.m, "I2C/TWI Wire data\\n");
    Board& board = in_.board;
    const bool uno = board.maxPin <= 13; // on the Uno the bus is A4 and A5
    board.set_output(uno ? 64 : 20, SPECIAL, "SDA");
    board.set_output(uno ? 65 : 21, SPECIAL, "SCL");
    return int_result(in_, 0);
}

int32_t WireSpi::kbeginTransmission(const Call& c) {
    const int32_t device = in_.get_var(argument(c.a, 0));
    if (c.errors.raised()) return int_result(in_, 0);
    c.panel.append_text("Device:" + std::to_string(device) + " Data:");
    c.panel.select_last();
    return int_result(in_, 0);
}

int32_t WireSpi::kwrite(const Call& c) {
    const Value v = in_.get_value(argument(c.a, 0));
    if (c.errors.raised()) return int_result(in_, 0);
    c.panel.append_text(v.type == n_string ? v.s : std::to_string(v.i) + " ");
    c.panel.select_last();
    return int_result(in_, 0);
}

int32_t WireSpi::kendTransmission(const Call& c) {
    c.panel.end_line();
    return int_result(in_, 0);
}

// The data asked for is whatever the user typed into the box.
int32_t WireSpi::krequestFrom(const Call&) { return int_result(in_, 0); }

int32_t WireSpi::kavailable(const Call& c) { return int_result(in_, c.panel.IN.available()); }

int32_t WireSpi::kread(const Call& c) { return int_result(in_, in_.serial.kserialin(c.panel, 1)); }

int32_t WireSpi::konReceive(const Call& c) {
    name_event(c);
    return int_result(in_, 0);
}

int32_t WireSpi::konRequest(const Call& c) {
    name_event(c);
    // The blank arms the event once: entering a "request..." routine empties the box.
    c.panel.IN.set_text(" ");
    return int_result(in_, 0);
}

void WireSpi::name_event(const Call& c) {
    // «onReceive(&handler)» names the same routine.
    std::string_view name = dtrim(argument(c.a, 0));
    if (name.starts_with('&')) name = dtrim(name.substr(1));
    in_.Event = std::string(name);
    in_.Event_Panel = c.m.panel;
}

int32_t WireSpi::kbeginSpi(const Call& c) {
    Board& board = in_.board;
    const bool uno = board.maxPin <= 13;
    open_panel(c.m, "SPI data\\n");
    board.set_output(uno ? 11 : 52, SPECIAL, "MOSI");
    board.set_output(uno ? 12 : 50, SPECIAL, "MISO");
    board.set_output(uno ? 13 : 51, SPECIAL, "SCLK");
    return int_result(in_, 0);
}

int32_t WireSpi::ktransfer(const Call& c) {
    const int32_t sent = in_.get_var(argument(c.a, 0));
    if (c.errors.raised()) return int_result(in_, 0);
    c.panel.append_text(std::to_string(sent) + " ");
    c.panel.select_last();
    return int_result(in_, in_.serial.kserialin(c.panel, 1));
}

} // namespace quorvex
