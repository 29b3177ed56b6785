#include "Surface.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "ElementPainter.h"
#include "ScreenPicture.h"
#include "SurfaceAccessible.h"

namespace kvarnel {

namespace {

struct SystemColourRole {
    int index;
    QPalette::ColorRole role;
};

// The system colour settings the program names, and the palette roles that play
// their part on this platform. clWindow is the background of entry fields.
constexpr SystemColourRole kSystemColourRoles[] = {
    {5, QPalette::Base},          // clWindow
    {8, QPalette::WindowText},    // clWindowText
    {15, QPalette::Button},       // clBtnFace
    {16, QPalette::Dark},         // clBtnShadow
    {20, QPalette::Light},        // clBtnHighlight
    {23, QPalette::ToolTipText},  // clInfoText
    {24, QPalette::ToolTipBase},  // clInfoBk
};

}  // namespace

Surface::Surface(QWidget* parent) : QWidget(parent) {
    // Every paint covers its whole area: with the white background, or a picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    SurfaceAccessible::installFactory();
}

int Surface::addElement(SurfaceElement element) {
    fitLabel(element);
    const int index = static_cast<int>(elements_.size());
    elements_.push_back(std::move(element));
    if (elements_.back().visible) {
        update(elements_.back().box);
        refreshPointer();
    }
    return index;
}

const SurfaceElement& Surface::element(int index) const { return elements_.at(index); }

int Surface::elementCount() const { return static_cast<int>(elements_.size()); }

void Surface::setElementVisible(int index, bool visible) {
    SurfaceElement& e = elements_.at(index);
    if (e.visible == visible) return;
    e.visible = visible;
    update(index == focusRing_ ? ElementPainter::focusRingArea(e.box) : e.box);
    refreshPointer();
    // News with no text yet has nothing to say when it shows.
    if (!visible || !e.news || !e.text.isEmpty())
        SurfaceAccessible::announce(*this, index,
                                    visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
}

void Surface::setElementEnabled(int index, bool enabled) {
    SurfaceElement& e = elements_.at(index);
    if (e.enabled == enabled) return;
    e.enabled = enabled;
    if (e.visible) update(e.box);
    refreshPointer();
    SurfaceAccessible::announce(*this, index, QAccessible::StateChanged);
}

void Surface::setElementText(int index, const QString& text) {
    SurfaceElement& e = elements_.at(index);
    if (e.text == text) return;
    const QRect before = e.box;
    e.text = text;
    fitLabel(e);
    SurfaceAccessible::announce(*this, index, QAccessible::NameChanged);
    // A screen reader speaks a notification when it shows, not when its text changes.
    if (e.news && e.visible && !text.isEmpty())
        SurfaceAccessible::announce(*this, index, QAccessible::ObjectShow);
    if (!e.visible) return;
    // A label that shrinks uncovers what lay beneath its old extent.
    update(QRegion(before) + QRegion(e.box));
    if (before != e.box) refreshPointer();
}

void Surface::setElementFontColour(int index, ColourNumber colour) {
    SurfaceElement& e = elements_.at(index);
    if (e.fontColour == colour) return;
    e.fontColour = colour;
    if (e.visible) update(e.box);
}

void Surface::setHintEnabled(int index, bool enabled) { elements_.at(index).hintEnabled = enabled; }

int Surface::elementAt(const QPoint& point) const {
    for (int i = elementCount() - 1; i >= 0; --i) {
        const SurfaceElement& e = elements_[i];
        if (e.visible && e.enabled && e.box.contains(point)) return i;
    }
    return -1;
}

void Surface::releaseCapture() { endCapture(); }

void Surface::setFocusRing(int index) {
    if (index == focusRing_) return;
    if (focusRing_ >= 0) update(ElementPainter::focusRingArea(elements_[focusRing_].box));
    focusRing_ = index;
    if (index < 0) return;
    update(ElementPainter::focusRingArea(elements_.at(index).box));
    SurfaceAccessible::announce(*this, index, QAccessible::Focus);
}

bool Surface::activate(int index) {
    if (index < 0 || index >= elementCount()) return false;
    const QWidget* modal = QApplication::activeModalWidget();
    if (pressActive_ || (modal && modal != window())) return false;
    const SurfaceElement& e = elements_[index];
    if (!e.visible || !e.enabled) return false;
    emit elementPressed(index, Qt::LeftButton);
    emit elementReleased(index, Qt::LeftButton);
    // The press may have hidden or disabled it; a button clicks as it is at the release.
    const SurfaceElement& now = elements_[index];
    if (now.kind == SurfaceElement::Kind::Button && now.visible && now.enabled) emit buttonClicked(index);
    return true;
}

void Surface::setDescriber(std::function<QString(const SurfaceElement&)> describer) {
    describer_ = std::move(describer);
}

QString Surface::description(int index) const {
    return describer_ ? describer_(elements_.at(index)) : QString();
}

QColor Surface::colour(ColourNumber number) const {
    if (!isSystemColour(number)) return QColor(redOf(number), greenOf(number), blueOf(number));
    const int index = systemColourIndex(number);
    for (const SystemColourRole& entry : kSystemColourRoles)
        if (entry.index == index) return palette().color(QPalette::Active, entry.role);
    // A system colour this program never names: draw it as text would be.
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void Surface::paintEvent(QPaintEvent* event) {
    // One pass, bottom-up, into Qt's off-screen backing store, shown in one step.
    QPainter painter(this);
    const QRegion& area = event->region();
    ElementPainter drawer(painter, *this, sprites_);
    // The white background, but not where a picture covers it with its own
    // opaque pixels anyway (on a hi-DPI screen that is most of the bytes
    // written). Known from the pictures' headers: the first frame fills the
    // rest (and touches the new window's memory) while the overview is still
    // being decoded on its worker thread.
    QRegion background(event->rect());
    for (const SurfaceElement& e : elements_)
        if (e.visible && area.intersects(e.box)) background -= drawer.opaqueArea(e);
    for (const QRect& r : background) painter.fillRect(r, kBackground);
    for (int i = 0; i < elementCount(); ++i) {
        const SurfaceElement& e = elements_[i];
        if (!e.visible || !area.intersects(e.box)) continue;
        painter.save();
        painter.setClipRect(e.box, Qt::IntersectClip);
        drawer.paint(e, isHeld(i));
        painter.restore();
    }
    if (focusRing_ >= 0 && elements_[focusRing_].visible) drawer.paintFocusRing(elements_[focusRing_].box);
    if (picturesPrepared_) return;
    preparePicturesAhead(drawer.ratio());
    emit firstFramePainted();
}

// The pictures not shown yet (the close-ups) are made ready for this screen
// behind the first frame, so that the first press shows its close-up at once.
void Surface::preparePicturesAhead(qreal ratio) {
    picturesPrepared_ = true;
    QTimer::singleShot(0, this, [this, ratio] {
        std::shared_future<void> previous;  // one after another
        for (const SurfaceElement& e : elements_)
            if (e.kind == SurfaceElement::Kind::Picture && e.picture)
                previous = e.picture->prepareAhead(ratio, ElementPainter::pictureOrigin(e, e.picture->size()),
                                                   previous);
    });
}

void Surface::mousePressEvent(QMouseEvent* event) { handlePress(event); }

void Surface::mouseDoubleClickEvent(QMouseEvent* event) { handlePress(event); }

void Surface::handlePress(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    pointerInside_ = rect().contains(pointer_);
    int target = capture_;
    if (!pressActive_) {
        // The element under the pointer takes the capture until the release.
        target = elementAt(pointer_);
        pressActive_ = true;
        capture_ = target;
        pressButton_ = event->button();
        pressedInside_ = true;
        if (isHeld(target)) update(elements_[target].box);
    }
    // A further button pressed while one is held goes to the captured element too.
    if (target >= 0) emit elementPressed(target, event->button());
}

void Surface::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_ = pos;
    pointerInside_ = rect().contains(pos);
    if (!pressActive_) {
        // No capture (it was released by an error report): the release goes to
        // whatever lies under the pointer.
        const int target = elementAt(pos);
        if (target >= 0) emit elementReleased(target, event->button());
        refreshPointer();
        return;
    }
    const int target = capture_;
    bool click = false;
    if (event->buttons() == Qt::NoButton) {
        if (target >= 0) {
            const SurfaceElement& e = elements_[target];
            click = e.kind == SurfaceElement::Kind::Button && e.visible && e.enabled &&
                    pressButton_ == Qt::LeftButton && event->button() == Qt::LeftButton &&
                    e.box.contains(pos);
        }
        endCapture();
    }
    if (target >= 0) emit elementReleased(target, event->button());
    if (click) emit buttonClicked(target);
    refreshPointer();
}

void Surface::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    pointerInside_ = rect().contains(pointer_);
    if (pressActive_ && capture_ >= 0 && elements_[capture_].kind == SurfaceElement::Kind::Button) {
        const bool inside = elements_[capture_].box.contains(pointer_);
        if (inside != pressedInside_) {
            pressedInside_ = inside;
            update(elements_[capture_].box);
        }
    }
    refreshPointer();
    emit pointerMoved(hover_, event->globalPosition().toPoint());
}

void Surface::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pointerInside_ = false;
    refreshPointer();
    emit pointerLeft();
}

void Surface::endCapture() {
    const int held = isHeld(capture_) ? capture_ : -1;
    pressActive_ = false;
    capture_ = -1;
    pressButton_ = Qt::NoButton;
    pressedInside_ = false;
    if (held >= 0) update(elements_[held].box);
}

void Surface::refreshPointer() {
    const int under = pointerInside_ ? elementAt(pointer_) : -1;
    const bool hand = under >= 0 && elements_[under].kind == SurfaceElement::Kind::Hotspot;
    const Qt::CursorShape shape = hand ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape) setCursor(shape);
    hover_ = under;
}

void Surface::fitLabel(SurfaceElement& element) {
    if (element.kind != SurfaceElement::Kind::Label || !element.autoSize) return;
    element.box.setSize(ElementPainter::labelSize(element.font, element.text));
}

bool Surface::isHeld(int index) const {
    return index >= 0 && index == capture_ && pressActive_ && pressedInside_ &&
           pressButton_ == Qt::LeftButton && elements_[index].kind == SurfaceElement::Kind::Button;
}

}  // namespace kvarnel
