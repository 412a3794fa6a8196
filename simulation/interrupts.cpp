// External interrupts: attach, detach and the level test that enters a routine.
#include "simulation/interrupts.h"

#include <algorithm>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr const char* detached_routine = "xyz 9";
constexpr const char* detached_type = "xyz 8";
constexpr const char* no_type = "xyz 9"; // names no trigger mode
constexpr int32_t armed_depth = 10;

} // namespace

int32_t Interrupts::kattach(const Match& m) {
    const int n = in_.parse(m.rest, '(', ')');
    if (n == 1) return 0; // accepted; nothing to attach
    if (n != 3) {
        in_.ShowMessage1("Sketch Error - attachInterrupt needs 1 or3 parameters - not " + std::to_string(n));
        return 0;
    }
    // Evaluating the number may parse again: keep the other arguments first.
    const std::string number = in_.varx[0];
    const std::string routine = in_.varx[1];
    const std::string mode = in_.varx[2];
    const ArgumentErrors errors(in_);
    const int32_t k = in_.get_var(number);
    if (errors.raised()) return 0;
    if (k < 0 || k > in_.board.maxInt || k >= max_interrupts) {
        in_.ShowMessage1("Sketch Error - attachInterrupt pin must be 0-" + std::to_string(in_.board.maxInt) + " not " +
                         std::to_string(k));
        return 0;
    }
    int_routine[static_cast<size_t>(k)] = routine;
    int_type[static_cast<size_t>(k)] = mode;
    return 0;
}

int32_t Interrupts::kdetach(const Match& m) {
    const int n = in_.parse(m.rest, '(', ')');
    if (n != 1) {
        in_.ShowMessage1("Sketch Error - detachInterrupt needs 1 parameter - not " + std::to_string(n));
        return 0;
    }
    const std::string number = in_.varx[0];
    const ArgumentErrors errors(in_);
    const int32_t k = in_.get_var(number);
    if (errors.raised()) return 0;
    if (k < 0 || k > 1) {
        in_.ShowMessage1("Sketch Error - detachInterrupt pin must be 0 or 1 not " + std::to_string(k));
        return 0;
    }
    int_routine[static_cast<size_t>(k)] = detached_routine;
    int_type[static_cast<size_t>(k)] = detached_type;
    return 0;
}

int32_t Interrupts::kinterrupts(const Match&) {
    allow_interrupts = true;
    return 0;
}

int32_t Interrupts::knointerrupts(const Match&) {
    allow_interrupts = false;
    return 0;
}

void Interrupts::check_int(int32_t n) {
    if (!allow_interrupts || n < 0 || n >= max_interrupts) return;
    const auto k = static_cast<size_t>(n);
    const std::string& type = int_type[k];
    // The present level decides, not a change of it.
    const bool high = in_.board.is_high(ipin[k]);
    const bool fires =
        type == "CHANGE" || (type == "RISING" && high) || (type == "FALLING" && !high) || (type == "LOW" && !high);
    if (!fires) return;

    const int32_t before = in_.cs.loopx;
    // A copy: the routine may attach another one to this number.
    const std::string routine = int_routine[k];
    if (!in_.enter_async(routine) || in_.cs.loopx <= before) return; // no routine, or refused
    if (in_.calls.one_line_pending()) {
        in_.found_loop = 0; // a body on the header line runs from the header at the next statement
        return;
    }
    in_.next_line();
}

void Interrupts::check_low_levels() {
    const int32_t last = std::min(in_.board.maxInt, max_interrupts - 1);
    for (int32_t n = 0; n <= last; ++n) {
        const auto k = static_cast<size_t>(n);
        if (int_type[k] != "LOW" || int_loopx[k] < in_.cs.loopx) continue;
        int_loopx[k] = in_.cs.loopx;
        check_int(n);
    }
}

void Interrupts::rearm(int32_t loopx) {
    // A brace at the top level (the end of setup() or loop()) leaves the top level armed:
    // a depth of 0 would hold a LOW interrupt until some inner block closed.
    for (int32_t& depth : int_loopx) depth = std::max(loopx - 1, 1);
}

void Interrupts::reset() {
    allow_interrupts = true;
    int_routine.fill("");
    int_type.fill(no_type);
    int_loopx.fill(armed_depth);
}

} // namespace quorvex
