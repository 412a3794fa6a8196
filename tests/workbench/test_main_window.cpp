// The main window's code list and the modal error window, driven through the real core.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "workbench/code_list.h"
#include "workbench/error_dialog.h"
#include "workbench/main_window.h"

namespace {

const QString example = QStringLiteral(":/examples/blink_counter.ino");

QStringList resource_lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith('\n')) text.chop(1);
    return text.split('\n');
}

// A sketch file `name` in `dir` holding `text`; its path.
QString sketch_file(const QTemporaryDir& dir, const char* name, const char* text) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
    return path;
}

QStringList rows_of(const QListView* list) {
    QStringList rows;
    for (int i = 0; i < list->model()->rowCount(); ++i) rows.append(list->model()->index(i, 0).data().toString());
    return rows;
}

// What the open error window showed, captured before it is closed.
struct Seen {
    bool opened = false;
    bool modal = false;
    QString message;
    QString line;
    bool plain = false; // both labels show text as written, never as markup
    QSize size;
};

// Runs `trigger`, which must open the error window; a timer reads the window and closes it
// with its Close button. A second timer closes any window left open so a fault cannot hang.
Seen show_and_close(quorvex::MainWindow& w, const std::function<void()>& trigger,
                    const std::function<void()>& while_open = {}) {
    Seen seen;
    QObject scope; // a timer that never fired dies with this call, not in a later test
    QTimer::singleShot(0, &scope, [&] {
        quorvex::ErrorDialog* dialog = w.host().open_dialog();
        if (dialog == nullptr) return;
        seen.opened = true;
        seen.modal = dialog->isModal() && QApplication::activeModalWidget() == dialog;
        seen.message = dialog->Label1->text();
        seen.line = dialog->Label2->text();
        seen.plain = dialog->Label1->textFormat() == Qt::PlainText && dialog->Label2->textFormat() == Qt::PlainText;
        seen.size = dialog->size();
        if (while_open) while_open();
        dialog->Button1->click();
    });
    QTimer guard;
    guard.setInterval(10000);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
    guard.start();
    trigger();
    return seen;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void run_starts_the_timer_and_abort_stops_it() {
        QTemporaryDir dir;
        const QString path = dir.filePath("quiet.ino");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("void setup() {\n");
        for (int i = 0; i < 20; ++i) file.write("  noTone(1);\n");
        file.write("}\nvoid loop() {\n}\n");
        file.close();

        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(path));
        w.core().AutoStep_Time = "40";
        w.AutoStepClick();
        QVERIFY(w.timer1()->isActive());
        QCOMPARE(w.timer1()->interval(), 40);
        QCOMPARE(w.core().Line, 2);                          // Run's first step happens at once
        QTRY_VERIFY_WITH_TIMEOUT(w.core().Line >= 3, 10000); // the timer's ticks step on
        QCOMPARE(w.code_list()->currentIndex().row(), w.core().Line);
        w.AbortClick();
        QVERIFY(!w.timer1()->isActive());
        QVERIFY(!w.core().AutoStep.Checked);
    }

    void stepper_timer_follows_the_core() {
        QTemporaryDir dir;
        const QString path = sketch_file(
            dir, "stepper.ino",
            "Stepper motor(200, 8, 9, 10, 11);\nvoid setup() {\n  motor.step(1000);\n}\nvoid loop() {\n}\n");

        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(path));
        QVERIFY(!w.stepper_timer()->isActive());
        w.Step1Click();
        QVERIFY(w.stepper_timer()->isActive());
        QCOMPARE(w.stepper_timer()->interval(), 1000);
        w.core().motors.kStepper_Timer.Interval = 1; // the ticks walk the coils and count down
        w.RestartClick();                            // reset leaves the stepper running
        QVERIFY(w.stepper_timer()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(w.core().motors.stepper_steps < 1000, 10000);
        w.AbortClick();
        QVERIFY(!w.stepper_timer()->isActive());
    }

    void example_fills_the_code_list() {
        const QStringList file_lines = resource_lines(example);
        QVERIFY2(file_lines.size() > 10, "the example is compiled into the program");
        QCOMPARE(file_lines.value(0), QString("// Simulate Uno"));
        QVERIFY2(file_lines.join('\n').contains('\t'), "the example keeps real tabs");

        quorvex::MainWindow w;
        QCOMPARE(w.windowTitle(), QString("Quorvex"));
        QVERIFY(w.load_sketch(example));
        // The file name follows the program name in the title.
        QCOMPARE(w.windowTitle(), QString("Quorvex - blink_counter.ino"));

        QStringList expected = file_lines;
        for (QString& line : expected) line.replace('\t', ' ');
        QListView* list = w.findChild<QListView*>("ListBox1");
        QVERIFY(list != nullptr);
        QCOMPARE(rows_of(list), expected);

        // After reset the cursor waits on the first code line of setup(), and the list selects it.
        const int first_code = static_cast<int>(expected.indexOf(" pinMode(led, OUTPUT);"));
        QVERIFY(first_code > 0);
        QCOMPARE(w.core().Line, first_code);
        QCOMPARE(list->currentIndex().row(), w.core().Line);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
    }

    void unreadable_file_keeps_the_sketch() {
        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(example));
        const QStringList before = rows_of(w.code_list());
        QTemporaryDir dir;
        QVERIFY(!w.load_sketch(dir.filePath("missing.ino")));
        QVERIFY(!w.load_sketch(dir.path())); // a folder is not a sketch
        QCOMPARE(rows_of(w.code_list()), before);
        QCOMPARE(w.windowTitle(), QString("Quorvex - blink_counter.ino"));
    }

    void error_window_shows_message_and_line_then_returns() {
        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(example));
        w.core().Timer1.Enabled = true; // as if running
        const std::string raw_line = w.core().ListBox1.item(w.core().Line);
        int32_t result = -1;
        const Seen seen = show_and_close(w, [&] { result = w.core().evaluate_expression("foo;"); });
        QVERIFY(seen.opened);
        QVERIFY(seen.modal);
        QCOMPARE(seen.message, QString("Unknown command: foo"));
        QCOMPARE(seen.line, QString::fromStdString(raw_line));
        QCOMPARE(seen.size, QSize(493, 141));
        // Closing the window returns to the statement, which finishes with the run stopped.
        QCOMPARE(result, 0);
        QVERIFY(w.host().open_dialog() == nullptr);
        QVERIFY(!w.core().Timer1.Enabled);
        QCOMPARE(w.core().error_str, std::string("Unknown command: foo"));
    }

    void error_while_window_open_opens_no_second_window() {
        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(example));
        quorvex::ErrorDialog* nested = nullptr;
        bool nested_returned = false;
        const Seen seen = show_and_close(
            w, [&] { w.core().evaluate_expression("foo;"); },
            [&] {
                w.core().evaluate_expression("bar;");
                nested_returned = true;
                nested = w.host().open_dialog();
            });
        QVERIFY(seen.opened);
        QVERIFY(nested_returned);
        QVERIFY(nested != nullptr); // still the first window
        QCOMPARE(w.core().error_str, std::string("Unknown command: bar"));
    }

    void sketch_text_is_shown_literally() {
        QTemporaryDir dir;
        const QString path = dir.filePath("markup.ino");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("void setup() {\nif (a<b>c) <b>x</b>;\n}\n");
        file.close();

        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(path));
        QCOMPARE(w.core().Line, 1);
        const Seen seen = show_and_close(w, [&] { w.core().ShowMessage1("Sketch Error - <b>bold</b>"); });
        QVERIFY(seen.opened);
        QVERIFY(seen.plain);
        QCOMPARE(seen.message, QString("Sketch Error - <b>bold</b>"));
        QCOMPARE(seen.line, QString("if (a<b>c) <b>x</b>;"));
    }

    void long_texts_keep_the_window_on_screen() {
        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(example));
        const std::string word(20000, 'x');
        std::string words;
        for (int i = 0; i < 3000; ++i) words += "abc ";
        const Seen seen = show_and_close(w, [&] { w.core().ShowMessage1(word + " " + words); });
        QVERIFY(seen.opened);
        QVERIFY2(seen.size.width() <= 493 && seen.size.height() <= 300, "bounded error window");
    }

    void a_load_full_of_faults_opens_one_window() {
        QTemporaryDir dir;
        const QString path = sketch_file(dir, "braces.ino", "void setup() {\n}\n}\n}\n}\n}\n}\nvoid loop() {\n}\n");
        quorvex::MainWindow w;
        // Every window that opens is read and closed; a second one would be counted.
        QStringList messages;
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            quorvex::ErrorDialog* dialog = w.host().open_dialog();
            if (dialog != nullptr && dialog->isVisible()) {
                messages.append(dialog->Label1->text() + " | " + dialog->Label2->text());
                dialog->Button1->click();
            }
        });
        closer.start();
        QVERIFY(w.load_sketch(path));
        QCOMPARE(messages,
                 QStringList{QString::fromUtf8("Cannot process >> }\n\u2026 and 4 more errors while loading | }")});
        messages.clear();
        w.core().RestartClick();
        QCOMPARE(messages,
                 QStringList{QString::fromUtf8("Cannot process >> }\n\u2026 and 4 more errors while resetting | }")});
    }

    void empty_sketch_reports_at_reset() {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.ino");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        quorvex::MainWindow w;
        QVERIFY(w.load_sketch(example));
        const Seen seen = show_and_close(w, [&] { QVERIFY(w.load_sketch(path)); });
        QVERIFY(seen.opened);
        QCOMPARE(seen.message, QString("Sketch Error - Please load a sketch first before resetting"));
        QCOMPARE(seen.line, QString("Past End"));
        QCOMPARE(w.code_list()->model()->rowCount(), 0);
        QCOMPARE(w.code_list()->currentIndex().row(), -1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
