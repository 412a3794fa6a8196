#pragma once
// The error window: the message, the offending line, "Email" for a report and "Close". Shown
// modally by the host; closing it returns control to the statement that reported the error.

#include <QDialog>

class QLabel;
class QPushButton;

namespace quorvex {

class ErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit ErrorDialog(QWidget* parent = nullptr);
    // FormShow: the texts, and "Email" unless the message is a sketch error.
    void set_error(const QString& message, const QString& line_text);
    // "Email": a report mail to the maker with the message and the line, then close.
    void SendClick();

    QLabel* Label1;       // the message
    QLabel* Label2;       // the line text, or "Past End"
    QPushButton* Send;    // "Email"
    QPushButton* Button1; // "Close", the default button at every show

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace quorvex
