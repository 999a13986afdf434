// The operations on whole slots against the virtual controller with the default pacing: the names of
// all 24 slots, a rename confirmed by its read-back, and a swap of two known slots that differ in 40
// bytes, each written byte read back.
#include "engine/SlotBackup.h"
#include "engine/SlotCopier.h"
#include "engine/SlotNameReader.h"
#include "engine/ZKMEngineFactory.h"
#include "support/TestRig.h"

#include <benchmark/benchmark.h>

namespace
{
/** The virtual controller and an engine of the model with the default pacing. */
struct SlotRig : public TestRig::VirtualRig
{
    void runUntil (const std::function<bool()>& isDone)
    {
        while (! isDone())
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
    }

    void runUntilIdle()
    {
        runUntil ([this] { return ! engine->isTransferInProgress(); });
    }

    int countWrites()
    {
        const auto writes = TestRig::parameterIndexes (controller.getReceivedMessages()).size();
        controller.clearReceivedMessages();
        return writes;
    }

    ZKEditorEngine::Ptr engine{ ZKMEngineFactory::createEngine (manager) };
};

double nowMs() { return juce::Time::getMillisecondCounterHiRes(); }

void readAllSlotNames (benchmark::State& state)
{
    SlotRig rig;

    for (auto _ : state)
    {
        SlotNameReader reader (*rig.engine);
        const auto start = nowMs();
        reader.start();
        rig.runUntil ([&] { return reader.isFinished(); });
        state.SetIterationTime ((nowMs() - start) / 1000.0);
        state.counters["names_read"] = SlotBackup::numberOfSlots - reader.getFailedSlots().size();
    }
}

void renameSlot (benchmark::State& state)
{
    SlotRig rig;
    int round = 0;
    bool allConfirmed = true;

    for (auto _ : state)
    {
        juce::Array<juce::uint8> name;

        for (int i = 0; i < 16; ++i)
            name.add ((juce::uint8) ('A' + (i + round) % 26));

        ++round;
        rig.countWrites();
        const auto start = nowMs();
        rig.engine->startRename (3, name);
        rig.runUntilIdle();
        state.SetIterationTime ((nowMs() - start) / 1000.0);
        state.counters["writes"] = rig.countWrites();
        allConfirmed = allConfirmed && rig.engine->getKnownSlotName (3) == name;
        state.counters["confirmed"] = allConfirmed ? 1 : 0;
    }
}

void swapKnownSlots (benchmark::State& state)
{
    SlotRig rig;

    for (auto _ : state)
    {
        state.PauseTiming();
        auto first = TestRig::createPatternImage (2), second = first;

        for (int i = 0; i < 40; ++i)
            second.set (20 + i * 11, (juce::uint8) ((second[20 + i * 11] + 1) % 128));

        rig.controller.setSlot (2, first);
        rig.controller.setSlot (6, second);

        for (juce::uint8 slot : { 2, 6 })
            rig.engine->startBackupRead (slot);

        rig.runUntilIdle();
        rig.countWrites();
        state.ResumeTiming();

        SlotCopier swap (*rig.engine, SlotCopier::Operation::swap, 2, 6);
        const auto start = nowMs();
        swap.start();
        rig.runUntil ([&] { return swap.isFinished(); });
        state.SetIterationTime ((nowMs() - start) / 1000.0);
        state.counters["writes"] = rig.countWrites();
        state.counters["swapped"] =
            swap.succeeded() && rig.controller.getSlot (2) == second && rig.controller.getSlot (6) == first ? 1 : 0;
    }
}
} // namespace

BENCHMARK (readAllSlotNames)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (renameSlot)->UseManualTime()->Iterations (5)->Unit (benchmark::kMillisecond);
BENCHMARK (swapKnownSlots)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
