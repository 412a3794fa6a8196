// Wire, SPI, Ethernet and the SD card through the statement executor and the step: what the
// sketch transcripts cannot show (registers, events, reset, refused names, repeated runs).
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
    const OutputList& list(int32_t k) const { return in.panels[k].ListBox; }
};

TEST_F(Libraries, OnReceiveNamesTheRoutineTheNextStepEnters) {
    load("void setup() {\n  Wire.begin(4);\n  Wire.onReceive( & gotData );\n  int x = 1;\n}\n"
         "void loop() {\n}\nvoid gotData(int n) {\n  int y = Wire.read();\n}\n");
    steps(2);
    EXPECT_EQ(in.Event, "gotData");
    EXPECT_EQ(in.Event_Panel, 4);
    EXPECT_EQ(current(), "int x = 1;"); // not yet
    steps(1);
    EXPECT_EQ(current(), "int y = Wire.read();");
    EXPECT_TRUE(in.serEvent);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Libraries, CallsInsideExpressionsCompute) {
    run("Wire.begin();");
    in.panels[4].IN.set_text("7AB");
    EXPECT_EQ(run("Wire.read() - '0'"), 7);
    EXPECT_EQ(run("SPI.transfer(9) + 1"), 'A' + 1);
    run("EthernetClient client;");
    EXPECT_EQ(run("client.available() > 0"), 1);
    in.panels[3].IN.clear();
    EXPECT_EQ(run("client.available() > 0"), 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Libraries, WireAndSpiShowTheInputBoxThatAnLcdHid) {
    for (const char* begin : {"Wire.begin();", "SPI.begin();"}) {
        in.panels[4].IN.Visible = false;
        run(begin);
        EXPECT_TRUE(in.panels[4].IN.Visible) << begin;
    }
}

TEST_F(Libraries, ServerSendsTextAsTextAndNumbersAsCharacters) {
    run("EthernetServer web(80);");
    run("web.print(\"ab\");");
    run("web.println(65);");
    run("web.write();");
    run("web.println(\"\");");
    EXPECT_EQ(list(2).items(), std::vector<std::string>{"abA"}); // println ends no line
    EXPECT_EQ(in.panels[2].Panel.Caption, "web");
    EXPECT_EQ(run("web.available()"), 1);
}

TEST_F(Libraries, ClientDeclarationFillsAHiddenPanelOnly) {
    std::vector<int32_t> opened;
    in.panels.on_open = [&](int32_t k) { opened.push_back(k); };
    run("EthernetServer server(80);");
    run("EthernetClient client = server.available();");
    EXPECT_EQ(in.tables.kobj_word[client_key], "client");
    EXPECT_EQ(in.panels[3].IN.Text(), "Ethernet Client data");
    EXPECT_EQ(opened, std::vector<int32_t>{3});
    in.panels[3].IN.set_text("typed");
    run("EthernetClient other;");
    EXPECT_EQ(in.panels[3].Panel.Caption, "client");
    EXPECT_EQ(in.panels[3].IN.Text(), "typed");
}

TEST_F(Libraries, RepeatedDeclarationsAddNoVariables) {
    load("#include <SD.h>\nvoid setup() {\n}\nvoid loop() {\n  IPAddress ip(10, 0, 0, 1);\n"
         "  File f = SD.open(\"log.txt\");\n  f.println(1);\n}\n");
    finish_setup();
    steps(4);
    const int32_t count = variable_count();
    steps(1200);
    EXPECT_EQ(variable_count(), count);
    EXPECT_EQ(var("ip[3]"), 1);
    EXPECT_GT(list(5).Count(), 290);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Libraries, IpAddressNeedsFourBytes) {
    run("IPAddress a(1, 2, 3);");
    EXPECT_EQ(variable_count(), 0);
    run("IPAddress b(300, -1, 0, 0);");
    EXPECT_EQ(messages().size(), 2u); // each byte out of range says so
    EXPECT_EQ(variable_count(), 4);
}

TEST_F(Libraries, RefusedNamesRegisterAndDeclareNothing) {
    const auto words = in.tables.kobj_word;
    for (const char* s : {"File ;", "EthernetServer (80);", "Sd2Card card, c2;", "File if;", "SdFile while;",
                          "IPAddress for(1, 2, 3, 4);", "EthernetClient int;"})
        run(s);
    EXPECT_EQ(messages().size(), 7u);
    EXPECT_EQ(messages()[0], "Sketch Error - Bad declaration: File");
    EXPECT_EQ(in.tables.kobj_word, words);
    EXPECT_EQ(variable_count(), 0);
}

TEST_F(Libraries, FileLinesHoldingEqualsAndComparisons) {
    run("File f = SD.open(\"a.txt\", FILE_WRITE);");
    run("f.println(\"a=b\");");
    EXPECT_EQ(list(5).items(), (std::vector<std::string>{"a=b", ""}));
    EXPECT_EQ(run("f.read() == 'a'"), 1);
    EXPECT_EQ(run("f.read() + 0"), '=');
    run("f = SD.open(\"b.txt\");"); // the object's int takes the call's value
    EXPECT_EQ(var("f"), 1);
    EXPECT_EQ(in.sd.sd_file, "\"b.txt\"");
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
}

TEST_F(Libraries, FileNamesAreOnlyText) {
    const std::string long_name(10000, 'x');
    for (const std::string& name : {std::string("/etc/passwd"), std::string("../x.txt"), long_name}) {
        run("SD.open(\"" + name + "\");");
        EXPECT_EQ(in.sd.sd_file, "\"" + name + "\"");
        EXPECT_EQ(run("SD.exists(\"" + name + "\")"), 1);
    }
}

TEST_F(Libraries, IsDirectoryFollowsTheTimeLibrarySeconds) {
    run("File f;");
    in.simtime.arduino_time[TIME_NOW] = 1001;
    EXPECT_EQ(run("f.isDirectory()"), 1);
    in.simtime.arduino_time[TIME_NOW] = 1002;
    EXPECT_EQ(run("f.isDirectory()"), 0);
}

TEST_F(Libraries, ResetForgetsTheFileAndAGlobalFileShowsItsPanelAgain) {
    load("void setup() {\n  SD.open(\"a.txt\");\n}\nvoid loop() {\n}\n");
    run("File f;");
    run("f.println(1);");
    in.RestartClick();
    EXPECT_TRUE(in.sd.sd_file.empty());
    EXPECT_TRUE(list(5).empty());
    EXPECT_FALSE(in.panels[5].Panel.Visible);
    EXPECT_TRUE(in.panels[5].IN.Visible);
    load("File log;\nvoid setup() {\n}\nvoid loop() {\n}\n");
    EXPECT_TRUE(in.panels[5].Panel.Visible);
    EXPECT_FALSE(in.panels[5].IN.Visible);
    EXPECT_EQ(in.panels[5].Panel.Caption, "log");
}

} // namespace
} // namespace quorvex::test
