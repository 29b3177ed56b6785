#pragma once
// A FormView that keeps every control's state in memory and records each call,
// so tests can check both the resulting states and the order of the steps.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/FormView.h"

namespace kvarnel::testing {

struct ControlState {
    bool visible = true;
    bool enabled = true;
    std::string text;
    ColourNumber fontColour = clBlack;
};

class FakeFormView : public FormView {
public:
    // Starts with the visibilities the window's stored description gives.
    FakeFormView();

    void setVisible(Control c, bool visible) override;
    bool isVisible(Control c) const override;
    void setEnabled(Control c, bool enabled) override;
    bool isEnabled(Control c) const override;
    void setText(Control c, const std::string& text) override;
    std::string text(Control c) const override;
    void setFontColour(Control c, ColourNumber colour) override;
    void setFocus(Control c) override;
    void setProgress(int position) override;
    int progress() const override { return progress_; }
    void setTimerRunning(bool running) override;
    bool timerRunning() const override { return timerRunning_; }
    void setShapeVisible(std::string_view shape, bool visible) override;
    void setHotspotHint(std::string_view hotspot, bool enabled) override;
    void setPanelVisible(NodeNumber node, bool visible) override;
    void setPointerHidden(bool hidden) override;
    void showRegistrationMessage(const std::string& text) override;

    ColourNumber fontColour(Control c) const { return controls_.at(c).fontColour; }
    bool shapeVisible(const std::string& shape) const { return visibleShapes_.count(shape) > 0; }
    bool hintEnabled(const std::string& hotspot) const { return hints_.count(hotspot) > 0; }
    bool panelVisible(NodeNumber node) const { return panels_.count(node) > 0; }
    std::set<std::string> visibleShapes() const { return visibleShapes_; }
    std::set<NodeNumber> visiblePanels() const { return panels_; }
    std::size_t hintCount() const { return hints_.size(); }
    bool pointerHidden() const { return pointerHidden_; }
    Control focus() const { return focus_; }
    const std::vector<std::string>& messages() const { return messages_; }

    // Every call in order, e.g. "setVisible LabelWopros 0", "setTimerRunning 1".
    std::vector<std::string> calls;
    void clearCalls() { calls.clear(); }

private:
    std::map<Control, ControlState> controls_;
    std::set<std::string> visibleShapes_;
    std::set<std::string> hints_;
    std::set<NodeNumber> panels_;
    std::vector<std::string> messages_;
    int progress_ = 0;
    bool timerRunning_ = false;
    bool pointerHidden_ = false;
    Control focus_ = Control::Image1;
};

}  // namespace kvarnel::testing
