#include "CloseUpViewer.h"

#include "WindowMode.h"
#include "core/TestEngine.h"

namespace kvarnel {

CloseUpViewer::CloseUpViewer(FormView& view, TestEngine& engine, const Catalogue& catalogue)
    : view_(view), engine_(engine), catalogue_(catalogue) {}

bool CloseUpViewer::inStudyMode() const { return windowMode(view_) == WindowMode::Study; }

void CloseUpViewer::HotspotMouseDown(NodeNumber n, MouseButton button) {
    if (button != MouseButton::Left) return;
    SelectNode(n);
    HideHotspotHints();
    view_.setVisible(Control::StaticText1Mashtab, false);
}

// Any button: the release reaches the pressed hotspot through the capture.
void CloseUpViewer::HotspotMouseUp(MouseButton) { RestoreOverview(); }

void CloseUpViewer::SelectNode(NodeNumber n) {
    view_.setEnabled(Control::SpeedPusk, true);
    if (inStudyMode()) {
        switch (catalogue_.view(n)) {
        case View::Front:
            view_.setVisible(Control::Image1, false);
            view_.setVisible(Control::Image2, true);
            showNodeDetails(n);
            HideHotspots();
            break;
        case View::Rear:
            view_.setVisible(Control::Image1, false);
            view_.setVisible(Control::Image3, true);
            showNodeDetails(n);
            HideHotspots();
            break;
        case View::Overview:
            showNodeDetails(n);
            break;
        }
        view_.setPointerHidden(true);
    }
    engine_.CheckAnswer(n);
}

void CloseUpViewer::RestoreOverview() {
    if (!inStudyMode()) return;
    view_.setVisible(Control::Image2, false);
    view_.setVisible(Control::Image3, false);
    view_.setVisible(Control::Image1, true);
    view_.setPointerHidden(false);
    ShowHotspotHints();
    ShowHotspots();
    HideNodeDetails();
}

void CloseUpViewer::ShowHotspots() { setAllHotspots(true); }
void CloseUpViewer::HideHotspots() { setAllHotspots(false); }
void CloseUpViewer::ShowHotspotHints() { setAllHints(true); }
void CloseUpViewer::HideHotspotHints() { setAllHints(false); }

void CloseUpViewer::HideNodeDetails() {
    for (const PanelRow& panel : catalogue_.panels()) view_.setPanelVisible(panel.node, false);
    for (const MarkerRow& marker : catalogue_.markers()) view_.setShapeVisible(marker.name, false);
}

// Markers in the node's own order, then its description panel.
void CloseUpViewer::showNodeDetails(NodeNumber n) {
    for (const MarkerRow* marker : catalogue_.markersOf(n)) view_.setShapeVisible(marker->name, true);
    view_.setPanelVisible(n, true);
}

// The hotspot group in its order: by node, further hotspots after the node's first.
void CloseUpViewer::setAllHotspots(bool visible) {
    for (const HotspotRow& hotspot : catalogue_.hotspots()) view_.setShapeVisible(hotspot.name, visible);
}

void CloseUpViewer::setAllHints(bool enabled) {
    for (const HotspotRow& hotspot : catalogue_.hotspots()) view_.setHotspotHint(hotspot.name, enabled);
}

}  // namespace kvarnel
