#include "SurfaceAccessible.h"

#include <algorithm>

#include "ElementAccessible.h"
#include "Surface.h"

namespace kvarnel {

namespace {

QAccessibleInterface* surfaceFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(Surface::staticMetaObject.className())) return nullptr;
    auto* surface = qobject_cast<Surface*>(object);
    return surface ? new SurfaceAccessible(surface) : nullptr;
}

bool exposed(const SurfaceElement& e) {
    return e.kind == SurfaceElement::Kind::Button || e.kind == SurfaceElement::Kind::Label ||
           e.kind == SurfaceElement::Kind::Hotspot;
}

}  // namespace

SurfaceAccessible::SurfaceAccessible(Surface* surface) : QAccessibleWidget(surface, QAccessible::Client) {
    const int count = surface->elementCount();
    std::vector<int> hotspots;
    for (int i = 0; i < count; ++i) {
        const SurfaceElement& e = surface->element(i);
        if (e.kind == SurfaceElement::Kind::Hotspot)
            hotspots.push_back(i);
        else if (exposed(e))
            elementOfChild_.push_back(i);
    }
    // A screen reader lists the hotspots in the order of their nodes.
    std::stable_sort(hotspots.begin(), hotspots.end(),
                     [surface](int a, int b) { return surface->element(a).node < surface->element(b).node; });
    elementOfChild_.insert(elementOfChild_.end(), hotspots.begin(), hotspots.end());

    childOfElement_.assign(static_cast<std::size_t>(count), -1);
    for (std::size_t child = 0; child < elementOfChild_.size(); ++child) {
        const int index = elementOfChild_[child];
        childOfElement_[static_cast<std::size_t>(index)] = static_cast<int>(child);
        childIds_.push_back(QAccessible::registerAccessibleInterface(new ElementAccessible(surface, index)));
    }
}

SurfaceAccessible::~SurfaceAccessible() {
    for (QAccessible::Id id : childIds_) QAccessible::deleteAccessibleInterface(id);
}

void SurfaceAccessible::installFactory() { QAccessible::installFactory(surfaceFactory); }

void SurfaceAccessible::announce(Surface& surface, int index, QAccessible::Event type) {
    if (!QAccessible::isActive()) return;
    auto* tree = dynamic_cast<SurfaceAccessible*>(QAccessible::queryAccessibleInterface(&surface));
    QAccessibleInterface* child = tree ? tree->childForElement(index) : nullptr;
    if (!child) return;
    if (type == QAccessible::StateChanged) {
        QAccessible::State changed;
        changed.disabled = true;
        QAccessibleStateChangeEvent event(child, changed);
        QAccessible::updateAccessibility(&event);
        return;
    }
    QAccessibleEvent event(child, type);
    QAccessible::updateAccessibility(&event);
}

Surface& SurfaceAccessible::surface() const { return *static_cast<Surface*>(widget()); }

int SurfaceAccessible::childCount() const { return static_cast<int>(childIds_.size()); }

QAccessibleInterface* SurfaceAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    return QAccessible::accessibleInterface(childIds_[static_cast<std::size_t>(index)]);
}

int SurfaceAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < childCount(); ++i)
        if (this->child(i) == child) return i;
    return -1;
}

QAccessibleInterface* SurfaceAccessible::childAt(int x, int y) const {
    return childForElement(surface().elementAt(surface().mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* SurfaceAccessible::focusChild() const { return childForElement(surface().focusRing()); }

QAccessibleInterface* SurfaceAccessible::childForElement(int index) const {
    if (index < 0 || index >= static_cast<int>(childOfElement_.size())) return nullptr;
    return child(childOfElement_[static_cast<std::size_t>(index)]);
}

}  // namespace kvarnel
