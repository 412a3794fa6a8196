// Whole-sketch speed: Step Into steps per second through loop(), a for and a called
// function, the median time to load and reset a generated 4,096-line sketch, and the time to
// strip the comments of one very long line.
// Usage: sketch_bench [STEPS]   (default 5000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"

namespace {

const char* const sketch = "// Simulate Uno\n"
                           "int total = 0;\n"
                           "int scale(int v, int k) {\n"
                           "  int r = v * k;\n"
                           "  if (r > 1000) {\n"
                           "    r = r - 1000;\n"
                           "  } else {\n"
                           "    r = r + 1;\n"
                           "  }\n"
                           "  return r;\n"
                           "}\n"
                           "void setup() {\n"
                           "  total = 0;\n"
                           "}\n"
                           "void loop() {\n"
                           "  for (int i = 0; i < 10; i++) {\n"
                           "    total = scale(i, 3);\n"
                           "  }\n"
                           "}\n";

std::string generated_sketch() {
    std::string text = "// Simulate Uno\n";
    int lines = 1;
    for (int g = 0; g < 400; ++g, ++lines) text += "int g" + std::to_string(g) + " = " + std::to_string(g) + ";\n";
    for (int f = 0; lines < 4096 - 6; ++f) {
        text += "int fn" + std::to_string(f) + "(int a) {\n";
        for (int k = 0; k < 16; ++k) text += "  a = a + " + std::to_string(k) + ";\n";
        text += "  return a;\n}\n";
        lines += 19;
    }
    text += "void setup() {\n}\nvoid loop() {\n}\n";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::atol(argv[1]) : 5000000;
    quorvex::NullHost host;
    quorvex::SystemClock clock;

    quorvex::Interpreter in(host, clock);
    in.load_text(sketch);
    in.RestartClick();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < steps; ++i) in.Step1Click();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("steps: %ld\n", steps);
    std::printf("steps/s: %.0f\n", static_cast<double>(steps) / seconds);

    const std::string text = generated_sketch();
    std::vector<double> ms;
    for (int run = 0; run < 20; ++run) {
        quorvex::Interpreter fresh(host, clock);
        const auto t0 = std::chrono::steady_clock::now();
        fresh.load_text(text);
        fresh.RestartClick();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        if (run == 0)
            std::printf("generated sketch: %d lines, %d subroutines\n", fresh.ListBox1.Count(), fresh.subs.srx());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("load + reset median: %.2f ms\n", (ms[9] + ms[10]) / 2);

    // One long line of many block comments is stripped in one pass, never rescanned per comment.
    std::string line = "x = 1;";
    for (int i = 0; i < 100000; ++i) line += "/* */ ";
    const auto t1 = std::chrono::steady_clock::now();
    const bool stripped = in.uncomment(line) == "x = 1;";
    std::printf("100,000 comments on one line stripped: %.2f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t1).count());
    return stripped ? 0 : 1;
}
