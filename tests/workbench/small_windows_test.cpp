// The error, delay, subroutines and about windows over the real core.
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

#include "tests/support/sketch_file.h"
#include "tests/workbench/window_test_setup.h"
#include "workbench/about_dialog.h"
#include "workbench/eeprom_window.h"
#include "workbench/error_dialog.h"
#include "workbench/main_window.h"
#include "workbench/subroutines_window.h"
#include "workbench/version.h"

using quorvex::MainWindow;

namespace {

QString write_sketch(const QTemporaryDir& dir, const char* text) { return write_test_file(dir, "sketch.ino", text); }

// Shows the main window and waits until its first show has loaded the settings.
bool start(MainWindow& w) {
    w.show();
    return QTest::qWaitFor([&] { return w.started(); }, 10000);
}

// The window's outer centre lies on the main window's (the platform may add frames of its own).
bool centred_on(const QWidget& window, const QWidget& main) {
    const QPoint d = window.frameGeometry().center() - main.frameGeometry().center();
    return std::abs(d.x()) <= 2 && std::abs(d.y()) <= 2;
}

} // namespace

class TestSmallWindows : public QObject {
    Q_OBJECT
    WindowTestSetup setup_;

private slots:
    void initTestCase() { setup_.begin_suite(); }
    void cleanupTestCase() { setup_.end_suite(); }
    void init() { setup_.begin_test(); }

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
        QCOMPARE(setup_.urls.size(), 1);
        const QUrl url = setup_.urls.front();
        QCOMPARE(url.scheme(), QString("mailto"));
        QVERIFY(url.fragment().isEmpty());
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), 1);
        QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), "Auto Error=" + message + " Line=b = a & c;");

        // Markup, line breaks and a long text arrive as written.
        const QString odd = "Cannot Evaluate <b>x</b>\n" + QString(10000, QChar('y'));
        dialog.set_error(odd, "x = \"%41\";");
        dialog.Send->click();
        QCOMPARE(QUrlQuery(setup_.urls.back()).queryItemValue("subject", QUrl::FullyDecoded),
                 "Auto Error=" + odd + " Line=x = \"%41\";");
    }

    void delay_window_is_modal_centred_and_holds_run() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(start(w));
        w.setGeometry(100, 50, 990, 641);
        QVERIFY(w.load_sketch(write_sketch(dir, "int x = 0;\nvoid setup() {\n}\nvoid loop() {\n"
                                                "  delay(3000);\n  x = x + 1;\n}\n")));
        w.core().pinio.options.SimulateDelay.Checked = true;
        while (w.core().Line != 4) w.core().Step1Click();
        QCOMPARE(w.Fm_Delay.data(), w.host().delay_window());
        w.AutoStepClick(); // Run's first step is the delay
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
        w.AbortClick();
    }

    void subroutines_list_the_scan() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_sketch(dir, "// x\nint a;\n\nvoid setup() {\n}\n\n\n\nvoid loop() {\n}\n"
                                                "int twice(int v, int w) {\n  return v * 2;\n}\n"
                                                "int scale_the_reading_for_the_small_display(int v) {\n"
                                                "  return v;\n}\n")));
        auto& subs = *qobject_cast<quorvex::SubroutinesWindow*>(w.FM_Subroutines.data());
        w.action("SubRoutines1Click")->trigger();
        QVERIFY(subs.isVisible());
        QTableWidget* grid = subs.StringGrid1;
        QCOMPARE(grid->rowCount(), 4);
        const auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c) cells << grid->item(r, c)->text();
            return cells;
        };
        QCOMPARE(row(0), (QStringList{"0", "setup", "0", "0003"}));
        QCOMPARE(row(1), (QStringList{"1", "loop", "0", "0008"}));
        QCOMPARE(row(2), (QStringList{"2", "twice", "2", "0010"}));
        QCOMPARE(row(3), (QStringList{"3", "scale_the_reading_for_the_small_display", "1", "0013"}));
        QCOMPARE(grid->horizontalHeaderItem(3)->text(), QString("Line"));
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        // Every column but the name shows its texts and header whole, all within the window.
        QVERIFY(QTest::qWaitForWindowExposed(&subs));
        QCOMPARE(subs.size(), QSize(267, 449));
        const auto fitted = [&] {
            int right = 0;
            for (int c = 0; c < 4; ++c) {
                const int needed = std::max(static_cast<QAbstractItemView*>(grid)->sizeHintForColumn(c),
                                            grid->horizontalHeader()->sectionSizeHint(c));
                if (c != 1 && grid->columnWidth(c) < needed) return false;
                right += grid->columnWidth(c);
            }
            return right <= grid->viewport()->width();
        };
        QVERIFY(fitted());
        w.action("SubRoutines1Click")->trigger();
        QVERIFY(subs.isHidden());
        w.core().ListBox1.assign({});
        w.core().subs.clear();
        w.action("SubRoutines1Click")->trigger(); // refilled at every show
        QCOMPARE(grid->rowCount(), 0);
    }

    void eeprom_cells_show_and_take_hex() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(start(w));
        w.setGeometry(100, 50, 990, 641);
        QVERIFY(w.load_sketch(write_sketch(dir, "#include <EEPROM.h>\nvoid setup() {\n  EEPROM.write(5, 66);\n"
                                                "  EEPROM.write(6, 300);\n}\nvoid loop() {\n}\n")));
        auto& window = *qobject_cast<quorvex::EepromWindow*>(w.EEPROM_Form.data());
        w.action("EEPROM1Click")->trigger();
        QVERIFY(window.isVisible());
        QCOMPARE(window.frameGeometry().top(), w.frameGeometry().top());
        QCOMPARE(window.frameGeometry().height(), w.frameGeometry().height());
        QVERIFY(std::abs(window.frameGeometry().center().x() - w.frameGeometry().center().x()) <= 2);
        quorvex::EepromModel& model = *window.model();
        QCOMPARE(model.headerData(26, Qt::Vertical, Qt::DisplayRole).toString(), QString("01A0"));
        QCOMPARE(model.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), QString("05"));
        QCOMPARE(model.headerData(15, Qt::Horizontal, Qt::DisplayRole).toString(), QString("0F"));
        QCOMPARE(model.index(26, 5).data().toString(), QString("FF"));

        // The sketch's writes show at the refresh after the step.
        QSignalSpy reread(&model, &QAbstractItemModel::dataChanged);
        QTest::keyClick(window.StringGrid1, Qt::Key_F7);
        QCOMPARE(reread.size(), 1);
        QCOMPARE(model.index(0, 5).data().toString(), QString("42"));
        QTest::keyClick(window.StringGrid1, Qt::Key_F7);
        QCOMPARE(model.index(0, 6).data().toString(), QString("12C"));

        // Typing stores at every key: the leading hex digits, any size.
        const auto type = [&](int row, int column, const QString& text) {
            window.StringGrid1->setCurrentIndex(model.index(row, column));
            QTest::keyClick(window.StringGrid1, text.at(0).toLatin1()); // opens the cell's editor
            QLineEdit* editor = nullptr;
            for (QLineEdit* e : window.StringGrid1->findChildren<QLineEdit*>())
                if (e->isVisible()) editor = e;
            QVERIFY(editor != nullptr);
            QTest::keyClicks(editor, text.mid(1));
            QTest::keyClick(editor, Qt::Key_Return); // committed: stored again
        };
        type(26, 5, "7f");
        QCOMPARE(w.core().eeprom.get(0x1A5).value_or(-999), 127);
        type(1, 0, "zz");
        QCOMPARE(w.core().eeprom.get(16).value_or(-999), 0);
        type(1, 1, "1ff");
        QCOMPARE(w.core().eeprom.get(17).value_or(-999), 511);
        type(1, 2, "FFFFFFFF");
        QCOMPARE(w.core().eeprom.get(18).value_or(-999), -1);
        QCOMPARE(model.index(1, 2).data().toString(), QString("FFFFFFFF"));
        type(1, 3, "123456789abcdef01234");
        QCOMPARE(w.core().eeprom.get(19).value_or(-999), static_cast<int32_t>(0xdef01234u));
    }

    void about_is_centred_and_opens_the_web_page() {
        MainWindow w;
        QVERIFY(start(w));
        w.setGeometry(100, 50, 990, 641);
        auto& about = *qobject_cast<quorvex::AboutDialog*>(w.About1.data());
        QCOMPARE(about.AboutTitle->text(), "Quorvex -  V" + quorvex::Version1());
        bool centred = false;
        QTimer::singleShot(0, &about, [&] {
            centred = QApplication::activeModalWidget() == &about && centred_on(about, w);
            about.Button1->click();
            about.AboutClose->click();
        });
        w.action("AboutClick")->trigger(); // modal: returns when closed
        QVERIFY(centred);
        QVERIFY(about.isHidden());
        QCOMPARE(setup_.urls.size(), 1);
        QCOMPARE(setup_.urls.front().scheme(), QString("https"));
    }
};

QTEST_MAIN(TestSmallWindows)
#include "small_windows_test.moc"
