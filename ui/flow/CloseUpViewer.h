#pragma once
// The press-and-hold close-up of a node in study mode, and the operations that
// switch the whole hotspot group and the node details. Plain C++: it works on
// the window only through FormView.
#include "core/Catalogue.h"
#include "core/FormView.h"

namespace kvarnel {

class TestEngine;

enum class MouseButton { Left, Right, Middle };

// Shown by the instruction line until the first hotspot press or "TEST".
constexpr const char* kInstructionText =
    "When you hover the cursor over the green tags, you can zoom in the picture and get a "
    "brief information about the node by pressing and holding the left mouse button.";

class CloseUpViewer {
public:
    CloseUpViewer(FormView& view, TestEngine& engine, const Catalogue& catalogue = Catalogue::standard());

    // The one press and one release handler of all 50 hotspots; the window passes
    // the pressed hotspot's node number.
    void HotspotMouseDown(NodeNumber n, MouseButton button);
    void HotspotMouseUp(MouseButton button);

    void SelectNode(NodeNumber n);
    void RestoreOverview();
    void ShowHotspots();
    void HideHotspots();
    void ShowHotspotHints();
    void HideHotspotHints();
    void HideNodeDetails();

    // Study mode holds exactly when "Study mode" is disabled and "TEST" enabled;
    // read from the buttons on every call, there is no mode variable.
    bool inStudyMode() const;

private:
    void showNodeDetails(NodeNumber n);
    void setAllHotspots(bool visible);
    void setAllHints(bool enabled);

    FormView& view_;
    TestEngine& engine_;
    const Catalogue& catalogue_;
};

}  // namespace kvarnel
