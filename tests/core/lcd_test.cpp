// The character LCD: its panel, the bounds of its buffer, scrolling and the blink.
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

class LcdTest : public CoreTest {
protected:
    void run(const std::string& statements) {
        for (size_t at = 0; at < statements.size();) {
            const size_t end = statements.find(';', at);
            in.evaluate_expression(statements.substr(at, end - at + 1));
            at = end + 1;
        }
    }
    const std::string& item(int32_t i) { return in.panels[4].ListBox.item(i); }
    void start() { run("LiquidCrystal lcd(12, 11, 5, 4, 3, 2);lcd.begin(16, 2);"); }
};

TEST_F(LcdTest, BeginOpensPanelFourAsTheDisplay) {
    start();
    const PortPanel& p = in.panels[4];
    EXPECT_FALSE(p.IN.Visible);
    EXPECT_EQ(host.simulation_window_shown, 1);
    run("lcd.noDisplay();");
    in.load_text("void setup() {\n}\n");
    in.RestartClick();
    EXPECT_FALSE(in.lcd.lcd_box);
    EXPECT_EQ(p.ListBox.FontColor, colour_black); // Wire traffic after a reset is readable
}

TEST_F(LcdTest, WritesOutsideTheDisplayStayBounded) {
    start();
    run("lcd.setCursor(2000000000, 0);lcd.print(\"x\");");
    EXPECT_EQ(in.lcd.lcdx, 0);
    EXPECT_EQ(in.lcd.lcdy, 1);
    run("lcd.setCursor(250, 0);lcd.print(\"abcdefghij\");");
    EXPECT_EQ(in.lcd.lcdd[0].size(), 256u);
    EXPECT_EQ(in.lcd.lcdd[0].substr(250), u"abcdef");
    for (int i = 0; i < 100; ++i) run("lcd.print(\"y\");lcd.scrollDisplayLeft();");
    for (int i = 0; i < 2000; ++i) run("lcd.scrollDisplayLeft();");
    for (int i = 0; i < 3000; ++i) run("lcd.scrollDisplayRight();");
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_LE(in.lcd.LCD_Buffer[i].size(), Lcd::max_pushed_out);
        EXPECT_LE(in.lcd.LCD_RightBuffer[i].size(), 256u + 22u);
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(LcdTest, ClearForgetsTheScrolledText) {
    start();
    run("lcd.print(\"Hello\");");
    run("lcd.scrollDisplayLeft();lcd.clear();lcd.scrollDisplayRight();lcd.scrollDisplayLeft();");
    EXPECT_EQ(item(0), std::string(16, ' ')); // no "ello" back from before the clear
}

TEST_F(LcdTest, BlinkShowsTheCurrentCursor) {
    start();
    run("lcd.print(\"ab\");lcd.blink();");
    in.simtime.Timer2Timer();
    EXPECT_EQ(item(1), "");
    run("lcd.setCursor(4, 1);");
    in.simtime.Timer2Timer();
    EXPECT_EQ(item(1), std::string(37, ' '));
    EXPECT_EQ(item(3).find('_'), 4u);
    // Wire taking the panel stops the blink.
    run("Wire.begin();");
    run("Wire.beginTransmission(4);Wire.endTransmission();Wire.beginTransmission(5);");
    EXPECT_FALSE(in.lcd.lcd_box);
    in.simtime.Timer2Timer();
    EXPECT_EQ(item(1), "Device:5 Data:");
}

TEST_F(LcdTest, BadInputChangesNothing) {
    run("LiquidCrystal lcd(rs, 11, 5, 4, 3, 2);");
    EXPECT_EQ(in.tables.kobj_word[lcd_key], "lcd.");
    EXPECT_FALSE(in.board.pin(11).is_output()); // an unknown pin name labels no pin
    host.errors.clear();
    run("lcd.begin();");
    EXPECT_EQ(in.panels[4].Panel.Caption, "LCD \"lcd.\" 0 chars x 0 rows");
    run("lcd.begin(16, 2);lcd.print(1 / 0);lcd.setCursor(nope, 1);lcd.Print(\"x\");");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot Evaluate 1 / 0", "Unknown command: nope",
                                                    "Sketch Error - Undefined LCD command"}));
    EXPECT_EQ(item(0), std::string(20, ' '));
    EXPECT_EQ(in.lcd.lcdx, 0);
    EXPECT_EQ(in.lcd.lcdy, 0);
    run("LiquidCrystal ;");
    EXPECT_EQ(in.tables.kobj_word[lcd_key], "lcd.");
}

} // namespace
} // namespace quorvex::test
