#pragma once
// The surface in the accessibility tree: its push buttons, labels and hotspots
// as children (the pictures and markers are drawing only), the hotspot under
// the keyboard's focus ring as its focus, and the events that announce the
// elements' changes. Made by a factory for the surface's class.
#include <QAccessible>
#include <QAccessibleWidget>
#include <vector>

namespace kvarnel {

class Surface;

class SurfaceAccessible : public QAccessibleWidget {
public:
    // The surface is filled with its elements before anything asks for this.
    explicit SurfaceAccessible(Surface* surface);
    ~SurfaceAccessible() override;

    // Makes queryAccessibleInterface() answer for every Surface; harmless to repeat.
    static void installFactory();
    // Tells assistive technologies about a change of the element (show, hide,
    // name, state, focus); nothing when none listens or the element is not exposed.
    static void announce(Surface& surface, int index, QAccessible::Event type);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    Surface& surface() const;
    // The child showing the element, or null for pictures and markers.
    QAccessibleInterface* childForElement(int index) const;

    // Buttons and labels in creation order, then the hotspots by node.
    std::vector<int> elementOfChild_;
    std::vector<QAccessible::Id> childIds_;
    std::vector<int> childOfElement_;  // -1 for elements not exposed
};

}  // namespace kvarnel
