// Port registers: which pins a DDRx or PORTx store drives on each board, and the variable
// of the same name that receives the value as well.
#include <limits>
#include <string>
#include <vector>

#include "interpreter/checked.h"
#include "simulation/ports.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

std::vector<int32_t> display_pins() {
    std::vector<int32_t> out;
    for (int32_t p = 0; p < Board::pin_count; ++p)
        if (Board::has_display(p)) out.push_back(p);
    return out;
}

class Ports : public CoreTest {
protected:
    std::vector<PinState> snapshot() const {
        std::vector<PinState> out;
        for (int32_t p : display_pins()) out.push_back(in.board.pin(p));
        return out;
    }
    // The pins whose mode, level or label differ from `before`.
    std::vector<int32_t> changed_since(const std::vector<PinState>& before) const {
        std::vector<int32_t> out;
        const std::vector<int32_t> pins = display_pins();
        for (size_t k = 0; k < pins.size(); ++k) {
            const PinState& now = in.board.pin(pins[k]);
            const PinState& was = before[k];
            if (now.mode() != was.mode() || now.is_high() != was.is_high() || now.label.caption != was.label.caption)
                out.push_back(pins[k]);
        }
        return out;
    }
    // Stores `val` into `name` and returns the pins that changed in any way.
    std::vector<int32_t> write(const char* name, int32_t val) {
        const std::vector<PinState> before = snapshot();
        in.set_var(name, val);
        return changed_since(before);
    }
    std::vector<int32_t> outputs() const {
        std::vector<int32_t> out;
        for (int32_t p : display_pins())
            if (in.board.pin(p).mode() == OUTPUT) out.push_back(p);
        return out;
    }
    std::vector<int32_t> high_pins() const {
        std::vector<int32_t> out;
        for (int32_t p : display_pins())
            if (in.board.pin(p).is_high()) out.push_back(p);
        return out;
    }
    const PinState& pin(int32_t p) const { return in.board.pin(p); }
};

TEST_F(Ports, UnoPortBDrivesPins8To13) {
    EXPECT_EQ(write("DDRB", 32), (std::vector<int32_t>{8, 9, 10, 11, 12, 13})); // every bit sets its pin's mode
    EXPECT_EQ(outputs(), std::vector<int32_t>{13});
    for (int32_t b = 0; b < 6; ++b) EXPECT_EQ(pin(8 + b).label.caption, "PB" + std::to_string(b));
    EXPECT_EQ(pin(8).mode(), INPUT);

    write("PORTB", 31);
    EXPECT_EQ(high_pins(), (std::vector<int32_t>{8, 9, 10, 11, 12}));
    EXPECT_FALSE(in.board.led13);
    write("PORTB", 32);
    EXPECT_EQ(high_pins(), std::vector<int32_t>{13});
    EXPECT_TRUE(in.board.led13);
    write("PORTB", 0);
    EXPECT_FALSE(in.board.led13);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Ports, UnoDdrDSetsPins0To7WithTheirLabels) {
    EXPECT_EQ(write("DDRD", 255), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(outputs(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    for (int32_t b = 0; b < 8; ++b) EXPECT_EQ(pin(b).label.caption, "PD" + std::to_string(b));
    write("DDRD", 0xFE); // a cleared bit makes its pin an input
    EXPECT_EQ(pin(0).mode(), INPUT);
    EXPECT_EQ(pin(8).label.caption, "D8");
}

TEST_F(Ports, UnoPortCDrivesTheAnalogPins) {
    EXPECT_EQ(write("DDRC", 1), (std::vector<int32_t>{60, 61, 62, 63, 64, 65}));
    EXPECT_EQ(outputs(), std::vector<int32_t>{60});
    EXPECT_EQ(pin(60).label.caption, "PC0");
    write("PORTC", 2);
    EXPECT_EQ(high_pins(), std::vector<int32_t>{61});
}

TEST_F(Ports, LargeBoardPortsDriveNoPinOnTheUnoButStillStoreTheVariable) {
    const int32_t ddra = in.new_entry(n_int, "DDRA", 0);
    for (const char* name : {"DDRA", "PORTA", "DDRE", "PORTK", "DDRL", "PORTJ"})
        EXPECT_TRUE(write(name, 1).empty()) << name;
    EXPECT_EQ(in.vars.at(n_int, ddra).ival, 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Ports, RegisterAndVariableOfTheSameNameBothTakeTheValue) {
    const int32_t slot = in.new_entry(n_int, "PORTB", 0);
    write("DDRB", 32);
    write("PORTB", 32);
    EXPECT_EQ(high_pins(), std::vector<int32_t>{13});
    EXPECT_EQ(in.vars.at(n_int, slot).ival, 32);
}

TEST_F(Ports, MegaMapping) {
    struct Case {
        const char* name;
        int32_t val;
        std::vector<int32_t> pins; // outputs after a DDRx store, HIGH pins after a PORTx store
    } cases[] = {
        {"PORTA", 1, {29}},
        {"DDRC", 1, {37}},
        {"PORTK", 1, {68}},
        {"DDRE", 4, {}}, // bit 2 of port E has no pin
        {"DDRD", 255, {18, 19, 20, 21, 38}},
        {"DDRB", 0x81, {13, 53}},
        {"DDRG", 0xFF, {4, 39, 40, 41}},
        {"PORTH", 1, {17}},
        {"DDRJ", 2, {14}},
        {"PORTL", 0x80, {42}},
        {"DDRF", 0x80, {67}},
        {"PORTC", 0x80, {30}},
    };
    for (const Case& c : cases) {
        in.board.undefine_pins();
        in.board.Mega1Click();
        in.set_var(c.name, c.val);
        EXPECT_EQ(c.name[0] == 'D' ? outputs() : high_pins(), c.pins) << c.name;
    }
    in.board.undefine_pins();
    in.board.Mega1Click();
    in.set_var("DDRC", 1);
    EXPECT_EQ(pin(37).label.caption, "PC0");
    EXPECT_EQ(pin(30).label.caption, "PC7");
    in.set_var("DDRD", 255);
    EXPECT_EQ(pin(21).label.caption, "PD0");
    EXPECT_EQ(pin(38).label.caption, "PD7");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Ports, OtherBoardFollowsTheLimitsItKept) {
    in.board.Other1Click(); // after the Uno: 13 pins, the small board's ports
    in.set_var("DDRB", 32);
    EXPECT_EQ(outputs(), std::vector<int32_t>{13});
    EXPECT_TRUE(write("DDRA", 1).empty());

    in.board.undefine_pins();
    in.board.Mega1Click();
    in.board.Other1Click(); // after the Mega: 53 pins, the large board's ports
    in.set_var("DDRB", 1);
    in.set_var("DDRA", 1);
    EXPECT_EQ(outputs(), (std::vector<int32_t>{29, 53}));
}

TEST_F(Ports, NamesThatAreNoRegisterDriveNothing) {
    for (const char* name : {"DDRI", "PORTI", "PORTZ", "DDRBx", "ddrb", "PORT", "DDR", "PORTB1", "DDRb", "PINB"})
        EXPECT_TRUE(write(name, 255).empty()) << name;
}

TEST_F(Ports, RegisterTakesTheIntegerSideOfItsValue) {
    in.set_var("DDRB", 63);
    in.set_float("PORTB", 32.9L); // truncated to 32
    EXPECT_EQ(high_pins(), std::vector<int32_t>{13});
    in.set_string("PORTB", "63"); // a text drives nothing
    EXPECT_EQ(high_pins(), std::vector<int32_t>{13});
    EXPECT_THROW(in.set_float("PORTB", std::numeric_limits<long double>::quiet_NaN()), EvalFault);
    EXPECT_EQ(high_pins(), std::vector<int32_t>{13});
}

} // namespace
} // namespace quorvex::test
