// The main window's speed with a long sketch: F7 with its repaint, PageDown through the list,
// and Run at 1 ms with a probe timer that must not fall behind. Run from a Release build:
//     QT_QPA_PLATFORM=offscreen build/release/bench/ui_step [KEYS] [RUN_SECONDS]
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "workbench/code_list.h"
#include "workbench/main_window.h"

namespace {

struct Figures {
    double median = 0;
    double p95 = 0;
};

Figures figures(std::vector<double> ms) {
    if (ms.empty()) return {};
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)]};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 1000;
    const double run_seconds = argc > 2 ? std::atof(argv[2]) : 3.0;

    QTemporaryDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QStandardPaths::setTestModeEnabled(true);
    QByteArray text = "// Simulate Uno\n";
    for (int g = 0; g < 500; ++g) text += "int g" + QByteArray::number(g) + " = " + QByteArray::number(g) + ";\n";
    text += "void setup() {\n}\nvoid loop() {\n";
    for (int i = 0; text.count('\n') < 4095; ++i) text += "  g" + QByteArray::number(i % 500) + " = g0 + 1;\n";
    text += "}\n";
    QFile file(dir.filePath("long.ino"));
    if (!file.open(QIODevice::WriteOnly)) return 2;
    file.write(text);
    file.close();

    quorvex::MainWindow w;
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return 1;
    if (!w.load_sketch(file.fileName()) || w.core().ListBox1.Count() != 4096) return 1;
    int refreshes = 0;
    w.add_refresh_hook([&](bool) { ++refreshes; });

    // F7: the key, the events it leaves, and the window painted.
    std::vector<double> step_ms;
    QElapsedTimer clock;
    for (int i = 0; i < keys; ++i) {
        clock.start();
        QTest::keyClick(w.code_list(), Qt::Key_F7);
        QApplication::processEvents();
        w.repaint();
        step_ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    const Figures step = figures(step_ms);
    std::printf("F7 with repaint: %d keys, median %.2f ms, p95 %.2f ms\n", keys, step.median, step.p95);

    std::vector<double> page_ms;
    w.code_list()->setFocus();
    for (int i = 0; i < keys / 4 + 1; ++i) {
        clock.start();
        QTest::keyClick(w.code_list(), Qt::Key_PageDown);
        w.code_list()->viewport()->repaint();
        page_ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    const Figures page = figures(page_ms);
    std::printf("PageDown with repaint: %zu keys, median %.2f ms, p95 %.2f ms\n", page_ms.size(), page.median,
                page.p95);

    // Run at 1 ms; the probe measures how late a 10 ms timer fires meanwhile.
    w.core().RestartClick();
    w.AutoStep_Time()->clear();
    QTest::keyClicks(w.AutoStep_Time(), "1");
    refreshes = 0;
    double worst_late = 0;
    QElapsedTimer probe_clock;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    qint64 last = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = probe_clock.nsecsElapsed();
        worst_late = std::max(worst_late, (now - last) / 1e6 - 10.0);
        last = now;
    });
    w.AutoStepClick();
    probe_clock.start();
    probe.start(10);
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(run_seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    w.AbortClick();
    std::printf("Run at 1 ms for %.1f s: %d steps, probe at most %.1f ms late\n", run_seconds, refreshes, worst_late);
    return refreshes > 0 ? 0 : 1;
}
