// The main window's frame driven through its real widgets and the real core: keys, menus,
// settings across a restart, start-up, the code list, help, printing and the shell.
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/error_dialog.h"
#include "workbench/help.h"
#include "workbench/main_window.h"
#include "workbench/settings_store.h"
#include "workbench/version.h"

using quorvex::MainWindow;

namespace {

QString write_file(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
    return path;
}

// setup() of plain statements: each step moves one line and adds 1 us.
QByteArray straight_sketch(int statements) {
    QByteArray text = "int a = 0;\nvoid setup() {\n";
    for (int i = 0; i < statements; ++i) text += "  a = a + 1;\n";
    text += "}\nvoid loop() {\n}\n";
    return text;
}

QAction* entry(MainWindow& w, const QString& caption) {
    for (QAction* a : w.findChildren<QAction*>())
        if (a->text() == caption) return a;
    return nullptr;
}

// Starts a shown window and waits until its first show has loaded the settings and sketch.
void start(MainWindow& w) {
    w.show();
    QVERIFY(QTest::qWaitFor([&] { return w.started(); }, 10000));
}

// Closes whatever modal window opens while `trigger` runs, recording the error's message.
QString close_error(MainWindow& w, const std::function<void()>& trigger) {
    QString message;
    QObject scope;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &scope, [&] {
        if (quorvex::ErrorDialog* d = w.host().open_dialog()) {
            message = d->Label1->text();
            d->Button1->click();
        }
    });
    poll.start(20);
    trigger();
    return message;
}

} // namespace

class TestFrame : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> settings_;
    QList<QUrl> opened_;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "record_url");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "record_url");
    }
    // Each test starts without settings and with no sample sketch copied yet.
    void init() {
        settings_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_->path());
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/blink_counter.ino");
        opened_.clear();
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    void record_url(const QUrl& url) { opened_ << url; }

    void row_colours_in_first_match_order() {
        MainWindow w;
        QTemporaryDir dir;
        write_file(dir, "inc.h", "int i1 = 1;\nint i2 = 2;\n");
        w.core().includeCode1.Checked = true;
        QVERIFY(w.load_sketch(
            write_file(dir, "s.ino", "#include \"inc.h\"\nvoid setup() {\n  int x = 1;\n}\nvoid loop() {\n}\n")));
        quorvex::Interpreter& core = w.core();
        QVERIFY(core.pre.include_start >= 0);
        const QPalette palette = w.code_list()->palette();
        const auto background = [&](int row) { return quorvex::row_colours(core, row, false, palette).background; };
        core.BreakLine = 1;
        QCOMPARE(background(1) == QColor(255, 0, 0), false); // rows 0 and 1 show no breakpoint
        core.BreakLine = core.Line;
        QCOMPARE(background(core.Line), QColor(128, 0, 128));
        core.BreakLine = core.Line + 1;
        QCOMPARE(background(core.Line + 1), QColor(255, 0, 0));
        QCOMPARE(background(core.Line), QColor(0, 0, 255));
        core.match_Start = core.pre.include_start;
        core.match_end = core.pre.include_end;
        QCOMPARE(background(core.pre.include_start), palette.color(QPalette::Button)); // include beats match
        core.SyntaxColouring1.Checked = true;
        core.f_color[0] = quorvex::col_sr;
        core.Line = 5;
        const quorvex::RowColours header = quorvex::row_colours(core, 0, false, palette);
        QCOMPARE(header.background, QColor(Qt::white));
        QCOMPARE(header.text, QColor(0, 0, 255));
        core.SyntaxColouring1.Checked = false;
        QCOMPARE(quorvex::row_colours(core, 0, false, palette).text, QColor(Qt::black));
    }

    void keys_step_once_from_every_control() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_file(dir, "s.ino", straight_sketch(30))));
        quorvex::Interpreter& core = w.core();
        const int first = core.Line;
        QTest::keyClick(w.code_list(), Qt::Key_F7);
        QCOMPARE(core.Line, first + 1);
        // When the key handler returns, the list and the status bar show the new line.
        QCOMPARE(w.code_list()->currentIndex().row(), core.Line);
        QCOMPARE(w.status_panel(0)->text(), QString::asprintf("Line: %.4d", core.Line));
        QCOMPARE(w.status_panel(2)->text(), QString("Next: a = a + 1;"));
        QTest::keyClick(w.EPulseIn(), Qt::Key_F7);
        QCOMPARE(core.Line, first + 2);
        QTest::keyClick(w.Step(), Qt::Key_F7); // handed on to the window: still one step
        QCOMPARE(core.Line, first + 3);
        QTest::mouseClick(w.Step(), Qt::LeftButton);
        QCOMPARE(core.Line, first + 4);
        QTest::keyClick(w.EPulseIn(), Qt::Key_Return);
        QCOMPARE(core.Line, first + 5);
        QCOMPARE(w.EPulseIn()->text(), QString("1000"));
        QTest::keyClick(w.code_list(), Qt::Key_F8);
        QCOMPARE(core.Line, first + 6);
        QTest::keyClick(w.code_list(), Qt::Key_F3);
        QCOMPARE(core.Line, first + 5);
        QTest::keyClick(w.code_list(), Qt::Key_F2);
        QCOMPARE(core.Line, first);
        QCOMPARE(w.status_panel(3)->text(), QString("Reset"));
        QTest::keyClick(w.code_list(), Qt::Key_F8, Qt::ShiftModifier);
        QVERIFY(core.step_out);
        QVERIFY(w.timer1()->isActive());
        w.AbortClick();
        QTest::keyClick(w.code_list(), Qt::Key_F9);
        QVERIFY(core.AutoStep.Checked);
        QCOMPARE(core.Line, first + 1); // Run's first step
        QVERIFY(w.timer1()->isActive());
        QCOMPARE(w.RunButton()->toolTip(), QString("Stop F9"));
        QTest::keyClick(w.AutoStep_Time(), Qt::Key_F9);
        QVERIFY(!core.AutoStep.Checked);
        QVERIFY(!w.timer1()->isActive());
        QCOMPARE(w.RunButton()->toolTip(), QString("Run F9"));
        // F5 and F6 wait for their windows; F1 is no step.
        QTest::keyClick(w.code_list(), Qt::Key_F5);
        QTest::keyClick(w.code_list(), Qt::Key_F6);
        QCOMPARE(core.Line, first + 1);
    }

    void grid_f7_commits_first_and_boxes_write_the_core() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_file(dir, "s.ino", straight_sketch(5))));
        QStringList calls;
        w.StringGrid1Exit = [&] { calls << QString::number(w.core().Line); };
        const int before = w.core().Line;
        QTest::keyClick(w.grid(), Qt::Key_F7);
        QCOMPARE(calls, QStringList{QString::number(before)}); // before the step
        QCOMPARE(w.core().Line, before + 1);

        w.EditMillis()->clear();
        QTest::keyClicks(w.EditMillis(), "12.34");
        QCOMPARE(w.core().us, int64_t{12034});
        QTest::keyClicks(w.EditMillis(), "x"); // refused: the clock keeps its value, no window
        QCOMPARE(w.core().us, int64_t{12034});
        w.AutoStep_Time()->selectAll();
        QTest::keyClicks(w.AutoStep_Time(), "40a");
        QCOMPARE(w.AutoStep_Time()->text(), QString("40")); // digits only
        QCOMPARE(w.core().AutoStep_Time, std::string("40"));
        w.EShiftIn()->selectAll();
        QTest::keyClicks(w.EShiftIn(), "7");
        QCOMPARE(w.core().pinio.inputs.EShiftIn, std::string("7"));
    }

    void menus_by_caption() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_file(dir, "s.ino", straight_sketch(5))));
        quorvex::Interpreter& core = w.core();
        const std::pair<const char*, quorvex::MenuItem*> marks[] = {
            {"#include Code", &core.includeCode1},
            {"Log Errors", &core.LogErrors1},
            {"Simulate Delay", &core.pinio.options.SimulateDelay},
            {"Simulate Tone", &core.pinio.options.SimulateTone1},
            {"View Line Numbers", &core.LineNumbers1},
            {"Ask On Line Change", &core.AskOnLineChange},
            {"Show Volts", &core.pinio.options.ShowVolts},
            {"Syntax Colouring (+Reset)", &core.SyntaxColouring1},
        };
        for (const auto& [caption, mark] : marks) {
            QAction* a = entry(w, caption);
            QVERIFY2(a != nullptr && a->isEnabled(), caption);
            const bool was = mark->Checked;
            a->trigger();
            QVERIFY2(mark->Checked == !was && a->isChecked() == mark->Checked, caption);
        }
        QCOMPARE(w.status_panel(3)->text(), QString("Reset")); // syntax colouring resets
        QVERIFY(core.pinio.options.ShowVolts.Checked);
        QVERIFY(QString::fromStdString(core.board.ValAn[0].caption).endsWith('V'));

        const QList<QWidget*> normal = {w.code_list(), w.grid(), w.board_view()->parentWidget()->parentWidget()};
        entry(w, "Arduino on Left")->trigger();
        QCOMPARE(w.splitter()->widget(0), normal[2]);
        QCOMPARE(w.splitter()->widget(2), normal[0]);
        entry(w, "Arduino on Left")->trigger();
        for (int i = 0; i < 3; ++i) QCOMPARE(w.splitter()->widget(i), normal[i]);

        entry(w, "Minimize")->trigger();
        QVERIFY(w.menuBar()->isHidden() && w.tool_bar()->isHidden());
        QVERIFY(w.PopupMenu3()->actions().contains(entry(w, "Minimize")));
        entry(w, "Minimize")->trigger(); // from the board's pop-up
        QVERIFY(!w.menuBar()->isHidden() && !w.tool_bar()->isHidden());

        entry(w, "Legend")->trigger();
        QVERIFY(!w.board_view()->legend()->isHidden());
        QCOMPARE(w.board_view()->legend()->geometry(), QRect(339, 0, 120, 139));

        entry(w, "Mega")->trigger();
        QCOMPARE(core.board.kind, quorvex::BoardKind::Mega);
        QVERIFY(entry(w, "Mega")->isChecked() && !entry(w, "Uno")->isChecked());
        w.RestartClick(); // no board line: the Mega stays, and so does its check
        QVERIFY(entry(w, "Mega")->isChecked());

        for (const char* window :
             {"Simulation data (F5)", "SubRoutines", "EEPROM", "About", "Edit Sketch (F6)", "Watch"})
            QVERIFY2(entry(w, window)->isEnabled(), window);
        QCOMPARE(entry(w, "Step Into (F7)")->shortcut(), QKeySequence()); // "(F7)" is text only
    }

    void settings_come_back_in_a_new_window() {
        QTemporaryDir dir;
        const QString sketch = write_file(dir, "plain.ino", straight_sketch(5));
        {
            MainWindow w;
            start(w);
            QVERIFY(w.load_sketch(sketch));
            w.SwapClick();
            w.Legend1Click();
            w.LineNumbers1Click();
            entry(w, "Log Errors")->trigger();
            entry(w, "Ask On Line Change")->trigger();
            w.MinimizeClick();
            w.AutoStep_Time()->selectAll();
            QTest::keyClicks(w.AutoStep_Time(), "100");
            w.core().analog.set_position(3, 1023 - 512);
            w.Mega1Click();
            w.set_code_font("Arial", 12);
            QList<int> sizes = w.splitter()->sizes();
            sizes[w.splitter()->indexOf(w.code_list())] = 350;
            w.splitter()->setSizes(sizes);
            QCOMPARE(w.code_list()->width(), 350);
            w.close();
        }
        QSettings file(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                       quorvex::SettingsFile::application_name());
        QStringList names;
        for (const quorvex::SettingRow& row : quorvex::settings_table()) names << QString::fromStdString(row.name);
        QStringList keys = file.allKeys();
        QStringList sorted_names = names;
        keys.sort();
        sorted_names.sort();
        QCOMPARE(keys, sorted_names);
        QCOMPARE(file.value("Auto Step ms").toInt(), 100);
        QCOMPARE(file.value("Analog3").toInt(), 512);

        MainWindow w;
        start(w);
        quorvex::Interpreter& core = w.core();
        QCOMPARE(core.FileName, sketch.toStdString());
        QVERIFY(entry(w, "Arduino on Left")->isChecked());
        QCOMPARE(w.splitter()->widget(2), w.code_list());
        QCOMPARE(w.code_list()->width(), 350);
        QVERIFY(w.board_view()->legend()->isVisible());
        QVERIFY(core.LineNumbers1.Checked && core.LogErrors1.Checked && core.AskOnLineChange.Checked);
        QVERIFY(w.menuBar()->isHidden());
        QCOMPARE(w.AutoStep_Time()->text(), QString("100"));
        QCOMPARE(core.board.analog_val[3], 512);
        QCOMPARE(core.board.kind, quorvex::BoardKind::Mega);
        QCOMPARE(w.code_font_name(), QString("Arial"));
        QCOMPARE(w.code_list()->item_height(), 14);

        // An empty delay box stores the last number it held.
        w.AutoStep_Time()->selectAll();
        QTest::keyClick(w.AutoStep_Time(), Qt::Key_Backspace);
        QCOMPARE(w.gather_settings().integer("Auto Step ms"), 100);
        // Maximised, the size to come back to is stored: the inner size, with the frame's corner.
        const QRect normal = w.geometry();
        const QPoint corner = w.pos();
        w.showMaximized();
        QTest::qWait(50);
        QCOMPARE(w.gather_settings().integer("Width"), normal.width());
        QCOMPARE(w.gather_settings().integer("Height"), normal.height());
        QCOMPARE(w.gather_settings().integer("Left"), corner.x());
    }

    void bad_settings_take_defaults() {
        {
            QSettings file(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                           quorvex::SettingsFile::application_name());
            file.setValue("Left", -20000);
            file.setValue("Width", "abc");
            file.setValue("Height", -5);
            file.setValue("Splitter", 0);
            file.setValue("Font Size", 0);
            file.setValue("Analog3", 5000);
            file.setValue("Log Directory", "/no/such/folder");
            file.setValue("File Name", "/no/such/sketch.ino");
            file.setValue("Skin", "Nonsense");
            file.setValue("Uno", 0);
            file.setValue("Mega", 1);
            file.setValue("Other", 1);
        }
        MainWindow w;
        QCOMPARE(w.ThemeStyle, QString("Windows"));
        QString message;
        w.show();
        message = close_error(w, [&] { QVERIFY(QTest::qWaitFor([&] { return w.started(); }, 10000)); });
        QCOMPARE(message, QString("Sketch Error - Please load a sketch first before resetting"));
        QCOMPARE(w.core().board.kind, quorvex::BoardKind::Mega); // the first board checked
        QCOMPARE(w.core().board.analog_val[3], 1023);
        QCOMPARE(w.core().Logdir1, w.core().CurrentDir.string());
        QCOMPARE(w.code_font_height(), -11);
        QCOMPARE(w.code_list()->width(), 300);
        QVERIFY(QGuiApplication::screenAt(w.frameGeometry().center()) != nullptr);
        QCOMPARE(w.status_panel(4)->text(), QString("F1=HELP"));
    }

    void first_start_and_stored_boards() {
        {
            MainWindow w;
            start(w);
            QCOMPARE(w.core().board.kind, quorvex::BoardKind::Uno);
            QCOMPARE(w.AutoStep_Time()->text(), QString("250"));
            QCOMPARE(w.status_panel(4)->text(), QString("F1=HELP"));
            QCOMPARE(QString::fromStdString(w.core().Caption), QString("blink_counter.ino"));
            QVERIFY(w.core().ListBox1.Count() > 10);
            QVERIFY(w.core().pinio.options.SimulateTone1.Checked);
            w.close();
        }
        QTemporaryDir dir;
        {
            QSettings file(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                           quorvex::SettingsFile::application_name());
            file.setValue("Uno", 0);
            file.setValue("Mega", 1);
            file.setValue("File Name", write_file(dir, "uno.ino", "// Simulate Uno\nvoid setup() {\n}\n"));
        }
        {
            MainWindow w;
            start(w);
            QCOMPARE(w.core().board.kind, quorvex::BoardKind::Uno); // line 0 wins
        }
        {
            QSettings file(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                           quorvex::SettingsFile::application_name());
            file.setValue("Mega", 0);
            file.setValue("Other", 1);
            file.setValue("File Name", write_file(dir, "any.ino", "void setup() {\n}\n"));
        }
        MainWindow w;
        int asked = 0;
        w.board_view()->choose_picture = [&] {
            ++asked;
            return QString();
        };
        start(w);
        QCOMPARE(asked, 1);
        QCOMPARE(w.core().board.kind, quorvex::BoardKind::Other);
    }

    void the_open_command_starts_afresh_from_the_chosen_file() {
        QTemporaryDir dir;
        MainWindow w;
        start(w);
        const QString sketch = write_file(dir, "chosen.ino", straight_sketch(3));
        w.choose_sketch = [&](const QString&) { return sketch; };
        w.Open1Click();
        QCOMPARE(QString::fromStdString(w.core().FileName), sketch);
        QCOMPARE(w.windowTitle(), QString("Quorvex - chosen.ino"));
        QCOMPARE(w.code_list()->model()->rowCount(), 8);
        const QSettings record(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                               "Tamberlo " + quorvex::Version1());
        QCOMPARE(record.value("File Name").toString(), sketch);
        QCOMPARE(w.code_list(), QApplication::focusWidget());

        // Unlike a load by name, an open that cannot read its file keeps nothing of the old text.
        QString folder;
        w.choose_sketch = [&](const QString& offered) {
            folder = offered;
            return dir.filePath("gone.ino");
        };
        const QString message = close_error(w, [&] { w.Open1Click(); });
        QCOMPARE(folder, dir.path()); // the last sketch's folder
        QCOMPARE(message, QString("Sketch Error - Please load a sketch first before resetting"));
        QCOMPARE(w.core().ListBox1.Count(), 0);
        QCOMPARE(w.code_list()->model()->rowCount(), 0);
    }

    void code_list_clicks() {
        QTemporaryDir dir;
        MainWindow w;
        start(w);
        QVERIFY(w.load_sketch(write_file(dir, "s.ino", straight_sketch(60))));
        quorvex::CodeListView* list = w.code_list();
        quorvex::Interpreter& core = w.core();
        core.Line = 3;
        w.UpdateClick(true);
        const auto click_row = [&](int row, Qt::MouseButton button = Qt::LeftButton) {
            const QRect r = list->visualRect(list->model()->index(row, 0));
            QTest::mouseClick(list->viewport(), button, {}, r.center());
        };
        int dialogs = 0;
        int line_while_asking = -1;
        QRect dialog_bounds;
        const auto answer = [&](QPushButton* (*button)(quorvex::ChangeLineDialog*)) {
            QTimer::singleShot(0, [&, button] {
                ++dialogs;
                line_while_asking = core.Line;
                dialog_bounds = QRect(w.ChangeLine->pos(), w.ChangeLine->size());
                button(w.ChangeLine)->click();
            });
        };
        entry(w, "Ask On Line Change")->trigger();
        answer([](quorvex::ChangeLineDialog* d) { return d->Button2; });
        click_row(7);
        QCOMPARE(dialogs, 1);
        QCOMPARE(line_while_asking, 7); // the new line shows while the dialog asks
        QCOMPARE(dialog_bounds, QRect(w.frameGeometry().topLeft() + QPoint(20, 100), QSize(319, 106)));
        QCOMPARE(core.Line, 3);
        QCOMPARE(list->currentIndex().row(), 3);
        answer([](quorvex::ChangeLineDialog* d) { return d->Button1; });
        click_row(7);
        QCOMPARE(dialogs, 2);
        QCOMPARE(core.Line, 7);
        QCOMPARE(w.status_panel(0)->text(), QString("Line: 0007"));

        // A right press picks the breakpoint line and moves nothing.
        click_row(10, Qt::RightButton);
        w.PopupMenu1()->close();
        QCOMPARE(core.BreakLine1, 10);
        QCOMPARE(core.Line, 7);
        QCOMPARE(list->currentIndex().row(), 7);
        QCOMPARE(dialogs, 2);
        w.BreakPoint1Click();
        QCOMPARE(core.BreakLine, 10);

        // A programmatic selection moves nothing; the refresh centres the current line.
        entry(w, "Ask On Line Change")->trigger();
        list->resize(list->width(), 20 * list->item_height() + (list->height() - list->viewport()->height()));
        core.Line = 40;
        w.UpdateClick(true);
        QCOMPARE(list->visible_rows(), 20);
        QCOMPARE(list->first_visible(), 30);
        QCOMPARE(core.Line, 40);
        QCOMPARE(dialogs, 2);
    }

    void help_print_and_shell() {
        QTemporaryDir dir;
        MainWindow w;
        QTest::keyClick(w.grid(), Qt::Key_F1);
        QCOMPARE(w.help().last_context(), 29);
        QTest::keyClick(w.code_list(), Qt::Key_F1);
        QCOMPARE(w.help().last_context(), 28);
        QVERIFY(w.help().browser()->toPlainText().contains("Code list"));
        QMenu* run = nullptr;
        for (QAction* a : w.menuBar()->actions())
            if (a->text() == "Run") run = a->menu();
        QVERIFY(run != nullptr);
        QTimer::singleShot(0, [&] {
            QTest::keyClick(run, Qt::Key_F1);
            run->close();
        });
        run->exec(QPoint(10, 10));
        QCOMPARE(w.help().last_context(), 10);
        QTimer::singleShot(0, [&] {
            QTest::keyClick(w.ChangeLine->Button1, Qt::Key_F1);
            w.ChangeLine->reject();
        });
        w.ChangeLine->exec();
        QCOMPARE(w.help().last_context(), 14);
        for (int context : {1, 9, 10, 11, 12, 13, 14, 17, 18, 28, 29, 30})
            QVERIFY2(QFile::exists(QString(":/help/ctx%1.html").arg(context)), qPrintable(QString::number(context)));

        QPrinter& printer = w.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("main.pdf"));
        printer.setPageOrientation(QPageLayout::Landscape);
        quorvex::print_main_window(&w, printer);
        QFile pdf(dir.filePath("main.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page>") + bytes.count("/Type /Page "), 1);
        QVERIFY(printer.pageLayout().orientation() == QPageLayout::Landscape);

        entry(w, "Open Sketch in Arduino")->trigger(); // no sketch: nothing opens
        QVERIFY(w.load_sketch(":/examples/blink_counter.ino"));
        entry(w, "Open Sketch in Arduino")->trigger(); // a bundled example has no file
        QVERIFY2(opened_.isEmpty(), qPrintable(opened_.value(0).toString()));
        const QString sketch = write_file(dir, "s.ino", straight_sketch(2));
        QVERIFY(w.load_sketch(sketch));
        entry(w, "Open Sketch in Arduino")->trigger();
        QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(sketch)});
        entry(w, "Training Videos")->trigger();
        QCOMPARE(opened_.size(), 2);
    }

    void commands_without_a_sketch_say_so_once_each() {
        MainWindow w;
        QStringList messages;
        for (int key : {Qt::Key_F7, Qt::Key_F8, Qt::Key_F3, Qt::Key_F2})
            messages << close_error(w, [&] { QTest::keyClick(w.code_list(), static_cast<Qt::Key>(key)); });
        QCOMPARE(messages, (QStringList{"Sketch Error - Please load a sketch first before performing a single step",
                                        "Sketch Error - Please load a sketch first before performing a step over",
                                        "Sketch Error - Please load a sketch first before back stepping",
                                        "Sketch Error - Please load a sketch first before resetting"}));
    }
};

QTEST_MAIN(TestFrame)
#include "frame_test.moc"
