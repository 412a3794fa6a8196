#pragma once
// Help pages by context number (":/help/ctx<N>.html") in one browser window. F1 anywhere in
// the program opens the page of the first "helpContext" property found from the control that
// has the key up through its parents; an open menu is such a control. Esc or Ctrl+W closes
// the help window.

#include <QObject>
#include <QPointer>
#include <QTextBrowser>

class QWidget;

namespace quorvex {

class Help : public QObject {
    Q_OBJECT
public:
    // `owner` is the main window; the browser window closes with it.
    explicit Help(QWidget* owner);

    // Shows the page of `context`; a context without a page shows the main window's (1).
    void show_context(int context);
    // The helpContext property of `object` or its nearest parent that has one; 1 for none.
    static int context_of(const QObject* object);
    int last_context() const { return last_; }
    QTextBrowser* browser() const { return browser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* owner_;
    QPointer<QTextBrowser> browser_;
    int last_ = 0;
};

} // namespace quorvex
