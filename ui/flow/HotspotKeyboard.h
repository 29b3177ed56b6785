#pragma once
// The hotspots by keyboard, in study and test mode, while the window itself has
// the focus: Tab and Shift+Tab move a focus ring through the visible hotspots in
// group order, the arrow keys to the nearest one in their direction; the ring's
// hotspot shows its hint as on hover. Space (and in test mode Enter) presses the
// ring's hotspot through the hotspots' own press and release handlers: held in
// study mode for the close-up, an answer in test mode. The ring shows only after
// a key was used and goes at the next pointer movement. Plain C++.
#include <cstddef>
#include <optional>

#include "core/Catalogue.h"

namespace kvarnel {

class CloseUpViewer;
class FormView;

enum class HotspotKey { Tab, BackTab, Left, Right, Up, Down, Space, Enter };

// What the keyboard needs of the window besides its controls.
class HotspotFocusView {
public:
    virtual ~HotspotFocusView() = default;
    // Draws the ring around the hotspot; null takes it away.
    virtual void setFocusRing(const HotspotRow* hotspot) = 0;
    // Shows the hotspot's hint as the pointer resting on it would (if its hint is on).
    virtual void showHint(const HotspotRow& hotspot) = 0;
    virtual bool hotspotVisible(const HotspotRow& hotspot) const = 0;
    // A mouse button holds a surface element (a press not yet released).
    virtual bool pointerHolds() const = 0;
};

class HotspotKeyboard {
public:
    HotspotKeyboard(FormView& view, CloseUpViewer& viewer, HotspotFocusView& focus,
                    const Catalogue& catalogue = Catalogue::standard());

    // True when the key was taken (the window then does nothing else with it).
    bool keyPressed(HotspotKey key, bool autoRepeat);
    bool keyReleased(HotspotKey key, bool autoRepeat);

    // The pointer moved: the ring goes; the place is kept for the next key.
    void pointerMoved();
    // A press that is not the keyboard's (mouse or assistive technology) is about
    // to run, or the window lost the keyboard: a key holding a hotspot lets go first.
    void pressStarting();
    void focusLost();
    // After a button's handler: no ring where the keys do nothing.
    void modeMayHaveChanged();

private:
    // The hotspot the ring is on (null while the pointer has taken it away).
    const HotspotRow* ringHotspot() const;
    bool keysWork() const;
    std::optional<std::size_t> target(HotspotKey key) const;
    std::optional<std::size_t> nearestInDirection(HotspotKey key) const;
    void moveRing(std::size_t index);
    void hideRing();
    void letGo();

    FormView& view_;
    CloseUpViewer& viewer_;
    HotspotFocusView& focus_;
    const Catalogue& catalogue_;
    std::optional<std::size_t> place_;  // index in the hotspot group
    bool ringShown_ = false;
    std::optional<HotspotKey> holding_;  // the key whose press is not yet released
};

}  // namespace kvarnel
