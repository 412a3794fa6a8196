// Window geometry under a window manager, where windows have real frames: the main window across
// restarts and at its first start, and the first show of each small window.
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <memory>

#include "workbench/code_list.h"
#include "workbench/delay_window.h"
#include "workbench/main_window.h"
#include "workbench/settings_store.h"
#include "workbench/window_layout.h"

using quorvex::centre_on;
using quorvex::MainWindow;

namespace {

std::unique_ptr<QSettings> stored() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quorvex",
                                       quorvex::SettingsFile::application_name());
}

// The window's frame as the window manager reports it (QWidget keeps an older answer until the
// window moves).
QRect frame_of(const QWidget& w) {
    const QWindow* window = w.windowHandle();
    return window != nullptr ? window->frameGeometry() : w.frameGeometry();
}

// The window manager has framed the window.
bool framed(const QWidget& w) { return w.isVisible() && frame_of(w) != w.geometry(); }

// Shows the main window, waits for its start and its frame.
void start(MainWindow& w) {
    w.show();
    QVERIFY(QTest::qWaitFor([&] { return w.started(); }, 10000));
    QVERIFY2(QTest::qWaitFor([&] { return framed(w); }, 5000), "no window manager frames the windows");
    QTest::qWait(200); // anything still to place itself does so now
}

// `window`'s frame once it has settled where `expected` says, or where it stayed.
QRect settled(const QWidget& window, const std::function<QRect()>& expected) {
    (void)QTest::qWaitFor([&] { return framed(window) && frame_of(window) == expected(); }, 3000);
    return frame_of(window);
}

QRect centred(const QRect& main, const QWidget& window) {
    const QSize own = frame_of(window).size();
    return {centre_on(main.x(), main.width(), own.width()), centre_on(main.y(), main.height(), own.height()),
            own.width(), own.height()};
}

} // namespace

class TestWmGeometry : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> settings_;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    }
    void init() {
        settings_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_->path());
    }

    void restarts_keep_the_stored_frame() {
        {
            const auto file = stored();
            file->setValue("Left", 304);
            file->setValue("Top", 167);
            file->setValue("Width", 990);
            file->setValue("Height", 630);
        }
        for (int restart = 0; restart < 5; ++restart) {
            {
                MainWindow w;
                start(w);
                QCOMPARE(frame_of(w).topLeft(), QPoint(304, 167));
                QCOMPARE(w.size(), QSize(990, 630));
                w.close();
            }
            const auto file = stored();
            QCOMPARE(file->value("Left").toInt(), 304);
            QCOMPARE(file->value("Top").toInt(), 167);
            QCOMPARE(file->value("Width").toInt(), 990);
            QCOMPARE(file->value("Height").toInt(), 630);
        }
    }

    void simulation_window_keeps_its_place_shown_or_hidden() {
        {
            const auto file = stored();
            file->setValue("ALeft", 600);
            file->setValue("ATop", 200);
            file->setValue("AWidth", 458);
            file->setValue("AHeight", 341);
        }
        for (const bool hide_before_close : {false, true, false}) {
            {
                MainWindow w;
                start(w);
                w.BSimulationClick(); // F5
                QVERIFY(QTest::qWaitFor([&] { return framed(*w.Simulation); }, 5000));
                QTest::qWait(100);
                QCOMPARE(frame_of(*w.Simulation).topLeft(), QPoint(600, 200));
                QCOMPARE(w.Simulation->size(), QSize(458, 341));
                if (hide_before_close) {
                    w.BSimulationClick();
                    QTest::qWait(100);
                }
                w.close();
            }
            const auto file = stored();
            QCOMPARE(file->value("ALeft").toInt(), 600);
            QCOMPARE(file->value("ATop").toInt(), 200);
            QCOMPARE(file->value("AWidth").toInt(), 458);
            QCOMPARE(file->value("AHeight").toInt(), 341);
        }
    }

    void first_start_is_630_high_frame_included() {
        MainWindow w;
        start(w);
        const QRect desk = w.screen()->availableGeometry();
        QTRY_COMPARE(frame_of(w).height(), 630);
        QCOMPARE(frame_of(w).topLeft(), desk.topLeft());
    }

    void small_windows_land_exactly_at_their_first_show() {
        MainWindow w;
        start(w);
        const QRect main = frame_of(w);

        QRect about;
        QRect about_expected;
        QTimer::singleShot(0, &w, [&] {
            about = settled(*w.About1, [&] { return centred(main, *w.About1); });
            about_expected = centred(main, *w.About1);
            w.About1->close();
        });
        w.AboutClick();
        QCOMPARE(about, about_expected);

        w.host().delay_window()->start(5000);
        const QRect delay = settled(*w.Fm_Delay, [&] { return centred(main, *w.Fm_Delay); });
        QCOMPARE(delay, centred(main, *w.Fm_Delay));
        w.host().delay_window()->DelayCloseClick();

        w.EEPROM1Click();
        const auto eeprom_expected = [&] {
            const int own = frame_of(*w.EEPROM_Form).width();
            return QRect(centre_on(main.x(), main.width(), own), main.y(), own, main.height());
        };
        const QRect eeprom = settled(*w.EEPROM_Form, eeprom_expected);
        QCOMPARE(eeprom, eeprom_expected());
        w.EEPROM_Form->close();

        QRect change;
        QTimer::singleShot(0, &w, [&] {
            change = settled(*w.ChangeLine,
                             [&] { return QRect(main.topLeft() + QPoint(20, 100), frame_of(*w.ChangeLine).size()); });
            w.ChangeLine->done(2);
        });
        w.ChangeLine->exec();
        QCOMPARE(change.topLeft(), main.topLeft() + QPoint(20, 100));
    }
};

QTEST_MAIN(TestWmGeometry)
#include "wm_geometry_test.moc"
