// The variables grid over the real core: rows, formats, marks, folding and typed values.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "tests/support/sketch_file.h"
#include "workbench/code_list.h"
#include "workbench/error_dialog.h"
#include "workbench/main_window.h"
#include "workbench/variables_grid.h"

using quorvex::GridRow;
using quorvex::MainWindow;
using quorvex::VariablesGrid;

namespace {

const char* globals_sketch = "int a = 1;\n"
                             "byte by = 1;\n"
                             "float f = 3.14159;\n"
                             "String s = \" hi \";\n"
                             "const int c = 5;\n"
                             "int arr[3] = {1, 2, 3};\n"
                             "int x = -1;\n"
                             "void setup() {\n"
                             "  a = 1;\n"
                             "  a = 2;\n"
                             "  g(3);\n"
                             "}\n"
                             "void loop() {\n"
                             "}\n"
                             "void g(int p) {\n"
                             "  int q = p;\n"
                             "}\n";

// A shown main window (its settings in a folder of their own) with the sketch loaded.
struct Fixture {
    QTemporaryDir dir;
    QTemporaryDir settings;
    MainWindow w;
    VariablesGrid& grid;
    bool ready = false;

    explicit Fixture(const char* text) : grid(*qobject_cast<VariablesGrid*>(w.grid())) {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        const QString path = write_test_file(dir, "grid.ino", text);
        w.resize(1000, 900);
        w.show();
        ready = QTest::qWaitFor([&] { return w.started(); }, 10000) && w.load_sketch(path);
    }
    quorvex::Interpreter& core() { return w.core(); }
    int row_of(const std::string& name) const {
        const std::vector<GridRow>& rows = grid.model()->rows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (!rows[i].header && rows[i].name == name) return static_cast<int>(i);
        return -1;
    }
    QString text(const std::string& name, int column) const {
        return grid.model()->index(row_of(name), column).data().toString();
    }
    void click(const std::string& name, int column) {
        const QModelIndex index = grid.model()->index(row_of(name), column);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(index).center());
    }
    // The open cell editor; a closed one lingers hidden until it is deleted.
    QLineEdit* editor() const {
        for (QLineEdit* e : grid.findChildren<QLineEdit*>())
            if (e->isVisible()) return e;
        return nullptr;
    }
    void step() { QTest::keyClick(&grid, Qt::Key_F7); }
    int32_t value(const std::string& name) { return core().find_value(name).i; }
};

// Runs `typing`, closing any error window it opens; returns the messages shown.
QStringList errors_while(MainWindow& w, const std::function<void()>& typing) {
    QStringList seen;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (quorvex::ErrorDialog* dialog = w.host().open_dialog()) {
            seen << dialog->Label1->text();
            dialog->Button1->click();
        }
    });
    closer.start();
    typing();
    return seen;
}

} // namespace

class TestVariablesGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void rows_follow_each_step() {
        Fixture t(globals_sketch);
        QVERIFY(t.ready);
        QAbstractItemModelTester tester(t.grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(t.grid.model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Value"));
        QCOMPARE(t.grid.model()->index(0, 2).data().toString(), QString("byte"));
        QCOMPARE(t.text("f", 3), QString("3.14"));
        QCOMPARE(t.text("s", 3), QString(" hi "));
        QCOMPARE(t.text("c", 4), QString("const "));
        QCOMPARE(t.text("a", 3), QString("1"));
        t.step();
        t.step();
        QCOMPARE(t.text("a", 3), QString("2"));
        QCOMPARE(t.grid.currentIndex().row(), 0);

        t.grid.HexClick();
        QCOMPARE(t.text("x", 3), QString("0xFFFFFFFF"));
        t.click("x", 3);
        QVERIFY(t.editor() == nullptr); // no editing outside Decimal
        t.click("x", 1);
        QCOMPARE(t.text("x", 1), QString(""));
        t.grid.Char1Click();
        t.core().set_var("a", 65);
        t.w.UpdateClick(true);
        QCOMPARE(t.text("a", 3), QString("A (0x41)"));
        t.grid.DecimalClick();
        QCOMPARE(t.text("a", 3), QString("65"));
    }

    void marks_fold_watch_and_follow_their_variables() {
        Fixture t(globals_sketch);
        QVERIFY(t.ready);
        t.click("a", 1);
        QCOMPARE(t.text("a", 1), QString("w"));
        QCOMPARE(t.grid.currentIndex().column(), 2);
        t.click("a", 1);
        QCOMPARE(t.text("a", 1), QString(""));
        t.click("f", 1);
        QCOMPARE(t.text("f", 1), QString("w"));

        t.click("arr[0]", 1); // folds the other elements at once
        QCOMPARE(t.text("arr[0]", 1), QString("+"));
        QVERIFY(t.grid.isRowHidden(t.row_of("arr[1]")));
        QVERIFY(t.grid.isRowHidden(t.row_of("arr[2]")));
        QVERIFY(!t.grid.isRowHidden(t.row_of("x")));
        t.click("x", 1); // another mark leaves the fold alone
        QVERIFY(t.grid.isRowHidden(t.row_of("arr[1]")));
        t.click("x", 1);

        t.grid.WatchClick();
        QVERIFY(t.grid.isRowHidden(t.row_of("a")));
        QVERIFY(!t.grid.isRowHidden(t.row_of("f")));
        QVERIFY(!t.grid.isRowHidden(0)); // headers stay
        t.grid.WatchClick();

        // A call adds int locals above the float row; the mark stays with f.
        while (t.core().vars.lookup("q").slot == 0) t.step();
        QCOMPARE(t.text("f", 1), QString("w"));
        QCOMPARE(t.text("q", 1), QString(""));
        QCOMPARE(t.text("arr[0]", 1), QString("+"));
        while (t.core().vars.lookup("q").slot != 0) t.step();
        QCOMPARE(t.row_of("q"), -1);
        QCOMPARE(t.text("f", 1), QString("w"));

        // Reset clears every mark.
        t.w.RestartClick();
        QCOMPARE(t.text("f", 1), QString(""));
    }

    void no_rows_once_the_last_local_is_gone() {
        Fixture t("void setup() {\n  g(1);\n}\nvoid loop() {\n}\nvoid g(int p) {\n  p = 2;\n}\n");
        QVERIFY(t.ready);
        QCOMPARE(t.grid.model()->rowCount(), 0);
        while (t.core().vars.lookup("p").slot == 0) t.step();
        QCOMPARE(t.grid.model()->rowCount(), 2);
        while (t.core().vars.lookup("p").slot != 0) t.step();
        QCOMPARE(t.grid.model()->rowCount(), 0);
    }

    void typed_values_are_written_as_typed() {
        Fixture t(globals_sketch);
        QVERIFY(t.ready);
        QStringList hints;
        t.grid.on_hint = [&](const QString& h) { hints << h; };

        t.click("a", 3);
        QLineEdit* editor = t.editor();
        QVERIFY(editor != nullptr);
        QCOMPARE(t.value("a"), 1); // opening the editor assigns nothing
        editor->clear();
        QTest::keyClick(editor, Qt::Key_Minus);
        QCOMPARE(t.value("a"), 1);
        QTest::keyClick(editor, Qt::Key_5);
        QCOMPARE(t.value("a"), -5);
        t.grid.commit_editor();
        QVERIFY(t.editor() == nullptr);

        t.click("f", 3);
        t.editor()->clear();
        QTest::keyClicks(t.editor(), "2.5");
        QCOMPARE(t.core().vars.at(quorvex::n_float, 1).fval, 2.5f);
        t.grid.commit_editor();

        // Bad numbers, pasted whole, assign nothing and open no window.
        t.click("x", 3);
        const QStringList bad = {"12a", "99999999999", "1e999", "nan", "0x1F", QString(100000, QChar('9'))};
        for (const QString& text : bad) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(t.editor(), Qt::Key_A, Qt::ControlModifier);
            const QStringList errors =
                errors_while(t.w, [&] { QTest::keyClick(t.editor(), Qt::Key_V, Qt::ControlModifier); });
            QVERIFY(errors.isEmpty());
            QCOMPARE(t.value("x"), -1);
        }
        QCOMPARE(hints.size(), bad.size());
        t.grid.commit_editor();

        // A byte reports its range as "300" is typed, a const at its first key.
        t.click("by", 3);
        t.editor()->clear();
        QStringList errors = errors_while(t.w, [&] { QTest::keyClicks(t.editor(), "300"); });
        QCOMPARE(errors.size(), 1);
        t.grid.commit_editor();
        t.click("c", 3);
        t.editor()->clear();
        errors = errors_while(t.w, [&] { QTest::keyClick(t.editor(), Qt::Key_7); });
        QCOMPARE(errors, QStringList{"Sketch Error - Cannot change a const variable! c"});
        t.grid.commit_editor();

        // Clicking values and stepping writes nothing back.
        t.core().vars.at(quorvex::n_float, 1).fval = 3.14159f;
        t.click("f", 3);
        t.click("s", 3);
        t.step();
        t.step();
        QCOMPARE(t.core().vars.at(quorvex::n_float, 1).fval, 3.14159f);
        QCOMPARE(t.core().vars.at(quorvex::n_string, 1).sval, std::string(" hi "));

        // F7 in an open editor: the value is in, then one step ("a = 1;" to "a = 2;").
        t.w.RestartClick();
        QCOMPARE(t.core().Line, 8);
        t.click("x", 3);
        t.editor()->clear();
        QTest::keyClicks(t.editor(), "42");
        QTest::keyClick(t.editor(), Qt::Key_F7);
        QVERIFY(t.editor() == nullptr);
        QCOMPARE(t.core().Line, 9);
        QCOMPARE(t.value("x"), 42);
        QCOMPARE(t.text("x", 3), QString("42"));

        // A string takes the text as typed, trimmed.
        t.click("s", 3);
        t.editor()->clear();
        QTest::keyClicks(t.editor(), " yo ");
        QCOMPARE(t.core().vars.at(quorvex::n_string, 1).sval, std::string("yo"));
    }

    void the_first_column_stays_while_the_others_scroll() {
        const QByteArray text = QByteArray("long many[40];\n") + globals_sketch;
        Fixture t(text.constData());
        QVERIFY(t.ready);
        VariablesGrid& grid = t.grid;
        QScrollBar* across = grid.horizontalScrollBar();
        QVERIFY(across->maximum() > 0); // the five columns are wider than the grid
        // What a person sees at a point of the grid: the cell of the view on top there.
        const auto seen = [&](QPoint p) -> QModelIndex {
            QWidget* at = grid.childAt(p);
            auto* view = at != nullptr ? qobject_cast<QTableView*>(at->parentWidget()) : nullptr;
            return view != nullptr ? view->indexAt(at->mapFrom(&grid, p)) : QModelIndex();
        };
        const auto first_column_lines_up = [&] {
            for (int y = 5; y < grid.viewport()->height(); y += 20) {
                const QModelIndex cell = seen(grid.viewport()->geometry().topLeft() + QPoint(5, y));
                if (grid.rowAt(y) < 0) break; // below the last row
                if (cell.column() != 0 || cell.row() != grid.rowAt(y)) return false;
            }
            return true;
        };

        across->setValue(across->maximum());
        const int a = t.row_of("a");
        const QModelIndex shown =
            seen(grid.viewport()->geometry().topLeft() + QPoint(5, grid.rowViewportPosition(a) + 5));
        QCOMPARE(shown.column(), 0);
        QCOMPARE(shown.row(), a);
        QCOMPARE(shown.data().toString(), t.text("a", 0));
        QVERIFY(first_column_lines_up());
        grid.verticalScrollBar()->setValue(20);
        QVERIFY(grid.rowAt(5) > 10);
        QVERIFY(first_column_lines_up());
        grid.verticalScrollBar()->setValue(0);
        t.click("many[0]", 1); // folds 39 rows in both views
        QVERIFY(grid.isRowHidden(t.row_of("many[1]")));
        QVERIFY(first_column_lines_up());

        // A click on the fixed column gives the grid the keys.
        t.w.code_list()->setFocus();
        QTest::mouseClick(grid.fixed_column()->viewport(), Qt::LeftButton, {},
                          QPoint(5, grid.rowViewportPosition(a) + 5));
        QCOMPARE(QApplication::focusWidget(), &grid);
        QCOMPARE(grid.currentIndex(), grid.model()->index(a, 0));

        // Moving left from the last column brings W out from under the fixed column.
        across->setValue(across->maximum());
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(a, 4));
        for (int i = 0; i < 3; ++i) QTest::keyClick(&grid, Qt::Key_Left);
        QCOMPARE(grid.currentIndex().column(), 1);
        QVERIFY(grid.visualRect(grid.currentIndex()).left() >= grid.columnWidth(0));
        // "No" stays first, whatever column is dragged there.
        grid.horizontalHeader()->moveSection(3, 0);
        QCOMPARE(grid.horizontalHeader()->visualIndex(0), 0);

        // A range may be selected; Shift+click on a W or Value cell acts on nothing.
        across->setValue(0);
        t.click("a", 2);
        const QModelIndex x_mark = grid.model()->index(t.row_of("x"), 1);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, grid.visualRect(x_mark).center());
        QCOMPARE(grid.selectionModel()->selectedIndexes().size(), 2 * (t.row_of("x") - a + 1));
        QCOMPARE(t.text("x", 1), QString(""));
        const QModelIndex x_value = grid.model()->index(t.row_of("x"), 3);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, grid.visualRect(x_value).center());
        QCOMPARE(grid.selectionModel()->selectedIndexes().size(), 3 * (t.row_of("x") - a + 1));
        QVERIFY(t.editor() == nullptr);
        // Typing writes the current cell only.
        QTest::keyClick(&grid, Qt::Key_7);
        QVERIFY(t.editor() != nullptr);
        QCOMPARE(t.value("a"), 1);
        QVERIFY(t.value("x") != -1);
        t.grid.commit_editor();
        t.click("x", 1); // a plain click still marks
        QCOMPARE(t.text("x", 1), QString("w"));

        // The next sketch opens at the first columns.
        across->setValue(across->maximum());
        QVERIFY(t.w.load_sketch(write_test_file(t.dir, "next.ino", globals_sketch)));
        QCOMPARE(across->value(), 0);
    }
};

QTEST_MAIN(TestVariablesGrid)
#include "variables_grid_test.moc"
