// What remembering the slots spares, against the virtual controller with the default pacing: a Send
// of one changed parameter, a Send of an unchanged preset, a Live Edit write, and a restore of a
// backup that the controller holds already or holds but for three slots. Each counts the writes
// that went out on the wire.
#include "LatenessProbe.h"
#include "engine/SlotBackup.h"
#include "engine/SlotRestore.h"
#include "engine/ZKMEngineFactory.h"
#include "support/TestRig.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr juce::uint8 slot = 5;

/** The virtual controller and an engine of the model with both options on, after a Get of the slot,
    so that the slot is known as the editor knows it after a Get or a Send. */
struct KnownSlotRig : public TestRig::VirtualRig
{
    KnownSlotRig()
    {
        engine->setVerifyAfterSend (true);
        engine->setSendChangesOnly (true);
        controller.setSlot (slot, TestRig::createPatternImage (slot));
        engine->startGet (slot);
        runUntilIdle();
    }

    void runUntilIdle()
    {
        while (engine->isTransferInProgress())
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
    }

    int countWrites()
    {
        const auto writes = TestRig::parameterIndexes (controller.getReceivedMessages()).size();
        controller.clearReceivedMessages();
        return writes;
    }

    /** Steps knob 1's CC, as a user's edit does. */
    void editOneParameter()
    {
        auto* knob = engine->getControls (Knob)[0];
        const auto cc = knob->getValue ("CC");
        engine->editParameter (Knob, 0, "CC", (juce::uint8) ((cc + 1) % 128), nullptr);
    }

    ZKEditorEngine::Ptr engine{ ZKMEngineFactory::createEngine (manager) };
};

/** A Send with verify: after one changed parameter (range 1), of the same preset again (range 0), or
    whole (range 2), for comparison. */
void sendWithVerify (benchmark::State& state)
{
    KnownSlotRig rig;
    const auto what = state.range (0);
    rig.engine->setSendChangesOnly (what != 2);

    for (auto _ : state)
    {
        if (what != 0)
            rig.editOneParameter();

        rig.countWrites();
        const auto start = juce::Time::getMillisecondCounterHiRes();
        rig.engine->startSend (slot);
        rig.runUntilIdle();
        state.SetIterationTime ((juce::Time::getMillisecondCounterHiRes() - start) / 1000.0);
        state.counters["writes"] = rig.countWrites();
    }
}

/** Live Edit: from the edit to the byte written and read back. */
void liveEditWrite (benchmark::State& state)
{
    KnownSlotRig rig;
    double worstMs = 0;

    for (auto _ : state)
    {
        const auto start = juce::Time::getMillisecondCounterHiRes();
        rig.editOneParameter();
        rig.engine->startLiveWrite (slot);
        rig.runUntilIdle();
        const auto elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;
        state.SetIterationTime (elapsedMs / 1000.0);
        worstMs = std::max (worstMs, elapsedMs);
        state.counters["worst_ms"] = worstMs;
    }
}

/** Live Edit while a mouse wheel steps one box at 60 Hz for two seconds: how late the message thread
    runs what is posted to it. */
void messageThreadDuringLiveEdit (benchmark::State& state)
{
    KnownSlotRig rig;

    for (auto _ : state)
    {
        LatenessProbe probe;
        const auto start = juce::Time::getMillisecondCounterHiRes();

        for (int step = 0; step < 120; ++step)
        {
            rig.editOneParameter();
            rig.engine->startLiveWrite (slot);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1000 / 60);
        }

        rig.runUntilIdle();
        probe.stop();
        state.SetIterationTime ((juce::Time::getMillisecondCounterHiRes() - start) / 1000.0);
        state.counters["worst_lateness_ms"] = probe.getWorstLatenessMs();
        state.counters["slot_matches"] = rig.controller.getSlot (slot) == TestRig::getImage (*rig.engine) ? 1 : 0;
    }
}

/** Restore All of a backup that the controller holds (range 0), or holds but for a few bytes of three
    slots (range 3). */
void restoreAllSlots (benchmark::State& state)
{
    KnownSlotRig rig;
    const auto folder = juce::File::createTempFile ("bench_restore");
    const auto slotsChanged = (int) state.range (0);

    for (auto _ : state)
    {
        state.PauseTiming();
        folder.createDirectory();

        for (int s = 0; s < SlotBackup::numberOfSlots; ++s)
        {
            const auto image = TestRig::createPatternImage (s);
            const auto dump = rig.engine->createPresetData (0, image);
            SlotBackup::getSlotFile (folder, "ZKM", s).replaceWithData (dump.getRawDataPointer(), (size_t) dump.size());
            auto held = image;

            if (s < slotsChanged)
                for (int index : { 3, 200, 460 })
                    held.set (index, (juce::uint8) (held[index] ^ 1));

            rig.controller.setSlot (s, held);
        }

        rig.countWrites();
        SlotRestore restore (*rig.engine, folder, "ZKM");
        restore.check();
        state.ResumeTiming();

        const auto start = juce::Time::getMillisecondCounterHiRes();
        restore.start();
        while (! restore.isFinished())
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
        state.SetIterationTime ((juce::Time::getMillisecondCounterHiRes() - start) / 1000.0);
        state.counters["writes"] = rig.countWrites();
        state.counters["verified"] = restore.getVerifiedSlots().size();
        folder.deleteRecursively();
    }
}
} // namespace

BENCHMARK (sendWithVerify)->Arg (1)->Arg (0)->Arg (2)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (liveEditWrite)->UseManualTime()->Iterations (20)->Unit (benchmark::kMillisecond);
BENCHMARK (messageThreadDuringLiveEdit)->UseManualTime()->Iterations (1)->Unit (benchmark::kMillisecond);
BENCHMARK (restoreAllSlots)->Arg (0)->Arg (3)->UseManualTime()->Iterations (1)->Unit (benchmark::kMillisecond);
