#include "FakeFormView.h"

namespace kvarnel::testing {

FakeFormView::FakeFormView() {
    for (int i = 0; i < kControlCount; ++i) controls_[static_cast<Control>(i)] = ControlState{};
    // Stored as hidden in the window's description.
    for (Control c : {Control::Image1, Control::Image2, Control::Image3, Control::SpeedButtonRezOznkom,
                      Control::LabelRegObutch, Control::LabelRegTest, Control::LabelStat1,
                      Control::LabelStat2, Control::LabelPanelFio, Control::LabelGruppa, Control::LabelFio,
                      Control::SpeedVvod, Control::ProgressBar1, Control::Edit1Gruppa, Control::Edit1Fio})
        controls_[c].visible = false;
    controls_[Control::LabelStat1].text = "Статистика  правильных ответов:              % ";
    controls_[Control::LabelRegObutch].text = "Study mode";
    controls_[Control::LabelRegTest].text = "Test mode";
    controls_[Control::SpeedPusk].text = "QUESTION?";
    controls_[Control::SpeedButtonRezWopros].text = "TEST";
    controls_[Control::SpeedButtonRezOznkom].text = "Study mode";
    controls_[Control::SpeedExit].text = "EXIT";
    controls_[Control::SpeedVvod].text = "ВВОД";
    controls_[Control::LabelGruppa].text = "Group";
    controls_[Control::LabelFio].text = "Surname ";
}

void FakeFormView::setVisible(Control c, bool visible) {
    calls.push_back("setVisible " + std::string(controlName(c)) + " " + std::to_string(visible));
    controls_[c].visible = visible;
}
bool FakeFormView::isVisible(Control c) const { return controls_.at(c).visible; }
void FakeFormView::setEnabled(Control c, bool enabled) {
    calls.push_back("setEnabled " + std::string(controlName(c)) + " " + std::to_string(enabled));
    controls_[c].enabled = enabled;
}
bool FakeFormView::isEnabled(Control c) const { return controls_.at(c).enabled; }
void FakeFormView::setText(Control c, const std::string& text) {
    calls.push_back("setText " + std::string(controlName(c)) + " " + text);
    controls_[c].text = text;
}
std::string FakeFormView::text(Control c) const { return controls_.at(c).text; }
void FakeFormView::setFontColour(Control c, ColourNumber colour) {
    calls.push_back("setFontColour " + std::string(controlName(c)) + " " + std::to_string(colour));
    controls_[c].fontColour = colour;
}
void FakeFormView::setFocus(Control c) {
    calls.push_back("setFocus " + std::string(controlName(c)));
    focus_ = c;
}
void FakeFormView::setProgress(int position) {
    calls.push_back("setProgress " + std::to_string(position));
    progress_ = position;
}
void FakeFormView::setTimerRunning(bool running) {
    calls.push_back("setTimerRunning " + std::to_string(running));
    timerRunning_ = running;
}
void FakeFormView::setShapeVisible(std::string_view shape, bool visible) {
    calls.push_back("setShapeVisible " + std::string(shape) + " " + std::to_string(visible));
    if (visible)
        visibleShapes_.insert(std::string(shape));
    else
        visibleShapes_.erase(std::string(shape));
}
void FakeFormView::setHotspotHint(std::string_view hotspot, bool enabled) {
    calls.push_back("setHotspotHint " + std::string(hotspot) + " " + std::to_string(enabled));
    if (enabled)
        hints_.insert(std::string(hotspot));
    else
        hints_.erase(std::string(hotspot));
}
void FakeFormView::setPanelVisible(NodeNumber node, bool visible) {
    calls.push_back("setPanelVisible " + std::to_string(node) + " " + std::to_string(visible));
    if (visible)
        panels_.insert(node);
    else
        panels_.erase(node);
}
void FakeFormView::setPointerHidden(bool hidden) {
    calls.push_back("setPointerHidden " + std::to_string(hidden));
    pointerHidden_ = hidden;
}
void FakeFormView::showRegistrationMessage(const std::string& text) {
    calls.push_back("showRegistrationMessage " + text);
    messages_.push_back(text);
}

}  // namespace kvarnel::testing
