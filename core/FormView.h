#pragma once
// What the test logic, the close-up viewer and the mode controller may do to
// the main window. The window implements it; tests fake it with a recorder.
#include <string>
#include <string_view>

#include "CatalogueData.h"
#include "Colours.h"

namespace kvarnel {

// The window's components other than the catalogue's hotspots, markers and panels.
enum class Control {
    Image1,
    Image2,
    Image3,
    LabelWopros,
    LabelOtvet,
    SpeedExit,
    SpeedPusk,
    SpeedButtonRezOznkom,
    SpeedButtonRezWopros,
    LabelRegObutch,
    LabelRegTest,
    LabelStat1,
    LabelStat2,
    LabelPanelFio,
    LabelGruppa,
    LabelFio,
    SpeedVvod,
    Label_Ostalos,
    ProgressBar1,
    Edit1Gruppa,
    Edit1Fio,
    StaticText1Mashtab,
};
constexpr int kControlCount = static_cast<int>(Control::StaticText1Mashtab) + 1;

// The component name of a control: "LabelWopros", "SpeedPusk", ...
const char* controlName(Control c);

class FormView {
public:
    virtual ~FormView() = default;

    virtual void setVisible(Control c, bool visible) = 0;
    virtual bool isVisible(Control c) const = 0;
    virtual void setEnabled(Control c, bool enabled) = 0;
    virtual bool isEnabled(Control c) const = 0;
    // Texts are UTF-8. Labels, buttons, edit boxes and the instruction line have one.
    virtual void setText(Control c, const std::string& text) = 0;
    virtual std::string text(Control c) const = 0;
    virtual void setFontColour(Control c, ColourNumber colour) = 0;
    virtual void setFocus(Control c) = 0;

    // ProgressBar1's position (0..100).
    virtual void setProgress(int position) = 0;
    virtual int progress() const = 0;
    // Timer1 (300 ms).
    virtual void setTimerRunning(bool running) = 0;
    virtual bool timerRunning() const = 0;

    // Hotspots and markers by component name (ShapeV10_3, ShapeM7_1, ...).
    virtual void setShapeVisible(std::string_view shape, bool visible) = 0;
    virtual void setHotspotHint(std::string_view hotspot, bool enabled) = 0;
    // Description panel MemoV<n>.
    virtual void setPanelVisible(NodeNumber node, bool visible) = 0;
    // The screen-wide pointer: hidden while a node is held in study mode.
    virtual void setPointerHidden(bool hidden) = 0;

    // The modal registration message; returns when the user has closed it.
    virtual void showRegistrationMessage(const std::string& text) = 0;
};

}  // namespace kvarnel
