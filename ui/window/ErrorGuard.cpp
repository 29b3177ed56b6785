#include "ErrorGuard.h"

#include <QMessageBox>
#include <QWidget>
#include <exception>
#include <utility>

#include "FocusReturn.h"
#include "core/InOutError.h"

namespace kvarnel {

ErrorGuard::ErrorGuard(QString applicationTitle, std::function<void()> releaseCapture, QWidget* boxParent)
    : title_(std::move(applicationTitle)),
      releaseCapture_(std::move(releaseCapture)),
      boxParent_(boxParent) {}

bool ErrorGuard::run(const std::function<void()>& handler) noexcept {
    std::string message;
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error";
    }
    report(message);
    return false;
}

void ErrorGuard::report(const std::string& message) noexcept {
    try {
        if (releaseCapture_) releaseCapture_();
        // Built by hand rather than with QMessageBox::critical so that the box
        // has exactly the caption, text, icon and button it needs.
        QMessageBox box(QMessageBox::Critical, title_, QString::fromStdString(withFullStop(message)),
                        QMessageBox::Ok, boxParent_);
        box.setWindowModality(Qt::ApplicationModal);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        const FocusReturn focus;
        box.exec();
        focus.restore();
    } catch (...) {
        // Nothing sensible is left to do when even the box cannot be shown.
    }
}

}  // namespace kvarnel
