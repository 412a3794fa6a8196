// The pin functions as a sketch calls them: modes, levels, analog in and out, tone, pulseIn
// and the shift routines, with their messages.
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

class PinIoTest : public CoreTest {
protected:
    int32_t run(const std::string& statement) { return in.evaluate_expression(statement); }
    const PinState& pin(int32_t p) const { return in.board.pin(p); }
    int32_t value_of(const char* name) {
        const VariableTable::Ref r = in.vars.lookup(name);
        return r ? in.vars.at(r.type, r.slot).ival : -999;
    }
};

TEST_F(PinIoTest, BlinkPin13) {
    run("pinMode(13, OUTPUT);");
    run("digitalWrite(13, HIGH);");
    EXPECT_EQ(pin(13).shape.brush, clRed);
    EXPECT_TRUE(in.board.led13);
    EXPECT_EQ(pin(13).label.caption, "13");
    EXPECT_EQ(run("digitalRead(13)"), 1); // an output reads back its own level
    run("digitalWrite(13, 2);");          // only 1 is HIGH
    EXPECT_FALSE(pin(13).is_high());
    run("digitalWrite(13, -1);");
    EXPECT_FALSE(pin(13).is_high());
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(PinIoTest, WriteWithoutPinModeReportsThenDrives) {
    run("digitalWrite(5, HIGH);");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - D5 pin is not an output"});
    EXPECT_EQ(pin(5).shape.brush, clGray);
    EXPECT_TRUE(pin(5).shape.visible);
}

TEST_F(PinIoTest, PinsFromDefinesConstsAndExpressions) {
    run("#define LED 12");
    run("const int base = 3;");
    run("pinMode(LED, OUTPUT);");
    run("pinMode(base + 1, OUTPUT);");
    run("digitalWrite(LED, HIGH);");
    run("digitalWrite(base + 1, HIGH);");
    EXPECT_TRUE(pin(12).is_high());
    EXPECT_TRUE(pin(4).is_high());
    EXPECT_EQ(pin(4).label.caption, "base + 1");
    EXPECT_EQ(run("digitalRead(LED)"), 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(PinIoTest, PinModeLabelsAndModeText) {
    run("int leds[4] = {6, 7, 9, 10};");
    run("int i = 2;");
    run("pinMode(leds[i], OUTPUT);");
    EXPECT_EQ(pin(9).label.caption, "leds[2]");
    EXPECT_EQ(pin(9).mode(), OUTPUT);
    run("int mode = 1;");
    run("pinMode(7, mode);"); // compared as text: a variable holding 1 is INPUT
    EXPECT_EQ(pin(7).mode(), INPUT);
    run("pinMode(8, INPUT_PULLUP);");
    EXPECT_EQ(pin(8).mode(), INPUT);
    run("pinMode(3, 1);");
    EXPECT_EQ(pin(3).mode(), OUTPUT);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(PinIoTest, PastMaximumAndMissingPins) {
    EXPECT_EQ(run("digitalRead(20)"), 0);
    in.board.output_on(20, true);
    EXPECT_EQ(run("digitalRead(20)"), 1); // still the displayed level
    run("pinMode(40, OUTPUT);");
    EXPECT_EQ(pin(40).mode(), OUTPUT); // shown all the same
    run("digitalWrite(56, HIGH);");    // no display: the message only
    EXPECT_EQ(run("digitalRead(-2)"), 0);
    run("pinMode(-1, OUTPUT);");
    run("digitalWrite(-3, HIGH);");
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Sketch Error - digitalRead Pin 20 past maximum of 13",
                              "Sketch Error - digitalRead Pin 20 past maximum of 13",
                              "Sketch Error - pinMode Pin 40 past maximum of 13",
                              "Sketch Error - digitalWrite Pin 56 past maximum of 13",
                              "Sketch Error - digitalRead Pin -2 does not exist",
                              "Sketch Error - pinMode Pin -1 does not exist",
                              "Sketch Error - digitalWrite Pin -3 does not exist",
                          }));
}

TEST_F(PinIoTest, FaultingArgumentsChangeNothing) {
    run("pinMode(13, OUTPUT);");
    run("digitalWrite(13, 1 / 0);");
    run("digitalWrite(nosuch, HIGH);");
    run("pinMode(2 / 0, OUTPUT);");
    EXPECT_FALSE(pin(13).is_high());
    EXPECT_EQ(pin(0).mode(), UNDEFINED);
    EXPECT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[0], "Cannot Evaluate 1 / 0");
}

TEST_F(PinIoTest, AnalogReadReturnsTheInputLevelAndNamesIt) {
    in.board.set_analog(3, 512, false);
    run("int v = 0;");
    run("v = analogRead(A3);");
    EXPECT_EQ(value_of("v"), 512);
    EXPECT_EQ(in.board.LabelAn(3).caption, "A3");
    EXPECT_TRUE(in.board.LabelAn(3).visible);
    EXPECT_EQ(in.board.analog_box[3], "A3");

    in.board.Mega1Click();
    in.board.set_analog(12, 77, false);
    run("v = analogRead(A12);");
    EXPECT_EQ(value_of("v"), 77);
    run("v = analogRead(20);");
    EXPECT_EQ(value_of("v"), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - analogRead Pin 20 does not exist"});
}

TEST_F(PinIoTest, AnalogWriteShowsValueOrVolts) {
    run("analogWrite(9, 128);");
    EXPECT_EQ(in.board.analog[9].caption, "128");
    EXPECT_TRUE(in.board.analog[9].visible);
    EXPECT_EQ(pin(9).shape.brush, (Rgb{255, 127, 127}));
    EXPECT_EQ(pin(9).mode(), OUTPUT);
    run("analogWrite(3, 5);");
    EXPECT_EQ(in.board.analog[3].caption, "005");
    in.pinio.options.ShowVolts.Checked = true;
    run("analogWrite(9, 128);");
    EXPECT_EQ(in.board.analog[9].caption, "2.51V");
    run("analogWrite(9, 255);");
    EXPECT_EQ(in.board.analog[9].caption, "5.00V");
    run("analogWrite(45, 200);"); // shaded, no value label, no limit check
    EXPECT_EQ(pin(45).shape.brush, (Rgb{255, 55, 55}));
    EXPECT_TRUE(host.errors.empty());
    run("analogWrite(57, 10);");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - analogWrite Pin 57 does not exist"});
}

TEST_F(PinIoTest, ToneGoesToTheHostOnlyWithTheOption) {
    run("tone(8, 440);");
    EXPECT_TRUE(host.tones.empty());
    in.pinio.options.SimulateTone1.Checked = true;
    run("tone(8, 440);");
    run("tone(8, 440, 500);");
    run("tone(8, 440, 50);");
    run("tone(8, 440, 2000000000);"); // the host holds the thread: bounded
    ASSERT_EQ(host.tones.size(), 4u);
    EXPECT_EQ(host.tones[0].ms, 100);
    EXPECT_EQ(host.tones[1].ms, 500);
    EXPECT_EQ(host.tones[2].ms, 100);
    EXPECT_EQ(host.tones[3].ms, PinIO::max_tone_ms);
    EXPECT_EQ(host.tones[1].freq, 440);
    EXPECT_FALSE(pin(8).shape.visible); // the pin is not used
}

TEST_F(PinIoTest, PulseAndShiftBoxes) {
    run("int x = 5;");
    run("x = pulseIn(7, HIGH);");
    EXPECT_EQ(value_of("x"), 1000);
    in.pinio.inputs.EPulseIn = "";
    run("x = pulseIn(7, HIGH);");
    EXPECT_EQ(value_of("x"), 0);
    in.pinio.inputs.EPulseIn = "12a";
    run("x = pulseIn(7, HIGH);");
    in.pinio.inputs.EPulseIn = "99999999999";
    run("x = pulseIn(7, HIGH);");
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].rfind("Cannot Evaluate", 0), 0u);

    host.errors.clear();
    in.pinio.inputs.EShiftIn = "42";
    run("x = shiftIn(4, 5, MSBFIRST);");
    EXPECT_EQ(value_of("x"), 42);
    EXPECT_EQ(pin(4).label.caption, "dataPin");
    EXPECT_EQ(pin(5).label.caption, "clkPin");
    EXPECT_EQ(pin(4).mode(), OUTPUT);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(PinIoTest, ShiftOutDefinesItsPinNamesOnce) {
    run("shiftOut(11, 12, MSBFIRST, 0x55);");
    EXPECT_EQ(in.get_var("dataPin"), 11);
    EXPECT_EQ(in.get_var("clkPin"), 12);
    EXPECT_EQ(pin(11).mode(), OUTPUT);
    EXPECT_EQ(pin(12).label.caption, "clkPin");
    run("shiftOut(4, 5, MSBFIRST, 7);");
    EXPECT_EQ(in.get_var("dataPin"), 11);
    EXPECT_EQ(pin(4).mode(), UNDEFINED);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(PinIoTest, ArgumentCountMessages) {
    run("shiftOut(11, 12, 0x55);");
    run("shiftIn(4, 5);");
    run("analogReference();");
    run("analogReference(DEFAULT);");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - shiftOut needs 4 parameters - has 3",
                                                    "Sketch Error - shiftIn needs 3 parameters - has 2",
                                                    "Sketch Error - analogReference needs 1 parameter - has 0"}));
    EXPECT_FALSE(in.vars.lookup("dataPin"));
}

} // namespace
} // namespace quorvex::test
