// Headless step rate of the interpreter on simple int assignment lines.
// Usage: step_rate [STEPS]   (default 1000000)
// Prints steps per second and the live heap blocks after a tenth of the steps and at the
// end; exits 1 when the heap grew in between, since a step must not accumulate memory.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/live_blocks.h"
#include "interpreter/interpreter.h"

using bench::live_blocks;

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::atol(argv[1]) : 1000000;
    if (steps < 10) {
        std::fprintf(stderr, "step_rate: STEPS must be at least 10\n");
        return 2;
    }

    quorvex::NullHost host;
    quorvex::SystemClock clock;
    quorvex::Interpreter in(host, clock);
    in.load_text("a = 1;\n"
                 "b = a;\n"
                 "c = 0x1F;\n"
                 "d = HIGH;\n"
                 "e = b;\n"
                 "f = 7;\n"
                 "g = c;\n"
                 "h = d;\n");
    in.RestartClick();
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) in.new_entry(quorvex::n_int, name, 0);

    const int32_t count = in.ListBox1.Count();
    long early_blocks = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 1; i <= steps; ++i) {
        in.Step1Click();
        if (in.Line >= count) in.Line = 0; // no loop() yet: start the lines again
        if (i == steps / 10) early_blocks = live_blocks;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long end_blocks = live_blocks;

    std::printf("steps: %ld\n", steps);
    std::printf("steps/s: %.0f\n", static_cast<double>(steps) / seconds);
    std::printf("live heap blocks after %ld steps: %ld\n", steps / 10, early_blocks);
    std::printf("live heap blocks after %ld steps: %ld\n", steps, end_blocks);
    const int errors = in.vars.at(quorvex::n_int, in.vars.find(quorvex::n_int, "h")).ival == 1 ? 0 : 1;
    if (errors != 0) std::printf("the assignments did not run\n");
    return end_blocks != early_blocks || errors != 0 ? 1 : 0;
}
