// The work of one document window: building its content with all nine views, loading a preset into
// it (every control notifies every name, every widget updates), and the memory that each further
// window adds.
#include "engine/ZKMEngineFactory.h"
#include "model/ZKMModel.h"
#include "support/TestRig.h"
#include "views/EditorComponent.h"
#include "views/TabSelectorButtons.h"
#include "views/ZKMProductProductImageViewSelector.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace
{
/** A window's content with all nine views built, as it is once the window has been painted. */
std::unique_ptr<EditorComponent> createContent (ZKEditorEngine::Ptr engine)
{
    auto content = std::make_unique<EditorComponent> (std::make_unique<TabSelectorButtons>(),
                                                      std::make_unique<ZKMProductProductImageViewSelector>(), engine,
                                                      ZKMModel::numKnobs, ZKMModel::numPads, ZKMModel::numSwitches);
    content->buildRemainingViews();
    return content;
}

double residentMegabytes()
{
    std::ifstream status ("/proc/self/status");
    std::string line;
    while (std::getline (status, line))
        if (line.rfind ("VmRSS:", 0) == 0)
            return std::stod (line.substr (6)) / 1024.0;
    return 0;
}

void buildEditorContent (benchmark::State& state)
{
    TestRig::NoDevicesRig devices;
    auto& manager = devices.manager;

    for (auto _ : state)
    {
        auto engine = ZKMEngineFactory::createEngine (manager);
        auto content = createContent (engine);
        engine->loadPresetData (TestRig::defaultPresetDump());
        benchmark::DoNotOptimize (content.get());
        state.PauseTiming();
        content = nullptr;
        TestRig::pump (1); // lets the lists' pending change messages go
        state.ResumeTiming();
    }
}

void loadPresetIntoWindow (benchmark::State& state)
{
    TestRig::NoDevicesRig devices;
    auto& manager = devices.manager;
    auto engine = ZKMEngineFactory::createEngine (manager);
    auto content = createContent (engine);
    auto preset = TestRig::defaultPresetDump();
    auto other = preset;
    other.set (10 + 55, 1); // knob 1 in aftertouch mode, so each load really changes something

    bool flip = false;
    for (auto _ : state)
    {
        engine->loadPresetData (flip ? other : preset);
        flip = ! flip;
        state.PauseTiming();
        TestRig::pump (1); // the lists' asynchronous updates, counted separately below
        state.ResumeTiming();
    }
}

void loadPresetIntoWindowIncludingListUpdates (benchmark::State& state)
{
    TestRig::NoDevicesRig devices;
    auto& manager = devices.manager;
    auto engine = ZKMEngineFactory::createEngine (manager);
    auto content = createContent (engine);
    auto preset = TestRig::defaultPresetDump();

    for (auto _ : state)
    {
        engine->loadPresetData (preset);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (0);
    }
}

/** Resident memory as document windows are added one by one up to 8, each shown and painted:
    rss_N is the resident size with N windows, and each further window adds
    (rss_8 - rss_1) / 7 on average. */
void residentMemoryPerWindow (benchmark::State& state)
{
    TestRig::NoDevicesRig devices;
    auto& manager = devices.manager;

    for (auto _ : state)
    {
        TestRig::pump (50);
        state.counters["rss_0"] = residentMegabytes();
        juce::OwnedArray<juce::DocumentWindow> windows;
        juce::Array<ZKEditorEngine::Ptr> engines;

        for (int count = 1; count <= 8; ++count)
        {
            auto engine = ZKMEngineFactory::createEngine (manager);
            engines.add (engine);
            auto* window = windows.add (new juce::DocumentWindow ("Window", juce::Colours::grey, 0));
            auto content = createContent (engine);
            engine->loadPresetData (TestRig::defaultPresetDump());
            window->setContentOwned (content.release(), true);
            window->setVisible (true);
            TestRig::pump (200);

            if (count == 1 || count == 2 || count == 4 || count == 8)
                state.counters["rss_" + std::to_string (count)] = residentMegabytes();
        }

        state.counters["added_mb_per_window"] = (state.counters["rss_8"] - state.counters["rss_1"]) / 7.0;
        windows.clear();
        engines.clear();
        TestRig::pump (100);
    }
}
} // namespace

BENCHMARK (buildEditorContent)->Unit (benchmark::kMillisecond);
BENCHMARK (loadPresetIntoWindow)->Unit (benchmark::kMillisecond);
BENCHMARK (loadPresetIntoWindowIncludingListUpdates)->Unit (benchmark::kMillisecond);
BENCHMARK (residentMemoryPerWindow)->Iterations (1)->Unit (benchmark::kMillisecond);
