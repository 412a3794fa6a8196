// The port panels' line rules, input reading and pop-up commands, and the analog bars and
// value boxes, as plain state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulation/board.h"
#include "simulation/device_panels.h"

namespace quorvex::test {
namespace {

using Lines = std::vector<std::string>;

TEST(PortPanelLines, PrintPrintlnAndWriteBuildLinesByTheRules) {
    struct Case {
        const char* what;
        void (*run)(PortPanel&);
        Lines lines;
    };
    const Case cases[] = {
        {"println() on an empty list", [](PortPanel& p) { p.println(""); }, {""}},
        {"print then two println()",
         [](PortPanel& p) {
             p.print("1");
             p.println("");
             p.println("");
         },
         {"1", "", ""}},
        {"a printed backslash-n stays and ends the line", [](PortPanel& p) { p.print("a\\n"); }, {"a\\n", ""}},
        {"backslash-r too", [](PortPanel& p) { p.print("x\\ry"); }, {"x\\ry", ""}},
        {"prints join one line",
         [](PortPanel& p) {
             p.print("a");
             p.print("b");
         },
         {"ab"}},
        {"write on an empty list starts a line", [](PortPanel& p) { p.write(65); }, {"A"}},
        {"write uses the low 16 bits", [](PortPanel& p) { p.write(0x10041); }, {"A"}},
        {"write(-1) appends U+FFFF", [](PortPanel& p) { p.write(-1); }, {"\xEF\xBF\xBF"}},
        {"a lone surrogate half is replaced", [](PortPanel& p) { p.write(0xD800); }, {"\xEF\xBF\xBD"}},
        {"write after println starts the new line",
         [](PortPanel& p) {
             p.println("x");
             p.write('y');
         },
         {"x", "y"}},
    };
    for (const Case& c : cases) {
        PortPanel p;
        c.run(p);
        EXPECT_EQ(p.ListBox.items(), c.lines) << c.what;
        EXPECT_EQ(p.ListBox.ItemIndex, p.ListBox.Count() - 1) << c.what << ": the last line is selected";
    }
}

TEST(PortPanelLines, OpenShowsCaptionsClearsAndFillsTheBox) {
    DevicePanels panels;
    std::vector<int32_t> opened;
    panels.on_open = [&](int32_t k) { opened.push_back(k); };
    panels[2].ListBox.add("old");
    panels.open(2, "Serial1 at 9600", "in");
    EXPECT_TRUE(panels[2].Panel.Visible);
    EXPECT_EQ(panels[2].Panel.Caption, "Serial1 at 9600");
    EXPECT_TRUE(panels[2].ListBox.empty());
    EXPECT_EQ(panels[2].IN.Text(), "in");
    EXPECT_EQ(opened, std::vector<int32_t>{2});
    // Numbers outside 1..5 reach a spare panel, never one of the five.
    panels[0].ListBox.add("x");
    panels[6].ListBox.add("y");
    for (int32_t k : {1, 3, 4, 5}) EXPECT_TRUE(panels[k].ListBox.empty());
}

TEST(PortPanelLines, ChangeRecordNamesOnlyWhatChanged) {
    OutputList list;
    EXPECT_FALSE(list.take_changes().any());
    for (int i = 0; i < 100; ++i) list.add("line");
    (void)list.take_changes();
    list.append_last("!");
    ListChanges c = list.take_changes();
    EXPECT_FALSE(c.reset);
    EXPECT_EQ(c.first_line, 99);
    list.add("new");
    list.set_item(50, "changed");
    EXPECT_EQ(list.take_changes().first_line, 50);
    list.set_item(500, "ignored"); // outside the list
    EXPECT_FALSE(list.take_changes().any());
    list.clear();
    c = list.take_changes();
    EXPECT_TRUE(c.reset);
    EXPECT_EQ(list.item(3), "");
}

TEST(PortPanelLines, ReadingFromTheFrontDropsTopRowsAndKeepsTheSelection) {
    OutputList list;
    EXPECT_EQ(list.read_front(), 0); // an empty file reads 0
    for (const char* line : {"", "ab", "",
                             "\xC3\xA9"
                             "c"})
        list.add(line);
    list.ItemIndex = 3;
    (void)list.take_changes();
    EXPECT_EQ(list.read_front(), 'a'); // the empty first line goes first
    ListChanges c = list.take_changes();
    EXPECT_EQ(c.removed_front, 1);
    EXPECT_EQ(c.first_line, 0);
    EXPECT_EQ(list.item(0), "b");
    EXPECT_EQ(list.ItemIndex, 2);
    EXPECT_EQ(list.read_front(), 'b');
    EXPECT_EQ(list.read_front(), 0xE9); // one character, however many bytes
    EXPECT_EQ(list.take_changes().removed_front, 2);
    list.append_last("d"); // appending to the line being read
    EXPECT_EQ(list.items(), (std::vector<std::string>{"cd"}));
    EXPECT_EQ(list.read_front(), 'c');
    EXPECT_EQ(list.read_front(), 'd');
    EXPECT_EQ(list.read_front(), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.ItemIndex, -1);
    list.add("x");
    EXPECT_EQ(list.items(), std::vector<std::string>{"x"});
}

TEST(PortPanelInput, ReadingConsumesAndEscapesCountAsOneCharacter) {
    InputBox box;
    box.set_text("\\n5");
    EXPECT_EQ(box.available(), 3); // the backslash counts
    EXPECT_EQ(box.read(false), 13);
    EXPECT_EQ(box.read(false), 13); // peek removes nothing
    EXPECT_EQ(box.Text(), "\\n5");
    EXPECT_EQ(box.read(true), 13);
    EXPECT_EQ(box.available(), 1);
    EXPECT_EQ(box.read(true), '5');
    EXPECT_EQ(box.read(true), 0);
    EXPECT_TRUE(box.empty());
    EXPECT_EQ(box.available(), 0);
}

TEST(PortPanelInput, ALoneTrailingBackslashReadsAsItself) {
    InputBox box;
    box.set_text("a\\");
    EXPECT_EQ(box.read(true), 'a');
    EXPECT_EQ(box.read(false), 92);
    EXPECT_EQ(box.read(true), 92);
    EXPECT_TRUE(box.empty());
    EXPECT_EQ(box.read(true), 0);
}

TEST(PortPanelInput, MultiByteCharactersReadAsOneCode) {
    InputBox box;
    box.set_text("\xC3\xA9z\xE9"); // é in UTF-8, z, then a lone Latin-1 byte
    EXPECT_EQ(box.available(), 3);
    EXPECT_EQ(box.read(true), 0xE9);
    EXPECT_EQ(box.read(true), 'z');
    EXPECT_EQ(box.read(true), 0xE9);
    box.set_text("\xF0\x9F\x98\x80"); // beyond 16 bits
    EXPECT_EQ(box.read(true), 0xFFFD);
    EXPECT_TRUE(box.empty());
}

TEST(PortPanelInput, LongInputReadsToTheEndInOrder) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += static_cast<char>('a' + i % 26);
    InputBox box;
    box.set_text(text);
    std::string got;
    while (!box.empty()) got += static_cast<char>(box.read(true));
    EXPECT_EQ(got, text);
    EXPECT_EQ(box.available(), 0);
}

TEST(PortPanelMenu, HideUnusedKeepsPanelsWithOutputOrInput) {
    DevicePanels panels;
    panels.ShowAllPorts1Click();
    for (int32_t k = 1; k <= 5; ++k) EXPECT_TRUE(panels[k].Panel.Visible);
    panels[1].ListBox.add("out");
    panels[3].IN.set_text("typed");
    panels[5].IN.set_text("");
    panels.HideUnusedports1Click();
    EXPECT_TRUE(panels[1].Panel.Visible);
    EXPECT_FALSE(panels[2].Panel.Visible);
    EXPECT_TRUE(panels[3].Panel.Visible);
    EXPECT_FALSE(panels[4].Panel.Visible);
    EXPECT_FALSE(panels[5].Panel.Visible);
    // A hidden panel with output stays hidden: the command only hides.
    panels[1].Panel.Visible = false;
    panels.HideUnusedports1Click();
    EXPECT_FALSE(panels[1].Panel.Visible);
}

TEST(PortPanelMenu, ResetEmptiesAndHidesButKeepsInputAndCaptions) {
    DevicePanels panels;
    EXPECT_EQ(panels[3].Panel.Caption, "Port3"); // no device has captioned it yet
    panels.open(1, "Serial at 9600", "typed");
    panels[1].println("x");
    panels[4].IN.Visible = false;
    panels[5].IN.Visible = false;
    panels[4].ListBox.Color = 0x00FF0000;
    panels.reset();
    EXPECT_FALSE(panels[1].Panel.Visible);
    EXPECT_TRUE(panels[1].ListBox.empty());
    EXPECT_EQ(panels[1].ListBox.ItemIndex, -1);
    EXPECT_EQ(panels[1].IN.Text(), "typed");
    EXPECT_EQ(panels[1].Panel.Caption, "Serial at 9600");
    EXPECT_EQ(panels[5].Panel.Caption, "Port5");
    EXPECT_TRUE(panels[4].IN.Visible);
    EXPECT_TRUE(panels[5].IN.Visible);
    EXPECT_EQ(panels[4].ListBox.Color, colour_white);
}

class Analog : public ::testing::Test {
protected:
    Board board;
    MenuItem show_volts;
    AnalogInputs analog{board, show_volts};
};

TEST_F(Analog, BarsStartFromTheBoardsLevels) {
    for (int32_t i = 0; i < AnalogInputs::count; ++i) {
        const auto k = static_cast<size_t>(i);
        EXPECT_EQ(analog.Position[k], 1023 - board.analog_val[k]);
        EXPECT_EQ(analog.An[k], std::to_string(board.analog_val[k]));
    }
}

TEST_F(Analog, BarAtTheTopGivesTheFullLevelAndVolts) {
    analog.set_position(3, 1023);
    analog.set_position(3, 0);
    EXPECT_EQ(board.analog_val[3], 1023);
    EXPECT_EQ(analog.An[3], "1023");
    EXPECT_EQ(board.ValAn[3].caption, "1023");
    show_volts.Checked = true;
    analog.FormInit();
    EXPECT_EQ(board.ValAn[3].caption, "5.00V");
    EXPECT_EQ(analog.An[3], "1023"); // the box keeps the level
    analog.set_position(3, 1023 - 512);
    EXPECT_EQ(board.ValAn[3].caption, "2.50V");
    analog.set_position(3, 1023);
    EXPECT_EQ(board.ValAn[3].caption, "0.00V");
}

TEST_F(Analog, BoxEditsAreClampedAndWrittenBack) {
    struct Case {
        const char* typed;
        int32_t level;
        const char* box;
    };
    const Case cases[] = {
        {"512", 512, "512"},
        {"2000", 1023, "1023"},
        {"2000", 1023, "1023"}, // already at the top: still written back
        {"-5", 0, "0"},
        {"99999999999999999999999", 1023, "1023"},
        {"-99999999999999999999999", 0, "0"},
        {" 7 ", 7, "7"},
    };
    for (const Case& c : cases) {
        analog.An0Change(2, c.typed);
        EXPECT_EQ(board.analog_val[2], c.level) << c.typed;
        EXPECT_EQ(analog.An[2], c.box) << c.typed;
        EXPECT_EQ(analog.Position[2], 1023 - c.level) << c.typed;
    }
}

TEST_F(Analog, TextThatIsNoWholeNumberIsIgnored) {
    analog.An0Change(0, "300");
    for (const char* typed : {"", "-", "abc", "12abc", "1.5", "+"}) {
        analog.An0Change(0, typed);
        EXPECT_EQ(board.analog_val[0], 300) << typed;
        EXPECT_EQ(analog.Position[0], 1023 - 300) << typed;
    }
    // Indexes outside the sixteen inputs do nothing.
    analog.An0Change(16, "5");
    analog.An0Change(-1, "5");
    analog.set_position(99, 5);
    analog.ScrollBar1Change(16);
}

} // namespace
} // namespace quorvex::test
