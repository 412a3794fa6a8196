// Servo and Stepper objects on the board's pins.
#include "simulation/servo_stepper.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "simulation/library.h"

namespace quorvex {

void Motors::kServo(std::string_view s) {
    const std::string_view t = dtrim(cut_statement(s));
    if (find_outside_literals(t, "(") != std::string_view::npos) return; // brackets name no servo
    const size_t comma = t.find(',');
    // Both names are checked before either is registered: «Servo a, if;» registers nothing.
    std::array<std::string, 2> names;
    names[0] = declared_object_name(in_, t.substr(0, comma), s);
    if (names[0].empty()) return;
    if (comma != std::string_view::npos) {
        names[1] = declared_object_name(in_, t.substr(comma + 1), s);
        if (names[1].empty()) return;
    }
    const DispatchSlots& slots = in_.tables;
    for (const std::string& name : names) {
        if (name.empty()) continue;
        // Declared again since reset: it keeps its entry and its pin.
        const auto same = [&](int row) { return slots.kobj_live[row] && slots.kobj_word[row] == name; };
        if (same(servo_key) || same(servo_key2)) continue;
        // The first free entry; with both taken the second servo is replaced.
        const int row = slots.kobj_live[servo_key] ? servo_key2 : servo_key;
        in_.register_object(row, name);
        (row == servo_key ? s1attached : s2attached) = false;
    }
}

int32_t Motors::kServo_obj(const Match& m) { return servo_method(m, s1pin, s1attached, "Servo1 on ", true); }

int32_t Motors::kServo_obj2(const Match& m) { return servo_method(m, s2pin, s2attached, "Servo2 on ", false); }

int32_t Motors::servo_method(const Match& m, int32_t& pin, bool& attached, const char* caption, bool keep_caption) {
    const std::string_view rest = dtrim(m.rest);
    const std::string method = call_method(rest);
    Board& board = in_.board;
    if (method == ".attach") {
        const std::vector<std::string> a = call_arguments(in_, rest);
        if (a.empty()) return int_result(in_, 0);
        const ArgumentErrors errors(in_);
        const int32_t p = in_.get_var(a[0]);
        if (errors.raised()) return int_result(in_, 0);
        pin = p;
        attached = true;
        board.set_output(pin, OUTPUT, caption + a[0]);
    } else if (method == ".write" && attached && rest.find('(') != std::string_view::npos) {
        // Copies first: the analog write parses again and relabels the pin.
        const std::string angle = in_.StripBrackets(rest);
        const std::string label = Board::has_display(pin) ? board.pin(pin).label.caption : std::string();
        in_.evaluate_expression("analogWrite(" + std::to_string(pin) + "," + angle + ")");
        if (keep_caption) board.set_caption(pin, label);
    }
    // Other methods (read, detach, writeMicroseconds, attached) do nothing.
    return int_result(in_, 0);
}

void Motors::kStepper(std::string_view s) {
    const std::string_view t = dtrim(s);
    const size_t open = t.find('(');
    const std::string name = declared_call_name(in_, t);
    if (name.empty() || open == std::string_view::npos) return;
    const std::vector<std::string> a = call_arguments(in_, t.substr(open));
    // Steps per revolution and four coil pins; the steps are not kept.
    if (a.size() != 5) return;
    in_.register_object(stepper_key, name);
    for (size_t k = 1; k <= 4; ++k) {
        step_pin[k] = a[k];
        const std::string text = "(" + step_pin[k] + ",OUTPUT)";
        const std::string statement = "pinMode" + text;
        Match pm;
        pm.rest = text;
        pm.statement = statement;
        in_.pinio.kpinmode(pm);
    }
    stepx = -1;
}

const MethodRow<Motors::StepperMethod> Motors::stepper_methods[] = {
    {".setSpeed", &Motors::ksetSpeed},
    {".step", &Motors::kstep},
};

int32_t Motors::kStepper_obj(const Match& m) {
    const std::string_view rest = dtrim(m.rest);
    const std::string method = call_method(rest);
    const ArgumentErrors errors(in_);
    const int32_t v = rest.find('(') == std::string_view::npos ? 0 : in_.get_var(in_.StripBrackets(rest));
    if (errors.raised()) return int_result(in_, 0);
    if (const std::optional<int32_t> value = call_row(*this, stepper_methods, method, v)) return *value;
    in_.ShowMessage1("Unknown Stepper command");
    return int_result(in_, 0);
}

// The interval grows with the value, as it always has: 60 gives 5 ms.
int32_t Motors::ksetSpeed(int32_t v) {
    kStepper_Timer.Interval = static_cast<int>(std::clamp<int64_t>(int64_t{v} * 1000 / 12000, 1, INT32_MAX));
    return int_result(in_, 0);
}

int32_t Motors::kstep(int32_t v) {
    stepper_steps = v;
    kStepper_Timer.Enabled = true;
    return int_result(in_, 1);
}

void Motors::kStepper_TimerTimer() {
    Timer& timer = kStepper_Timer;
    // A statement's error window lets the timer fire mid-statement; the step owns the registers.
    if (!timer.Enabled || in_.in_step()) return;
    if (stepper_steps > 0) {
        --stepper_steps;
        ++stepx;
    } else if (stepper_steps < 0) {
        ++stepper_steps;
        if (--stepx < 0) stepx += 4;
    }
    stepx = std::abs(stepx) % 4;
    for (size_t k = 1; k <= 4; ++k) {
        const char level = static_cast<char>('0' + coils[static_cast<size_t>(stepx)][k - 1]);
        // Off while the coil is written: a report stops the stepper once, and a tick that
        // arrives while its window is open finds the timer off.
        timer.Enabled = false;
        const ArgumentErrors errors(in_);
        in_.evaluate_expression("digitalWrite(" + step_pin[k] + "," + level + ")");
        if (errors.raised()) break;
        timer.Enabled = true;
    }
    in_.StatusBar1[3] = std::to_string(stepper_steps) + "Steps Left";
    if (stepper_steps == 0) timer.Enabled = false;
}

void Motors::reset() {
    s1attached = false;
    s2attached = false;
}

} // namespace quorvex
