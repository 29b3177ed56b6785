#include "HotspotAccess.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include "DescriptionPanels.h"
#include "ErrorGuard.h"
#include "ui/drawing/Surface.h"
#include "ui/flow/HintController.h"
#include "ui/flow/WindowMode.h"

namespace kvarnel {

namespace {

struct KeyRow {
    Qt::Key key;
    HotspotKey hotspotKey;
};
constexpr KeyRow kKeys[] = {
    {Qt::Key_Tab, HotspotKey::Tab},     {Qt::Key_Backtab, HotspotKey::BackTab},
    {Qt::Key_Left, HotspotKey::Left},   {Qt::Key_Right, HotspotKey::Right},
    {Qt::Key_Up, HotspotKey::Up},       {Qt::Key_Down, HotspotKey::Down},
    {Qt::Key_Space, HotspotKey::Space}, {Qt::Key_Return, HotspotKey::Enter},
    {Qt::Key_Enter, HotspotKey::Enter},
};

// The key as the hotspots know it; none with Ctrl, Alt or Meta held.
std::optional<HotspotKey> hotspotKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return std::nullopt;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    if (event.key() == Qt::Key_Tab && shift) return HotspotKey::BackTab;
    for (const KeyRow& row : kKeys)
        if (row.key == event.key()) return row.hotspotKey;
    return std::nullopt;
}

}  // namespace

HotspotAccess::HotspotAccess(QWidget& form, FormView& view, Surface& surface,
                             const std::map<std::string, int, std::less<>>& shapeIndex, CloseUpViewer& viewer,
                             HintController& hints, ErrorGuard& guard, QObject* parent)
    : QObject(parent),
      form_(form),
      view_(view),
      surface_(surface),
      shapeIndex_(shapeIndex),
      hints_(hints),
      guard_(guard),
      keyboard_(view, viewer, *this),
      keyState_(makePlatformKeyState(QGuiApplication::platformName().toStdString())) {
    form_.installEventFilter(this);
    surface_.setDescriber([this](const SurfaceElement& e) { return describe(e); });
}

HotspotAccess::~HotspotAccess() { surface_.setDescriber({}); }

void HotspotAccess::pressStarting() {
    guard_.run([this] { keyboard_.pressStarting(); });
}

void HotspotAccess::pointerMoved(const QPoint& globalPos) {
    // Only a real movement takes the ring: a repeated report of a pointer at rest does not.
    if (pointer_ == globalPos) return;
    pointer_ = globalPos;
    keyboard_.pointerMoved();
}

void HotspotAccess::modeMayHaveChanged() { keyboard_.modeMayHaveChanged(); }

bool HotspotAccess::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &form_) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return keyEvent(event);
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
        // The release of a held key would never come.
        guard_.run([this] { keyboard_.focusLost(); });
        return false;
    default:
        return false;
    }
}

bool HotspotAccess::keyEvent(QEvent* event) {
    // Only keys for the window itself: an entry field's keys stay its own,
    // also those it passes on to the window.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus != &form_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<HotspotKey> k = hotspotKey(*key);
    if (!k) return false;
    const bool press = event->type() == QEvent::KeyPress;
    // Any key takes the hint away, also one taken here (a moved ring shows its own).
    if (press) hints_.mouseButtonOrWheelOrKey();
    // A release of a key that is still down is the keyboard's repeat.
    const bool holdingKey = *k == HotspotKey::Space || *k == HotspotKey::Enter;
    const bool repeat =
        key->isAutoRepeat() || (!press && holdingKey && keyState_->isDown(key->nativeScanCode()));
    bool taken = false;
    guard_.run([&] { taken = press ? keyboard_.keyPressed(*k, repeat) : keyboard_.keyReleased(*k, repeat); });
    if (taken) event->accept();
    return taken;
}

void HotspotAccess::setFocusRing(const HotspotRow* hotspot) {
    surface_.setFocusRing(hotspot ? indexOf(*hotspot) : -1);
}

void HotspotAccess::showHint(const HotspotRow& hotspot) {
    // As if the pointer rested on the hotspot's centre.
    const int index = indexOf(hotspot);
    const SurfaceElement& e = surface_.element(index);
    hints_.pointerMoved(index, surface_.mapToGlobal(e.box.center()), e.hintEnabled, e.hint);
}

bool HotspotAccess::hotspotVisible(const HotspotRow& hotspot) const {
    return surface_.element(indexOf(hotspot)).visible;
}

bool HotspotAccess::pointerHolds() const { return surface_.captureElement() >= 0; }

int HotspotAccess::indexOf(const HotspotRow& hotspot) const { return shapeIndex_.find(hotspot.name)->second; }

QString HotspotAccess::describe(const SurfaceElement& element) const {
    if (element.kind != SurfaceElement::Kind::Hotspot) return {};
    const WindowMode mode = windowMode(view_);
    QString text = QString::fromUtf8(hotspotPressEffect(mode));
    // In study mode the description panel's text too, read without holding anything.
    if (mode == WindowMode::Study)
        text += QLatin1Char(' ') + DescriptionPanels::descriptionText(element.node).simplified();
    return text;
}

}  // namespace kvarnel
