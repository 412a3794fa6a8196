// The variables grid under a large sketch: 1,000 ints and 200 floats, a shown one changing at
// each step. Prints the median and p95 of an F7 key pressed in the main window, with the
// refresh and the repaint, and the rebuild after a reset. Exits 1 when the grid's rows differ
// from the variables. Run it from a Release build (offscreen); the test suite only checks the
// counts.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "workbench/main_window.h"
#include "workbench/variables_grid.h"

namespace {

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

QByteArray sketch(int ints, int floats) {
    QByteArray text = "// Simulate Uno\n";
    for (int i = 0; i < ints; ++i) text += "int v" + QByteArray::number(i) + " = " + QByteArray::number(i) + ";\n";
    for (int i = 0; i < floats; ++i) text += "float f" + QByteArray::number(i) + " = 0.5;\n";
    text += "void setup() {\n}\nvoid loop() {\n  v0 = v0 + 1;\n  f0 = f0 + 0.25;\n}\n";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int ints = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int floats = argc > 3 ? std::atoi(argv[3]) : 200;
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QFile file(dir.filePath("grid.ino"));
    if (!file.open(QIODevice::WriteOnly)) return 2;
    file.write(sketch(ints, floats));
    file.close();

    quorvex::MainWindow w;
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return 2;
    if (!w.load_sketch(file.fileName())) return 2;
    QWidget* grid = w.grid();
    QCoreApplication::processEvents();

    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::keyClick(grid, Qt::Key_F7);
        QCoreApplication::processEvents(); // the repaint
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }

    QElapsedTimer reset;
    reset.start();
    w.RestartClick();
    QCoreApplication::processEvents();
    const double reset_ms = static_cast<double>(reset.nsecsElapsed()) / 1e6;

    const int rows = qobject_cast<quorvex::VariablesGrid*>(grid)->model()->rowCount();
    const int expected = ints + floats + (ints > 0) + (floats > 0);
    std::printf("F7 with refresh and repaint: median %.3f ms, p95 %.3f ms over %d steps\n", percentile(times, 0.5),
                percentile(times, 0.95), steps);
    std::printf("reset with rebuild and repaint: %.3f ms\n", reset_ms);
    std::printf("rows %d (expected %d)\n", rows, expected);
    return rows == expected ? 0 : 1;
}
