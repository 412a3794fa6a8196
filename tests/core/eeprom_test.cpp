// The EEPROM through the statement executor: bounds, failed arguments, update and put, the
// write notice, the include guard, and cells that outlive reset and load.
#include <string>
#include <vector>

#include "support/flow_fixture.h"

namespace quorvex::test {
namespace {

class EepromTest : public Flow {
protected:
    int32_t run(const std::string& statement) { return in.evaluate_expression(statement); }
    void include() { in.pre.library1 |= LIB_EEPROM; }
    int32_t cell(int32_t a) { return in.eeprom.get(a).value_or(-999); }
};

TEST_F(EepromTest, StoresFullIntegersAndNotifiesOncePerWrite) {
    include();
    EXPECT_EQ(run("EEPROM.read(10)"), 255);
    run("EEPROM.write(10, 300);");
    run("EEPROM.update(11, -1);");
    run("EEPROM.put(12, 7);");
    run("EEPROM.get(12, x);"); // silent, stores nothing
    run("EEPROM.length();");
    EXPECT_EQ(run("EEPROM.read(10)"), 300);
    EXPECT_EQ(run("EEPROM.read(11)"), -1);
    EXPECT_EQ(cell(12), 7);
    EXPECT_EQ(host.eeprom_writes, (std::vector<int32_t>{10, 11, 12}));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(EepromTest, RefusesBadAddressesAndFailedArguments) {
    include();
    run("EEPROM.write(4097, 1);");
    run("EEPROM.write(-1, 1);");
    EXPECT_EQ(run("EEPROM.read(-1)"), 0);
    EXPECT_EQ(run("EEPROM.read(4096)"), 255);
    run("EEPROM.write(1 / 0, 5);"); // the address faulted: cell 0 keeps its value
    run("EEPROM.write(0, 1 / 0);");
    run("EEPROM.write(2147483648, 1);");
    run("EEPROM.write(3);");
    run("EEPROM.update();");
    EXPECT_EQ(cell(0), 255);
    EXPECT_EQ(cell(3), 255);
    EXPECT_TRUE(host.eeprom_writes.empty());
    EXPECT_FALSE(in.eeprom.set(4097, 1));
    EXPECT_FALSE(in.eeprom.get(-5).has_value());
    const std::vector<std::string> expected = {
        "Sketch Error - EEPROM address 4097 out of range 0..4096",
        "Sketch Error - EEPROM address -1 out of range 0..4096",
        "Sketch Error - EEPROM address -1 out of range 0..4096",
        "Cannot Evaluate 1 / 0",
        "Cannot Evaluate 1 / 0",
        "Cannot Evaluate EEPROM.write(2147483648, 1);",
        "Sketch Error - EEPROM.write needs 2 arguments",
        "Sketch Error - EEPROM.update needs 2 arguments",
    };
    EXPECT_EQ(messages(), expected);
}

TEST_F(EepromTest, NeedsItsIncludeAndKeepsCellsAcrossResetAndLoad) {
    run("EEPROM.write(0, 1);");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - <EEPROM.h> library must be included first!"});
    EXPECT_EQ(cell(0), 255);

    include();
    run("EEPROM.write(5, 42);");
    load("void setup() {\n}\nvoid loop() {\n}\n");
    EXPECT_EQ(cell(5), 42);
    EXPECT_EQ(cell(6), 255);
}

TEST_F(EepromTest, ACallInsideAnExpressionComputes) {
    for (const int32_t stored : {255, 7}) {
        load("#include <EEPROM.h>\nint hit = 0;\nvoid setup() {\n  EEPROM.write(0, " + std::to_string(stored) +
             ");\n  if (EEPROM.read(0) == 255) hit = 1;\n  int next = EEPROM.read(0) + 1;\n}\nvoid loop() {\n}\n");
        finish_setup();
        EXPECT_EQ(var("hit"), stored == 255 ? 1 : 0) << stored;
        EXPECT_TRUE(host.errors.empty()) << host.errors.front().message;
    }
}

} // namespace
} // namespace quorvex::test
