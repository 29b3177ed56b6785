#pragma once
// Remembers the control that has the keyboard when a modal box opens, so that
// once the box is closed the window that was active gets the keyboard back, at
// that control. A control deleted meanwhile gets nothing.
#include <QPointer>
#include <QWidget>

namespace kvarnel {

class FocusReturn {
public:
    FocusReturn();
    void restore() const;

private:
    QPointer<QWidget> focus_;
};

}  // namespace kvarnel
