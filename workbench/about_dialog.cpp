// The about window.
#include "workbench/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "workbench/centring.h"
#include "workbench/product_links.h"
#include "workbench/shell_open.h"

namespace quorvex {

AboutDialog::AboutDialog(const QString& title, const QString& version, QWidget* main) : QDialog(main) {
    setObjectName(QStringLiteral("About1"));
    setWindowTitle(QStringLiteral("Help About"));
    setProperty("helpContext", 13);
    setModal(true);
    setFixedSize(531, 233);
    AboutTitle = new QLabel(title + QStringLiteral(" -  V") + version, this);
    AboutTitle->setObjectName(QStringLiteral("AboutTitle"));
    AboutTitle->setTextFormat(Qt::PlainText);
    AboutTitle->setAlignment(Qt::AlignCenter);
    QFont big(QStringLiteral("Tahoma"));
    big.setPixelSize(19);
    AboutTitle->setFont(big);
    AboutTitle->setGeometry(0, 32, 531, 32);
    Maker = new QLabel(QString::fromUtf8(maker_line), this);
    Maker->setTextFormat(Qt::PlainText);
    Maker->setAlignment(Qt::AlignCenter);
    Maker->setGeometry(0, 88, 531, 24);
    Button1 = new QPushButton(QStringLiteral("Goto WebPage for Updates"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(56, 160, 201, 28);
    // The window is kept between shows: a focused "Goto WebPage" must not take Enter next time.
    Button1->setAutoDefault(false);
    AboutClose = new QPushButton(QStringLiteral("Close"), this);
    AboutClose->setObjectName(QStringLiteral("AboutClose"));
    AboutClose->setGeometry(312, 160, 161, 28);
    AboutClose->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &AboutDialog::Button1Click);
    connect(AboutClose, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::FormShow() { centre_on_main(*this); }

void AboutDialog::Button1Click() { ShellOpen(QUrl(QString::fromUtf8(product_web_page))); }

void AboutDialog::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    AboutClose->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace quorvex
