#pragma once
// The error window: the message, the offending line and a Close button.

#include <QDialog>

class QLabel;

namespace quorvex {

class ErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit ErrorDialog(QWidget* parent = nullptr);
    void set_error(const QString& message, const QString& line_text);

    QLabel* Label1; // the message
    QLabel* Label2; // the line
};

} // namespace quorvex
