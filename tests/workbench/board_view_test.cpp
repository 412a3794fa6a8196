// The board panel, its built-in pictures, the delay countdown and the tone's samples.
#include <QAudioFormat>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

#include "simulation/board_geometry.h"
#include "workbench/board_view.h"
#include "workbench/main_window.h"

namespace g = quorvex::geometry;
using quorvex::Board;
using quorvex::BoardView;
using quorvex::MainWindow;

namespace {

QPoint centre_of(int32_t pin) {
    const g::Rect r = *g::shape_rect(pin);
    return QPoint(r.x + r.w / 2, r.y + r.h / 2);
}

// A sketch of a few plain lines, so that each Run step moves the current line.
QString write_sketch(QTemporaryDir& dir) {
    const QString path = dir.filePath("steps.ino");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write("int a = 0;\nvoid setup() {\na = 1;\na = 2;\na = 3;\na = 4;\n}\nvoid loop() {\n}\n");
    return path;
}

} // namespace

class TestBoardView : public QObject {
    Q_OBJECT
private slots:
    void pictures_are_built_in_at_their_size() {
        for (const char* name : {":/boards/UnoR3.jpg", ":/boards/MegaR3.jpg"}) {
            const QImage image{QString::fromLatin1(name)};
            QVERIFY2(!image.isNull(), name);
            QCOMPARE(image.size(), QSize(g::picture.w, g::picture.h));
        }
        // Each picture has a dark header hole under pin 13's shape; only the Mega has one under 40.
        const auto dark_under = [](const QImage& image, int32_t pin) {
            const QPoint c = centre_of(pin) - QPoint(g::picture.x, g::picture.y);
            return qGray(image.pixel(c)) < 110;
        };
        const QImage uno(":/boards/UnoR3.jpg");
        const QImage mega(":/boards/MegaR3.jpg");
        QVERIFY(dark_under(uno, 13));
        QVERIFY(dark_under(mega, 13));
        QVERIFY(dark_under(mega, 40));
        QVERIFY(!dark_under(uno, 40));
    }

    void click_on_a_shape_toggles_that_pin() {
        MainWindow w;
        BoardView* view = w.board_view();
        Board& board = w.core().board;
        board.set_output(13, quorvex::INPUT, "D13");
        board.set_output(12, quorvex::INPUT, "D12");
        QCOMPARE(view->visible_pin_at(centre_of(13)), 13);

        QTest::mouseClick(view, Qt::LeftButton, {}, centre_of(13));
        QVERIFY(board.is_high(13));
        QVERIFY(!board.is_high(12));
        QTest::mouseClick(view, Qt::LeftButton, {}, centre_of(13));
        QVERIFY(!board.is_high(13));

        // An analog shape toggles its own pin.
        board.set_output(63, quorvex::INPUT, "A3");
        QTest::mouseClick(view, Qt::LeftButton, {}, centre_of(63));
        QVERIFY(board.is_high(63));
    }

    void hidden_shapes_labels_and_other_buttons_toggle_nothing() {
        MainWindow w;
        BoardView* view = w.board_view();
        Board& board = w.core().board;
        board.Uno1Click();
        QCOMPARE(view->visible_pin_at(centre_of(20)), -1); // the Uno hides pins above 13
        QTest::mouseClick(view, Qt::LeftButton, {}, centre_of(20));
        QVERIFY(!board.is_high(20));

        board.set_output(5, quorvex::INPUT, "D5");
        const g::Rect label = g::label_box(5)->rect;
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(label.x + 2, label.y + 2));
        QTest::mouseClick(view, Qt::RightButton, {}, centre_of(5));
        QVERIFY(!board.is_high(5));
    }

    void reset_switch_click_resets() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_sketch(dir)));
        const int32_t first = w.core().Line;
        w.core().Step1Click();
        QVERIFY(w.core().Line != first);
        const g::Rect sw = g::reset_switch_rect(w.core().board.layout);
        QTest::mouseClick(w.board_view(), Qt::LeftButton, {}, QPoint(sw.x + 20, sw.y + 20));
        QCOMPARE(w.core().Line, first);
    }

    void view_paints_the_model() {
        MainWindow w;
        BoardView* view = w.board_view();
        Board& board = w.core().board;
        board.set_output(13, quorvex::OUTPUT, "D13");
        board.output_on(13, true);
        const QImage image = view->grab().toImage();
        QCOMPARE(image.size(), view->sizeHint());
        QCOMPARE(QColor(image.pixel(centre_of(13))), QColor(255, 0, 0)); // a HIGH output is red
        const g::Rect led = g::led13_rect();
        QCOMPARE(QColor(image.pixel(led.x + led.w / 2, led.y + led.h / 2)), QColor(Qt::yellow));
    }

    void delay_countdown_counts_whole_seconds_then_closes() {
        MainWindow w;
        quorvex::QtHost& host = w.host();
        host.show_delay(5500);
        quorvex::DelayCountdown* delay = host.delay_window();
        QVERIFY(host.delay_pending());
        QVERIFY(!delay->isHidden());
        QCOMPARE(delay->Label1->text(), QString("5 s"));
        for (int i = 4; i >= 0; --i) {
            delay->Timer1Timer();
            QCOMPARE(delay->Label1->text(), QString("%1 s").arg(i));
            QVERIFY(host.delay_pending());
        }
        delay->Timer1Timer(); // the sixth tick closes
        QVERIFY(!host.delay_pending());
        QVERIFY(delay->isHidden());
        QVERIFY(!delay->Timer1->isActive());

        host.show_delay(999);
        QCOMPARE(delay->Label1->text(), QString("0 s"));
        delay->Timer1Timer();
        QVERIFY(!host.delay_pending());

        host.show_delay(0);
        QVERIFY(host.delay_pending());
        delay->DelayClose->click();
        QVERIFY(!host.delay_pending());
        QVERIFY(!delay->Timer1->isActive());
    }

    void run_takes_no_step_while_a_delay_counts_down() {
        QTemporaryDir dir;
        MainWindow w;
        QVERIFY(w.load_sketch(write_sketch(dir)));
        w.AutoStepClick();
        QVERIFY(w.core().Timer1.Enabled);
        w.host().show_delay(2000);
        const int32_t line = w.core().Line;
        w.timer1_tick();
        w.timer1_tick();
        QCOMPARE(w.core().Line, line);
        w.host().delay_window()->DelayCloseClick();
        w.timer1_tick();
        QVERIFY(w.core().Line != line);
        w.AbortClick();
    }

    void square_wave_has_the_frequency_and_length() {
        QAudioFormat mono;
        mono.setSampleRate(8000);
        mono.setChannelCount(1);
        mono.setSampleFormat(QAudioFormat::Int16);
        // 1000 Hz at 8000 samples a second: 4 samples high, 4 low.
        const QByteArray data = quorvex::square_wave(1000, 10, mono);
        QCOMPARE(data.size(), qsizetype(80 * 2));
        std::vector<int16_t> s(80);
        std::memcpy(s.data(), data.constData(), data.size());
        for (size_t i = 0; i < s.size(); ++i) QCOMPARE(s[i] > 0, (i / 4) % 2 == 0);

        QAudioFormat stereo;
        stereo.setSampleRate(44100);
        stereo.setChannelCount(2);
        stereo.setSampleFormat(QAudioFormat::Float);
        const QByteArray f = quorvex::square_wave(440, 100, stereo);
        QCOMPARE(f.size(), qsizetype(4410 * 2 * 4));
        // The longest tone at the highest frequency: the sample and phase counts stay in range.
        const QByteArray longest =
            quorvex::square_wave(quorvex::QtHost::highest_tone, quorvex::QtHost::longest_tone_ms, stereo);
        QCOMPARE(longest.size(), qsizetype(441000 * 2 * 4));
        float last = 0;
        std::memcpy(&last, longest.constData() + longest.size() - 4, 4);
        QVERIFY(last == 0.25F || last == -0.25F);

        QCOMPARE(quorvex::square_wave(0, 100, mono).size(), qsizetype(0));
        QCOMPARE(quorvex::square_wave(440, 0, mono).size(), qsizetype(0));
        QCOMPARE(quorvex::square_wave(440, 100, QAudioFormat()).size(), qsizetype(0));
    }

    void tone_returns_and_drops_unplayable_frequencies() {
        // Each call returns: a hang fails the test by its time limit.
        quorvex::QtHost host;
        host.play_tone(20, 5000);    // below the lowest: dropped at once
        host.play_tone(40000, 5000); // above the highest
        host.play_tone(440, -1);
        host.play_tone(440, 100); // plays, or stays silent without an audio output
    }
};

QTEST_MAIN(TestBoardView)
#include "board_view_test.moc"
