// Servos and the stepper: which entries the servo names take, the step timer's ticks and how a
// failing coil write stops the stepper once.
#include <string>
#include <vector>

#include "support/fixture.h"

namespace quorvex::test {
namespace {

class MotorsTest : public CoreTest {
protected:
    void run(const std::string& statement) { in.evaluate_expression(statement); }
    const std::string& name(int row) { return in.tables.kobj_word[static_cast<size_t>(row)]; }
    // Coils 1..4 as levels, "1010".
    std::string coils(int first) {
        std::string out;
        for (int p = first; p < first + 4; ++p) out += in.board.is_high(p) ? '1' : '0';
        return out;
    }
    void tick() { in.motors.kStepper_TimerTimer(); }
};

TEST_F(MotorsTest, ServoNamesKeepTheirEntries) {
    run("Servo a;");
    run("Servo b;");
    EXPECT_EQ(name(servo_key), "a");
    EXPECT_EQ(name(servo_key2), "b");
    run("b.attach(10);");
    run("Servo b;"); // declared again: keeps its entry and its pin
    EXPECT_TRUE(in.motors.s2attached);
    run("Servo c;"); // a third replaces the second, unattached
    EXPECT_EQ(name(servo_key2), "c");
    EXPECT_FALSE(in.motors.s2attached);
    run("Servo left, right;");
    EXPECT_EQ(name(servo_key2), "right");
    // A missing name is a bad declaration, as for every object; brackets or a wrong count of
    // pins name nothing, silently.
    for (const char* bad : {"Servo ;", "Servo s(3);", "Stepper (200, 8, 9, 10, 11);", "Stepper m(8, 9);"}) run(bad);
    EXPECT_EQ(name(servo_key), "a");
    EXPECT_FALSE(in.tables.kobj_live[stepper_key]);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sketch Error - Bad declaration: Servo",
                                                    "Sketch Error - Bad declaration: Stepper (200, 8, 9, 10, 11)"}));
}

TEST_F(MotorsTest, ServoWriteShadesThePin) {
    run("Servo myservo;");
    run("myservo.attach(9);");
    run("myservo.write(90);");
    EXPECT_EQ(in.board.pin(9).shape.brush, (Rgb{255, 165, 165}));
    run("myservo.attach();");
    EXPECT_EQ(in.motors.s1pin, 9);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(MotorsTest, StepperWalksItsPhases) {
    EXPECT_EQ(in.motors.kStepper_Timer.Interval, 1000);
    run("Stepper motor(200, 8, 9, 10, 11);");
    run("motor.step(-1);");
    tick();
    EXPECT_EQ(coils(8), "1010");
    EXPECT_FALSE(in.motors.kStepper_Timer.Enabled);
    const struct {
        const char* speed;
        int interval;
    } speeds[] = {{"60", 5}, {"10", 1}, {"3000000", 250000}, {"-5", 1}};
    for (const auto& s : speeds) {
        run(std::string("motor.setSpeed(") + s.speed + ");");
        EXPECT_EQ(in.motors.kStepper_Timer.Interval, s.interval) << s.speed;
    }
    EXPECT_EQ(in.evaluate_expression("motor.step(3);"), 1);
    run("motor.step(5);");
    EXPECT_EQ(in.motors.stepper_steps, 5);
    run("motor.run();");
    EXPECT_EQ(messages(), std::vector<std::string>{"Unknown Stepper command"});
}

TEST_F(MotorsTest, AFailingCoilStopsTheStepperOnce) {
    // The error window is open while the timer fires again: that tick finds it off.
    host.on_error = [&](const std::string&, const std::string&) { tick(); };
    run("Stepper motor(200, 8, 9, 10, 11);");
    run("motor.step(10);");
    tick();
    run("pinMode(9, INPUT);");
    tick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - 9 pin is not an output"});
    EXPECT_FALSE(in.motors.kStepper_Timer.Enabled);
    EXPECT_EQ(in.motors.stepper_steps, 8);
}

TEST_F(MotorsTest, TheStepperRunsOnAcrossReset) {
    in.load_text("void setup() {\n  Stepper motor(200, 8, 9, 10, 11);\n  motor.step(20);\n}\nvoid loop() {\n}\n");
    in.RestartClick();
    in.Step1Click();
    in.Step1Click();
    EXPECT_TRUE(in.motors.kStepper_Timer.Enabled);
    // A tick while a step runs (its error window open) leaves everything alone.
    host.on_error = [&](const std::string&, const std::string&) { tick(); };
    in.load_text("void setup() {\n  motor.run();\n}\n");
    in.RestartClick();
    in.Step1Click();
    EXPECT_EQ(in.motors.stepper_steps, 20);
    host.errors.clear();
    host.on_error = nullptr;
    tick(); // the pins are undefined since the reset
    EXPECT_EQ(messages(), std::vector<std::string>{"Sketch Error - D8 pin is not an output"});
    EXPECT_FALSE(in.motors.kStepper_Timer.Enabled);
}

} // namespace
} // namespace quorvex::test
