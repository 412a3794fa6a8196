#include "workbench/error_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "workbench/product_links.h"
#include "workbench/shell_open.h"

namespace quorvex {

namespace {

QLabel* make_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Sketch text is shown as written: «if (a<b>c)» must not be taken for markup.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPixelSize(14);
    label->setFont(font);
    // A 10,000-character line must not stretch the window past the screen: the label takes
    // the width it is given and cuts the rest off; the user can enlarge the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

ErrorDialog::ErrorDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Error_Message");
    Label1 = make_label(this, "Label1");
    Label2 = make_label(this, "Label2");
    Send = new QPushButton("Email", this);
    Send->setObjectName("Send");
    // Enter is the step-over key users are pressing when the window opens: only "Close" may
    // take it, wherever the focus is.
    Send->setAutoDefault(false);
    connect(Send, &QPushButton::clicked, this, &ErrorDialog::SendClick);
    Button1 = new QPushButton("Close", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Send);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(493, 141);
}

void ErrorDialog::set_error(const QString& message, const QString& line_text) {
    Label1->setText(message);
    Label2->setText(line_text);
    Send->setVisible(!message.startsWith(QStringLiteral("Sketch")));
}

void ErrorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Button1->setFocus(Qt::ActiveWindowFocusReason);
}

void ErrorDialog::SendClick() {
    const std::string url = mailto_url(support_mail, Label1->text().toStdString(), Label2->text().toStdString());
    ShellOpen(QUrl(QString::fromStdString(url), QUrl::StrictMode));
    accept();
}

} // namespace quorvex
