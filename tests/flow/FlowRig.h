#pragma once
// The whole test logic wired as the window wires it, with recording fakes for
// the window, the journal, the keyboard layouts and the clock.
#include <string>
#include <vector>

#include "core/Catalogue.h"
#include "core/InOutError.h"
#include "core/Journal.h"
#include "core/Random.h"
#include "core/ResultRecord.h"
#include "core/TestEngine.h"
#include "tests/support/FakeFormView.h"
#include "tests/support/FakeJournal.h"
#include "tests/support/FixedClock.h"
#include "tests/support/RecordingKeyboardLayouts.h"
#include "ui/flow/CloseUpViewer.h"
#include "ui/flow/ModeController.h"

namespace kvarnel::testing {

inline const std::string kGroup = "41-ТЭ";
inline const std::string kSurname = "Петров";
inline const std::string kRecordStart = "07.12.2026 / 14:13:51 / 41-ТЭ / Петров";
inline const std::string kAbandonedLine = kRecordStart + " / Тест прерван";

struct FlowRig {
    FakeFormView view;
    FakeJournal journal;
    Random random;
    TestEngine engine{view, random, journal};
    CloseUpViewer viewer{view, engine};
    std::vector<std::string> activatedLayouts;
    RecordingKeyboardLayouts layouts{activatedLayouts};
    FixedClock clock;
    int quitRequests = 0;
    int hintSettingsApplied = 0;
    ModeController controller{view,
                              engine,
                              viewer,
                              layouts,
                              clock,
                              random,
                              ModeCallbacks{[this] { ++quitRequests; }, [this] { ++hintSettingsApplied; }}};

    explicit FlowRig(bool create = true) {
        if (create) controller.FormCreate();
    }

    // "TEST", type both texts, "ВВОД".
    void registerAs(const std::string& group = kGroup, const std::string& surname = kSurname) {
        controller.SpeedButtonRezWoprosClick();
        view.setText(Control::Edit1Gruppa, group);
        view.setText(Control::Edit1Fio, surname);
        controller.SpeedVvodClick();
    }

    // The node whose question the question label shows; 0 when it shows none.
    NodeNumber askedNode() const {
        const std::string shown = view.text(Control::LabelWopros);
        for (NodeNumber n = 1; n <= kNodeCount; ++n)
            if (engine.state().Questions[static_cast<std::size_t>(n)] == shown) return n;
        return 0;
    }
    static NodeNumber otherNode(NodeNumber n) { return n == 1 ? 2 : 1; }

    // A press and its release on a hotspot of node n.
    void click(NodeNumber n, MouseButton button = MouseButton::Left) {
        viewer.HotspotMouseDown(n, button);
        viewer.HotspotMouseUp(button);
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) controller.Timer1Timer();
    }
    // Draws question after question, answering each right, up to and including the
    // `count`th; the test stays at that question answered.
    void answerRight(int count) {
        for (int i = 0; i < count; ++i) {
            controller.SpeedPuskClick();
            click(askedNode());
        }
    }
};

}  // namespace kvarnel::testing
