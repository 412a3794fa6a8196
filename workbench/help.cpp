#include "workbench/help.h"

#include <QFile>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QWidget>

namespace quorvex {

Help::Help(QWidget* owner) : QObject(owner), owner_(owner) {}

int Help::context_of(const QObject* object) {
    for (const QObject* o = object; o != nullptr; o = o->parent()) {
        bool ok = false;
        const int context = o->property("helpContext").toInt(&ok);
        if (ok && context > 0) return context;
    }
    return 1;
}

void Help::show_context(int context) {
    QString page = QStringLiteral(":/help/ctx%1.html").arg(context);
    if (!QFile::exists(page)) {
        context = 1;
        page = QStringLiteral(":/help/ctx1.html");
    }
    last_ = context;
    if (browser_ == nullptr) {
        browser_ = new QTextBrowser(owner_);
        browser_->setWindowFlag(Qt::Window);
        browser_->setObjectName(QStringLiteral("Help"));
        browser_->setWindowTitle(QStringLiteral("Quorvex Help"));
        browser_->setOpenExternalLinks(true);
        browser_->resize(560, 480);
    }
    browser_->setSource(QUrl(QStringLiteral("qrc") + page));
    browser_->show();
    browser_->raise();
}

bool Help::eventFilter(QObject* watched, QEvent* event) {
    // A key from the window system reaches the window (a QWindow, without a context) before the
    // control with the focus or the open menu; only that control says which page.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // The help window closes with the keys every document window takes, whether or not
    // anything in it has the focus.
    if (browser_ != nullptr && static_cast<QWidget*>(watched)->window() == browser_ &&
        (key->matches(QKeySequence::Cancel) || key->matches(QKeySequence::Close) ||
         (key->key() == Qt::Key_W && key->modifiers() == Qt::ControlModifier))) {
        browser_->close();
        return true;
    }
    if (key->key() != Qt::Key_F1) return QObject::eventFilter(watched, event);
    show_context(context_of(watched));
    return true; // F1 is help's alone; its parents must not open a second page
}

} // namespace quorvex
