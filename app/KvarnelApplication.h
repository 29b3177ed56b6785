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

private:
    QString title_;
};

}  // namespace kvarnel
