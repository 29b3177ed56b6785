#include "TForm1.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTextEdit>

#include "FormBuilder.h"
#include "FormLayout.h"
#include "HintPopup.h"
#include "HotspotAccess.h"
#include "LocaleDateTimeTexts.h"
#include "RegistrationMessage.h"
#include "core/Catalogue.h"
#include "ui/drawing/Surface.h"

namespace kvarnel {

namespace {

MouseButton viewerButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    default:
        return MouseButton::Middle;
    }
}

std::unique_ptr<KeyboardLayouts> layoutsOrPlatform(std::unique_ptr<KeyboardLayouts> given) {
    if (given) return given;
    return makePlatformKeyboardLayouts(QGuiApplication::platformName().toStdString());
}

std::unique_ptr<DateTimeTexts> clockOrLocale(std::unique_ptr<DateTimeTexts> given) {
    if (given) return given;
    return std::make_unique<LocaleDateTimeTexts>();
}

// The push buttons and their click handlers.
struct ButtonHandler {
    Control button;
    void (ModeController::*handler)();
};
constexpr ButtonHandler kButtonHandlers[] = {
    {Control::SpeedExit, &ModeController::SpeedExitClick},
    {Control::SpeedPusk, &ModeController::SpeedPuskClick},
    {Control::SpeedButtonRezOznkom, &ModeController::SpeedButtonRezOznkomClick},
    {Control::SpeedButtonRezWopros, &ModeController::SpeedButtonRezWoprosClick},
    {Control::SpeedVvod, &ModeController::SpeedVvodClick},
};

// To assistive technologies the main window is a window (a plain widget would be a filler).
QAccessibleInterface* formAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(TForm1::staticMetaObject.className())) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QWidget(parent),
      options_(std::move(options)),
      guard_(
          options_.applicationTitle,
          [this] {
              if (parts_.surface) parts_.surface->releaseCapture();
          },
          this),
      engine_(*this, random_, journal_),
      viewer_(*this, engine_),
      layouts_(layoutsOrPlatform(std::move(options_.keyboardLayouts))),
      clock_(clockOrLocale(std::move(options_.clock))),
      mode_(*this, engine_, viewer_, *layouts_, *clock_, random_,
            ModeCallbacks{[this] { requestQuit(); }, [this] { applyHintSettings(); }}),
      hints_(options_.hintDelayMs, options_.hintDisplayMs) {
    // The first frame shows the overview: made ready while the window is built,
    // for the density it will be drawn at (a hi-DPI screen draws the double size).
    FormBuilder::prepareOverviewAhead(pictures_, devicePixelRatioF());
    QAccessible::installFactory(formAccessible);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    // The border is fixed: the user cannot resize the window by dragging.
    setFixedSize(kClientWidth, kClientHeight);
    setFont(FormBuilder::fontFor(nullptr, 0, false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    parts_ = FormBuilder(*this, pictures_).build();
    // One press and one release handler for all hotspots; the node number comes
    // from the pressed element.
    connect(parts_.surface, &Surface::elementPressed, this, &TForm1::onElementPressed);
    connect(parts_.surface, &Surface::elementReleased, this, &TForm1::onElementReleased);
    connect(parts_.surface, &Surface::buttonClicked, this, &TForm1::onButtonClicked);
    connect(parts_.surface, &Surface::pointerMoved, this, &TForm1::onPointerMoved);
    connect(parts_.surface, &Surface::pointerLeft, &hints_, &HintController::pointerLeft);
    // Queued: sent once the whole first frame has been drawn and shown.
    connect(parts_.surface, &Surface::firstFramePainted, this, &TForm1::firstFrameShown,
            Qt::QueuedConnection);
    access_ = std::make_unique<HotspotAccess>(*this, *this, *parts_.surface, parts_.shapeIndex, viewer_,
                                              hints_, guard_);

    hintPopup_ = std::make_unique<HintPopup>();
    connect(&hints_, &HintController::showHint, hintPopup_.get(), &HintPopup::showAt);
    connect(&hints_, &HintController::hideHint, hintPopup_.get(), &QWidget::hide);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState s) { hints_.activationChanged(s == Qt::ApplicationActive); });
    // Application-wide, not the surface's own events: the keyboard can show a
    // hint wherever the pointer is, and a press on an entry field or a panel,
    // or a key typed into an entry field, must take it away as well.
    qApp->installEventFilter(this);

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(kTimer1IntervalMs);
    connect(&timer1_, &QTimer::timeout, this, [this] { guard_.run([this] { mode_.Timer1Timer(); }); });

    guard_.run([this] { mode_.FormCreate(); });
}

TForm1::~TForm1() {
    if (qApp) qApp->removeEventFilter(this);
    if (pointerHidden_) QGuiApplication::restoreOverrideCursor();
}

QWidget* TForm1::childControl(Control c) const {
    switch (c) {
    case Control::ProgressBar1:
        return parts_.progressBar;
    case Control::Edit1Gruppa:
        return parts_.editGruppa;
    case Control::Edit1Fio:
        return parts_.editFio;
    case Control::StaticText1Mashtab:
        return parts_.instruction;
    default:
        return nullptr;
    }
}

QTextEdit* TForm1::panel(NodeNumber node) { return parts_.panels.panel(node); }

int TForm1::surfaceIndex(Control c) const { return parts_.controlIndex[static_cast<std::size_t>(c)]; }

int TForm1::shapeIndex(std::string_view shape) const {
    // The callers name shapes from the catalogue, whose every shape the builder made.
    const auto it = parts_.shapeIndex.find(shape);
    Q_ASSERT_X(it != parts_.shapeIndex.end(), "TForm1", "no such hotspot or marker");
    return it->second;
}

// --- FormView ---------------------------------------------------------------

void TForm1::setVisible(Control c, bool visible) {
    QWidget* w = childControl(c);
    if (!w) return parts_.surface->setElementVisible(surfaceIndex(c), visible);
    const bool hadFocus = !visible && w->hasFocus();
    w->setVisible(visible);
    // A hidden control keeps no focus: its cursor would go on blinking and
    // keys typed meanwhile would still reach it. The window takes the focus.
    if (hadFocus) QWidget::setFocus(Qt::OtherFocusReason);
}

bool TForm1::isVisible(Control c) const {
    if (QWidget* w = childControl(c)) return !w->isHidden();
    return parts_.surface->element(surfaceIndex(c)).visible;
}

void TForm1::setEnabled(Control c, bool enabled) {
    if (QWidget* w = childControl(c))
        w->setEnabled(enabled);
    else
        parts_.surface->setElementEnabled(surfaceIndex(c), enabled);
}

bool TForm1::isEnabled(Control c) const {
    if (QWidget* w = childControl(c)) return w->isEnabledTo(this);
    return parts_.surface->element(surfaceIndex(c)).enabled;
}

void TForm1::setText(Control c, const std::string& text) {
    const QString t = QString::fromStdString(text);
    switch (c) {
    case Control::Edit1Gruppa:
        parts_.editGruppa->setText(t);
        return;
    case Control::Edit1Fio:
        parts_.editFio->setText(t);
        return;
    case Control::StaticText1Mashtab:
        parts_.instruction->setText(t);
        if (t.isEmpty())
            parts_.instruction->resize(4, 4);
        else
            parts_.instruction->adjustSize();  // auto-sized: keeps its left and top
        return;
    case Control::ProgressBar1:
        return;  // no text
    default:
        parts_.surface->setElementText(surfaceIndex(c), t);
        return;
    }
}

std::string TForm1::text(Control c) const {
    switch (c) {
    case Control::Edit1Gruppa:
        return parts_.editGruppa->text().toStdString();
    case Control::Edit1Fio:
        return parts_.editFio->text().toStdString();
    case Control::StaticText1Mashtab:
        return parts_.instruction->text().toStdString();
    case Control::ProgressBar1:
        return {};
    default:
        return parts_.surface->element(surfaceIndex(c)).text.toStdString();
    }
}

void TForm1::setFontColour(Control c, ColourNumber colour) {
    if (QWidget* w = childControl(c)) {
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, parts_.surface->colour(colour));
        p.setColor(QPalette::Text, parts_.surface->colour(colour));
        w->setPalette(p);
    } else {
        parts_.surface->setElementFontColour(surfaceIndex(c), colour);
    }
}

void TForm1::setFocus(Control c) {
    // Only child controls take the focus; push buttons and labels never do.
    if (QWidget* w = childControl(c)) w->setFocus(Qt::OtherFocusReason);
}

void TForm1::setProgress(int position) { parts_.progressBar->setValue(position); }

int TForm1::progress() const { return parts_.progressBar->value(); }

void TForm1::setTimerRunning(bool running) {
    // Like a timer's enabled flag: enabling a running timer does not restart it.
    if (running && !timer1_.isActive()) timer1_.start();
    if (!running) timer1_.stop();
}

bool TForm1::timerRunning() const { return timer1_.isActive(); }

void TForm1::setShapeVisible(std::string_view shape, bool visible) {
    parts_.surface->setElementVisible(shapeIndex(shape), visible);
}

void TForm1::setHotspotHint(std::string_view hotspot, bool enabled) {
    parts_.surface->setHintEnabled(shapeIndex(hotspot), enabled);
}

void TForm1::setPanelVisible(NodeNumber node, bool visible) {
    QTextEdit* memo = panel(node);
    Q_ASSERT_X(memo, "TForm1", "no panel for a node outside the catalogue");
    memo->setVisible(visible);
}

void TForm1::setPointerHidden(bool hidden) {
    if (hidden == pointerHidden_) return;
    pointerHidden_ = hidden;
    // The screen-wide setting overrides every control's pointer, the hand included;
    // restoring it shows the pointer of whatever lies under it at once.
    if (hidden)
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void TForm1::showRegistrationMessage(const std::string& text) {
    RegistrationMessage::run(options_.applicationTitle, QString::fromStdString(text), this);
}

// --- events -----------------------------------------------------------------

void TForm1::clickButton(Control button) {
    for (const ButtonHandler& entry : kButtonHandlers)
        if (entry.button == button) guard_.run([this, &entry] { (mode_.*entry.handler)(); });
    access_->modeMayHaveChanged();
}

void TForm1::onElementPressed(int index, Qt::MouseButton button) {
    access_->pressStarting();
    const SurfaceElement& e = parts_.surface->element(index);
    if (e.kind != SurfaceElement::Kind::Hotspot) return;
    const NodeNumber node = e.node;
    guard_.run([this, node, button] { viewer_.HotspotMouseDown(node, viewerButton(button)); });
}

void TForm1::onElementReleased(int index, Qt::MouseButton button) {
    if (parts_.surface->element(index).kind != SurfaceElement::Kind::Hotspot) return;
    guard_.run([this, button] { viewer_.HotspotMouseUp(viewerButton(button)); });
}

void TForm1::onButtonClicked(int index) {
    for (int c = 0; c < kControlCount; ++c)
        if (parts_.controlIndex[static_cast<std::size_t>(c)] == index)
            return clickButton(static_cast<Control>(c));
}

void TForm1::onPointerMoved(int index, const QPoint& globalPos) {
    access_->pointerMoved(globalPos);
    if (index >= 0 && parts_.surface->element(index).kind == SurfaceElement::Kind::Hotspot) {
        const SurfaceElement& e = parts_.surface->element(index);
        hints_.pointerMoved(index, globalPos, e.hintEnabled, e.hint);
    } else {
        hints_.pointerMoved(-1, globalPos, false, QString());
    }
}

void TForm1::requestQuit() {
    quitRequested_ = true;
    emit exitRequested();
    // The close box's write has just been done by "EXIT": close without it.
    close();
    QCoreApplication::quit();
}

void TForm1::applyHintSettings() { hintPopup_->setBackground(parts_.surface->colour(clLime)); }

void TForm1::closeEvent(QCloseEvent* event) {
    if (!quitRequested_) {
        // The close box writes the due line too; the window closes even when it fails.
        guard_.run([this] { mode_.WindowClosing(); });
        quitRequested_ = true;
    }
    hints_.pointerLeft();
    event->accept();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centreOnPrimaryScreen();
        centred_ = true;
        // The window manager's frame is known only once the window is mapped.
        QTimer::singleShot(0, this, &TForm1::centreOnPrimaryScreen);
    }
}

void TForm1::centreOnPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect desk = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(desk.left() + (desk.width() - outer.width()) / 2, desk.top() + (desk.height() - outer.height()) / 2);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        // Any press, release, wheel turn or key takes the hint away. Only the
        // widget's own delivery counts (Qt also shows the event to its window).
        if (watched->isWidgetType()) hints_.mouseButtonOrWheelOrKey();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kvarnel
