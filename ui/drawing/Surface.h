#pragma once
// The window's drawing surface: draws its elements bottom-up in creation order,
// each clipped to its box, hit-tests the topmost visible and enabled element, and
// keeps the mouse capture from press to release itself, so an element that hides
// during its own press still receives its release. Assistive technologies see
// its buttons, labels and hotspots (SurfaceAccessible) and may click them.
#include <QWidget>
#include <functional>
#include <vector>

#include "ShapeSpriteCache.h"
#include "SurfaceElement.h"

namespace kvarnel {

class Surface : public QWidget {
    Q_OBJECT
public:
    // What shows where no element draws.
    static constexpr Qt::GlobalColor kBackground = Qt::white;

    explicit Surface(QWidget* parent = nullptr);

    // Appends on top of what exists; returns the element's index (creation order).
    int addElement(SurfaceElement element);
    const SurfaceElement& element(int index) const;
    int elementCount() const;

    // Each change repaints only the affected box(es).
    void setElementVisible(int index, bool visible);
    void setElementEnabled(int index, bool enabled);
    void setElementText(int index, const QString& text);  // auto-sized labels resize
    void setElementFontColour(int index, ColourNumber colour);
    void setHintEnabled(int index, bool enabled);

    // Topmost visible and enabled element whose box holds the point, or -1.
    int elementAt(const QPoint& point) const;
    // The element holding the mouse capture (pressed, not yet released), or -1.
    int captureElement() const { return capture_; }
    void releaseCapture();  // forget a capture without delivering a release

    // The keyboard's focus ring around an element (-1: none).
    void setFocusRing(int index);
    int focusRing() const { return focusRing_; }
    // A click without the pointer, for assistive technologies: a press and
    // release of the left button on the element (and a button's click), refused
    // (false) where the pointer could not click it: hidden, disabled, while a
    // press of the pointer is held or while another window is modal.
    bool activate(int index);
    // What assistive technologies read as an element's description.
    void setDescriber(std::function<QString(const SurfaceElement&)> describer);
    QString description(int index) const;

    // Resolves a colour number; system colours come from the palette.
    QColor colour(ColourNumber number) const;

signals:
    // A press or release on an element (releases go to the captured element).
    void elementPressed(int index, Qt::MouseButton button);
    void elementReleased(int index, Qt::MouseButton button);
    // A left press and release on the same enabled button, with the pointer over it.
    void buttonClicked(int index);
    // Every pointer movement over the surface, with the element under it (-1: none).
    void pointerMoved(int index, const QPoint& globalPos);
    // The pointer left the surface.
    void pointerLeft();
    // The first frame has been drawn (sent once, from within that paint).
    void firstFramePainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void handlePress(QMouseEvent* event);
    void endCapture();
    // Re-reads the element under the still or moving pointer: hover and cursor.
    void refreshPointer();
    void fitLabel(SurfaceElement& element);
    bool isHeld(int index) const;
    void preparePicturesAhead(qreal ratio);

    std::vector<SurfaceElement> elements_;
    int capture_ = -1;
    int hover_ = -1;
    int focusRing_ = -1;
    std::function<QString(const SurfaceElement&)> describer_;
    bool pressedInside_ = false;  // button held with the pointer over it (sunken face)
    bool pressActive_ = false;    // a press began on the surface and is not yet released
    Qt::MouseButton pressButton_ = Qt::NoButton;
    QPoint pointer_;
    bool pointerInside_ = false;
    bool picturesPrepared_ = false;  // after the first frame
    ShapeSpriteCache sprites_;       // pre-drawn hotspots, shared by all of them; filled while painting
};

}  // namespace kvarnel
