// Quorvex: runs an Arduino sketch without the board.
#include <QApplication>
#include <cstdio>

#include "workbench/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvex");

    quorvex::MainWindow window;
    // Shown first, so that an error at reset opens over the window rather than before it.
    window.show();
    const QStringList args = QApplication::arguments();
    const QString sketch = args.size() > 1 ? args.at(1) : QStringLiteral(":/examples/blink_counter.ino");
    if (!window.load_sketch(sketch)) std::fprintf(stderr, "quorvex: cannot read %s\n", qUtf8Printable(sketch));
    return QApplication::exec();
}
