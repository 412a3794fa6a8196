#pragma once
// Wire (I2C) and SPI: their traffic listed on port panel 4, their input read from its box.
// Wire's onReceive and onRequest name the sketch routine that the step enters as an event.

#include <cstdint>

#include "interpreter/dispatch_tables.h"

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
    // A begin: the panel opened with the device's caption and example input, its input box
    // shown again and the LCD's hold on the panel released, and the window brought up.
    void open_panel(const Match& m, const char* example_input);
    Interpreter& in_;
};

} // namespace quorvex
