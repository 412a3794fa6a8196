// Keys as a user presses them: real key events through the application to shown windows (the
// window system's path: window, then the control with the focus), for help, the error, about
// and delay windows, Back and the line-change dialog.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "tests/support/sketch_file.h"
#include "tests/workbench/window_test_setup.h"
#include "workbench/about_dialog.h"
#include "workbench/code_list.h"
#include "workbench/delay_window.h"
#include "workbench/error_dialog.h"
#include "workbench/help.h"
#include "workbench/key_filter.h"
#include "workbench/main_window.h"
#include "workbench/simulation_window.h"
#include "workbench/version.h"

using quorvex::MainWindow;

namespace {

// Shows the main window and waits until its first show has loaded the settings.
bool start(MainWindow& w) {
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return false;
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// A key pressed while `window` is the active window: through the window system to its focus.
void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(window->window()->windowHandle(), key, modifiers);
}

// Gives `control` the focus the way a click does, in its shown window.
bool focus(QWidget* control) {
    QWidget* window = control->window();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) return false;
    control->setFocus(Qt::MouseFocusReason);
    return QTest::qWaitFor([&] { return QApplication::focusWidget() == control; }, 2000);
}

// Runs `trigger`; once the modal window `modal()` shows, runs `inside`, which should close it.
// False when it did not: the window is then rejected so that `trigger` can return.
bool while_modal(const std::function<QWidget*()>& modal, const std::function<void()>& inside,
                 const std::function<void()>& trigger) {
    QObject scope;
    QTimer poll;
    QElapsedTimer since;
    bool closed = true;
    QObject::connect(&poll, &QTimer::timeout, &scope, [&] {
        QWidget* m = modal();
        if (m == nullptr || !m->isVisible() || QApplication::activeModalWidget() != m) return;
        if (!since.isValid()) {
            since.start();
            inside();
        } else if (since.elapsed() > 1000) {
            closed = false;
            if (auto* dialog = qobject_cast<QDialog*>(m)) dialog->reject();
        }
    });
    poll.start(20);
    trigger();
    return closed && since.isValid();
}

} // namespace

class TestKeys : public QObject {
    Q_OBJECT
    WindowTestSetup setup_;

private slots:
    void initTestCase() { setup_.begin_suite(); }
    void cleanupTestCase() { setup_.end_suite(); }
    void init() { setup_.begin_test(); }

    void f1_opens_the_page_of_the_focused_control() {
        MainWindow w;
        QVERIFY(start(w));
        QVERIFY(w.load_sketch(":/examples/blink_counter.ino"));
        const auto help_for = [&](QWidget* control) {
            if (!focus(control)) return -1;
            press(control, Qt::Key_F1);
            return w.help().last_context();
        };
        QCOMPARE(help_for(w.code_list()), 28);
        QCOMPARE(help_for(w.grid()), 29);
        QCOMPARE(help_for(w.AutoStep_Time()), 18);
        QCOMPARE(help_for(w.EPulseIn()), 1);
        QCOMPARE(w.help().browser()->documentTitle(), QString("Quorvex"));

        auto* sim = qobject_cast<quorvex::SimulationWindow*>(w.Simulation.data());
        sim->show();
        QVERIFY(QTest::qWaitForWindowExposed(sim));
        sim->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sim));
        QTest::mouseClick(sim->ScrollBar[0], Qt::LeftButton, {}, QPoint(5, 40));
        press(sim, Qt::Key_F1);
        QCOMPARE(w.help().last_context(), 21);
        sim->hide();

        // An open menu has the keys: its page, not the focused control's.
        QMenu* options = nullptr;
        for (QAction* a : w.menuBar()->actions())
            if (a->text() == "Options") options = a->menu();
        QVERIFY(options != nullptr);
        QVERIFY(focus(w.code_list()));
        options->popup(w.mapToGlobal(QPoint(40, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(options));
        QTest::keyClick(options->windowHandle(), Qt::Key_F1);
        options->close();
        QCOMPARE(w.help().last_context(), 12);

        // Esc and Ctrl+W close the help window.
        QTextBrowser* browser = w.help().browser();
        QVERIFY(browser->isVisible());
        QVERIFY(focus(browser));
        press(browser, Qt::Key_Escape);
        QVERIFY(browser->isHidden());
        w.ShowHelp1Click();
        QVERIFY(focus(browser));
        press(browser, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(browser->isHidden());
        // Also while nothing in it has the focus, as when it has just come up.
        w.ShowHelp1Click();
        browser->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(browser));
        press(browser, Qt::Key_Escape);
        QVERIFY(browser->isHidden());
    }

    void the_first_help_page_links_every_page() {
        const QStringList pages = QDir(":/help").entryList({"ctx*.html"});
        QVERIFY(pages.size() >= 14);
        QFile first(":/help/ctx1.html");
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(first.readAll());
        for (const QString& page : pages)
            if (page != "ctx1.html") QVERIFY2(text.contains("href=\"qrc:/help/" + page + "\""), qPrintable(page));
        // Every other page leads back to it.
        for (const QString& page : pages) {
            if (page == "ctx1.html") continue;
            QFile f(":/help/" + page);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY2(f.readAll().contains("href=\"qrc:/help/ctx1.html\""), qPrintable(page));
        }
    }

    void the_file_menus_page_says_where_the_error_log_is() {
        // The log goes where the first start put the example: the program's data folder.
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(start(w));
        QVERIFY(w.load_sketch(write_test_file(dir, "s.ino", "void setup() {\n  nothing(1);\n}\nvoid loop() {\n}\n")));
        w.action("LogErrors1Click")->trigger();
        QVERIFY(w.core().LogErrors1.Checked);
        QVERIFY(while_modal([&]() -> QWidget* { return w.host().open_dialog(); },
                            [&] { w.host().open_dialog()->Button1->click(); }, [&] { w.Step1Click(); }));
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        QCOMPARE(QString::fromStdString(w.core().CurrentDir.string()), data);
        QVERIFY(!QDir(data).entryList({"Errorlog *.txt"}).isEmpty());
        QVERIFY(QDir(dir.path()).entryList({"Errorlog *.txt"}).isEmpty());

        // The same folder as the program itself finds it.
        const QString test_name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(quorvex::sTitle);
        QStandardPaths::setTestModeEnabled(false);
        const QString real = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(test_name);
        QString shown = real;
        if (shown.startsWith(QDir::homePath() + "/")) shown.replace(0, QDir::homePath().size(), "~");
        QFile page(":/help/ctx9.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        QVERIFY(!text.contains("sketch's folder"));
        if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) QVERIFY2(text.contains(shown), qPrintable(shown));
        QVERIFY(text.contains("Errorlog YYYY-MM-DD.txt"));
    }

    void enter_in_the_error_window_closes_it_and_sends_nothing() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(start(w));
        QVERIFY(w.load_sketch(write_test_file(dir, "s.ino",
                                              "int a = 0;\nvoid setup() {\n  blink(3);\n  a = 1;\n  blink(4);\n}\n"
                                              "void loop() {\n}\n")));
        quorvex::ErrorDialog* dialog = w.host().error_window();
        QString message;
        const auto enter = [&] {
            message = dialog->Label1->text();
            press(dialog, Qt::Key_Return);
        };
        const auto modal = [&]() -> QWidget* { return w.host().open_dialog(); };
        // Enter steps over in the code list: the error window opens under the user's next Enter.
        QVERIFY(focus(w.code_list()));
        QVERIFY(while_modal(modal, enter, [&] { press(w.code_list(), Qt::Key_Return); }));
        QCOMPARE(message, QString("Unknown command: blink(3)"));
        QVERIFY(!dialog->Send->isHidden());
        QVERIFY(while_modal(modal, enter, [&] { w.core().ShowMessage1("Sketch Error - a sketch error"); }));
        QVERIFY(dialog->Send->isHidden());
        // After a sketch error the button shows again, and still only "Close" takes Enter.
        w.StepOverClick();
        QVERIFY(while_modal(modal, enter, [&] { w.StepOverClick(); }));
        QCOMPARE(message, QString("Unknown command: blink(4)"));
        QVERIFY(!dialog->Send->isHidden());
        QVERIFY(dialog->Button1->isDefault());
        QVERIFY(!dialog->Send->isDefault());
        QCOMPARE(setup_.urls.size(), 0);
        // Tab to "Email" and Enter: still "Close".
        QVERIFY(while_modal(
            modal,
            [&] {
                dialog->Send->setFocus(Qt::TabFocusReason);
                press(dialog, Qt::Key_Return);
            },
            [&] { w.core().ShowMessage1("Unknown command: x"); }));
        QCOMPARE(setup_.urls.size(), 0);
    }

    void run_shows_idle_while_the_error_window_is_open() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(start(w));
        QVERIFY(w.load_sketch(write_test_file(dir, "s.ino",
                                              "int a = 0;\nvoid setup() {\n  a = 1;\n  a = 2;\n"
                                              "  blink(3);\n}\nvoid loop() {\n}\n")));
        w.AutoStepClick();
        QCOMPARE(w.RunButton()->toolTip(), QString("Stop F9"));
        QString hint;
        bool checked = true;
        bool timer = true;
        QVERIFY(while_modal([&]() -> QWidget* { return w.host().open_dialog(); },
                            [&] {
                                hint = w.RunButton()->toolTip();
                                checked = w.action("AutoStepClick")->isChecked();
                                timer = w.timer1()->isActive();
                                w.host().open_dialog()->Button1->click();
                            },
                            [&] {
                                for (int i = 0; i < 10 && w.core().AutoStep.Checked; ++i) w.timer1_tick();
                            }));
        QCOMPARE(hint, QString("Run F9"));
        QVERIFY(!checked);
        QVERIFY(!timer);
    }

    void about_leaves_enter_to_close_at_every_show() {
        MainWindow w;
        QVERIFY(start(w));
        auto& about = *qobject_cast<quorvex::AboutDialog*>(w.About1.data());
        const auto modal = [&]() -> QWidget* { return &about; };
        QVERIFY(while_modal(
            modal,
            [&] {
                QTest::mouseClick(about.Button1, Qt::LeftButton); // the click takes the focus
                press(&about, Qt::Key_Escape);
            },
            [&] { w.AboutClick(); }));
        QCOMPARE(setup_.urls.size(), 1);
        QVERIFY(while_modal(
            modal, [&] { press(&about, Qt::Key_Return); }, [&] { w.AboutClick(); }));
        QCOMPARE(setup_.urls.size(), 1);
        QVERIFY(about.AboutClose->isDefault());
    }

    void the_delay_window_passes_the_function_keys_on() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(start(w));
        QVERIFY(w.load_sketch(write_test_file(dir, "s.ino",
                                              "int a = 0;\nvoid setup() {\n}\nvoid loop() {\n"
                                              "  delay(3000);\n  a = a + 1;\n}\n")));
        w.core().pinio.options.SimulateDelay.Checked = true;
        quorvex::DelayCountdown* delay = w.host().delay_window();
        w.AutoStepClick();
        for (int i = 0; i < 20 && !w.host().delay_pending(); ++i) w.timer1_tick();
        QVERIFY(w.host().delay_pending());
        QVERIFY(QTest::qWaitForWindowActive(delay));
        press(delay, Qt::Key_F9); // stops Run, and the countdown with it
        QVERIFY(!w.core().AutoStep.Checked);
        QCOMPARE(w.RunButton()->toolTip(), QString("Run F9"));
        QVERIFY(!w.host().delay_pending());
        QVERIFY(delay->isHidden());
        QVERIFY(!delay->Timer1->isActive());

        // While stepping, a step key skips the wait and steps.
        while (!w.host().delay_pending()) w.Step1Click();
        QVERIFY(QTest::qWaitForWindowActive(delay));
        const int32_t at = w.core().Line;
        press(delay, Qt::Key_F7);
        QVERIFY(!w.host().delay_pending());
        QVERIFY(w.core().Line != at);
        // Enter and Esc keep their meaning in the window: it closes, nothing steps.
        w.host().show_delay(2000);
        QVERIFY(QTest::qWaitForWindowActive(delay));
        const int32_t still = w.core().Line;
        press(delay, Qt::Key_Return);
        QVERIFY(!w.host().delay_pending());
        QCOMPARE(w.core().Line, still);
    }

    void the_current_line_stays_selected_and_the_status_bar_follows_it() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(start(w));
        QByteArray text = "int a = 0;\nvoid setup() {\n";
        for (int i = 0; i < 80; ++i) text += "  a = a + " + QByteArray::number(i) + ";\n";
        text += "}\nvoid loop() {\n}\n";
        QVERIFY(w.load_sketch(write_test_file(dir, "s.ino", text)));
        quorvex::CodeListView* list = w.code_list();
        quorvex::Interpreter& core = w.core();
        const auto status_is_current = [&] {
            return w.status_panel(0)->text() == QString::asprintf("Line: %.4d", core.Line) &&
                   w.status_panel(2)->text() ==
                       "Next: " + QString::fromStdString(core.ListBox1.item(core.Line)).trimmed();
        };
        const auto selected_is_current = [&] {
            const QModelIndexList rows = list->selectionModel()->selectedIndexes();
            return rows.size() == 1 && rows.front().row() == core.Line && list->currentIndex().row() == core.Line;
        };
        const auto click_row = [&](int row) {
            const QRect r = list->visualRect(list->model()->index(row, 0));
            QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, list->viewport()->mapTo(&w, r.center()));
        };
        QVERIFY(focus(list));
        for (int i = 0; i < 5; ++i) press(list, Qt::Key_F7);
        const int32_t stepped = core.Line;
        QVERIFY(status_is_current());
        press(list, Qt::Key_F3);
        QCOMPARE(core.Line, stepped - 1);
        QVERIFY2(status_is_current(), qPrintable(w.status_panel(0)->text() + " | " + w.status_panel(2)->text()));

        click_row(12);
        QCOMPARE(core.Line, 12);
        QVERIFY2(status_is_current(), qPrintable(w.status_panel(0)->text() + " | " + w.status_panel(2)->text()));
        QVERIFY(selected_is_current());

        // Cancel in the line-change dialog: the old line is current and selected again.
        w.action("AskonLineChangeClick")->trigger();
        QVERIFY(core.AskOnLineChange.Checked);
        QVERIFY(while_modal([&]() -> QWidget* { return w.ChangeLine; }, [&] { w.ChangeLine->Button2->click(); },
                            [&] { click_row(20); }));
        QTest::qWait(50);
        QCOMPARE(core.Line, 12);
        QVERIFY(selected_is_current());
        QVERIFY(status_is_current());
        // OK: the refresh centres the new line, so the row under the pointer is another one.
        QCOMPARE(list->first_visible(), 0);
        QVERIFY(while_modal([&]() -> QWidget* { return w.ChangeLine; }, [&] { w.ChangeLine->Button1->click(); },
                            [&] { click_row(20); }));
        QTest::qWait(50);
        QCOMPARE(core.Line, 20);
        QVERIFY(list->first_visible() > 0);
        QVERIFY(selected_is_current());
        QVERIFY(status_is_current());
    }
};

QTEST_MAIN(TestKeys)
#include "keys_test.moc"
