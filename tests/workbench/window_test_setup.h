#pragma once
// What the window suites that open addresses set up: the addresses the windows open ("mailto",
// "https") are recorded instead of reaching the desktop, and each test starts from a settings
// folder of its own. Moc runs on this header through tests/CMakeLists.txt.

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

class WindowTestSetup : public QObject {
    Q_OBJECT
public:
    // The addresses opened since the test began.
    QList<QUrl> urls;

    // initTestCase: the data folders of test mode, the handlers in place of the desktop.
    void begin_suite() {
        QStandardPaths::setTestModeEnabled(true);
        for (const char* scheme : {"mailto", "https"}) QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    // cleanupTestCase.
    void end_suite() {
        for (const char* scheme : {"mailto", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    // init: no address opened yet, an empty settings folder.
    void begin_test() {
        urls.clear();
        settings_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_->path());
    }

public slots:
    void open(const QUrl& url) { urls.append(url); }

private:
    std::unique_ptr<QTemporaryDir> settings_;
};
