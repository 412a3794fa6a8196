#pragma once
// "Help About": the title with the version, the maker line and the web page button.

#include <QDialog>

class QLabel;
class QPushButton;

namespace quorvex {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // `version` is the version text shown after " V".
    AboutDialog(const QString& title, const QString& version, QWidget* main = nullptr);

    // FormShow: centred on the main window.
    void FormShow();
    // "Goto WebPage for Updates".
    void Button1Click();

    QLabel* AboutTitle;
    QLabel* Maker;
    QPushButton* Button1;
    QPushButton* AboutClose;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace quorvex
