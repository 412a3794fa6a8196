// Quorvex: runs an Arduino sketch without the board.
#include <QApplication>

#include "workbench/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvex");

    quorvex::MainWindow window;
    const QStringList args = QApplication::arguments();
    const QString sketch = args.size() > 1 ? args.at(1) : QStringLiteral(":/examples/blink_counter.ino");
    window.load_sketch(sketch);
    window.show();
    return QApplication::exec();
}
