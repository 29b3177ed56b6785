#pragma once
// The one QGuiApplication of a test program, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise; made on first use.
class QGuiApplication;

namespace kvarnel {

class GuiApplication {
public:
    static QGuiApplication& instance();
};

}  // namespace kvarnel
