// Serial ports and SoftwareSerial through the statement executor: printing and its formats,
// begin and end, input, the include guard and the declarations.
#include <clocale>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

using Lines = std::vector<std::string>;

class SerialTest : public CoreTest {
protected:
    int32_t run(const std::string& statement) { return in.evaluate_expression(statement); }
    void begin() { run("Serial.begin(9600);"); }
    const Lines& lines(int32_t k = 1) { return in.panels[k].ListBox.items(); }
    // Declares `decl` and prints `expr` on Serial; the one line printed.
    std::string printed(const std::string& expr, const std::string& decl = "") {
        in.panels[1].ListBox.clear();
        if (!decl.empty()) run(decl);
        run("Serial.println(" + expr + ");");
        return in.panels[1].ListBox.item(0);
    }
};

TEST_F(SerialTest, PrintFormats) {
    begin();
    struct Case {
        const char* expr;
        const char* text;
    };
    const Case cases[] = {
        {"65, HEX", "41"},
        {"'A'", "A"},
        {"65", "65"},
        {"5, BIN", "00000101"},
        {"8, OCT", "010"},
        {"-1, HEX", "FFFFFFFF"},
        {"255, DEC", "255"},
        {"\"a,b\"", "a,b"},
        {"','", ","},
        {"3.75", "3.75"},
        {"2.0 / 3, 4", "0.6667"},
        {"2.26, 1", "2.3"},
        {"1.5, 20", "1.5000000000"}, // at most ten decimals
        {"1.7, -3", "2"},
        {"7.9, HEX", "7"},
        {"max(3, 9)", "9"},
        {"\"x=\" + 5", "x=5"},
    };
    for (const Case& c : cases) EXPECT_EQ(printed(c.expr), c.text) << c.expr;
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(SerialTest, PrintsFloatsWithoutTheLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed here";
    struct Restore {
        ~Restore() { std::setlocale(LC_ALL, "C"); }
    } restore;
    begin();
    EXPECT_EQ(printed("3.75"), "3.75");
    EXPECT_EQ(printed("2.0 / 3, 3"), "0.667");
    EXPECT_EQ(AnalogInputs::volts_text(512), "2.50V");
}

TEST_F(SerialTest, PrintLinesFollowThePanelRules) {
    begin();
    run("Serial.print(1);");
    run("Serial.println();");
    run("Serial.println();");
    EXPECT_EQ(lines(), (Lines{"1", "", ""}));
    in.panels[1].ListBox.clear();
    run("Serial.print(\"a\\n\");");
    run("Serial.write(66);");
    run("Serial.write(\"cd\");"); // a string writes its text
    EXPECT_EQ(lines(), (Lines{"a\\n", "Bcd"}));
    EXPECT_EQ(in.panels[1].ListBox.ItemIndex, 1);
    EXPECT_TRUE(in.board.txled);
}

TEST_F(SerialTest, StalePrintedTextIsNeverPrintedAgain) {
    begin();
    run("String cmd = \"on\";");
    run("int count = 7;");
    in.Results = "on"; // what a comparison with a string leaves behind
    run("Serial.println(count);");
    EXPECT_EQ(lines().front(), "7");
}

TEST_F(SerialTest, BeginOpensThePanelAndMarksThePins) {
    EXPECT_EQ(run("Serial.begin(9600);"), 0);
    const PortPanel& p = in.panels[1];
    EXPECT_TRUE(p.Panel.Visible);
    EXPECT_EQ(p.Panel.Caption, "Serial at 9600");
    EXPECT_EQ(p.IN.Text(), "Serial Input data 12,34,56\\n");
    EXPECT_EQ(host.simulation_window_shown, 1);
    EXPECT_EQ(in.board.pin(0).mode(), SPECIAL);
    EXPECT_EQ(in.board.pin(0).label.caption, "Serial.RX");
    EXPECT_EQ(in.board.pin(1).label.caption, "Serial.TX");
    EXPECT_EQ(in.got_it, 1);

    run("Serial.end();");
    EXPECT_FALSE(p.Panel.Visible);
    EXPECT_EQ(p.Panel.Caption, "Serial");
    EXPECT_EQ(in.board.pin(0).mode(), UNDEFINED);
    EXPECT_EQ(in.board.pin(0).label.caption, "D0");
    EXPECT_EQ(in.board.pin(1).label.caption, "D1");
}

TEST_F(SerialTest, UnoSerial1ShowsANoticeAndStillWorks) {
    in.board.Uno1Click();
    run("Serial1.begin(9600);");
    EXPECT_EQ(host.notices, Lines{"Sketch Error - The Uno does not have a Serial1 port"});
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(in.panels[2].Panel.Caption, "Serial1 at 9600");
    EXPECT_EQ(in.board.pin(19).label.caption, "Serial1.RX");
    EXPECT_EQ(in.board.pin(18).label.caption, "Serial1.TX");
    EXPECT_EQ(in.board.pin(19).mode(), SPECIAL);
    in.board.Mega1Click();
    run("Serial3.begin(300);");
    EXPECT_EQ(host.notices.size(), 1u);
    EXPECT_EQ(in.board.pin(15).label.caption, "Serial3.RX");
}

TEST_F(SerialTest, PrintlnNeedsSerialBeginOnEveryPort) {
    run("Serial2.begin(9600);");
    run("Serial2.println(1);");
    EXPECT_EQ(messages(), Lines{"Sketch Error - Initialise Serial Port first!"});
    EXPECT_TRUE(lines(2).empty());
    EXPECT_TRUE(in.board.txled); // the light shows even so
    in.simtime.Timer2Timer();
    EXPECT_FALSE(in.board.txled);
    run("Serial2.print(2);"); // print makes no test
    EXPECT_EQ(lines(2), Lines{"2"});
}

TEST_F(SerialTest, InputReadsPeeksAndCounts) {
    begin();
    EXPECT_EQ(run("Serial.available();"), 28); // the example input, its backslash included
    in.panels[1].IN.set_text("\\n5");
    EXPECT_EQ(run("Serial.peek();"), 13);
    EXPECT_EQ(run("Serial.peek();"), 13);
    EXPECT_EQ(run("Serial.read();"), 13);
    EXPECT_TRUE(in.board.rxled);
    EXPECT_EQ(run("Serial.available();"), 1);
    EXPECT_EQ(run("Serial.read();"), 53);
    EXPECT_EQ(run("Serial.read();"), 0);
    in.panels[1].IN.set_text("xyz");
    run("Serial.flush();");
    EXPECT_EQ(run("Serial.available();"), 0);
    EXPECT_EQ(run("Serial.listen();"), 0);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(SerialTest, CallsInsideExpressionsGoThroughTheOperators) {
    begin();
    in.panels[1].IN.set_text("7abcdef");
    run("int d = 0;");
    run("d = Serial.read() - '0';");
    EXPECT_EQ(in.get_var("d"), 7);
    EXPECT_EQ(in.get_var("Serial.available() > 5"), 1);
    EXPECT_EQ(in.get_var("Serial.peek() == 'a'"), 1);
    run("String s = \"\";");
    run("s += (char)Serial.read();");
    EXPECT_EQ(in.get_value("s").s, "a");
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(SerialTest, ComparisonInsideThePrintArgumentIsPrinted) {
    begin();
    run("int a = 2;");
    EXPECT_EQ(printed("a == 2"), "1");
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(SerialTest, UnknownCommandsAndBadBracketsAreErrors) {
    begin();
    run("Serial.foo(1);");
    run("Serial.parseInt();");
    run("Serial.println(1;");
    EXPECT_EQ(messages(), (Lines{"Sketch Error - Undefined Serial command: foo(1);",
                                 "Sketch Error - Undefined Serial command: parseInt();",
                                 "Sketch Error - Undefined Serial command: println(1;"}));
}

TEST_F(SerialTest, BadLiteralsNeverReadPastTheText) {
    begin();
    for (const char* s : {"Serial.print(\"abc);", "Serial.print('');", "Serial.print('\\');", "Serial.print(''');",
                          "Serial.print(');", "Serial.write(-1);"})
        run(s);
    EXPECT_EQ(lines().back().substr(lines().back().size() - 3), "\xEF\xBF\xBF");
}

class SoftSerial : public SerialTest {
protected:
    void SetUp() override { in.pre.library1 |= LIB_SOFTSERIAL; }
};

TEST_F(SoftSerial, DeclarationRegistersThePrefixAndMarksPins) {
    run("SoftwareSerial mySerial(10, 11);");
    EXPECT_EQ(in.tables.kobj_word[softser_key], "mySerial.");
    EXPECT_EQ(in.serial.soft_serial, 1);
    EXPECT_EQ(in.board.pin(10).mode(), OUTPUT);
    EXPECT_EQ(in.board.pin(11).mode(), OUTPUT);
    EXPECT_EQ(in.board.pin(1).mode(), UNDEFINED); // the pin texts are copied before marking
    run("mySerial.begin(4800);");
    EXPECT_EQ(in.panels[2].Panel.Caption, "mySerial. at 4800");
    EXPECT_EQ(in.panels[2].IN.Text(), "mySerial. Input data 12,34,56\\n");
    EXPECT_EQ(in.board.pin(0).mode(), UNDEFINED); // no pins for a software port
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(SoftSerial, SecondObjectUsesTheThirdPanel) {
    begin();
    run("SoftwareSerial one(2, 3);");
    run("SoftwareSerial two = SoftwareSerial(4);");
    EXPECT_EQ(in.tables.kobj_word[softser_key2], "two.");
    EXPECT_EQ(in.board.pin(4).mode(), UNDEFINED); // not two pins: none marked
    run("two.begin(9600);");
    run("two.println(\"hi\");");
    run("one.print(1);");
    EXPECT_EQ(lines(3), (Lines{"hi", ""}));
    EXPECT_EQ(lines(2), Lines{"1"});
    run("SoftwareSerial three(5, 6);"); // replaces the second
    EXPECT_EQ(in.tables.kobj_word[softser_key2], "three.");
    EXPECT_EQ(in.serial.soft_serial, 3);
}

TEST_F(SoftSerial, DeclarationWithoutBracketsRegistersNothing) {
    run("SoftwareSerial s;");
    EXPECT_EQ(in.serial.soft_serial, 0);
    EXPECT_FALSE(in.tables.kobj_live[softser_key]);
}

TEST_F(SerialTest, FirstSoftwarePortNeedsItsInclude) {
    run("SoftwareSerial mySerial(10, 11);");
    run("mySerial.begin(9600);");
    EXPECT_EQ(messages(), Lines{"Sketch Error - <SoftwareSerial.h> library must be include first!"});
    EXPECT_FALSE(in.panels[2].Panel.Visible);
}

TEST_F(SerialTest, ResetKeepsInputAndRestartsTheCount) {
    in.load_text("#include <SoftwareSerial.h>\nSoftwareSerial ss(2, 3);\nvoid setup() {\n}\nvoid loop() {\n}\n");
    in.RestartClick();
    begin();
    run("Serial.println(1);");
    in.panels[1].IN.set_text("kept");
    in.RestartClick();
    EXPECT_EQ(in.serial.soft_serial, 1); // the reset scan declares the global again
    EXPECT_FALSE(in.panels[1].Panel.Visible);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(in.panels[1].IN.Text(), "kept");
}

TEST_F(SerialTest, SerialEventFiresWhileThePanelIsShownWithInput) {
    in.load_text("String line = \"\";\n"
                 "void serialEvent() {\n"
                 "  while (Serial.available()) {\n"
                 "    char c = Serial.read();\n"
                 "    line += c;\n"
                 "  }\n"
                 "}\n"
                 "void setup() {\n"
                 "  Serial.begin(9600);\n"
                 "}\n"
                 "void loop() {\n"
                 "}\n");
    in.RestartClick();
    in.Step1Click(); // begin fills the example input
    in.panels[1].IN.set_text("hi");
    for (int i = 0; i < 40 && !in.panels[1].IN.empty(); ++i) in.Step1Click();
    for (int i = 0; i < 10; ++i) in.Step1Click();
    EXPECT_EQ(in.get_value("line").s, "hi");
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

} // namespace
} // namespace quorvex::test
