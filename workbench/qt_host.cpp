#include "workbench/qt_host.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <cstring>

#include "workbench/error_dialog.h"

namespace quorvex {

ErrorDialog* QtHost::error_window() {
    if (error_ == nullptr) error_ = new ErrorDialog(parent_);
    return error_;
}

void QtHost::show_error(const std::string& message, const std::string& line_text) {
    ErrorDialog* dialog = error_window();
    dialog->set_error(QString::fromStdString(message), QString::fromStdString(line_text));
    if (on_error_stop) on_error_stop();
    open_ = dialog;
    dialog->exec();
    open_ = nullptr;
}

// --- delay countdown ---

QtHost::~QtHost() {
    if (delay_ != nullptr && delay_->parent() == nullptr) delete delay_.data();
    if (error_ != nullptr && error_->parent() == nullptr) delete error_.data();
}

DelayCountdown* QtHost::delay_window() {
    if (delay_ == nullptr) delay_ = new DelayCountdown(parent_);
    return delay_;
}

void QtHost::show_delay(int64_t ms) { delay_window()->start(ms); }

// --- tone ---

namespace {

template <typename T>
void put(char*& out, T value) {
    std::memcpy(out, &value, sizeof value);
    out += sizeof value;
}

} // namespace

QByteArray square_wave(int32_t freq, int32_t ms, const QAudioFormat& format) {
    const int rate = format.sampleRate();
    const int channels = format.channelCount();
    const int bytes = format.bytesPerSample();
    if (freq <= 0 || ms <= 0 || rate <= 0 || channels <= 0 || bytes <= 0) return {};
    const int64_t frames = static_cast<int64_t>(rate) * ms / 1000;
    QByteArray data(static_cast<qsizetype>(frames * channels * bytes), Qt::Uninitialized);
    char* out = data.data();
    // A quarter of full scale: loud enough, and square waves sound harsh at full level.
    for (int64_t i = 0; i < frames; ++i) {
        // The wave is high for the first half of each period: 2 * freq * i / rate is even.
        const bool high = ((2 * static_cast<int64_t>(freq) * i) / rate) % 2 == 0;
        for (int c = 0; c < channels; ++c) {
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8:
                put<uint8_t>(out, high ? 160 : 96);
                break;
            case QAudioFormat::Int16:
                put<int16_t>(out, high ? 8192 : -8192);
                break;
            case QAudioFormat::Int32:
                put<int32_t>(out, high ? 536870912 : -536870912);
                break;
            case QAudioFormat::Float:
                put<float>(out, high ? 0.25F : -0.25F);
                break;
            default:
                return {};
            }
        }
    }
    return data;
}

void QtHost::play_tone(int32_t freq, int32_t ms) {
    if (freq < lowest_tone || freq > highest_tone || ms <= 0) return;
    ms = std::min(ms, longest_tone_ms);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return; // no audio output: silent

    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) format = device.preferredFormat();
    const QByteArray samples = square_wave(freq, ms, format);
    if (samples.isEmpty()) return;

    // Like the sound it stands for, the tone holds the GUI thread until it has played; it is
    // pushed in pieces rather than waited for in a nested event loop, so no other handler runs.
    QAudioSink sink(device, format);
    QIODevice* io = sink.start();
    if (io == nullptr || sink.error() != QAudio::NoError) return;
    QElapsedTimer clock;
    clock.start();
    const int64_t limit = static_cast<int64_t>(ms) + 1000; // a stalled device cannot hang us
    qsizetype written = 0;
    while (written < samples.size() && clock.elapsed() < limit) {
        const qsizetype room = sink.bytesFree();
        const qsizetype n =
            room > 0 ? io->write(samples.constData() + written, std::min(room, samples.size() - written)) : 0;
        if (n < 0 || sink.error() != QAudio::NoError) break;
        written += n;
        if (n == 0) QThread::msleep(5);
    }
    // What is still buffered plays out before the sink stops.
    while (clock.elapsed() < ms && clock.elapsed() < limit) QThread::msleep(5);
    const qint64 buffered_ms = static_cast<qint64>(sink.bufferSize() - sink.bytesFree()) * 1000 /
                               std::max<qint64>(1, static_cast<qint64>(format.bytesForFrames(1)) * format.sampleRate());
    if (buffered_ms > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(buffered_ms, 1000)));
    sink.stop();
}

} // namespace quorvex
