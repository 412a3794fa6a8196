#pragma once
// The error window: the message, the offending line and a Close button. Shown modally by
// the host; closing it returns control to the statement that reported the error.

#include <QDialog>

class QLabel;
class QPushButton;

namespace quorvex {

class ErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit ErrorDialog(QWidget* parent = nullptr);
    void set_error(const QString& message, const QString& line_text);

    QLabel* Label1;       // the message
    QLabel* Label2;       // the line text, or "Past End"
    QPushButton* Button1; // "Close"
};

} // namespace quorvex
