#pragma once
// The application object: derives the application title from the executable's
// file name. Errors never reach it: every handler reports its own in the
// window's error guard, so none unwinds through Qt's frames.
#include <QApplication>
#include <QString>

namespace kvarnel {

class KvarnelApplication : public QApplication {
    Q_OBJECT
public:
    KvarnelApplication(int& argc, char** argv);

    const QString& title() const { return title_; }

    // The settings every window of the process shares, made once here rather
    // than by each window. The constructor puts the font substitutions in place
    // (the free fonts that stand in for the families the layout names); the
    // icon is set by the caller once the main window's first frame is on screen.
    static void installFontSubstitutions();
    static void installWindowIcon();

private:
    QString title_;
};

}  // namespace kvarnel
