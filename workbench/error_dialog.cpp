#include "workbench/error_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    Button1 = new QPushButton("Close", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
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
}

} // namespace quorvex
