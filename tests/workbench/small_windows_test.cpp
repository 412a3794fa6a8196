// The error, delay, subroutines and about windows over the real core.
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

#include "workbench/about_dialog.h"
#include "workbench/error_dialog.h"
#include "workbench/main_window.h"
#include "workbench/subroutines_window.h"

using quorvex::MainWindow;

namespace {

QString write_sketch(QTemporaryDir& dir, const char* text) {
    const QString path = dir.filePath("sketch.ino");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(text);
    return path;
}

// The window's outer centre lies on the main window's (the platform may add frames of its own).
bool centred_on(const QWidget& window, const QWidget& main) {
    const QPoint d = window.frameGeometry().center() - main.frameGeometry().center();
    return std::abs(d.x()) <= 2 && std::abs(d.y()) <= 2;
}

} // namespace

// Receives the addresses the windows open instead of the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestSmallWindows : public QObject {
    Q_OBJECT
    UrlRecorder recorder_;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        for (const char* scheme : {"mailto", "https"}) QDesktopServices::setUrlHandler(scheme, &recorder_, "open");
    }
    void cleanupTestCase() {
        for (const char* scheme : {"mailto", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    void init() { recorder_.urls.clear(); }

    void email_reports_the_message_in_one_subject() {
        quorvex::ErrorDialog dialog;
        dialog.set_error("Sketch Error - Please load a sketch first before resetting", "Past End");
        QVERIFY(dialog.Send->isHidden());
        const QString message = "Unknown command: a&cc=x#y?z%+";
        dialog.set_error(message, "b = a & c;");
        QVERIFY(!dialog.Send->isHidden());
        dialog.show();
        dialog.Send->click();
        QVERIFY(dialog.isHidden());
        QCOMPARE(recorder_.urls.size(), 1);
        const QUrl url = recorder_.urls.front();
        QCOMPARE(url.scheme(), QString("mailto"));
        QVERIFY(url.fragment().isEmpty());
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), 1);
        QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), "Auto Error=" + message + " Line=b = a & c;");

        // Markup, line breaks and a long text arrive as written.
        const QString odd = "Cannot Evaluate <b>x</b>\n" + QString(10000, QChar('y'));
        dialog.set_error(odd, "x = \"%41\";");
        dialog.Send->click();
        QCOMPARE(QUrlQuery(recorder_.urls.back()).queryItemValue("subject", QUrl::FullyDecoded),
                 "Auto Error=" + odd + " Line=x = \"%41\";");
    }

    void delay_window_is_modal_centred_and_holds_run() {
        QTemporaryDir dir;
        MainWindow w;
        w.setGeometry(100, 50, 990, 641);
        QVERIFY(w.load_sketch(write_sketch(dir, "int x = 0;\nvoid setup() {\n}\nvoid loop() {\n"
                                                "  delay(3000);\n  x = x + 1;\n}\n")));
        w.show();
        w.core().pinio.options.SimulateDelay.Checked = true;
        while (w.core().Line != 4) w.core().Step1Click();
        w.run(); // Run's first step is the delay
        quorvex::DelayCountdown* delay = w.host().delay_window();
        QVERIFY(w.host().delay_pending());
        QCOMPARE(delay->Label1->text(), QString("3 s"));
        QCOMPARE(delay->windowModality(), Qt::ApplicationModal);
        QCOMPARE(QApplication::activeModalWidget(), delay);
        QVERIFY(centred_on(*delay, w));
        const int32_t line = w.core().Line;
        const int64_t us = w.core().us;
        w.timer1_tick();
        w.timer1_tick();
        QCOMPARE(w.core().Line, line);
        QCOMPARE(w.core().us, us);
        QTest::keyClick(delay, Qt::Key_Escape);
        QVERIFY(!w.host().delay_pending());
        QVERIFY(!delay->Timer1->isActive());
        w.timer1_tick();
        QVERIFY(w.core().Line != line);

        // The title bar's close ends the wait as well.
        w.host().show_delay(2000);
        QVERIFY(delay->close());
        QVERIFY(!w.host().delay_pending());
        QVERIFY(!delay->Timer1->isActive());
        w.abort();
    }

    void subroutines_list_the_scan() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_sketch(dir, "// x\nint a;\n\nvoid setup() {\n}\n\n\n\nvoid loop() {\n}\n"
                                                "int twice(int v, int w) {\n  return v * 2;\n}\n")));
        quorvex::SubroutinesWindow subs(w.core(), &w);
        subs.show();
        QTableWidget* grid = subs.StringGrid1;
        QCOMPARE(grid->rowCount(), 3);
        const auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c) cells << grid->item(r, c)->text();
            return cells;
        };
        QCOMPARE(row(0), (QStringList{"0", "setup", "0", "0003"}));
        QCOMPARE(row(1), (QStringList{"1", "loop", "0", "0008"}));
        QCOMPARE(row(2), (QStringList{"2", "twice", "2", "0010"}));
        QCOMPARE(grid->horizontalHeaderItem(3)->text(), QString("Line"));
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        subs.hide();
        w.core().ListBox1.assign({});
        w.core().subs.clear();
        subs.show(); // refilled at every show
        QCOMPARE(grid->rowCount(), 0);
    }

    void about_is_centred_and_opens_the_web_page() {
        MainWindow w;
        w.setGeometry(100, 50, 990, 641);
        quorvex::AboutDialog about("Quorvex", "0.01F", &w);
        QCOMPARE(about.AboutTitle->text(), QString("Quorvex -  V0.01F"));
        QVERIFY(about.isModal());
        w.show();
        about.show();
        QVERIFY(centred_on(about, w));
        about.Button1->click();
        QCOMPARE(recorder_.urls.size(), 1);
        QCOMPARE(recorder_.urls.front().scheme(), QString("https"));
        about.AboutClose->click();
        QVERIFY(about.isHidden());
    }
};

QTEST_MAIN(TestSmallWindows)
#include "small_windows_test.moc"
