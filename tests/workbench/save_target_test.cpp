// The editor's saves onto names that are not plain files: pipes and device nodes (made in the
// test's own folder), links to them and to plain files, and a save the system cuts short.
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "tests/support/sketch_file.h"
#include "workbench/main_window.h"
#include "workbench/sketch_editor.h"

using quorvex::MainWindow;
using quorvex::SketchEditor;

namespace {

const QByteArray sketch = "// Simulate Uno\nvoid setup() {\n}\nvoid loop() {\n}\n";

struct Editor {
    QTemporaryDir dir;
    MainWindow w;
    SketchEditor& editor;
    QStringList messages;

    Editor() : editor(*qobject_cast<SketchEditor*>(w.EditSketch.data())) {
        w.load_sketch(write_test_file(dir, "sketch.ino", sketch));
        editor.show_message = [this](const QString& m) { messages << m; };
        editor.confirm_replace = [](const QString&) { return true; };
        w.EditClick();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // Saving onto `name` is refused with the reason and nothing is written.
    void refused(const QString& name) {
        const std::string before = w.core().FileName;
        messages.clear();
        QVERIFY(!editor.save_to(name));
        QCOMPARE(messages, QStringList{QStringLiteral("Cannot save %1: It is not a regular file").arg(name)});
        QCOMPARE(w.core().FileName, before);
    }
};

mode_t type_of(const QString& path) {
    struct stat s {};
    return ::stat(QFile::encodeName(path).constData(), &s) == 0 ? (s.st_mode & S_IFMT) : 0;
}

} // namespace

class TestSaveTarget : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void pipes_and_links_to_them_are_kept() {
        Editor t;
        const QString pipe = t.path("pipe.ino");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        t.refused(pipe);
        QVERIFY(QFile::link(pipe, t.path("x.ino")));
        t.refused(t.path("x.ino"));
        QCOMPARE(type_of(pipe), mode_t(S_IFIFO));
        QVERIFY(QFileInfo(t.path("x.ino")).isSymLink());

        // "Save & Update" onto the pipe: refused before the update, the code list stays.
        t.w.core().FileName = pipe.toStdString();
        t.editor.RichEdit1->setPlainText("void setup() {\n}\n");
        t.editor.SaveUpdate->click();
        QCOMPARE(type_of(pipe), mode_t(S_IFIFO));
        QCOMPARE(t.w.core().ListBox1.Count(), 5);
        QVERIFY(t.editor.isVisible());
    }

    void device_nodes_and_links_to_them_are_kept() {
        Editor t;
        const QString node = t.path("dev.ino");
        if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("this system does not let the test make a device node (mknod)");
        QVERIFY(QFile::link(node, t.path("x.ino")));
        t.refused(t.path("x.ino"));
        t.refused(node);
        QCOMPARE(type_of(node), mode_t(S_IFCHR));
    }

    void links_to_plain_files_are_saved_through() {
        Editor t;
        const QString target = write_test_file(t.dir, "real.ino", "old");
        QVERIFY(QFile::link(target, t.path("link.ino")));
        QVERIFY(t.editor.save_to(t.path("link.ino")));
        QVERIFY(QFileInfo(t.path("link.ino")).isSymLink());
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("// Simulate Uno\r\n// Saved by"));
    }

    void a_save_cut_short_says_why_and_keeps_the_old_file() {
        Editor t;
        const QString target = write_test_file(t.dir, "old.ino", "old");
        t.editor.RichEdit1->setPlainText(QString(4000, 'x'));
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit before = limit;
        limit.rlim_cur = 1000; // bytes a file may hold
        const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool saved = t.editor.save_to(target);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, old_handler);
        QVERIFY(!saved);
        QCOMPARE(t.messages, QStringList{QStringLiteral("Cannot save %1: File too large").arg(target)});
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old"));
    }
};

QTEST_MAIN(TestSaveTarget)
#include "save_target_test.moc"
