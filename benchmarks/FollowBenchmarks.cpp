// Follow the Controller: from a controller's message arriving at the MidiManager, on a device's
// input thread, to the frame of the control that sent it starting to flash in the front document
// window, with the knobs' tab and bank selected on the way.
#include "app/EditorWindow.h"
#include "app/FollowController.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/TestRig.h"
#include "views/TabSelectorButtons.h"
#include "views/ZKMProductProductImageViewSelector.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace
{
struct NoCloseListener : public WindowCloseListener
{
    void windowClosed (juce::Component*) override {}
};

/** A document window, shown, whose knob 7 sends CC 119 on channel 16. */
struct FollowRig : public TestRig::FakeRig
{
    FollowRig()
    {
        auto dump = TestRig::defaultPresetDump();
        const auto offset = TestRig::dumpHeadLength + PresetLayout::getOffset (ControlType::Knob, knobIndex);
        dump.set (offset, 0);
        dump.set (offset + 1, 119);
        dump.set (offset + 4, 15);
        engine->loadPresetData (dump);

        auto* content = new EditorComponent (std::make_unique<TabSelectorButtons>(),
                                             std::make_unique<ZKMProductProductImageViewSelector>(), engine,
                                             ZKMModel::numKnobs, ZKMModel::numPads,
                                             ZKMModel::numSwitches); // passes to the window
        window = std::make_unique<EditorWindow> ("Follow", content, engine, &lastDirectory, &noClose);
        window->setVisible (true);
        content->buildRemainingViews();
        TestRig::pump (200);
    }

    static constexpr int knobIndex = 6;
    ZKEditorEngine::Ptr engine = TestRig::createEngine (manager);
    juce::File lastDirectory;
    NoCloseListener noClose;
    std::unique_ptr<EditorWindow> window;
    FollowController follow{ manager, [this] { return window.get(); } };
};

void followKnobTurn (benchmark::State& state)
{
    FollowRig rig;
    auto& editor = *rig.window->getEditorComponent();
    std::vector<double> times;

    for (auto _ : state)
    {
        // Back on the main tab, with no frame showing, and past the follow interval.
        editor.viewSelected (EditorComponent::mainView);
        TestRig::pump (FollowController::followIntervalMs + 10);

        const auto start = juce::Time::getMillisecondCounterHiRes();
        rig.layer.deliverFromOtherThread ({ juce::MidiMessage::controllerEvent (16, 119, 64) });

        while (! editor.isFlashing (ControlType::Knob, FollowRig::knobIndex)
               && juce::Time::getMillisecondCounterHiRes() - start < 2000)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);

        const auto elapsed = juce::Time::getMillisecondCounterHiRes() - start;
        times.push_back (elapsed);
        state.SetIterationTime (elapsed / 1000.0);
    }

    std::sort (times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
    state.counters["flashed"] = editor.isFlashing (ControlType::Knob, FollowRig::knobIndex) ? 1 : 0;
}
} // namespace

BENCHMARK (followKnobTurn)->UseManualTime()->Iterations (100)->Unit (benchmark::kMillisecond);
