#pragma once
// Wire (I2C) and SPI: their traffic listed on port panel 4, their input read from its box.
// Wire's onReceive and onRequest name the sketch routine that the step enters as an event.

#include <cstdint>

#include "interpreter/dispatch_tables.h"
#include "simulation/method_table.h"

namespace quorvex {

class Interpreter;

class WireSpi {
public:
    explicit WireSpi(Interpreter& in) : in_(in) {}

    // «Wire.beginTransmission(4)», «Wire.write(x)», «Wire.onReceive(handler)» ...
    int32_t kWire(const Match& m);
    // «SPI.begin()», «SPI.transfer(x)» ...
    int32_t kspi(const Match& m);

private:
    struct Call;
    using Method = int32_t (WireSpi::*)(const Call&);
    static const MethodRow<Method> wire_methods[];
    static const MethodRow<Method> spi_methods[];
    // One call of either bus: declined as an operand, or read once into a Call for its method
    // from `rows`, `unknown` reported for a name that is none.
    template <size_t N>
    int32_t answer(const MethodRow<Method> (&rows)[N], const Match& m, const char* unknown);

    // The methods: each sets the call's value and returns its integer side. An argument that
    // reported an error leaves the panel as it was.
    int32_t kbeginWire(const Call& c);
    int32_t kbeginTransmission(const Call& c);
    int32_t kwrite(const Call& c);
    int32_t kendTransmission(const Call& c);
    int32_t krequestFrom(const Call& c);
    int32_t kavailable(const Call& c);
    int32_t kread(const Call& c);
    int32_t konReceive(const Call& c);
    int32_t konRequest(const Call& c);
    int32_t kbeginSpi(const Call& c);
    int32_t ktransfer(const Call& c);
    // onReceive and onRequest: the routine the step enters as the event, and its panel.
    void name_event(const Call& c);

    // A begin: the panel opened with the device's caption and example input, its input box
    // shown again and the LCD's hold on the panel released, and the window brought up.
    void open_panel(const Match& m, const char* example_input);
    Interpreter& in_;
};

} // namespace quorvex
