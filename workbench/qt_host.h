#pragma once
// The workbench side of the core's Host: the error window, the delay countdown, the simulation
// window, the EEPROM window's refresh and the tone.

#include <QByteArray>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "interpreter/host.h"

#include "workbench/delay_window.h"

class QAudioFormat;

namespace quorvex {

class ErrorDialog;

// Samples of a square wave of `freq` Hz lasting `ms` milliseconds in `format` (8-, 16- and
// 32-bit integers or floats, any channel count); empty for a format it cannot fill.
QByteArray square_wave(int32_t freq, int32_t ms, const QAudioFormat& format);

class QtHost : public Host {
public:
    // The lowest and highest tone frequencies played; others are dropped silently.
    static constexpr int32_t lowest_tone = 37;
    static constexpr int32_t highest_tone = 32767;
    // A longer tone is cut to this: it holds the GUI thread while it plays.
    static constexpr int32_t longest_tone_ms = 10000;

    explicit QtHost(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show_error(const std::string& message, const std::string& line_text) override;
    bool gathers_load_errors() const override { return true; }
    void update_click(bool update1, int32_t line) override {
        if (on_update) on_update(update1, line);
    }
    // Shows the countdown and returns at once; the main window keeps Run from stepping until it
    // has closed.
    void show_delay(int64_t ms) override;
    // A device's begin: the simulation window comes up when it is hidden.
    void show_simulation_window() override {
        if (on_show_simulation) on_show_simulation();
    }
    // A sketch's EEPROM write: the EEPROM window reads its cells again at the next refresh.
    void eeprom_changed(int32_t addr) override {
        if (on_eeprom_changed) on_eeprom_changed(addr);
    }
    // Plays the tone on the default audio output and returns when it has finished; silent when
    // there is no audio output. At most longest_tone_ms.
    void play_tone(int32_t freq, int32_t ms) override;

    // The countdown window, made on first use.
    DelayCountdown* delay_window();
    bool delay_pending() const { return delay_ != nullptr && delay_->pending(); }

    // The main window's refresh after a step.
    std::function<void(bool update1, int32_t line)> on_update;
    // An error has stopped Run: the main window shows Run idle before the error window opens.
    std::function<void()> on_error_stop;
    // Set by whoever made the simulation and EEPROM windows.
    std::function<void()> on_show_simulation;
    std::function<void(int32_t addr)> on_eeprom_changed;

    // The error window, made on first use and kept.
    ErrorDialog* error_window();

    // The dialog while it is open, for tests that close it from a timer.
    ErrorDialog* open_dialog() const { return open_; }

private:
    QWidget* parent_;
    ErrorDialog* open_ = nullptr;
    QPointer<ErrorDialog> error_;    // owned by the parent window, or by this host without one
    QPointer<DelayCountdown> delay_; // owned by the parent window, or by this host without one
};

} // namespace quorvex
