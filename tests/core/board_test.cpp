// The pin display: modes and levels as colours, the board choices and their limits, clicks.
#include <clocale>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

class BoardTest : public CoreTest {
protected:
    Board& board = in.board;
    const PinState& pin(int32_t p) const { return in.board.pin(p); }
};

TEST_F(BoardTest, ModesShowAsLabelColoursAndLevelsAsBrushes) {
    board.set_output(5, OUTPUT, "led");
    EXPECT_EQ(pin(5).label.text, clRed);
    EXPECT_EQ(pin(5).label.caption, "led");
    EXPECT_EQ(pin(5).shape.hint, "OUTPUT");
    EXPECT_TRUE(pin(5).shape.visible);
    board.output_on(5, true);
    EXPECT_EQ(pin(5).shape.brush, clRed);

    board.set_output(6, INPUT, "btn");
    board.output_on(6, true);
    EXPECT_EQ(pin(6).shape.brush, clGreen);
    EXPECT_EQ(pin(6).mode(), INPUT);

    // An undefined pin driven HIGH turns grey and becomes visible.
    EXPECT_FALSE(pin(7).shape.visible);
    board.output_on(7, true);
    EXPECT_EQ(pin(7).shape.brush, clGray);
    EXPECT_TRUE(pin(7).shape.visible);
    EXPECT_EQ(pin(7).mode(), UNDEFINED);

    // A mode change repaints the shape white; UNDEFINED hides it.
    board.set_output(5, UNDEFINED, "D5");
    EXPECT_FALSE(pin(5).is_high());
    EXPECT_FALSE(pin(5).shape.visible);
    EXPECT_EQ(pin(5).label.background, LabelBackground::ButtonFace);
}

TEST_F(BoardTest, Led13FollowsOnlyAHighOutput) {
    board.set_output(13, OUTPUT, "D13");
    board.output_on(13, true);
    EXPECT_TRUE(board.led13);
    board.set_output(13, INPUT, "D13");
    board.output_on(13, true);
    EXPECT_FALSE(board.led13);
    board.output_var(13, 255); // a shade is no output_on
    EXPECT_FALSE(board.led13);
}

TEST_F(BoardTest, SystemPinKeepsItsBlueBrushAndReports) {
    board.set_output(0, SPECIAL, "Serial.RX");
    EXPECT_EQ(pin(0).label.background, LabelBackground::SkyBlue);
    board.output_on(0, false);
    EXPECT_EQ(pin(0).shape.brush, clBlue);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - Serial.RX is a System pin"});
    EXPECT_FALSE(in.Timer1.Enabled);
    board.set_output(0, OUTPUT, "D0"); // a mode change takes a system pin back
    EXPECT_EQ(pin(0).shape.brush, clWhite);
}

TEST_F(BoardTest, ShadeUsesTheLowEightBits) {
    board.output_var(9, 300);
    EXPECT_EQ(pin(9).shape.brush, (Rgb{255, 211, 211}));
    board.output_var(9, 256);
    EXPECT_EQ(pin(9).shape.brush, clWhite);
    board.output_var(9, 128);
    EXPECT_EQ(pin(9).shape.brush, (Rgb{255, 127, 127}));
    EXPECT_TRUE(pin(9).shape.visible);
}

TEST_F(BoardTest, PinsWithoutDisplayAreInert) {
    const uint64_t before = board.revision;
    for (int32_t p : {54, 59, 76, -5, -1, 1000}) {
        board.set_output(p, OUTPUT, "x");
        board.output_on(p, true);
        board.output_var(p, 255);
        EXPECT_FALSE(board.toggle(p));
        EXPECT_FALSE(board.is_high(p));
    }
    EXPECT_EQ(board.revision, before);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(BoardTest, MegaPortDDrivesOnlyItsPins) {
    board.Mega1Click();
    in.set_var("DDRD", 255);
    std::vector<int32_t> outputs;
    for (int32_t p = 0; p <= 75; ++p)
        if (Board::has_display(p) && pin(p).mode() == OUTPUT) outputs.push_back(p);
    EXPECT_EQ(outputs, (std::vector<int32_t>{18, 19, 20, 21, 38}));
    EXPECT_EQ(pin(21).label.caption, "PD0");
    EXPECT_EQ(pin(18).label.caption, "PD3");
    EXPECT_EQ(pin(38).label.caption, "PD7");
}

TEST_F(BoardTest, BoardChoicesSetLimitsAndVisibility) {
    board.Mega1Click();
    EXPECT_EQ(board.maxPin, 53);
    EXPECT_EQ(board.maxInt, 5);
    EXPECT_TRUE(pin(30).label.visible);
    EXPECT_TRUE(board.ValAn[10].visible);
    EXPECT_EQ(board.picture, "MegaR3.jpg");
    board.Other1Click(); // keeps the Mega's limits
    EXPECT_EQ(board.kind, BoardKind::Other);
    EXPECT_EQ(board.layout, BoardKind::Mega); // the light and the switch stay where they were
    EXPECT_EQ(board.maxPin, 53);
    EXPECT_EQ(board.maxInt, 5);
    board.set_other_picture("/tmp/mine.png");
    EXPECT_EQ(board.picture, "/tmp/mine.png");
    board.Uno1Click();
    EXPECT_EQ(board.maxPin, 13);
    EXPECT_EQ(board.maxInt, 1);
    EXPECT_FALSE(pin(30).label.visible);
    EXPECT_FALSE(board.ValAn[10].visible);
    EXPECT_EQ(board.layout, BoardKind::Uno);
}

// Interrupt numbers a click fires: every interrupt enters a routine of its own on any level,
// isrN on lines 2N and 2N + 1, and the click records which one the cursor stands in.
class Clicks : public BoardTest {
protected:
    std::vector<int32_t> fired;
    void SetUp() override {
        std::string text;
        for (int n = 0; n < max_interrupts; ++n) text += "void isr" + std::to_string(n) + "() {\n}\n";
        in.load_text(text + "void setup() {\n}\nvoid loop() {\n}\n");
        in.RestartClick();
        for (size_t n = 0; n < max_interrupts; ++n) {
            in.interrupts.int_routine[n] = "isr" + std::to_string(n);
            in.interrupts.int_type[n] = "CHANGE";
        }
    }
    void click(int32_t p) {
        const int32_t before = in.cs.loopx;
        in.pinio.LD0MouseDown(p);
        if (in.cs.loopx > before) fired.push_back(in.Line / 2);
    }
};

TEST_F(Clicks, ToggleAndFireOnlyTheInterruptPins) {
    click(0);
    EXPECT_TRUE(pin(0).is_high());
    click(0);
    EXPECT_FALSE(pin(0).is_high());
    click(1);
    click(2);
    click(19); // Uno: pin 19 is no interrupt pin
    EXPECT_EQ(fired, (std::vector<int32_t>{0, 0, 1}));
    EXPECT_TRUE(pin(2).is_high());
}

TEST_F(Clicks, MegaPins18To21FireInterrupts5To2) {
    board.Mega1Click();
    click(19);
    click(21);
    click(18);
    EXPECT_EQ(fired, (std::vector<int32_t>{4, 2, 5}));
    board.Other1Click(); // only the ticked Mega fires them
    click(19);
    EXPECT_EQ(fired.size(), 3u);
}

TEST_F(Clicks, UnoClickOnAHiddenShapeTogglesOnlyThatPin) {
    click(20);
    for (int32_t p = 0; p <= 53; ++p) EXPECT_EQ(pin(p).is_high(), p == 20) << p;
    click(54); // no shape: nothing
    click(-3);
    EXPECT_TRUE(fired.empty());
}

TEST_F(Clicks, AnalogShapesToggleWithoutInterrupts) {
    const int32_t before = in.cs.loopx;
    in.pinio.LDAN0MouseDown(3);
    EXPECT_TRUE(pin(63).is_high());
    EXPECT_EQ(pin(63).shape.brush, clGreen);
    in.pinio.LDAN0MouseDown(16);
    in.pinio.LDAN0MouseDown(-1);
    EXPECT_EQ(in.cs.loopx, before);
}

TEST_F(BoardTest, ResetLeavesNoStaleModesAfterABoardChange) {
    // A Mega run drives pin 30, the user picks the Uno, and the next sketch asks for the Mega.
    board.Mega1Click();
    board.set_output(30, OUTPUT, "D30");
    board.output_on(30, true);
    board.set_output(13, OUTPUT, "D13");
    board.output_on(13, true);
    board.Uno1Click();
    in.load_text("// Simulate Mega\nvoid setup() {\n  digitalWrite(30, HIGH);\n}\nvoid loop() {\n}\n");
    in.RestartClick();
    EXPECT_EQ(board.kind, BoardKind::Mega);
    EXPECT_FALSE(board.led13);
    in.Step1Click();
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - D30 pin is not an output"});
    EXPECT_EQ(pin(30).shape.brush, clGray);
}

TEST_F(BoardTest, ResetHidesTheAnalogLabels) {
    board.name_analog_input(2, "A2");
    board.show_analog_value(9, "128");
    board.set_output(61, OUTPUT, "PC1");
    board.undefine_pins();
    EXPECT_FALSE(board.LabelAn(2).visible);
    EXPECT_FALSE(board.analog[9].visible);
    EXPECT_FALSE(board.ValAn[0].visible);
    EXPECT_EQ(pin(61).mode(), INPUT);
    EXPECT_FALSE(pin(61).shape.visible);
}

TEST_F(BoardTest, AnalogInputLevelsAndTheirValueLabels) {
    EXPECT_EQ(board.analog_val[4], 1023); // the bars start at their top
    board.set_analog(3, 512, false);
    EXPECT_EQ(board.ValAn[3].caption, "512");
    board.set_analog(3, 512, true);
    EXPECT_EQ(board.ValAn[3].caption, "2.50V");
    board.set_analog(3, 5000, false);
    EXPECT_EQ(board.analog_val[3], 1023);
    board.set_analog(16, 1, false); // no such input
    board.set_analog(-1, 1, false);
}

// Volts captions are read back by people and compared by tests: a point whatever the locale.
TEST_F(BoardTest, VoltsIgnoreTheLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    in.board.set_analog(0, 512, true);
    in.pinio.options.ShowVolts.Checked = true;
    in.evaluate_expression("analogWrite(9, 128);");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(in.board.ValAn[0].caption, "2.50V");
    EXPECT_EQ(in.board.analog[9].caption, "2.51V");
}

} // namespace
} // namespace quorvex::test
