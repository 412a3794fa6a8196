#include "workbench/help.h"

#include <QFile>
#include <QKeyEvent>
#include <QShortcut>
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
        // A help window is closed with the keys every document window takes.
        for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
            connect(new QShortcut(keys, browser_), &QShortcut::activated, browser_.data(), &QWidget::close);
    }
    browser_->setSource(QUrl(QStringLiteral("qrc") + page));
    browser_->show();
    browser_->raise();
}

bool Help::eventFilter(QObject* watched, QEvent* event) {
    // A key from the window system reaches the window (a QWindow, without a context) before the
    // control with the focus or the open menu; only that control says which page.
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    show_context(context_of(watched));
    return true; // F1 is help's alone; its parents must not open a second page
}

} // namespace quorvex
