#pragma once
// The "Delay" window: counts a simulated delay's whole seconds down once a second, then closes.
// It is application-modal but opened with show(), so the delay statement returns at once; the
// main window runs no Run step while it is pending.

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace quorvex {

class DelayCountdown : public QDialog {
    Q_OBJECT
public:
    // `main` is the window it centres on.
    explicit DelayCountdown(QWidget* main = nullptr);

    // FormShow: counts `ms` down from its whole seconds.
    void start(int64_t ms);
    // One second of the countdown: the next lower count, or closing after "0 s".
    void Timer1Timer();
    // "DelayClose": closes at once.
    void DelayCloseClick();
    bool pending() const { return pending_; }
    int64_t countdown_timer() const { return countdown_; }

    QLabel* Label1;
    QPushButton* DelayClose;
    QTimer* Timer1;

protected:
    // Esc and the title bar's close (which rejects) end the wait too, so Run never waits for a
    // stopped timer.
    void reject() override;

private:
    int64_t countdown_ = 0;
    bool pending_ = false;

    void close_countdown();
};

} // namespace quorvex
