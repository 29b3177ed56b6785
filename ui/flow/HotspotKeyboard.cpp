#include "HotspotKeyboard.h"

#include <cstdlib>

#include "CloseUpViewer.h"
#include "WindowMode.h"

namespace kvarnel {

namespace {

// A hotspot's centre in client coordinates (its box is 15 x 15).
struct Centre {
    int x, y;
};
Centre centreOf(const HotspotRow& row) { return {row.left + 7, row.top + 7}; }

bool isArrow(HotspotKey key) {
    return key == HotspotKey::Left || key == HotspotKey::Right || key == HotspotKey::Up ||
           key == HotspotKey::Down;
}

}  // namespace

HotspotKeyboard::HotspotKeyboard(FormView& view, CloseUpViewer& viewer, HotspotFocusView& focus,
                                 const Catalogue& catalogue)
    : view_(view), viewer_(viewer), focus_(focus), catalogue_(catalogue) {}

bool HotspotKeyboard::keysWork() const {
    const WindowMode mode = windowMode(view_);
    return mode == WindowMode::Study || mode == WindowMode::Test;
}

bool HotspotKeyboard::keyPressed(HotspotKey key, bool autoRepeat) {
    // While a key holds a hotspot, its repeats and every other key wait for its release.
    if (holding_) return true;
    if (!keysWork()) return false;
    if (key == HotspotKey::Space || key == HotspotKey::Enter) {
        // Study mode holds with Space only; Enter is an answer key.
        if (!ringShown_ || (key == HotspotKey::Enter && windowMode(view_) != WindowMode::Test)) return false;
        if (autoRepeat || focus_.pointerHolds()) return true;  // the pointer's press comes first
        const HotspotRow& row = catalogue_.hotspots()[*place_];
        holding_ = key;
        viewer_.HotspotMouseDown(row.node, MouseButton::Left);
        // A close-up hides the hotspots: no ring around a hidden one.
        if (!focus_.hotspotVisible(row)) focus_.setFocusRing(nullptr);
        return true;
    }
    if (focus_.pointerHolds()) return true;
    if (const auto next = target(key))
        moveRing(*next);
    else if (place_ && !ringShown_)
        moveRing(*place_);  // nothing further that way: the ring shows where it was
    return true;
}

bool HotspotKeyboard::keyReleased(HotspotKey key, bool autoRepeat) {
    if (!holding_ || *holding_ != key) return false;
    if (!autoRepeat) letGo();
    return true;
}

void HotspotKeyboard::pointerMoved() { hideRing(); }

void HotspotKeyboard::pressStarting() { letGo(); }

void HotspotKeyboard::focusLost() { letGo(); }

void HotspotKeyboard::modeMayHaveChanged() {
    if (keysWork()) return;
    hideRing();
    place_.reset();
}

const HotspotRow* HotspotKeyboard::ringHotspot() const {
    return ringShown_ && place_ ? &catalogue_.hotspots()[*place_] : nullptr;
}

std::optional<std::size_t> HotspotKeyboard::target(HotspotKey key) const {
    const auto& hotspots = catalogue_.hotspots();
    const std::size_t count = hotspots.size();
    const bool placed = place_ && focus_.hotspotVisible(hotspots[*place_]);
    if (placed && isArrow(key)) return nearestInDirection(key);
    // Tab goes on after the place (or starts at the first), Shift+Tab back before it
    // (or starts at the last), both round the group's end; arrows start like Tab.
    const bool back = key == HotspotKey::BackTab;
    const std::size_t start = placed ? *place_ : (back ? 0 : count - 1);
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t i = back ? (start + count - step) % count : (start + step) % count;
        if (focus_.hotspotVisible(hotspots[i])) return i;
    }
    return std::nullopt;
}

// The visible hotspot ahead in the arrow's direction whose distance, counting
// the sideways offset twice, is least, the earlier in the group on a tie; one
// within 45 degrees of the direction comes before any further to the side.
std::optional<std::size_t> HotspotKeyboard::nearestInDirection(HotspotKey key) const {
    const auto& hotspots = catalogue_.hotspots();
    const Centre from = centreOf(hotspots[*place_]);
    const bool horizontal = key == HotspotKey::Left || key == HotspotKey::Right;
    std::optional<std::size_t> best;
    int bestScore = 0;
    bool bestInCone = false;
    for (std::size_t i = 0; i < hotspots.size(); ++i) {
        if (i == *place_ || !focus_.hotspotVisible(hotspots[i])) continue;
        const Centre to = centreOf(hotspots[i]);
        const int dx = to.x - from.x, dy = to.y - from.y;
        const int ahead = key == HotspotKey::Right  ? dx
                          : key == HotspotKey::Left ? -dx
                          : key == HotspotKey::Down ? dy
                                                    : -dy;
        if (ahead <= 0) continue;
        const int aside = std::abs(horizontal ? dy : dx);
        const bool inCone = aside <= ahead;
        const int score = ahead + 2 * aside;
        if (!best || (inCone && !bestInCone) || (inCone == bestInCone && score < bestScore)) {
            best = i;
            bestScore = score;
            bestInCone = inCone;
        }
    }
    return best;
}

void HotspotKeyboard::moveRing(std::size_t index) {
    place_ = index;
    ringShown_ = true;
    const HotspotRow& row = catalogue_.hotspots()[index];
    focus_.setFocusRing(&row);
    focus_.showHint(row);
}

void HotspotKeyboard::hideRing() {
    if (!ringShown_) return;
    ringShown_ = false;
    focus_.setFocusRing(nullptr);
}

void HotspotKeyboard::letGo() {
    if (!holding_) return;
    holding_.reset();
    viewer_.HotspotMouseUp(MouseButton::Left);
    // Back at the overview the ring returns around its hotspot (unless the pointer took it).
    if (const HotspotRow* row = ringHotspot(); row && focus_.hotspotVisible(*row)) focus_.setFocusRing(row);
}

}  // namespace kvarnel
