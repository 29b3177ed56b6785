#pragma once
// The main window Form1: a fixed 1026 x 727 client area with the drawing
// surface (pictures, labels, push buttons, hotspots, markers) at the bottom and
// the child controls (description panels, progress bar, entry fields,
// instruction line) above it. It is the FormView through which the test
// engine, the close-up viewer and the mode controller reach the controls, and
// it runs every handler inside the error guard.
#include <QTimer>
#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "DescriptionPanels.h"
#include "ErrorGuard.h"
#include "FormBuilder.h"
#include "core/FormView.h"
#include "core/Journal.h"
#include "core/Random.h"
#include "core/ResultRecord.h"
#include "core/TestEngine.h"
#include "ui/drawing/PictureResources.h"
#include "ui/flow/CloseUpViewer.h"
#include "ui/flow/HintController.h"
#include "ui/flow/KeyboardLayouts.h"
#include "ui/flow/ModeController.h"

class QLabel;
class QLineEdit;
class QTextEdit;
class QProgressBar;

namespace kvarnel {

class HintPopup;
class HotspotAccess;
class Surface;

// What a test or the program's entry may choose; everything else is fixed.
struct TForm1Options {
    QString applicationTitle = QStringLiteral("Kvarnel");
    std::unique_ptr<KeyboardLayouts> keyboardLayouts;  // null: the platform's own
    std::unique_ptr<DateTimeTexts> clock;              // null: the system locale's texts
    int hintDelayMs = kHintDelayMs;
    int hintDisplayMs = kHintDisplayMs;
};

class TForm1 : public QWidget, public FormView {
    Q_OBJECT
public:
    explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // FormView.
    void setVisible(Control c, bool visible) override;
    bool isVisible(Control c) const override;
    void setEnabled(Control c, bool enabled) override;
    bool isEnabled(Control c) const override;
    void setText(Control c, const std::string& text) override;
    std::string text(Control c) const override;
    void setFontColour(Control c, ColourNumber colour) override;
    void setFocus(Control c) override;
    void setProgress(int position) override;
    int progress() const override;
    void setTimerRunning(bool running) override;
    bool timerRunning() const override;
    void setShapeVisible(std::string_view shape, bool visible) override;
    void setHotspotHint(std::string_view hotspot, bool enabled) override;
    void setPanelVisible(NodeNumber node, bool visible) override;
    void setPointerHidden(bool hidden) override;
    void showRegistrationMessage(const std::string& text) override;
    using QWidget::isEnabled;
    using QWidget::isVisible;
    using QWidget::setEnabled;
    using QWidget::setFocus;
    using QWidget::setVisible;

    // The pieces, for the program's tests.
    Surface& surface() { return *parts_.surface; }
    QWidget* childControl(Control c) const;  // nullptr for surface elements
    QTextEdit* panel(NodeNumber node);       // fills the panel's text on the first call
    HintPopup& hintPopup() { return *hintPopup_; }
    HintController& hints() { return hints_; }
    Random& random() { return random_; }
    ErrorGuard& errorGuard() { return guard_; }
    bool pointerHidden() const { return pointerHidden_; }
    bool quitRequested() const { return quitRequested_; }

    // Runs a click handler as the push button's release would.
    void clickButton(Control button);

    // Puts the window's outer frame in the middle of the primary screen.
    void centreOnPrimaryScreen();

signals:
    // "EXIT" has written what was due and asks the program to end.
    void exitRequested();
    // The window's first frame is on screen (sent once, after that frame).
    void firstFrameShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int surfaceIndex(Control c) const;
    int shapeIndex(std::string_view shape) const;

    void onElementPressed(int index, Qt::MouseButton button);
    void onElementReleased(int index, Qt::MouseButton button);
    void onButtonClicked(int index);
    void onPointerMoved(int index, const QPoint& globalPos);
    void requestQuit();
    void applyHintSettings();

    TForm1Options options_;
    PictureResources pictures_;
    FormParts parts_;                       // the components; their widgets are children, owned by Qt
    std::unique_ptr<HintPopup> hintPopup_;  // a top-level pop-up, not a child

    ErrorGuard guard_;
    Random random_;
    FileJournal journal_;
    TestEngine engine_;
    CloseUpViewer viewer_;
    std::unique_ptr<KeyboardLayouts> layouts_;
    std::unique_ptr<DateTimeTexts> clock_;
    ModeController mode_;
    HintController hints_;
    QTimer timer1_{this};  // "Timer1": the answer's 300 ms ticks

    bool pointerHidden_ = false;
    bool quitRequested_ = false;
    bool centred_ = false;
    std::unique_ptr<HotspotAccess> access_;  // keys and assistive technologies for the hotspots
};

}  // namespace kvarnel
