#pragma once
// Two Servo objects, shown as analog outputs on their pins, and one Stepper, which walks its
// four coil pins one phase per tick of the step timer while the sketch goes on.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/controls.h"
#include "interpreter/dispatch_tables.h"
#include "simulation/method_table.h"

namespace quorvex {

class Interpreter;

class Motors {
public:
    explicit Motors(Interpreter& in) : in_(in) {}

    // Declarations: «myservo;», «left, right;», «motor(200, 8, 9, 10, 11);».
    void kServo(std::string_view s);
    void kStepper(std::string_view s);
    // Methods of the first and second servo and of the stepper.
    int32_t kServo_obj(const Match& m);
    int32_t kServo_obj2(const Match& m);
    int32_t kStepper_obj(const Match& m);
    // One tick of the step timer: one phase nearer the target, the coils written.
    void kStepper_TimerTimer();
    // Part of reset: both servos unattached. The stepper runs on.
    void reset();

    int32_t s1pin = 0;
    int32_t s2pin = 0;
    bool s1attached = false; // .attach since reset: only then does .write drive the pin
    bool s2attached = false;
    std::array<std::string, 5> step_pin{}; // [1..4]: the coil pin arguments as written
    int32_t stepper_steps = 0;             // steps to go: forward when positive
    int32_t stepx = 0;                     // phase 0..3; -1 after a declaration
    // The step timer, driven from outside: .setSpeed sets it, .step starts it, Abort stops it,
    // reset leaves it.
    Timer kStepper_Timer{false, 1000};

    // Coil levels by phase: stepa .. stepd are columns 1 .. 4.
    // clang-format off
    static constexpr std::array<std::array<int32_t, 4>, 4> coils = {{
        {0, 1, 0, 1},
        {1, 0, 0, 1},
        {1, 0, 1, 0},
        {0, 1, 1, 0},
    }};
    // clang-format on

private:
    // The stepper's methods, given the call's argument (0 for none).
    using StepperMethod = int32_t (Motors::*)(int32_t v);
    static const MethodRow<StepperMethod> stepper_methods[];
    int32_t ksetSpeed(int32_t v);
    int32_t kstep(int32_t v);

    int32_t servo_method(const Match& m, int32_t& pin, bool& attached, const char* caption, bool keep_caption);

    Interpreter& in_;
};

} // namespace quorvex
