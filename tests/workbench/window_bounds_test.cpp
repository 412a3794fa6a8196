// Where the windows open and what a start makes of odd settings: the first start's panes, stored
// sizes far beyond the screen, a window stored off every screen, values that cannot be read.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/error_dialog.h"
#include "workbench/main_window.h"
#include "workbench/settings_store.h"
#include "workbench/sketch_editor.h"

using quorvex::MainWindow;

namespace {

std::unique_ptr<QSettings> stored() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                                       quorvex::SettingsFile::application_name());
}

// Starts a shown window and waits for its first show's settings and sketch; any error window
// that opens meanwhile is closed and its message kept.
QString start(MainWindow& w) {
    QString message;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (quorvex::ErrorDialog* d = w.host().open_dialog()) {
            message = d->Label1->text();
            d->reject();
        }
    });
    poll.start(20);
    w.show();
    if (!QTest::qWaitFor([&] { return w.started(); }, 10000)) return QStringLiteral("not started");
    return message;
}

bool example_loaded(MainWindow& w) { return w.core().Caption == "blink_counter.ino" && w.core().ListBox1.Count() > 10; }

} // namespace

class TestWindowBounds : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> settings_;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        settings_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_->path());
    }

    void first_start_gives_each_pane_its_width() {
        MainWindow w;
        QCOMPARE(start(w), QString());
        QTRY_COMPARE(w.grid()->width(), 266);
        QCOMPARE(w.code_list()->width(), 300);
        QScrollArea* board = w.findChild<QScrollArea*>("BoardPanel");
        QVERIFY(board != nullptr);
        QCOMPARE(board->viewport()->width(), w.board_view()->width()); // the whole board, uncut
        QCOMPARE(w.frameGeometry().height(), 630);
    }

    void stored_sizes_fit_the_screen() {
        {
            const auto file = stored();
            for (const char* name : {"Width", "Height", "AWidth", "AHeight", "Splitter", "Variables"})
                file->setValue(name, 100000);
            file->setValue("Left", 40);
            file->setValue("Top", 30);
            file->setValue("Font Type", QString(1 << 20, 'x'));
            file->setValue("Auto Step ms", -5);
        }
        const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
        {
            MainWindow w;
            start(w);
            QTRY_VERIFY(desk.contains(w.frameGeometry()));
            QVERIFY(w.code_list()->width() < desk.width());
            QCOMPARE(w.code_font_name(), QString("Courier"));
            QCOMPARE(w.AutoStep_Time()->text(), QString("250"));
            w.BSimulationClick();
            QTRY_VERIFY(w.Simulation->isVisible());
            QTRY_VERIFY(desk.contains(w.Simulation->frameGeometry()));
            w.close();
        }
        // What is written back fits as well.
        const auto file = stored();
        QVERIFY(file->value("Width").toInt() <= desk.width());
        QVERIFY(file->value("Height").toInt() <= desk.height());
        QVERIFY(file->value("AWidth").toInt() <= desk.width());
        QCOMPARE(file->value("Font Type").toString(), QString("Courier"));
        QCOMPARE(file->value("Auto Step ms").toInt(), 250);
    }

    void simulation_window_stored_off_screen_comes_back() {
        {
            const auto file = stored();
            file->setValue("ALeft", -3000); // as after removing a second monitor
            file->setValue("ATop", 99999);
        }
        MainWindow w;
        start(w);
        w.BSimulationClick(); // F5
        QTRY_VERIFY(w.Simulation->isVisible());
        const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_COMPARE(w.Simulation->frameGeometry().topLeft(), desk.topLeft());
        QCOMPARE(w.Simulation->size(), QSize(458, 341));
    }

    void unreadable_settings_start_with_the_example() {
        // A settings file that cannot be read at all.
        const QString ini = stored()->fileName();
        QVERIFY(QDir().mkpath(ini));
        {
            MainWindow w;
            QCOMPARE(start(w), QString());
            QVERIFY(example_loaded(w));
        }
        QVERIFY(QDir(ini).removeRecursively());
        // "File Name" stored as nothing a name can be: a list, a typed value, empty, missing.
        for (const QVariant& name :
             {QVariant(QStringList{"a", "b"}), QVariant(QPoint(1, 2)), QVariant(QString()), QVariant()}) {
            {
                const auto file = stored();
                file->clear();
                file->setValue("Uno", 1);
                if (name.isValid()) file->setValue("File Name", name);
            }
            MainWindow w;
            QCOMPARE(start(w), QString());
            QVERIFY2(example_loaded(w), qPrintable(name.toString()));
        }
    }

    void editor_fills_its_client_area() {
        MainWindow w;
        start(w);
        auto* editor = qobject_cast<quorvex::SketchEditor*>(w.EditSketch.data());
        w.EditClick();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QCOMPARE(editor->size(), QSize(840, 607));
        QCOMPARE(editor->RichEdit1->geometry(), QRect(0, 0, 641, editor->RichEdit1->height()));
        for (QWidget* child : editor->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(editor->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
};

QTEST_MAIN(TestWindowBounds)
#include "window_bounds_test.moc"
