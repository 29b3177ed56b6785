#include "FocusReturn.h"

#include <QApplication>

namespace kvarnel {

FocusReturn::FocusReturn() : focus_(QApplication::focusWidget()) {}

void FocusReturn::restore() const {
    if (!focus_) return;
    focus_->activateWindow();
    focus_->setFocus(Qt::OtherFocusReason);
}

}  // namespace kvarnel
