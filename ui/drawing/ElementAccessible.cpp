#include "ElementAccessible.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "Surface.h"

namespace kvarnel {

namespace {

QString withoutTrailingBlanks(QString text) {
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
    return text;
}

}  // namespace

ElementAccessible::ElementAccessible(Surface* surface, int index) : surface_(surface), index_(index) {}

bool ElementAccessible::isValid() const { return !surface_.isNull(); }

QWindow* ElementAccessible::window() const { return surface_ ? surface_->window()->windowHandle() : nullptr; }

QAccessibleInterface* ElementAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(surface_.data());
}

QString ElementAccessible::text(QAccessible::Text t) const {
    if (!surface_) return {};
    const SurfaceElement& e = surface_->element(index_);
    switch (t) {
    case QAccessible::Name:
        // A hotspot is named by its node; the hint keeps the stored trailing blanks.
        return e.kind == SurfaceElement::Kind::Hotspot ? withoutTrailingBlanks(e.hint) : e.text;
    case QAccessible::Description:
        return surface_->description(index_);
    default:
        return {};
    }
}

QRect ElementAccessible::rect() const {
    if (!surface_) return {};
    const QRect box = surface_->element(index_).box;
    return {surface_->mapToGlobal(box.topLeft()), box.size()};
}

QAccessible::Role ElementAccessible::role() const {
    if (!surface_) return QAccessible::NoRole;
    const SurfaceElement& e = surface_->element(index_);
    if (e.kind != SurfaceElement::Kind::Label)
        return QAccessible::Button;  // hotspots are pressed like buttons
    return e.news ? QAccessible::Notification : QAccessible::StaticText;
}

QAccessible::State ElementAccessible::state() const {
    QAccessible::State s;
    if (!surface_) {
        s.invalid = true;
        return s;
    }
    const SurfaceElement& e = surface_->element(index_);
    s.invisible = !e.visible || !surface_->isVisible();
    s.disabled = !e.enabled;
    // Push buttons never take the keyboard focus; hotspots take the focus ring.
    if (e.kind == SurfaceElement::Kind::Hotspot) {
        s.focusable = true;
        s.focused = surface_->focusRing() == index_;
    }
    return s;
}

void* ElementAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface && pressable())
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList ElementAccessible::actionNames() const {
    if (!pressable()) return {};
    return {pressAction()};
}

void ElementAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction() || !pressable()) return;
    // After the caller's request has returned: a handler may open a modal box,
    // whose own loop must not keep an assistive technology's call waiting.
    const int index = index_;
    QTimer::singleShot(0, surface_.data(), [surface = surface_, index] {
        if (surface) surface->activate(index);
    });
}

bool ElementAccessible::pressable() const {
    return surface_ && surface_->element(index_).kind != SurfaceElement::Kind::Label;
}

}  // namespace kvarnel
