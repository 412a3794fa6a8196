// Screenshots of the main window for a person to look at: run under a real X server (see
// scripts/screenshots), never as a test.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdio>

#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/help.h"
#include "workbench/main_window.h"

namespace {

QString out_dir;

void shot(const QString& name) {
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QTest::qWait(30);
    }
    const QString path = QDir(out_dir).filePath(name + ".png");
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    std::printf("%s\n", qPrintable(path));
}

void write(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots DIR\n");
        return 2;
    }
    out_dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out_dir);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QStandardPaths::setTestModeEnabled(true);

    {
        quorvex::MainWindow w;
        w.move(0, 0);
        w.show();
        if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return 1;
        shot("01_uno_at_start");

        w.Mega1Click();
        w.Legend1Click();
        shot("02_mega_with_legend");
        w.Legend1Click();

        w.SwapClick();
        shot("03_swapped");
        w.SwapClick();

        w.MinimizeClick();
        shot("04_minimised");
        w.MinimizeClick();
    }
    {
        QTemporaryDir dir;
        write(dir.filePath("pins.h"), "int pinA = 3;\nint pinB = 4;\n// the end of pins.h\n");
        QByteArray text = "// Simulate Uno\n#include \"pins.h\"\nint total = 0;\n";
        for (int g = 0; g < 3; ++g) text += "int g" + QByteArray::number(g) + " = " + QByteArray::number(g) + ";\n";
        text += "void setup() {\n  total = 1;\n}\nvoid loop() {\n";
        for (int i = 0; text.count('\n') < 4090; ++i)
            text += "  if (total > " + QByteArray::number(i) + ") {\n    total = total + 1; // line\n  }\n";
        text += "}\n";
        write(dir.filePath("long.ino"), text);
        quorvex::MainWindow w;
        w.move(0, 0);
        w.show();
        if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return 1;
        w.action("includeCode1Click")->trigger();
        w.action("SyntaxColouring1Click")->trigger();
        w.load_sketch(dir.filePath("long.ino"));
        w.LineNumbers1Click();
        for (int i = 0; i < 12; ++i) w.Step1Click();
        w.core().BreakLine1 = w.core().Line + 3;
        w.BreakPoint1Click();
        w.core().Line += 6;
        w.Matchbrace1Click();
        w.core().Line -= 6;
        w.core().UpdateClick();
        shot("05_long_sketch_breakpoint_include_match_numbers");

        w.styles().apply(QStringLiteral("Carbon"));
        shot("06_carbon");
        w.styles().apply(QStringLiteral("Windows"));

        w.help().show_context(28);
        w.help().browser()->move(300, 120);
        shot("07_help");
        w.help().browser()->close();

        w.core().AskOnLineChange.Checked = true;
        QTimer::singleShot(300, [&] {
            shot("08_change_line");
            w.ChangeLine->reject();
        });
        const QRect row = w.code_list()->visualRect(w.code_list()->model()->index(w.core().Line + 2, 0));
        QTest::mouseClick(w.code_list()->viewport(), Qt::LeftButton, {}, row.center());
    }
    return 0;
}
