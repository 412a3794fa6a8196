// Screenshots of the main window for a person to look at: run under a real X server (see
// scripts/screenshots), never as a test.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <cstdio>

#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/error_dialog.h"
#include "workbench/help.h"
#include "workbench/main_window.h"
#include "workbench/qt_host.h"
#include "workbench/simulation_window.h"
#include "workbench/styles.h"
#include "workbench/variables_grid.h"

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

// Help opened with F1 from the code list (its own page, with the contents link), the
// subroutines list with a long name beside the line column, and the error window with its
// default button, each as a user reaches it by keys.
bool keys_help_and_windows() {
    QTemporaryDir dir;
    write(dir.filePath("keys.ino"), "// Simulate Uno\nint level = 0;\nvoid setup() {\n  level = 1;\n}\n"
                                    "void loop() {\n  level = scale_the_reading_for_the_display(level, 2);\n"
                                    "  blink(3);\n}\nint scale_the_reading_for_the_display(int v, int f) {\n"
                                    "  return v * f;\n}\n");
    quorvex::MainWindow w;
    w.move(0, 0);
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return false;
    w.load_sketch(dir.filePath("keys.ino"));
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w)) return false;
    w.code_list()->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(w.windowHandle(), Qt::Key_F1);
    w.help().browser()->move(300, 120);
    shot("keys_1_help_from_code_list_page_28");
    w.ShowHelp1Click();
    shot("keys_1b_help_contents_page_1");
    w.help().browser()->activateWindow();
    if (!QTest::qWaitForWindowActive(w.help().browser())) return false;
    QTest::keyClick(w.help().browser()->windowHandle(), Qt::Key_Escape);

    w.action("SubRoutines1Click")->trigger();
    w.FM_Subroutines->move(320, 100);
    shot("keys_2_subroutines_columns");
    w.FM_Subroutines->close();

    bool shown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        quorvex::ErrorDialog* d = w.host().open_dialog();
        if (d == nullptr) return;
        if (!shown) shot("keys_3_error_close_is_default_run_idle");
        shown = true;
        QTest::keyClick(d->windowHandle(), Qt::Key_Return);
    });
    closer.start(300);
    w.AutoStepClick();
    return QTest::qWaitFor([&] { return shown && w.host().open_dialog() == nullptr; }, 10000);
}

// The part of the screen that `widget` covers, for a closer look than the whole screen.
void shot_of(const QString& name, QWidget* widget) {
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QTest::qWait(30);
    }
    const QRect area(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    const QString path = QDir(out_dir).filePath(name + ".png");
    QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
    std::printf("%s\n", qPrintable(path));
}

const QByteArray looks_sketch = "// Simulate Uno\nint counts[3] = {1, 2, 3};\nint total = 0;\nfloat ratio = 0.75;\n"
                                "String label = \"gjpqy,;\";\nvoid setup() {\n  total = 1; // g, j; p: q\n}\n"
                                "void loop() {\n  total = total + counts[1];\n  label = \"{[(|_g,;:)]}\";\n}\n";

// Each dark style: the tool bar, the grid with its header rows and the code list's pop-up menu.
bool shoot_dark_styles() {
    QTemporaryDir dir;
    write(dir.filePath("looks.ino"), looks_sketch);
    quorvex::MainWindow w;
    w.move(0, 0);
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return false;
    w.load_sketch(dir.filePath("looks.ino"));
    for (int i = 0; i < 6; ++i) w.Step1Click();
    for (const QString& name : quorvex::StyleRegistry::names()) {
        if (w.styles().palette(name).color(QPalette::Window).lightness() >= 128) continue;
        w.ThemeStyle = w.styles().apply(name);
        w.PopupMenu1()->popup(w.mapToGlobal(QPoint(640, 120))); // its check entries unchecked
        shot("20_style_" + QString(name).replace(' ', '_'));
        w.PopupMenu1()->close();
    }
    w.ThemeStyle = w.styles().apply(QStringLiteral("Windows"));
    return true;
}

// The code list at character heights 8, 12 and 20: descenders, commas and semicolons whole.
bool shoot_code_list_sizes() {
    QTemporaryDir dir;
    write(dir.filePath("looks.ino"), looks_sketch);
    quorvex::MainWindow w;
    w.move(0, 0);
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return false;
    w.load_sketch(dir.filePath("looks.ino"));
    for (int size : {8, 12, 20}) {
        w.set_code_font(QStringLiteral("Courier"), size);
        shot_of(QStringLiteral("21_code_list_size_%1").arg(size), w.code_list());
    }
    w.set_code_font(QStringLiteral("Arial"), 12);
    shot_of(QStringLiteral("21_code_list_arial_12"), w.code_list());
    return true;
}

// The grid scrolled to its last column: "No" stays in view, beside a selected range.
bool shoot_fixed_column() {
    QTemporaryDir dir;
    write(dir.filePath("looks.ino"), looks_sketch);
    quorvex::MainWindow w;
    w.move(0, 0);
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return false;
    w.load_sketch(dir.filePath("looks.ino"));
    for (int i = 0; i < 6; ++i) w.Step1Click();
    auto* grid = qobject_cast<quorvex::VariablesGrid*>(w.grid());
    const QModelIndex from = grid->model()->index(1, 2);
    const QModelIndex to = grid->model()->index(3, 3);
    grid->selectionModel()->setCurrentIndex(to, QItemSelectionModel::NoUpdate);
    grid->selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    shot_of(QStringLiteral("22_grid_scrolled_right_with_a_range"), grid);
    return true;
}

// Each menu of the bar open under its title, each pop-up, and the tool bar up close: captions,
// check marks, separators and pictures as a user sees them.
bool shoot_menus_and_tool_bar() {
    quorvex::MainWindow w;
    w.move(0, 0);
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return false;
    w.load_sketch(":/examples/blink_counter.ino");
    shot_of(QStringLiteral("23_tool_bar"), w.tool_bar());
    int n = 0;
    for (QAction* title : w.menuBar()->actions()) {
        w.menuBar()->setActiveAction(title);
        shot(QStringLiteral("24_menu_%1_%2").arg(n++).arg(title->text()));
        title->menu()->close();
    }
    n = 0;
    for (QMenu* popup : {w.PopupMenu1(), w.PopupMenu2(), w.PopupMenu3()}) {
        popup->popup(w.mapToGlobal(QPoint(400, 200)));
        shot(QStringLiteral("25_popup_%1").arg(++n));
        popup->close();
    }
    return true;
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
    {
        // The other windows over a sketch with arrays, serial output and EEPROM writes.
        QTemporaryDir dir;
        write(dir.filePath("windows.ino"),
              "// Simulate Mega\n#include <EEPROM.h>\nint counts[4] = {1, 2, 3, 4};\nint total = 0;\n"
              "float ratio = 0.75;\nString label = \"serial\";\nconst int limit = 9;\nbyte flags[3];\n"
              "void setup() {\n  Serial.begin(9600);\n  EEPROM.write(3, 171);\n  EEPROM.write(20, 300);\n}\n"
              "void loop() {\n  total = total + 1;\n  Serial.print(\"total=\");\n  Serial.println(total);\n"
              "  report(total);\n}\nvoid report(int n) {\n  int twice = n * 2;\n}\n");
        quorvex::MainWindow w;
        w.move(0, 0);
        w.show();
        if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return 1;
        w.load_sketch(dir.filePath("windows.ino"));
        for (int i = 0; i < 40; ++i) w.Step1Click();
        auto* sim = qobject_cast<quorvex::SimulationWindow*>(w.Simulation.data());
        sim->setGeometry(560, 40, 700, 520);
        sim->ShowA16Click();
        w.core().analog.set_position(2, 200);
        w.core().analog.set_position(9, 700);
        w.UpdateClick(true);
        sim->raise();
        shot("09_simulation_mega_16_inputs_serial");
        sim->hide();

        auto* grid = qobject_cast<quorvex::VariablesGrid*>(w.grid());
        const auto mark = [&](const std::string& name) {
            const std::vector<quorvex::GridRow>& rows = grid->model()->rows();
            for (size_t i = 0; i < rows.size(); ++i)
                if (rows[i].name == name) grid->setCurrentIndex(grid->model()->index(static_cast<int>(i), 1));
            grid->StringGrid1Exit();
        };
        mark("counts[0]");
        mark("total");
        mark("ratio");
        shot("10_grid_folded_and_marked");
        w.action("WatchClick")->trigger();
        shot("11_grid_watch");
        w.action("WatchClick")->trigger();

        w.action("EEPROM1Click")->trigger();
        shot("12_eeprom");
        w.EEPROM_Form->hide();

        w.action("EditClick")->trigger();
        w.EditSketch->move(60, 40);
        shot("13_editor");
        w.EditSketch->hide();

        w.action("SubRoutines1Click")->trigger();
        shot("14_subroutines");
        w.FM_Subroutines->close();

        QTimer::singleShot(400, [&] {
            shot("15_about");
            qobject_cast<QDialog*>(w.About1.data())->accept();
        });
        w.action("AboutClick")->trigger();

        w.host().show_delay(5500);
        shot("16_delay");
        w.host().delay_window()->DelayCloseClick();

        bool shown = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            quorvex::ErrorDialog* d = w.host().open_dialog();
            if (d == nullptr) return;
            if (!shown) shot("17_error_with_email");
            shown = true;
            d->Button1->click();
        });
        closer.start(300);
        w.core().evaluate_expression("blink(3) & more;");
    }
    {
        // The LCD on panel 4 beside the serial port, with a servo and its shaded pin.
        QTemporaryDir dir;
        write(dir.filePath("lcd.ino"),
              "#include <LiquidCrystal.h>\n#include <Servo.h>\nLiquidCrystal lcd(12, 11, 5, 4, 3, 2);\n"
              "Servo arm;\nint n = 0;\nvoid setup() {\n  Serial.begin(9600);\n  arm.attach(9);\n"
              "  lcd.begin(16, 2);\n  lcd.print(\"Hello, panel\");\n}\nvoid loop() {\n  n = n + 1;\n"
              "  lcd.setCursor(0, 1);\n  lcd.print(n);\n  arm.write(n * 10);\n  Serial.println(n);\n}\n");
        quorvex::MainWindow w;
        w.move(0, 0);
        w.show();
        if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return 1;
        w.load_sketch(dir.filePath("lcd.ino"));
        for (int i = 0; i < 30; ++i) w.Step1Click();
        auto* sim = qobject_cast<quorvex::SimulationWindow*>(w.Simulation.data());
        sim->setGeometry(560, 40, 700, 520);
        w.UpdateClick(true);
        sim->raise();
        shot("18_lcd_servo_serial");
    }
    if (!keys_help_and_windows()) return 1;
    if (!shoot_dark_styles() || !shoot_code_list_sizes() || !shoot_fixed_column()) return 1;
    if (!shoot_menus_and_tool_bar()) return 1;
    return 0;
}
