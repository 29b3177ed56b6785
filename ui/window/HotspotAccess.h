#pragma once
// The window's part of reaching the hotspots without a mouse: it hands the keys
// that reach the window itself (not an entry field) to the keyboard's flow,
// draws the focus ring and shows the hint for it, tells the flow when the
// pointer moves or the window loses the keyboard, and describes each hotspot
// to assistive technologies by what a press does in the current mode.
#include <QObject>
#include <QPoint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/FormView.h"
#include "ui/flow/HotspotKeyboard.h"
#include "ui/platform/KeyState.h"

class QWidget;

namespace kvarnel {

class CloseUpViewer;
class ErrorGuard;
class HintController;
class Surface;
struct SurfaceElement;

class HotspotAccess : public QObject, private HotspotFocusView {
    Q_OBJECT
public:
    // Watches `form`'s keys and focus; `shapeIndex` gives each hotspot's surface index.
    HotspotAccess(QWidget& form, FormView& view, Surface& surface,
                  const std::map<std::string, int, std::less<>>& shapeIndex, CloseUpViewer& viewer,
                  HintController& hints, ErrorGuard& guard, QObject* parent = nullptr);
    ~HotspotAccess() override;

    // A press by the pointer or an assistive technology is about to run.
    void pressStarting();
    void pointerMoved(const QPoint& globalPos);
    // After a push button's handler.
    void modeMayHaveChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // HotspotFocusView.
    void setFocusRing(const HotspotRow* hotspot) override;
    void showHint(const HotspotRow& hotspot) override;
    bool hotspotVisible(const HotspotRow& hotspot) const override;
    bool pointerHolds() const override;

    int indexOf(const HotspotRow& hotspot) const;
    bool keyEvent(QEvent* event);
    QString describe(const SurfaceElement& element) const;

    QWidget& form_;
    FormView& view_;
    Surface& surface_;
    const std::map<std::string, int, std::less<>>& shapeIndex_;
    HintController& hints_;
    ErrorGuard& guard_;
    HotspotKeyboard keyboard_;
    std::optional<QPoint> pointer_;  // the pointer's last position over the surface
    std::unique_ptr<KeyState> keyState_;
};

}  // namespace kvarnel
