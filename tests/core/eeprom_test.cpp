// The EEPROM beyond its transcripts: the window's bounds-checked access, the write notice, a
// failed argument storing nothing, and cells that outlive reset and load.
#include <string>
#include <vector>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

class EepromTest : public Flow {};

TEST_F(EepromTest, CellsAreCheckedNotifiedOncePerWriteAndOutliveResetAndLoad) {
    EXPECT_FALSE(in.eeprom.set(4097, 1));
    EXPECT_FALSE(in.eeprom.set(-1, 1));
    EXPECT_FALSE(in.eeprom.get(-5).has_value());
    EXPECT_EQ(in.eeprom.get(4096), 255);

    in.pre.library1 |= LIB_EEPROM;
    for (const char* s : {"EEPROM.write(1 / 0, 5);", "EEPROM.write(0, 1 / 0);", "EEPROM.write(4097, 1);",
                          "EEPROM.read(0);", "EEPROM.get(0, x);", "EEPROM.length();", "EEPROM.write(10, 300);",
                          "EEPROM.update(11, -1);", "EEPROM.put(12, 7);"})
        in.evaluate_expression(s);
    EXPECT_EQ(host.eeprom_writes, (std::vector<int32_t>{10, 11, 12}));
    EXPECT_EQ(in.eeprom.get(0), 255); // the failed arguments stored nothing
    EXPECT_EQ(messages().size(), 3u);

    load("void setup() {\n}\nvoid loop() {\n}\n");
    EXPECT_EQ(in.eeprom.get(10), 300);
    EXPECT_EQ(in.eeprom.get(11), -1);
    EXPECT_EQ(in.eeprom.get(13), 255);
}

// The Other board has no EEPROM of its own: it counts as the Uno, even after the Mega, whose
// pins it keeps. (Transcripts pick the Uno or Mega only.)
TEST_F(EepromTest, LengthFollowsTheChosenBoardAndTheOtherBoardCountsAsTheUno) {
    in.pre.library1 |= LIB_EEPROM;
    in.board.Mega1Click();
    EXPECT_EQ(in.evaluate_expression("EEPROM.length()"), 4096);
    in.board.Other1Click();
    EXPECT_EQ(in.evaluate_expression("EEPROM.length()"), 1024);
    in.board.Uno1Click();
    EXPECT_EQ(in.evaluate_expression("EEPROM.length()"), 1024);
    EXPECT_TRUE(messages().empty());
}

} // namespace
} // namespace quorvex::test
