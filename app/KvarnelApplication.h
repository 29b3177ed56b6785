#pragma once
// The application object: derives the application title from the executable's
// file name and is the last net for an error that escaped every handler's guard.
#include <QApplication>
#include <QString>

namespace kvarnel {

class KvarnelApplication : public QApplication {
    Q_OBJECT
public:
    KvarnelApplication(int& argc, char** argv);

    const QString& title() const { return title_; }

    // Delivers the event; an error that escapes it is reported in the error box
    // and the event counts as handled, so the event loop goes on.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    QString title_;
};

}  // namespace kvarnel
