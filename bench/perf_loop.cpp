// The interpreter against the board: 10,000 long additions per pass of loop(), then one println.
// The sketch compiled for an Uno makes 104 passes a second; one pass here is 30,005 steps.
// Usage: perf_loop [STEPS] [plain|globals]   (default 3000000, both runs; one run for a profiler)
// Runs the sketch as it stands, then with 300 globals declared before it (lookups must not slow
// down with every global a sketch declares), and prints steps/s and passes/s for each. Also
// prints the live heap blocks after a tenth of the steps (at least 100,000) and at the end of the
// first run; exits 1 when they grew (a step must not accumulate memory) or when the loop did not
// count.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/live_blocks.h"
#include "interpreter/interpreter.h"

namespace {
using bench::live_blocks;

const char* const loop_sketch = "long acc = 0;\n"
                                "long i = 0;\n"
                                "int passes = 0;\n"
                                "void setup() { Serial.begin(115200); }\n"
                                "void loop() {\n"
                                "  for (i = 0; i < 10000; i++) {\n"
                                "    acc = acc + i;\n"
                                "  }\n"
                                "  passes = passes + 1;\n"
                                "  Serial.println(passes);\n"
                                "}\n";

// Where the heap is first counted: after a few passes, when the output list holds its first lines.
long early_step(long steps) { return steps / 10 > 100000 ? steps / 10 : 100000; }

struct Figures {
    double steps_per_s = 0;
    double passes_per_s = 0;
    long early_blocks = 0;
    long end_blocks = 0;
    int32_t passes = 0;
};

Figures run(const std::string& text, long steps) {
    quorvex::NullHost host;
    quorvex::SystemClock clock;
    quorvex::Interpreter in(host, clock);
    in.load_text(text);
    in.RestartClick();
    Figures f;
    const auto start = std::chrono::steady_clock::now();
    for (long k = 1; k <= steps; ++k) {
        in.Step1Click();
        if (k == early_step(steps)) f.early_blocks = live_blocks;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.end_blocks = live_blocks;
    const quorvex::VariableTable::Ref r = in.vars.lookup("passes");
    f.passes = r ? in.vars.at(r.type, r.slot).ival : 0;
    f.steps_per_s = static_cast<double>(steps) / seconds;
    f.passes_per_s = f.passes / seconds;
    return f;
}

} // namespace

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::atol(argv[1]) : 3000000;
    if (steps < 200000) {
        std::fprintf(stderr, "perf_loop: STEPS must be at least 200000\n");
        return 2;
    }
    const std::string only = argc > 2 ? argv[2] : "";
    if (!only.empty() && only != "plain" && only != "globals") {
        std::fprintf(stderr, "perf_loop: the second argument is plain or globals\n");
        return 2;
    }
    std::string globals;
    for (int g = 0; g < 300; ++g) globals += "long g" + std::to_string(g) + " = " + std::to_string(g) + ";\n";

    const Figures plain = only == "globals" ? Figures{} : run(loop_sketch, steps);
    const Figures many = only == "plain" ? Figures{} : run(globals + loop_sketch, steps);

    std::printf("steps: %ld\n", steps);
    std::printf("plain:       %.0f steps/s, %.1f passes/s (%d passes)\n", plain.steps_per_s, plain.passes_per_s,
                plain.passes);
    std::printf("300 globals: %.0f steps/s, %.1f passes/s (%d passes)\n", many.steps_per_s, many.passes_per_s,
                many.passes);
    if (only.empty()) std::printf("300 globals / plain: %.2f\n", many.steps_per_s / plain.steps_per_s);
    std::printf("live heap blocks after %ld steps: %ld\n", early_step(steps), plain.early_blocks);
    std::printf("live heap blocks after %ld steps: %ld\n", steps, plain.end_blocks);
    const long expected_passes = steps / 30005 - 1; // setup and the first entry take a few steps
    int status = 0;
    if (only != "globals" && plain.end_blocks != plain.early_blocks) {
        std::printf("the heap grew while the loop ran\n");
        status = 1;
    }
    if ((only != "globals" && plain.passes < expected_passes) || (only != "plain" && many.passes < expected_passes)) {
        std::printf("the loop did not count its passes\n");
        status = 1;
    }
    return status;
}
