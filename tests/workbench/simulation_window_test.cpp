// The simulation window over the real core: analog bars and boxes, port panels, layout.
#include <QAbstractItemModelTester>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/sketch_file.h"
#include "workbench/code_list.h"
#include "workbench/main_window.h"
#include "workbench/simulation_window.h"

using quorvex::MainWindow;
using quorvex::SimulationWindow;

namespace {

QString write_sketch(const QTemporaryDir& dir, const char* text) { return write_test_file(dir, "sketch.ino", text); }

const char* serial_sketch = "// Simulate Mega\n"
                            "int n = 0;\n"
                            "void setup() {\n"
                            "  Serial.begin(9600);\n"
                            "}\n"
                            "void loop() {\n"
                            "  Serial.print(\"n=\");\n"
                            "  Serial.println(n);\n"
                            "  n = n + 1;\n"
                            "}\n";

} // namespace

class TestSimulationWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void bounds_come_back_after_a_restart() {
        QTemporaryDir settings;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        for (int round = 0; round < 2; ++round) {
            MainWindow w;
            w.show();
            QVERIFY(QTest::qWaitFor([&] { return w.started(); }, 10000));
            SimulationWindow& sim = *qobject_cast<SimulationWindow*>(w.Simulation.data());
            if (round == 0) {
                sim.show();
                sim.move(120, 80);
                sim.resize(500, 400);
            } else {
                sim.show();
                QCOMPARE(sim.pos(), QPoint(120, 80));
                QCOMPARE(sim.size(), QSize(500, 400));
            }
            w.close();
        }
    }

    void layout_follows_board_and_width() {
        MainWindow w;
        SimulationWindow& sim = *qobject_cast<SimulationWindow*>(w.Simulation.data());
        sim.resize(600, 341);
        sim.show();
        sim.FormResize();
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(sim.ScrollBar[i]->isVisibleTo(&sim), i < 6);
            QVERIFY(!sim.An[i]->isVisibleTo(&sim));
        }
        const int w_outer = sim.frameGeometry().width();
        QCOMPARE(sim.ScrollBar[0]->x(), w_outer / 12 - 8);
        QCOMPARE(sim.ScrollBar[5]->x(), 11 * (w_outer / 12) - 8);
        QVERIFY(!sim.ShowA16->isVisibleTo(&sim));

        w.action("Mega1Click")->trigger(); // a board change lays the window out again
        QVERIFY(sim.ShowA16->isVisibleTo(&sim));
        QVERIFY(sim.An[7]->isVisibleTo(&sim));
        QVERIFY(!sim.An[8]->isVisibleTo(&sim));
        QCOMPARE(sim.ScrollBar[1]->x() - sim.ScrollBar[0]->x(), 2 * (w_outer / 16));
        QTest::mouseClick(sim.ShowA16, Qt::LeftButton);
        QCOMPARE(sim.ShowA16->text(), QString("<"));
        QVERIFY(sim.An[15]->isVisibleTo(&sim));
        QCOMPARE(sim.ScrollBar[1]->x() - sim.ScrollBar[0]->x(), 2 * (w_outer / 32));
        QTest::mouseClick(sim.ShowA16, Qt::LeftButton);
        QCOMPARE(sim.ShowA16->text(), QString(">"));
        QVERIFY(!sim.An[8]->isVisibleTo(&sim));
        QTest::mouseClick(sim.Analog_Close, Qt::LeftButton);
        QVERIFY(sim.isHidden());
    }

    void bars_and_boxes_set_the_levels() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_sketch(dir, serial_sketch)));
        quorvex::Interpreter& core = w.core();
        SimulationWindow& sim = *qobject_cast<SimulationWindow*>(w.Simulation.data());
        sim.show();
        QTest::keyClick(sim.ScrollBar[3], Qt::Key_Home); // the top is the highest level
        QCOMPARE(core.board.analog_val[3], 1023);
        QCOMPARE(sim.An[3]->text(), QString("1023"));
        QCOMPARE(core.board.ValAn[3].caption, std::string("1023"));
        core.pinio.options.ShowVolts.Checked = true;
        QTest::keyClick(sim.ScrollBar[3], Qt::Key_Down);
        QTest::keyClick(sim.ScrollBar[3], Qt::Key_Up);
        QCOMPARE(core.board.ValAn[3].caption, std::string("5.00V"));
        QCOMPARE(sim.An[3]->text(), QString("1023"));

        // Each key is applied as typed; the bar clamps and the box shows what it kept.
        sim.An[0]->clear();
        QTest::keyClicks(sim.An[0], "2000");
        QCOMPARE(sim.An[0]->text(), QString("1023"));
        QCOMPARE(sim.ScrollBar[0]->value(), 0);
        QCOMPARE(core.board.analog_val[0], 1023);
        QTest::keyClick(sim.An[0], Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(sim.An[0], Qt::Key_Backspace);
        QCOMPARE(sim.ScrollBar[0]->value(), 0); // an empty box leaves the bar
        QTest::keyClicks(sim.An[0], "12a");
        QCOMPARE(core.board.analog_val[0], 12);
        QCOMPARE(sim.An[0]->text(), QString("12a"));
        sim.An[1]->clear();
        QTest::keyClicks(sim.An[1], "-5");
        QCOMPARE(sim.An[1]->text(), QString("0"));
        QCOMPARE(core.board.analog_val[1], 0);

        // Levels and input texts survive a reset.
        QTest::keyClicks(sim.IN_E[1], "kept");
        w.RestartClick();
        QCOMPARE(core.board.analog_val[0], 12);
        QCOMPARE(sim.IN_E[1]->text(), QString("kept"));
    }

    void panels_show_the_output_as_it_arrives() {
        QTemporaryDir dir;
        MainWindow w;
        quorvex::Interpreter& core = w.core();
        SimulationWindow& sim = *qobject_cast<SimulationWindow*>(w.Simulation.data());
        QVERIFY(w.load_sketch(write_sketch(dir, serial_sketch)));
        QVERIFY(sim.Panel_E[0]->isHidden());
        QVERIFY(sim.isHidden());
        QTableView* list = sim.ListBox_E[0];
        QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        w.Step1Click(); // Serial.begin shows the window
        QVERIFY(!sim.isHidden());
        for (int i = 0; i < 200; ++i) QTest::keyClick(w.code_list(), Qt::Key_F7);
        const quorvex::OutputList& items = core.panels[1].ListBox;
        QVERIFY(items.Count() > 40);
        QVERIFY(!sim.Panel_E[0]->isHidden());
        QCOMPARE(list->model()->rowCount(), items.Count());
        for (int r = 0; r < items.Count(); ++r)
            QCOMPARE(list->model()->index(r, 0).data().toString(), QString::fromStdString(items.item(r)));
        QCOMPARE(list->currentIndex().row(), items.ItemIndex);
        QCOMPARE(list->verticalHeader()->defaultSectionSize(), 13);

        // Typed input goes to the box the devices read; what they consume leaves the box.
        sim.IN_E[0]->clear();
        QTest::keyClicks(sim.IN_E[0], "xyz");
        QCOMPARE(std::string(core.panels[1].IN.Text()), std::string("xyz"));
        core.evaluate_expression("n = Serial.read();");
        w.UpdateClick(true);
        QCOMPARE(sim.IN_E[0]->text(), QString("yz"));

        // Keys in an input box step the sketch and keep the text: F7 steps into, Return over.
        const int32_t line = core.Line;
        QTest::keyClick(sim.IN_E[0], Qt::Key_F7);
        QVERIFY(core.Line != line);
        QCOMPARE(sim.IN_E[0]->text(), QString("yz"));
        while (core.Line != 6) w.Step1Click(); // Serial.print(...)
        QTest::keyClick(sim.IN_E[0], Qt::Key_Return);
        QCOMPARE(core.Line, 7);
        QCOMPARE(sim.IN_E[0]->text(), QString("yz"));

        // The pop-up: all ports, then the unused ones hidden again.
        sim.PopupMenu1->actions().at(0)->trigger();
        for (QWidget* panel : sim.Panel_E) QVERIFY(!panel->isHidden());
        sim.PopupMenu1->actions().at(1)->trigger();
        QVERIFY(!sim.Panel_E[0]->isHidden());
        QVERIFY(sim.Panel_E[2]->isHidden());

        // A file read takes lines off the top: the view drops them as rows.
        quorvex::OutputList& file = core.panels[5].ListBox;
        for (const char* text : {"ab", "c", "de"}) file.add(text);
        w.UpdateClick(false);
        QAbstractItemModel* rows5 = sim.ListBox_E[4]->model();
        QAbstractItemModelTester tester5(rows5, QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int i = 0; i < 4; ++i) file.read_front();
        w.UpdateClick(false);
        QCOMPARE(rows5->rowCount(), 1);
        QCOMPARE(rows5->index(0, 0).data().toString(), QString("e"));

        // Reset empties the lists and hides the panels.
        QTest::keyClick(sim.ListBox_E[0], Qt::Key_F2);
        QVERIFY(sim.Panel_E[0]->isHidden());
        QCOMPARE(list->model()->rowCount(), 0);
    }
};

QTEST_MAIN(TestSimulationWindow)
#include "simulation_window_test.moc"
