#include "workbench/error_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex {

ErrorDialog::ErrorDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Error_Message");
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");
    Label1->setWordWrap(true);
    Label2->setWordWrap(true);
    Label2->setTextFormat(Qt::PlainText);
    Label1->setTextFormat(Qt::PlainText);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("Button1");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    resize(493, 141);
}

void ErrorDialog::set_error(const QString& message, const QString& line_text) {
    Label1->setText(message);
    Label2->setText(line_text);
}

} // namespace quorvex
