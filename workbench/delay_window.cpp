// The delay countdown window.
#include "workbench/delay_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "workbench/centring.h"

namespace quorvex {

DelayCountdown::DelayCountdown(QWidget* main) : QDialog(main) {
    setObjectName(QStringLiteral("Fm_Delay"));
    setWindowTitle(QStringLiteral("Delay"));
    setFixedSize(233, 136);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(0, 24, 233, 32);
    Label1->setAlignment(Qt::AlignCenter);
    QFont big = Label1->font();
    big.setPixelSize(24);
    Label1->setFont(big);
    DelayClose = new QPushButton(QStringLiteral("DelayClose"), this);
    DelayClose->setObjectName(QStringLiteral("DelayClose"));
    DelayClose->setGeometry(74, 88, 85, 25);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &DelayCountdown::Timer1Timer);
    connect(DelayClose, &QPushButton::clicked, this, &DelayCountdown::DelayCloseClick);
}

void DelayCountdown::start(int64_t ms) {
    countdown_ = ms / 1000;
    pending_ = true;
    Label1->setText(QStringLiteral("%1 s").arg(countdown_));
    setWindowModality(Qt::ApplicationModal);
    show();
    centre_on_main(*this); // once shown, the platform's frame counts in the outer size
    Timer1->start();
}

void DelayCountdown::Timer1Timer() {
    if (!pending_) return;
    if (countdown_ > 0) {
        --countdown_;
        Label1->setText(QStringLiteral("%1 s").arg(countdown_));
        return;
    }
    close_countdown();
}

void DelayCountdown::DelayCloseClick() { close_countdown(); }

void DelayCountdown::reject() { close_countdown(); }

void DelayCountdown::close_countdown() {
    Timer1->stop();
    pending_ = false;
    hide();
}

} // namespace quorvex
