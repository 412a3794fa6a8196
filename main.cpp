// Quorvex: runs an Arduino sketch without the board.
#include <QApplication>

#include "workbench/main_window.h"
#include "workbench/version.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(quorvex::sTitle);
    // The main window's close writes the settings and ends the program itself.
    QApplication::setQuitOnLastWindowClosed(false);

    quorvex::MainWindow window;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.startup_sketch = args.at(1);
    window.show();
    return QApplication::exec();
}
