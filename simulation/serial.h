#pragma once
// Serial ports and SoftwareSerial objects printing into and reading from the port panels.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"
#include "simulation/method_table.h"

namespace quorvex {

class Interpreter;
struct PortPanel;

// A hardware port: its name, its panel and the pins its begin marks as system pins.
struct HardwarePort {
    const char* name;
    int32_t panel;
    int32_t rx;
    int32_t tx;
};
inline constexpr std::array<HardwarePort, 4> hardware_ports = {{
    {"Serial", 1, 0, 1},
    {"Serial1", 2, 19, 18},
    {"Serial2", 2, 17, 16},
    {"Serial3", 2, 15, 14},
}};

// The printed form of one print argument, evaluated in `in`: «x» as its text, number, character
// or float (two decimals); «x, HEX» (DEC, OCT, BIN) in that base; «f, n» a float with n
// decimals. Every device that prints and String(...) show values through it.
std::string printx(Interpreter& in, std::string_view s);

class SerialPorts {
public:
    explicit SerialPorts(Interpreter& in) : in_(in) {}

    // Handlers reached from the dispatch tables. `m.port` names the port: a hardware name, or
    // a software object's prefix with its dot.
    int32_t kserial(const Match& m);
    // The SoftwareSerial declaration: «mySerial(10, 11);».
    void ksoftserial(std::string_view s);
    // The next input character of `panel` (0 when its box is empty), removed with `move` > 0;
    // lights the receive lamp. Also used by the other devices that read a panel.
    int32_t kserialin(PortPanel& panel, int32_t move);

    // SoftwareSerial declarations since reset.
    int32_t soft_serial = 0;

    // Part of reset.
    void reset() { soft_serial = 0; }

private:
    struct Call;
    using Method = int32_t (SerialPorts::*)(const Call&);
    static const MethodRow<Method> methods[];

    // The methods: each sets the call's value (a number, never text: an assignment must not
    // store what printing left behind) and returns its integer side.
    int32_t kbegin(const Call& c);
    int32_t kend(const Call& c);
    int32_t kprintln(const Call& c);
    int32_t kprint(const Call& c);
    int32_t kwrite(const Call& c);
    int32_t kavailable(const Call& c);
    int32_t kread(const Call& c);
    int32_t kpeek(const Call& c);
    int32_t kflush(const Call& c);
    int32_t klisten(const Call& c);

    static const HardwarePort* hardware(std::string_view name);
    Interpreter& in_;
};

} // namespace quorvex
