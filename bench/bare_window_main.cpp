// The bare window as a program of its own, started like the real one by the
// whole-process start-up benchmark (kvarnel_startup_bench).
#include <QApplication>

#include "BareWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto window = kvarnel::bench::makeBareWindow();
    window->show();
    return app.exec();
}
