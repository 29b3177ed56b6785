#include "GuiApplication.h"

#include <QGuiApplication>

namespace kvarnel {

QGuiApplication& GuiApplication::instance() {
    static int argc = 1;
    static char name[] = "kvarnel-assets-test";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace kvarnel
