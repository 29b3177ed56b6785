#pragma once
// The one place where errors are reported: runs a handler, and when it raises,
// forgets the mouse capture and shows the modal error box (the message with its
// full stop, the application title as caption, a stop icon, one OK button).
// Nothing is rolled back; the event loop goes on. Exceptions never leave run(),
// so none unwinds through Qt's frames.
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace kvarnel {

class ErrorGuard {
public:
    // releaseCapture: called before the box is shown (may be empty).
    ErrorGuard(QString applicationTitle, std::function<void()> releaseCapture, QWidget* boxParent = nullptr);

    // True when the handler ran to its end.
    bool run(const std::function<void()>& handler) noexcept;

    // Shows the error box for a message (as run() does for a raised error).
    void report(const std::string& message) noexcept;

    const QString& applicationTitle() const { return title_; }

private:
    QString title_;
    std::function<void()> releaseCapture_;
    QWidget* boxParent_;
};

}  // namespace kvarnel
