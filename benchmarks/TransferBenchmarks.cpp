// Get and Send against the virtual controller with the default pacing, as wall time against the
// pacing floor: 465 requests 3 ms apart for a Get, 465 writes 8 ms apart for a Send.
#include "engine/MidiManager.h"
#include "engine/VirtualController.h"
#include "engine/ZKEditorEngine.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int imageLength = 465;

struct Rig
{
    VirtualController controller;
    MidiManager manager { controller };
    ZKEditorEngine::Ptr engine { new ZKEditorEngine (0x40, &manager, "*.zkp", 60, 10, 16, 16, 48) };

    Rig()
    {
        manager.setInputDevice (VirtualController::deviceName);
        manager.setOutputDevice (VirtualController::deviceName);
    }
};

void getPresetFromVirtualController (benchmark::State& state)
{
    Rig rig;
    const auto pacing = rig.engine->getPacing();
    const double floorMs = imageLength * pacing.requestGapMs;

    for (auto _ : state)
    {
        const auto start = juce::Time::getMillisecondCounterHiRes();
        rig.engine->getPreset (3);
        while (rig.engine->isGetInProgress())
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
        const auto elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;
        state.SetIterationTime (elapsedMs / 1000.0);
        state.counters["floor_ms"] = floorMs;
        state.counters["over_floor_ms"] = elapsedMs - floorMs;
        state.counters["reply_delay_ms"] = VirtualController::defaultReplyDelayMs;
    }
}

void sendPresetToVirtualController (benchmark::State& state)
{
    Rig rig;
    const auto pacing = rig.engine->getPacing();
    const double floorMs = imageLength * pacing.writeGapMs;

    for (auto _ : state)
    {
        const auto start = juce::Time::getMillisecondCounterHiRes();
        const bool sent = rig.engine->sendPreset (5);
        const auto elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;
        if (! sent)
            state.SkipWithError ("the Send was refused");
        state.SetIterationTime (elapsedMs / 1000.0);
        state.counters["floor_ms"] = floorMs;
        state.counters["over_floor_ms"] = elapsedMs - floorMs;
    }
}
} // namespace

BENCHMARK (getPresetFromVirtualController)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (sendPresetToVirtualController)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
