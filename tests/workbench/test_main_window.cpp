#include <QListWidget>
#include <QtTest>

#include "workbench/main_window.h"

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void title() {
        quorvex::MainWindow w;
        QCOMPARE(w.windowTitle(), QString("Quorvex"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
