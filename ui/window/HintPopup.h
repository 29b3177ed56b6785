#pragma once
// The hint pop-up of the hotspots: a small window above all others that takes
// neither focus nor input, with a lime background, a 1-pixel raised edge and the
// hint text in the tooltip text colour. It comes up just below the pointer at
// the pointer's x position and is moved up or left to stay wholly on the desktop.
#include <QLabel>

namespace kvarnel {

// How far below the pointer's hot spot the pop-up starts (the pointer's image).
constexpr int kHintBelowPointer = 21;

class HintPopup : public QLabel {
    Q_OBJECT
public:
    explicit HintPopup(QWidget* parent = nullptr);

    void showAt(const QString& text, const QPoint& globalPointer);
    // The application-wide hint colour (the platform's tooltip colour until set).
    void setBackground(const QColor& colour);

    // Top-left of a pop-up of `size` for the pointer at `pointer` on `desktop`.
    static QPoint placement(const QSize& size, const QPoint& pointer, const QRect& desktop);
};

}  // namespace kvarnel
