// Get and Send against the virtual controller with the default pacing, as wall time against the
// pacing floor: 465 requests 3 ms apart for a Get, 465 writes 8 ms apart for a Send.
#include "LatenessProbe.h"
#include "engine/MidiManager.h"
#include "engine/SlotBackup.h"
#include "engine/VirtualController.h"
#include "engine/ZKMEngineFactory.h"
#include "model/ZKMModel.h"
#include "support/TestRig.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace
{
constexpr int imageLength = ZKMModel::imageLength;

/** The virtual controller, connected, and an engine of the model on it with the default pacing. */
struct Rig : public TestRig::VirtualRig
{
    ZKEditorEngine::Ptr engine{ ZKMEngineFactory::createEngine (manager) };
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
double cpuSecondsOfProcess()
{
    rusage usage{};
    getrusage (RUSAGE_SELF, &usage);
    return (double) usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1.0e6 + (double) usage.ru_stime.tv_sec
           + usage.ru_stime.tv_usec / 1.0e6;
}

/** Runs the message loop, as the editor does, until the engine's transfers are over. */
void runMessageLoopUntilIdle (ZKEditorEngine& engine)
{
    while (engine.isTransferInProgress())
        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
}

/** The editor's way: the transfer is queued and the message loop keeps running meanwhile. */
void messageThreadDuringTransfer (benchmark::State& state, bool send)
{
    Rig rig;
    double worstLatenessMs = 0, worstCpuPercent = 0;

    for (auto _ : state)
    {
        // Messages posted before the transfer are run first, so that only the transfer counts.
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
        LatenessProbe probe;
        const auto start = juce::Time::getMillisecondCounterHiRes();
        const auto cpuBefore = cpuSecondsOfProcess();
        const bool started = send ? rig.engine->startSend (5) : rig.engine->startGet (3);
        if (! started)
            state.SkipWithError ("the transfer was refused");
        runMessageLoopUntilIdle (*rig.engine);
        const auto elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;
        const auto cpuMs = (cpuSecondsOfProcess() - cpuBefore) * 1000.0;
        probe.stop();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        state.SetIterationTime (elapsedMs / 1000.0);
        worstLatenessMs = std::max (worstLatenessMs, probe.getWorstLatenessMs());
        worstCpuPercent = std::max (worstCpuPercent, 100.0 * cpuMs / elapsedMs);
        state.counters["worst_lateness_ms"] = worstLatenessMs;
        state.counters["cpu_percent"] = worstCpuPercent;
    }
}

void messageThreadDuringGet (benchmark::State& state) { messageThreadDuringTransfer (state, false); }
void messageThreadDuringSend (benchmark::State& state) { messageThreadDuringTransfer (state, true); }

/** A Send with nothing else going on: the process's CPU time against the wall time. */
void cpuDuringSend (benchmark::State& state)
{
    Rig rig;
    double worstCpuPercent = 0;

    for (auto _ : state)
    {
        const auto start = juce::Time::getMillisecondCounterHiRes();
        const auto cpuBefore = cpuSecondsOfProcess();
        rig.engine->startSend (5);
        runMessageLoopUntilIdle (*rig.engine);
        const auto elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;
        const auto cpuMs = (cpuSecondsOfProcess() - cpuBefore) * 1000.0;
        state.SetIterationTime (elapsedMs / 1000.0);
        worstCpuPercent = std::max (worstCpuPercent, 100.0 * cpuMs / elapsedMs);
        state.counters["cpu_percent"] = worstCpuPercent;
    }
}
} // namespace

// Every slot into preset files at the default pacing: 24 Gets back to back through the queue, each
// written as it comes, against 24 times the floor of one Get.
void backUpAllSlots (benchmark::State& state)
{
    Rig rig;
    const auto pacing = rig.engine->getPacing();
    const double floorMs = SlotBackup::numberOfSlots * imageLength * pacing.requestGapMs;
    const auto folder = juce::File::createTempFile ("bench_backup");

    for (auto _ : state)
    {
        folder.createDirectory();
        SlotBackup backup (*rig.engine, folder, "ZKM");
        const auto start = juce::Time::getMillisecondCounterHiRes();
        backup.start();
        while (! backup.isFinished())
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
        const auto elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;
        state.SetIterationTime (elapsedMs / 1000.0);
        state.counters["floor_ms"] = floorMs;
        state.counters["slots_saved"] = backup.getSavedSlots().size();
        folder.deleteRecursively();
    }
}

BENCHMARK (messageThreadDuringGet)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (messageThreadDuringSend)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (cpuDuringSend)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (getPresetFromVirtualController)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (sendPresetToVirtualController)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (backUpAllSlots)->UseManualTime()->Iterations (1)->Unit (benchmark::kMillisecond);
