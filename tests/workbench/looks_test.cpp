// Readability of the main window's real widgets: code-list rows that hold their glyphs at every
// size, the chosen font family, and tool bar pictures, grid header rows and menu check boxes
// that stand out in every style.
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "tests/support/sketch_file.h"
#include "workbench/code_list.h"
#include "workbench/main_window.h"
#include "workbench/settings_store.h"
#include "workbench/sketch_editor.h"
#include "workbench/styles.h"
#include "workbench/tool_icons.h"
#include "workbench/variables_grid.h"

using quorvex::MainWindow;

namespace {

// Descenders, commas against full stops, semicolons against colons, and tall glyphs.
const QString probe_text = QStringLiteral("gjpqy,;|_ ([{Q}]) \"'^");

bool dark(QRgb pixel) { return qGray(pixel) < 200; }

// The dark pixels of `text` drawn in `font` from the left of a strip `width` pixels wide, with
// nothing above or below to cut it.
int free_ink(const QFont& font, const QString& text, int width) {
    const QFontMetrics metrics(font);
    QImage image(width, metrics.height() * 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPoint(0, metrics.height() * 2), text);
    p.end();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += dark(image.pixel(x, y));
    return n;
}

int ink_in(const QImage& image, const QRect& rect) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) n += dark(image.pixel(x, y));
    return n;
}

// The strongest contrast of any pixel in `rect` with `background`.
double best_contrast(const QImage& image, const QRect& rect, const QColor& background) {
    double best = 1;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            best = std::max(best, quorvex::contrast(QColor(image.pixel(x, y)), background));
    return best;
}

QByteArray probe_sketch() {
    QByteArray text = "int g = 0;\nvoid setup() {\n}\nvoid loop() {\n";
    for (int i = 0; i < 6; ++i) text += probe_text.toUtf8() + "\n";
    return text + "}\n";
}

struct Started {
    QTemporaryDir settings;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> w;
    bool ready = false;

    // A shown window over the probe sketch, after `stored` wrote the settings it starts from.
    explicit Started(const std::function<void(QSettings&)>& stored = {}) {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        if (stored) {
            QSettings file(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                           quorvex::SettingsFile::application_name());
            stored(file);
        }
        w = std::make_unique<MainWindow>();
        w->startup_sketch = write_test_file(dir, "probe.ino", probe_sketch());
        w->resize(1000, 700);
        w->show();
        ready = QTest::qWaitFor([&] { return w->started(); }, 10000);
    }
};

// Every probe row of the list holds all the ink its text has when drawn freely.
void check_rows_whole(MainWindow& w, const char* what) {
    quorvex::CodeListView* list = w.code_list();
    const QFontMetrics metrics(list->font());
    QVERIFY2(list->item_height() >= metrics.height(), what);
    QApplication::processEvents();
    const QImage image = list->viewport()->grab().toImage(); // the probe rows: black on white
    const int expected = free_ink(list->font(), probe_text, image.width());
    QVERIFY(expected > 0);
    for (int row = 4; row < 10; ++row) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        if (!image.rect().contains(rect)) break;
        const int drawn = ink_in(image, rect.intersected(image.rect()));
        QVERIFY2(drawn >= expected - 2, qPrintable(QStringLiteral("%1: row %2 of height %3 shows %4 of %5 dark pixels")
                                                       .arg(what)
                                                       .arg(row)
                                                       .arg(list->item_height())
                                                       .arg(drawn)
                                                       .arg(expected)));
    }
}

} // namespace

class TestLooks : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void code_rows_hold_their_glyphs_at_every_size() {
        Started t;
        QVERIFY(t.ready);
        MainWindow& w = *t.w;
        check_rows_whole(w, "-11 at start");
        auto& editor = *qobject_cast<quorvex::SketchEditor*>(w.EditSketch.data());
        w.action("EditClick")->trigger();
        // The size box shows the code list's height as stored.
        QCOMPARE(editor.CHeight->currentText(), QString("-11"));
        QStringList sizes = {"8"};
        for (int i = 0; i < editor.CHeight->count(); ++i) sizes << editor.CHeight->itemText(i);
        for (const QString& size : sizes) {
            editor.CHeight->lineEdit()->clear();
            QTest::keyClicks(editor.CHeight->lineEdit(), size);
            QTest::keyClick(editor.CHeight->lineEdit(), Qt::Key_Return);
            QCOMPARE(w.code_font_height(), size.toInt());
            QCOMPARE(w.code_list()->item_height(), size.toInt() + 2); // a cell height: its rows are h + 2
            // The editor shows the code list's font.
            QCOMPARE(editor.RichEdit1->font().pixelSize(), w.code_list()->font().pixelSize());
            check_rows_whole(w, qPrintable("size " + size));
        }
        // A character height the rows were not made for: they grow to hold it.
        w.set_code_font("Courier", -20);
        check_rows_whole(w, "-20");
        QVERIFY(w.code_list()->item_height() >= QFontMetrics(w.code_list()->font()).height());
    }

    void a_stored_size_of_20_draws_whole() {
        Started t([](QSettings& file) {
            file.setValue("Font Type", "Courier");
            file.setValue("Font Size", 20);
        });
        QVERIFY(t.ready);
        QCOMPARE(t.w->code_list()->item_height(), 22);
        check_rows_whole(*t.w, "stored 20");
    }

    void the_chosen_family_shows() {
        Started t;
        QVERIFY(t.ready);
        MainWindow& w = *t.w;
        auto& editor = *qobject_cast<quorvex::SketchEditor*>(w.EditSketch.data());
        w.action("EditClick")->trigger();
        const QString arial = QFontInfo(QFont("Arial")).family();
        editor.CFont->lineEdit()->clear();
        QTest::keyClicks(editor.CFont->lineEdit(), "Arial");
        QTest::keyClick(editor.CFont->lineEdit(), Qt::Key_Return);
        QCOMPARE(w.code_font_name(), QString("Arial"));
        QCOMPARE(QFontInfo(w.code_list()->font()).family(), arial);
        QCOMPARE(QFontInfo(editor.RichEdit1->font()).family(), arial);
        // Courier is the fixed-pitch family it always was.
        w.set_code_font("Courier", -11);
        QCOMPARE(QFontInfo(w.code_list()->font()).family(), QFontInfo(QFont("Courier")).family());
    }

    void every_style_keeps_tool_bar_grid_and_menus_readable() {
        Started t;
        QVERIFY(t.ready);
        MainWindow& w = *t.w;
        QTemporaryDir dir;
        QVERIFY(
            w.load_sketch(write_test_file(dir, "v.ino", "int counter = 1;\nvoid setup() {\n}\nvoid loop() {\n}\n")));
        auto* grid = qobject_cast<quorvex::VariablesGrid*>(w.grid());
        QVERIFY(grid != nullptr && grid->model()->rowCount() == 2);
        QAction* unchecked = w.action("LineNumbers1Click");
        QVERIFY(unchecked->isCheckable() && !unchecked->isChecked());
        for (const QString& name : quorvex::StyleRegistry::names()) {
            w.ThemeStyle = w.styles().apply(name);
            QApplication::processEvents();
            const QPalette palette = QApplication::palette();

            const QImage bar = w.tool_bar()->grab().toImage();
            for (const char* tool : {"Reset1", "GoBack", "Step1", "StepOutOf", "StepOver", "RunButton", "Abort"}) {
                QWidget* button = w.tool_bar()->widgetForAction(w.tool_bar()->findChild<QAction*>(tool));
                QVERIFY(button != nullptr);
                const QRect rect = button->geometry();
                const QColor background = bar.pixel(rect.left() + 1, rect.center().y());
                const double c = best_contrast(bar, rect.adjusted(2, 2, -2, -2), background);
                QVERIFY2(c >= 3, qPrintable(QStringLiteral("%1: %2 has contrast %3").arg(name, tool).arg(c)));
            }

            const QImage cells = grid->viewport()->grab().toImage();
            const QRect header = grid->visualRect(grid->model()->index(0, 2)); // "int", bold italic
            const QColor face = cells.pixel(header.right() - 2, header.center().y());
            QCOMPARE(face, palette.color(QPalette::Button));
            const double c = best_contrast(cells, header.adjusted(1, 1, -1, -1), face);
            QVERIFY2(c >= 4.5, qPrintable(QStringLiteral("%1: grid header row has contrast %2").arg(name).arg(c)));

            if (name == "Windows") continue; // the platform's own look
            QMenu* menu = w.PopupMenu1();
            menu->adjustSize();
            const QImage items = menu->grab().toImage();
            const QRect item = menu->actionGeometry(unchecked);
            const QColor menu_back = items.pixel(item.right() - 2, item.center().y());
            const QRect box(item.left(), item.top(), item.height(), item.height());
            const double b = best_contrast(items, box, menu_back);
            QVERIFY2(b >= 3, qPrintable(QStringLiteral("%1: unchecked box has contrast %2").arg(name).arg(b)));
        }
        w.ThemeStyle = w.styles().apply("Windows");
    }
};

QTEST_MAIN(TestLooks)
#include "looks_test.moc"
