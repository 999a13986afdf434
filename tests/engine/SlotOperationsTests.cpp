// The operations on whole slots: the names of all slots, a rename, and a copy or swap of two
// slots, against the virtual controller.
#include "engine/SlotCopier.h"
#include "engine/SlotNameReader.h"
#include "support/MessageLoop.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
constexpr int waitMs = 60000;

struct EndRecorder : public ZKEditorEngine::Listener
{
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override { ends.push_back (status); }
    void midiCommunicationFailed (const juce::String&) override { ++failures; }

    std::vector<ZKEditorEngine::TransferStatus> ends;
    int failures = 0;
};

juce::Array<juce::uint8> nameOf (const juce::String& text)
{
    juce::Array<juce::uint8> bytes;

    for (int i = 0; i < SlotMemory::nameLength; ++i)
        bytes.add ((juce::uint8) (i < text.length() ? text[i] : 0));

    return bytes;
}

juce::Array<juce::uint8> withName (juce::Array<juce::uint8> image, const juce::String& text)
{
    const auto name = nameOf (text);

    for (int i = 0; i < name.size(); ++i)
        image.set (i, name[i]);

    return image;
}

class SlotOperations : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int slot = 0; slot < ZKSysEx::numberOfSlots; ++slot)
            rig.controller.setSlot (slot, withName (createPatternImage (slot), "Slot " + juce::String (slot + 1)));

        engine->addListener (&recorder);
    }

    void TearDown() override { engine->removeListener (&recorder); }

    bool waitUntilIdle()
    {
        return pumpMessagesUntil ([this] { return ! engine->isTransferInProgress(); }, waitMs);
    }

    juce::Array<int> writes() const { return parameterIndexes (rig.controller.getReceivedMessages()); }

    juce::Array<int> requests() const
    {
        return parameterIndexes (rig.controller.getReceivedMessages(), ZKSysEx::parameterRequestCommand);
    }

    VirtualRig rig;
    ZKEditorEngine::Ptr engine = createEngine (rig.manager, fastPacing (patientReplyTimeoutMs));
    EndRecorder recorder;
};
} // namespace

//==============================================================================
TEST_F (SlotOperations, ARenameWritesTheSixteenNameBytesAloneAndReadsThemBack)
{
    constexpr juce::uint8 slot = 5;
    const auto before = rig.controller.getSlot (slot);
    rig.controller.clearReceivedMessages();

    const auto id = engine->startRename (slot, nameOf ("Warm Pad"));
    ASSERT_NE (id, 0);
    ASSERT_TRUE (waitUntilIdle());

    juce::Array<int> nameIndexes;

    for (int index = 0; index < SlotMemory::nameLength; ++index)
        nameIndexes.add (index);

    EXPECT_EQ (writes(), nameIndexes) << "all 16 name bytes, and nothing else";
    EXPECT_EQ (requests(), nameIndexes) << "the name alone is read back";
    EXPECT_EQ (rig.controller.getSlot (slot), withName (before, "Warm Pad"));
    ASSERT_FALSE (recorder.ends.empty());
    EXPECT_EQ (recorder.ends.back().id, id);
    EXPECT_EQ (recorder.ends.back().stage, ZKEditorEngine::TransferStatus::Stage::completed);
    EXPECT_EQ (engine->getKnownSlotName (slot), nameOf ("Warm Pad"));
    EXPECT_NE (engine->getWhenSlotSeen (slot), juce::Time());

    // A name byte the controller does not keep: the read-back finds it, and the rename fails.
    auto faults = rig.controller.getFaults();
    faults.droppedWrites = { 3 };
    rig.controller.setFaults (faults);
    ASSERT_NE (engine->startRename (slot, nameOf ("Cold Pad")), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (recorder.ends.back().stage, ZKEditorEngine::TransferStatus::Stage::failed);
    EXPECT_EQ (recorder.failures, 0) << "the controller is there: the rename's end says it";
    EXPECT_TRUE (engine->getKnownSlotName (slot).isEmpty()) << "a slot not confirmed is forgotten";

    // The controller gone: a failure of the communication, as a Send's is.
    rig.controller.clearFaults();
    rig.controller.unplug();
    ASSERT_NE (engine->startRename (slot, nameOf ("Gone")), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (recorder.ends.back().stage, ZKEditorEngine::TransferStatus::Stage::failed);
    EXPECT_EQ (recorder.failures, 1);
}

TEST_F (SlotOperations, TheNamesOfAllSlotsAreReadAndASilentSlotIsNamedInTheSummary)
{
    // Slot 2 is known, then renamed on the controller itself: its name read tells so.
    ASSERT_NE (engine->startBackupRead (1), 0);
    ASSERT_TRUE (waitUntilIdle());
    ASSERT_TRUE (engine->isSlotKnown (1));
    rig.controller.setSlot (1, withName (rig.controller.getSlot (1), "Changed"));

    auto faults = rig.controller.getFaults();
    faults.silentSlots = { 4 };
    rig.controller.setFaults (faults);
    engine->setPacing (fastPacing (missingReplyTimeoutMs, 1)); // the silent slot's names are asked for twice

    SlotNameReader reader (*engine);
    ASSERT_TRUE (reader.start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return reader.isFinished(); }, waitMs));

    EXPECT_EQ (reader.getSummary(), "23 of 24 names read; slot 5 did not answer");
    EXPECT_EQ (reader.getFailedSlots(), juce::Array<int> ({ 4 }));
    EXPECT_TRUE (reader.getNameBytes (4).isEmpty());
    EXPECT_EQ (reader.getNameBytes (0), nameOf ("Slot 1"));
    EXPECT_EQ (reader.getNameBytes (23), nameOf ("Slot 24"));
    EXPECT_EQ (requests().size(), 24 * SlotMemory::nameLength + ZKMModel::imageLength + SlotMemory::nameLength)
        << "16 requests per slot: the silent slot's are asked again once";
    EXPECT_EQ (engine->getKnownSlotName (1), nameOf ("Changed"));
    EXPECT_FALSE (engine->isSlotKnown (1)) << "a name that differs from the known image: the slot changed unseen";
    EXPECT_EQ (recorder.failures, 0);
}

TEST_F (SlotOperations, ASwapLeavesBothSlotsByteExactAndSwapsTwoKnownSlotsByTheirDifferingBytes)
{
    const auto third = rig.controller.getSlot (2), seventh = rig.controller.getSlot (6);

    SlotCopier swap (*engine, SlotCopier::Operation::swap, 2, 6);
    ASSERT_TRUE (swap.start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return swap.isFinished(); }, waitMs));

    EXPECT_TRUE (swap.succeeded());
    EXPECT_EQ (rig.controller.getSlot (2), seventh);
    EXPECT_EQ (rig.controller.getSlot (6), third);
    EXPECT_TRUE (swap.getSummary().startsWith ("Slots 3 and 7 swapped, verified (")) << swap.getSummary();
    EXPECT_EQ (engine->getKnownSlotImage (2), seventh);
    EXPECT_EQ (engine->getKnownSlotImage (6), third);

    // Both known now, and differing in 3 bytes: 3 writes into each, and only those read back.
    auto changed = third;
    changed.set (20, 1);
    changed.set (200, 2);
    changed.set (400, 3);
    rig.controller.setSlot (2, changed);
    ASSERT_NE (engine->startBackupRead (2), 0);
    ASSERT_TRUE (waitUntilIdle());
    rig.controller.clearReceivedMessages();

    SlotCopier again (*engine, SlotCopier::Operation::swap, 2, 6);
    ASSERT_TRUE (again.start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return again.isFinished(); }, waitMs));

    EXPECT_EQ (again.getSummary(), "Slots 3 and 7 swapped, verified (6 bytes written)");
    EXPECT_EQ (rig.controller.getSlot (2), third);
    EXPECT_EQ (rig.controller.getSlot (6), changed);
    EXPECT_EQ (writes(), juce::Array<int> ({ 20, 200, 400, 20, 200, 400 }));
    EXPECT_EQ (requests().size(), 2 * ZKMModel::imageLength + writes().size())
        << "both slots read once by the swap itself, then each written byte read back, and nothing else read";
}

TEST_F (SlotOperations, ASwapCancelledAfterItsFirstWriteNamesTheSlotItLeftAndKeepsItsOldPreset)
{
    const auto third = rig.controller.getSlot (2), seventh = rig.controller.getSlot (6);

    SlotCopier swap (*engine, SlotCopier::Operation::swap, 2, 6);
    swap.onProgress = [&]
    {
        const auto status = swap.getTransferStatus();

        if (status.kind == ZKEditorEngine::TransferStatus::Kind::slotWrite && status.slot == 2
            && status.stage == ZKEditorEngine::TransferStatus::Stage::completed)
            swap.cancel();
    };
    ASSERT_TRUE (swap.start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return swap.isFinished(); }, waitMs));
    ASSERT_TRUE (waitUntilIdle());

    EXPECT_FALSE (swap.succeeded());
    EXPECT_EQ (rig.controller.getSlot (2), seventh);
    EXPECT_EQ (rig.controller.getSlot (6), seventh) << "the second write never began";
    EXPECT_EQ (swap.getSummary(), "Swap stopped: slot 3 now holds slot 7's preset, and slot 7 still holds it "
                                  "too; slot 3's old preset is kept only by the editor");
    EXPECT_EQ (swap.getSlotOfPresetNoSlotHolds(), 2);
    EXPECT_EQ (swap.getPresetNoSlotHolds(), third);
}

TEST_F (SlotOperations, ACopySwapOrSlotWriteReadsTheSlotsItNeedsAndNeverTrustsAnOldMemory)
{
    constexpr juce::uint8 third = 2, seventh = 6;
    const auto changedBehindTheEditorsBack = [this] (juce::uint8 slot, int index)
    {
        auto image = rig.controller.getSlot (slot);
        image.set (index, (juce::uint8) ((image[index] + 7) % 128));
        rig.controller.setSlot (slot, image);
        return image;
    };
    const auto run = [this] (SlotCopier::Operation operation, int from, int to)
    {
        SlotCopier job (*engine, operation, from, to);
        EXPECT_TRUE (job.start());
        EXPECT_TRUE (pumpMessagesUntil ([&] { return job.isFinished(); }, waitMs));
        EXPECT_TRUE (waitUntilIdle());
        return job.getSummary();
    };

    // Both slots read, then slot 3 edited on the controller: the swap moves the edited preset.
    for (auto slot : { third, seventh })
        ASSERT_NE (engine->startBackupRead (slot), 0);

    ASSERT_TRUE (waitUntilIdle());
    const auto seventhBefore = rig.controller.getSlot (seventh);
    const auto editedThird = changedBehindTheEditorsBack (third, 300);

    EXPECT_TRUE (run (SlotCopier::Operation::swap, third, seventh).startsWith ("Slots 3 and 7 swapped, verified"));
    EXPECT_EQ (rig.controller.getSlot (seventh), editedThird) << "the edit made on the controller is not lost";
    EXPECT_EQ (rig.controller.getSlot (third), seventhBefore);

    // A copy, then slot 7 edited on the controller: copying again is not "already held".
    EXPECT_TRUE (run (SlotCopier::Operation::copy, third, seventh).startsWith ("Slot 3 copied to slot 7, verified"));
    changedBehindTheEditorsBack (seventh, 100);
    EXPECT_EQ (run (SlotCopier::Operation::copy, third, seventh), "Slot 3 copied to slot 7, verified (1 byte written)");
    EXPECT_EQ (rig.controller.getSlot (seventh), rig.controller.getSlot (third));

    // A slot write of the image the editor remembers in the slot: the slot is read, and written.
    const auto remembered = engine->getKnownSlotImage (seventh);
    ASSERT_EQ (remembered, rig.controller.getSlot (seventh));
    changedBehindTheEditorsBack (seventh, 444);
    const auto id = engine->startSlotWrite (seventh, remembered);
    ASSERT_NE (id, 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (recorder.ends.back().id, id);
    EXPECT_EQ (recorder.ends.back().stage, ZKEditorEngine::TransferStatus::Stage::completed);
    EXPECT_EQ (recorder.ends.back().total, 1) << "the byte changed on the controller is written back";
    EXPECT_EQ (rig.controller.getSlot (seventh), remembered);
}
