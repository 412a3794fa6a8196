// The variables grid under a large sketch: 1,000 ints and 200 floats, a shown one changing at
// each step. Prints the median and p95 of a step with the grid's refresh and its repaint, and
// the rebuild after a reset. Exits 1 when the grid's rows differ from the variables. Run it
// from a Release build (offscreen); the test suite only checks the counts.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "interpreter/interpreter.h"
#include "workbench/variables_grid.h"

namespace {

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

std::string sketch(int ints, int floats) {
    std::string text = "// Simulate Uno\n";
    for (int i = 0; i < ints; ++i) text += "int v" + std::to_string(i) + " = " + std::to_string(i) + ";\n";
    for (int i = 0; i < floats; ++i) text += "float f" + std::to_string(i) + " = 0.5;\n";
    text += "void setup() {\n}\nvoid loop() {\n  v3 = v3 + 1;\n  f100 = f100 + 0.25;\n}\n";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int ints = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int floats = argc > 3 ? std::atoi(argv[3]) : 200;
    quorvex::NullHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    in.load_text(sketch(ints, floats));
    in.RestartClick();
    quorvex::VariablesGrid grid(in);
    grid.resize(266, 600);
    grid.show();
    grid.refresh(true);
    QCoreApplication::processEvents();

    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        QElapsedTimer t;
        t.start();
        in.Step1Click();
        grid.refresh(true);
        QCoreApplication::processEvents(); // the repaint
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }

    QElapsedTimer reset;
    reset.start();
    in.RestartClick();
    grid.refresh(true);
    QCoreApplication::processEvents();
    const double reset_ms = static_cast<double>(reset.nsecsElapsed()) / 1e6;

    const int rows = grid.model()->rowCount();
    const int expected = ints + floats + (ints > 0) + (floats > 0);
    std::printf("step with refresh: median %.3f ms, p95 %.3f ms over %d steps\n", percentile(times, 0.5),
                percentile(times, 0.95), steps);
    std::printf("rebuild after reset: %.3f ms\n", reset_ms);
    std::printf("rows %d (expected %d)\n", rows, expected);
    return rows == expected ? 0 : 1;
}
