// The sketch editor over the real core: show, update, the save commands and the font.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "tests/support/sketch_file.h"
#include "workbench/code_list.h"
#include "workbench/error_dialog.h"
#include "workbench/main_window.h"
#include "workbench/sketch_editor.h"
#include "workbench/version.h"

using quorvex::MainWindow;
using quorvex::SketchEditor;

namespace {

QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Fixture {
    QTemporaryDir dir;
    MainWindow w;
    SketchEditor& editor;
    QStringList chosen;   // what the chooser answers, one per call
    QStringList messages; // failed saves
    QStringList asked;    // replace questions
    bool replace = false;
    QString caption;

    explicit Fixture(const QByteArray& sketch, const QByteArray& header = {})
        : editor(*qobject_cast<SketchEditor*>(w.EditSketch.data())) {
        if (!header.isEmpty()) write_test_file(dir, "extra.h", header);
        const QString path = write_test_file(dir, "sketch.ino", sketch);
        w.load_sketch(path);
        editor.choose_file = [this] { return chosen.isEmpty() ? QString() : chosen.takeFirst(); };
        editor.confirm_replace = [this](const QString& p) {
            asked << p;
            return replace;
        };
        editor.show_message = [this](const QString& m) { messages << m; };
        const auto main_caption = editor.set_caption;
        editor.set_caption = [this, main_caption](const QString& c) {
            caption = c;
            main_caption(c);
        };
        w.action("EditClick")->trigger();
    }
    QStringList code_list() {
        QStringList rows;
        for (const std::string& line : w.core().ListBox1.items()) rows << QString::fromStdString(line);
        return rows;
    }
};

const QByteArray saved_by = "// Saved by Quorvex V" + quorvex::Version1().toUtf8();
const QByteArray mega = "// Simulate Mega\nint x;\nvoid setup() {\n  x = 1;\n}\nvoid loop() {\n}\n";

} // namespace

class TestSketchEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void save_as_writes_the_header_line_and_reloads() {
        Fixture t(mega);
        QCOMPARE(t.editor.RichEdit1->toPlainText(), QString::fromUtf8(mega).chopped(1));
        t.chosen << t.dir.filePath("saved");
        t.editor.SaveFileAs->click();
        const QString saved = t.dir.filePath("saved.ino");
        QCOMPARE(read_all(saved), "// Simulate Mega\r\n" + saved_by +
                                      "\r\nint x;\r\nvoid setup() {\r\n  x = 1;\r\n}\r\nvoid loop() {\r\n}\r\n");
        QCOMPARE(QString::fromStdString(t.w.core().FileName), saved);
        QCOMPARE(t.w.windowTitle(), QString("Quorvex - saved.ino"));
        QVERIFY(t.w.load_sketch(saved));
        QCOMPARE(t.code_list().value(1), QString::fromUtf8(saved_by));
        QCOMPARE(t.w.core().board.kind, quorvex::BoardKind::Mega);

        // ".pde" gains ".ino"; an existing "x.pde.ino" is replaced only when the user agrees.
        const QString taken = t.dir.filePath("b.pde.ino");
        write_test_file(t.dir, "b.pde.ino", "old");
        t.chosen << t.dir.filePath("b.pde");
        t.editor.SaveFileAs->click();
        QCOMPARE(t.asked, QStringList{taken});
        QCOMPARE(read_all(taken), QByteArray("old"));
        QCOMPARE(QString::fromStdString(t.w.core().FileName), saved);
        t.replace = true;
        t.chosen << t.dir.filePath("b.pde");
        t.editor.SaveFileAs->click();
        QVERIFY(read_all(taken).startsWith("// Simulate Mega\r\n"));

        // A folder that is a file: a message, the old file, name and caption kept.
        const QString before = QString::fromStdString(t.w.core().FileName);
        t.chosen << t.dir.filePath("sketch.ino/x.ino");
        t.editor.SaveFileAs->click();
        QCOMPARE(t.messages.size(), 1);
        QCOMPARE(QString::fromStdString(t.w.core().FileName), before);
        QCOMPARE(t.caption, QFileInfo(before).fileName());
        QCOMPARE(read_all(t.dir.filePath("sketch.ino")), mega);
        t.editor.SaveFileAs->click(); // cancelled: nothing
        QCOMPARE(t.messages.size(), 1);
    }

    void save_and_update_without_a_name_asks_first() {
        Fixture t(mega);
        t.w.core().FileName.clear();
        t.editor.RichEdit1->setPlainText("// Simulate Uno\nvoid setup() {\n}\nvoid loop() {\n}");
        t.editor.SaveUpdate->click(); // the chooser is cancelled
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files), QStringList{"sketch.ino"});
        QCOMPARE(t.code_list().value(0), QString("// Simulate Mega"));
        QVERIFY(!QFile::exists(".ino"));

        t.chosen << t.dir.filePath("named");
        t.editor.SaveUpdate->click();
        QVERIFY(QFile::exists(t.dir.filePath("named.ino")));
        QCOMPARE(t.code_list().value(0), QString("// Simulate Uno"));
        QVERIFY(t.editor.isHidden());
    }

    void update_takes_the_text_as_a_load_would() {
        Fixture t("#include \"extra.h\"\nvoid setup() {\n}\nvoid loop() {\n}\n",
                  "int fromHeader = 1;\nint other = 2;\n");
        t.w.core().includeCode1.Checked = true;
        t.w.core().BreakLine = 2;
        t.w.RestartClick();
        QCOMPARE(t.w.core().ListBox1.Count(), 7); // the header's lines inserted
        t.editor.hide();
        t.w.action("EditClick")->trigger();
        QCOMPARE(t.editor.RichEdit1->toPlainText(),
                 QString("#include \"extra.h\"\nvoid setup() {\n}\nvoid loop() {\n}"));

        // Tabs become one blank each; the breakpoint stays.
        t.editor.RichEdit1->setPlainText("void setup() {\n\tint a;\n}\nvoid loop() {\n}");
        t.editor.LoadChanges->click();
        QCOMPARE(t.code_list().value(1), QString(" int a;"));
        QCOMPARE(t.w.core().BreakLine, 2);
        QVERIFY(t.editor.isHidden());

        t.w.action("EditClick")->trigger();
        t.editor.BareMinimum->click();
        t.editor.LoadChanges->click();
        QCOMPARE(t.w.core().ListBox1.Count(), 11);
        QCOMPARE(t.code_list().value(0), QString("// Simulate Uno"));
        QVERIFY(t.w.core().Line > 2 && t.w.core().Line < 6); // waiting in setup()

        // A NUL typed into the text goes to the code list as a blank.
        t.w.action("EditClick")->trigger();
        t.editor.RichEdit1->setPlainText(QString("void setup() {\n  int") + QChar(u'\0') + "b;\n}\nvoid loop() {\n}");
        t.editor.LoadChanges->click();
        QCOMPARE(t.code_list().value(1), QString("  int b;"));
    }

    void fonts_and_styles_reach_every_window() {
        Fixture t(mega);
        QCOMPARE(t.editor.CHeight->currentText(), QString::number(t.w.code_font_height()));
        t.editor.CHeight->lineEdit()->clear();
        QTest::keyClicks(t.editor.CHeight->lineEdit(), "20");
        QTest::keyClick(t.editor.CHeight->lineEdit(), Qt::Key_Return);
        QCOMPARE(t.w.code_list()->item_height(), 22);
        QCOMPARE(t.editor.RichEdit1->font(), t.w.code_list()->font());
        t.editor.CFont->lineEdit()->clear();
        QTest::keyClicks(t.editor.CFont->lineEdit(), "Arial");
        QTest::keyClick(t.editor.CFont->lineEdit(), Qt::Key_Return);
        QCOMPARE(t.w.code_font_name(), QString("Arial"));

        const QPalette start = QApplication::palette();
        const auto click_skin = [&](const QString& name) {
            QListWidgetItem* item = t.editor.SkinSelect->findItems(name, Qt::MatchExactly).value(0);
            QVERIFY(item != nullptr);
            QTest::mouseClick(t.editor.SkinSelect->viewport(), Qt::LeftButton, {},
                              t.editor.SkinSelect->visualItemRect(item).center());
        };
        QCOMPARE(t.editor.SkinSelect->count(), 15);
        t.editor.SkinSelect->scrollToBottom();
        click_skin("Windows");
        QCOMPARE(t.w.ThemeStyle, QString("Windows"));
        t.editor.SkinSelect->scrollToTop();
        click_skin("Carbon");
        QCOMPARE(t.w.ThemeStyle, QString("Carbon"));
        QVERIFY(QApplication::palette().color(QPalette::Window) != start.color(QPalette::Window));
        t.editor.SkinSelect->scrollToBottom();
        click_skin("Windows");
        QCOMPARE(QApplication::palette().color(QPalette::Window), start.color(QPalette::Window));
    }
};

QTEST_MAIN(TestSketchEditor)
#include "sketch_editor_test.moc"
