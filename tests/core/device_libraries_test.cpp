// Wire, SPI, Ethernet and the SD card beyond their transcripts: the registers, the event's
// timing, repeated and refused declarations, the Time library's seconds and reset.
#include <string>
#include <vector>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

class Libraries : public Flow {
protected:
    int32_t run(const std::string& statement) { return in.evaluate_expression(statement); }
    int32_t variable_count() const {
        int32_t n = 0;
        for (int32_t t = 1; t <= max_type; ++t) n += in.vars.var_n[static_cast<size_t>(t)] - 1;
        return n;
    }
};

TEST_F(Libraries, OnReceiveNamesTheRoutineTheNextStepEnters) {
    load("void setup() {\n  Wire.begin(4);\n  Wire.onReceive( & gotData );\n  int x = 1;\n}\n"
         "void loop() {\n}\nvoid gotData(int n) {\n  int y = Wire.read();\n}\n");
    steps(2);
    EXPECT_EQ(in.Event, "gotData");
    EXPECT_EQ(current(), "int x = 1;");
    steps(1);
    EXPECT_EQ(current(), "int y = Wire.read();");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Libraries, CallsInsideExpressionsCompute) {
    run("Wire.begin();");
    in.panels[4].IN.set_text("7AB");
    EXPECT_EQ(run("Wire.read() - '0'"), 7);
    EXPECT_EQ(run("SPI.transfer(9) + 1"), 'A' + 1);
    run("EthernetClient client;");
    EXPECT_EQ(run("client.available() > 0"), 1);
    run("File f;");
    run("f.println(\"a=b\");");
    EXPECT_EQ(run("f.read() == 'a'"), 1);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Libraries, WireAndSpiTakePanelFourFromTheLcd) {
    in.pre.library1 |= LIB_LCD;
    run("LiquidCrystal lcd(12, 11, 5, 4, 3, 2);");
    for (const char* begin : {"Wire.begin();", "SPI.begin();"}) {
        run("lcd.begin(16, 2);");
        EXPECT_FALSE(in.panels[4].IN.Visible);
        run(begin);
        EXPECT_TRUE(in.panels[4].IN.Visible) << begin;
        EXPECT_FALSE(in.lcd.lcd_box) << begin;
    }
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Libraries, ServerSendsTextAsTextAndNumbersAsCharacters) {
    for (const char* s : {"EthernetServer web(80);", "web.print(\"ab\");", "web.println(65);", "web.write();"}) run(s);
    EXPECT_EQ(in.panels[2].ListBox.items(), std::vector<std::string>{"abA"}); // println ends no line
    EXPECT_EQ(in.panels[2].Panel.Caption, "web");
}

TEST_F(Libraries, DeclarationsRunAgainAddNoVariablesAndBadOnesNone) {
    load("#include <SD.h>\nvoid setup() {\n}\nvoid loop() {\n  IPAddress ip(10, 0, 0, 1);\n"
         "  File f = SD.open(\"log.txt\");\n  IPAddress three(1, 2, 3);\n}\n");
    finish_setup();
    steps(4);
    const int32_t count = variable_count();
    steps(1200);
    EXPECT_EQ(variable_count(), count);
    EXPECT_EQ(var("ip[3]"), 1);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;

    const auto words = in.tables.kobj_word;
    for (const char* s : {"File ;", "EthernetServer (80);", "Sd2Card card, c2;", "File if;", "SdFile while;",
                          "IPAddress for(1, 2, 3, 4);", "EthernetClient int;"})
        run(s);
    EXPECT_EQ(messages().size(), 7u);
    EXPECT_EQ(in.tables.kobj_word, words);
    EXPECT_EQ(variable_count(), count);
}

TEST_F(Libraries, IsDirectoryFollowsTheTimeLibrarySeconds) {
    run("File f;");
    in.simtime.arduino_time[TIME_NOW] = 1001;
    EXPECT_EQ(run("f.isDirectory()"), 1);
    in.simtime.arduino_time[TIME_NOW] = 1002;
    EXPECT_EQ(run("f.isDirectory()"), 0);
}

TEST_F(Libraries, ResetForgetsTheFileAndAGlobalFileShowsItsPanelAgain) {
    load("void setup() {\n}\nvoid loop() {\n}\n");
    for (const char* s : {"SD.open(\"a.txt\");", "File f;", "f.println(1);"}) run(s);
    in.RestartClick();
    EXPECT_TRUE(in.sd.sd_file.empty());
    EXPECT_TRUE(in.panels[5].ListBox.empty());
    EXPECT_FALSE(in.panels[5].Panel.Visible);
    EXPECT_TRUE(in.panels[5].IN.Visible);
    load("File log;\nvoid setup() {\n}\nvoid loop() {\n}\n");
    EXPECT_TRUE(in.panels[5].Panel.Visible);
    EXPECT_FALSE(in.panels[5].IN.Visible);
}

} // namespace
} // namespace quorvex::test
