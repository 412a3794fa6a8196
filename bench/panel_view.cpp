// The simulation window's port list under long output: 100,000 println calls, then 100,000
// one-character prints onto one line, through the statement executor, with the window's refresh
// and its repaint every 10 appends. Prints the mean time per append of the first and the last
// 10,000 of each run, refreshes with their repaint at the end, and PageDown through the list.
// Exits 1 when the list's row count differs from the model's. Run it from a Release build
// (offscreen); the test suite only checks the counts.
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "interpreter/interpreter.h"
#include "workbench/simulation_window.h"

namespace {

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

struct Slices {
    double first_us = 0;
    double last_us = 0;
};

// The process's CPU time in microseconds: the slices compare work done, whatever else the
// machine runs meanwhile.
double cpu_us() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

template <class Make>
Slices run(quorvex::Interpreter& in, quorvex::SimulationWindow& window, int count, Make make) {
    const int slice = std::max(10, count / 10);
    Slices s;
    double start = cpu_us();
    for (int i = 0; i < count; ++i) {
        if (i == count - slice) start = cpu_us();
        in.evaluate_expression(make(i));
        if (i % 10 == 9) {
            window.refresh();
            QCoreApplication::processEvents(); // the window repaints what changed
        }
        if (i == slice - 1) s.first_us = (cpu_us() - start) / slice;
    }
    s.last_us = (cpu_us() - start) / slice;
    return s;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (count < 10) return 2;
    quorvex::NullHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    quorvex::SimulationWindow window(in);
    window.resize(600, 700);
    window.show();
    in.evaluate_expression("Serial.begin(9600);");
    window.refresh();
    QCoreApplication::processEvents();
    QTableView* list = window.ListBox_E[0];

    const Slices lines =
        run(in, window, count, [](int i) { return "Serial.println(\"line " + std::to_string(i) + "\");"; });
    const Slices chars = run(in, window, count, [](int) { return std::string("Serial.print(\"x\");"); });
    window.refresh();
    QCoreApplication::processEvents();

    // Refreshes with ten new lines each at the full length.
    std::vector<double> refreshes;
    for (int r = 0; r < 50; ++r) {
        for (int i = 0; i < 10; ++i) in.evaluate_expression("Serial.println(\"tail\");");
        QElapsedTimer one;
        one.start();
        window.refresh();
        QCoreApplication::processEvents();
        refreshes.push_back(static_cast<double>(one.nsecsElapsed()) / 1e6);
    }

    // PageDown from the top, each press repainted.
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    std::vector<double> pages;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::keyClick(list, Qt::Key_PageDown);
        QCoreApplication::processEvents();
        pages.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }

    const int rows = list->model()->rowCount();
    const int items = in.panels[1].ListBox.Count();
    std::printf("println: first %.2f us, last %.2f us CPU per append (%.2fx)\n", lines.first_us, lines.last_us,
                lines.last_us / std::max(1e-9, lines.first_us));
    std::printf("print:   first %.2f us, last %.2f us CPU per append (%.2fx)\n", chars.first_us, chars.last_us,
                chars.last_us / std::max(1e-9, chars.first_us));
    std::printf("refresh with repaint at %d lines: median %.3f ms, p95 %.3f ms\n", rows, percentile(refreshes, 0.5),
                percentile(refreshes, 0.95));
    std::printf("PageDown: median %.3f ms, p95 %.3f ms\n", percentile(pages, 0.5), percentile(pages, 0.95));
    std::printf("rows %d, items %d\n", rows, items);
    return rows == items && items == count + 501 ? 0 : 1;
}
