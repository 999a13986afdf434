// What the editor remembers of each slot, and the writes that it spares: Sends of only the bytes
// that differ, their read-back, and the byte-by-byte writes of Live Edit, against the virtual
// controller.
#include "support/MessageLoop.h"
#include "support/QueueHold.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
constexpr int waitMs = 60000;
constexpr juce::uint8 slot = 4;

struct Recorder : public ZKEditorEngine::Listener
{
    void sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>&) override
    {
        sends.push_back (send);
    }

    void verificationEnded (const ZKEditorEngine::Verification& verification) override
    {
        verifications.push_back (verification);
    }

    void liveEditFailed (juce::uint8, const juce::Array<int>& bytes) override
    {
        ++liveFailures;
        unconfirmed = bytes;
    }

    void transferEnded (const ZKEditorEngine::TransferStatus&) override { ++ended; }

    std::vector<ZKEditorEngine::TransferStatus> sends;
    std::vector<ZKEditorEngine::Verification> verifications;
    juce::Array<int> unconfirmed;
    int liveFailures = 0;
    int ended = 0;
};

class SendChanges : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rig.controller.setSlot (slot, createPatternImage (slot));
        engine->setVerifyAfterSend (true);
        engine->setSendChangesOnly (true);
        engine->addListener (&recorder);
        ASSERT_TRUE (engine->startGet (slot));
        ASSERT_TRUE (waitUntilIdle());
        ASSERT_TRUE (engine->isSlotKnown (slot));
        rig.controller.clearReceivedMessages();
    }

    void TearDown() override { engine->removeListener (&recorder); }

    bool waitUntilIdle()
    {
        return pumpMessagesUntil ([this] { return ! engine->isTransferInProgress(); }, waitMs);
    }

    /** Changes one byte of the window's preset through its control, as a user's edit does. */
    void edit (int type, int index, const juce::String& name, int value)
    {
        ASSERT_TRUE (engine->editParameter (type, index, name, (juce::uint8) value, nullptr));
    }

    int imageIndexOf (int type, int index, const juce::String& name)
    {
        auto* control = engine->getControls (type)[index];
        return control->getOffset() + control->getIndex (name);
    }

    juce::Array<int> writes() const { return parameterIndexes (rig.controller.getReceivedMessages()); }

    juce::Array<int> requests() const
    {
        return parameterIndexes (rig.controller.getReceivedMessages(), ZKSysEx::parameterRequestCommand);
    }

    VirtualRig rig;
    ZKEditorEngine::Ptr engine = createEngine (rig.manager, fastPacing (patientReplyTimeoutMs));
    Recorder recorder;
};
} // namespace

//==============================================================================
TEST_F (SendChanges, AKnownSlotGetsOnlyTheDifferingBytesInIndexOrderAndNoneWhenItHoldsThePreset)
{
    edit (Pad, 9, "MIDI Channel", 3);
    edit (Knob, 2, "CC", 74);
    const juce::Array<int> changed{ imageIndexOf (Knob, 2, "CC"), imageIndexOf (Pad, 9, "MIDI Channel") };

    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (writes(), changed);
    EXPECT_EQ (rig.controller.getSlot (slot), getImage (*engine));
    ASSERT_EQ (recorder.sends.size(), 1u);
    EXPECT_TRUE (recorder.sends[0].changesOnly);
    EXPECT_EQ (recorder.sends[0].total, 2);
    ASSERT_EQ (recorder.verifications.size(), 1u);
    EXPECT_TRUE (recorder.verifications[0].matches());
    EXPECT_EQ (recorder.verifications[0].writtenBytes, changed);
    EXPECT_TRUE (engine->isSlotKnown (slot)) << "the read-back tells what the slot holds";

    // The same preset again: nothing written, but still read back.
    rig.controller.clearReceivedMessages();
    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_TRUE (writes().isEmpty());
    EXPECT_EQ (requests().size(), imageLength);
    EXPECT_EQ (recorder.sends.back().total, 0);
    EXPECT_TRUE (recorder.verifications.back().matches());

    // The option off: the whole preset.
    rig.controller.clearReceivedMessages();
    engine->setSendChangesOnly (false);
    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (writes().size(), imageLength);
    EXPECT_FALSE (recorder.sends.back().changesOnly);
}

TEST_F (SendChanges, ASlotChangedOnTheControllerItselfIsCaughtByTheReadBack)
{
    auto changedOnThePanel = createPatternImage (slot);
    const auto panelIndex = imageIndexOf (Switch, 30, "MIDI Channel");
    changedOnThePanel.set (panelIndex, (juce::uint8) ((changedOnThePanel[panelIndex] + 1) % 16));
    rig.controller.setSlot (slot, changedOnThePanel);
    edit (Knob, 0, "Max", 100);

    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    ASSERT_EQ (recorder.verifications.size(), 1u);
    const auto& verification = recorder.verifications[0];
    EXPECT_FALSE (verification.matches());
    EXPECT_EQ (verification.writtenBytes, juce::Array<int> ({ imageIndexOf (Knob, 0, "Max") }));
    EXPECT_EQ (verification.getBytesChangedUnseen(), juce::Array<int> ({ panelIndex }));

    // What was read back is what the slot holds now: a whole Send is not needed to mend it.
    rig.controller.clearReceivedMessages();
    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (writes(), juce::Array<int> ({ panelIndex }));
    EXPECT_TRUE (recorder.verifications.back().matches());
}

// The bytes "changed on the controller" are those that the Send did not write and that differ: a
// written byte that did not take is the controller's failure to keep a write, never a change made
// behind the editor's back.
TEST_F (SendChanges, AWrittenByteThatDidNotTakeIsNotCountedAsChangedOnTheController)
{
    auto changedOnThePanel = createPatternImage (slot);
    const auto panelIndex = imageIndexOf (Switch, 30, "MIDI Channel");
    changedOnThePanel.set (panelIndex, (juce::uint8) ((changedOnThePanel[panelIndex] + 1) % 16));
    rig.controller.setSlot (slot, changedOnThePanel);

    const auto takenIndex = imageIndexOf (Knob, 0, "Max");
    const auto droppedIndex = imageIndexOf (Knob, 2, "CC");
    auto faults = rig.controller.getFaults();
    faults.droppedWrites = { droppedIndex };
    rig.controller.setFaults (faults);
    edit (Knob, 0, "Max", 100);
    edit (Knob, 2, "CC", (createPatternImage (slot)[droppedIndex] + 5) % 128);

    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (writes(), juce::Array<int> ({ takenIndex, droppedIndex }));
    ASSERT_EQ (recorder.verifications.size(), 1u);
    const auto& verification = recorder.verifications[0];
    EXPECT_FALSE (verification.matches());
    EXPECT_TRUE (verification.changesOnly);
    EXPECT_EQ (verification.writtenBytes, juce::Array<int> ({ takenIndex, droppedIndex }));
    ASSERT_EQ (verification.readBack.size(), imageLength);
    EXPECT_NE (verification.readBack[droppedIndex], verification.sentImage[droppedIndex]) << "the write did not take";
    EXPECT_EQ (verification.getBytesChangedUnseen(), juce::Array<int> ({ panelIndex }));
}

TEST_F (SendChanges, ASlotIsForgottenWhenTheDevicesChangeOrAWriteIsCancelledOrFails)
{
    rig.manager.closePorts();
    EXPECT_FALSE (engine->isSlotKnown (slot));
    rig.manager.setInputDevice (VirtualController::deviceName);
    rig.manager.setOutputDevice (VirtualController::deviceName);
    EXPECT_FALSE (engine->isSlotKnown (slot)) << "another controller may answer on the ports now";

    // A whole Send that is cancelled halfway leaves the slot unknown.
    auto slowWrites = engine->getPacing();
    slowWrites.writeGapMs = 2;
    engine->setPacing (slowWrites);
    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return engine->getTransferStatus().done > 20; }, waitMs));
    engine->cancelTransfer();
    EXPECT_FALSE (engine->isSlotKnown (slot));

    // Known again after a Get; a Send that loses the controller halfway forgets it.
    ASSERT_TRUE (engine->startGet (slot));
    ASSERT_TRUE (waitUntilIdle());
    ASSERT_TRUE (engine->isSlotKnown (slot));
    engine->loadPresetData (engine->createPresetData (slot, createPatternImage (slot + 1)));
    ASSERT_NE (engine->startSend (slot), 0);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return engine->getTransferStatus().done > 20; }, waitMs));
    rig.controller.unplug();
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_FALSE (engine->isSlotKnown (slot));
}

//==============================================================================
TEST_F (SendChanges, LiveWritesCoalesceWhileWaitingAndReadEveryWrittenByteBack)
{
    const auto ccIndex = imageIndexOf (Knob, 5, "CC");

    {
        // Twenty steps of one byte while the queue is busy make one write of the last value.
        QueueHold hold (rig.manager.getTransferQueue());
        int firstId = 0;

        for (int value = 1; value <= 20; ++value)
        {
            edit (Knob, 5, "CC", value);
            const auto id = engine->startLiveWrite (slot);
            ASSERT_NE (id, 0);

            if (firstId == 0)
                firstId = id;

            EXPECT_EQ (id, firstId);
        }
    }

    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (writes(), juce::Array<int> ({ ccIndex }));
    EXPECT_EQ (requests(), juce::Array<int> ({ ccIndex }));
    EXPECT_EQ (rig.controller.getSlot (slot)[ccIndex], 20);
    EXPECT_EQ (recorder.liveFailures, 0);
    EXPECT_TRUE (engine->isSlotKnown (slot));

    // A write the controller drops is named, and the slot is no longer taken as known.
    auto faults = rig.controller.getFaults();
    faults.droppedWrites.insert (ccIndex);
    rig.controller.setFaults (faults);
    edit (Knob, 5, "CC", 99);
    ASSERT_NE (engine->startLiveWrite (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (recorder.liveFailures, 1);
    EXPECT_EQ (recorder.unconfirmed, juce::Array<int> ({ ccIndex }));
    EXPECT_FALSE (engine->isSlotKnown (slot));

    // Live writes need a known slot: they fail at once, writing nothing.
    rig.controller.clearReceivedMessages();
    edit (Knob, 5, "CC", 98);
    ASSERT_NE (engine->startLiveWrite (slot), 0);
    ASSERT_TRUE (waitUntilIdle());
    EXPECT_EQ (recorder.liveFailures, 2);
    EXPECT_TRUE (recorder.unconfirmed.isEmpty());
    EXPECT_TRUE (writes().isEmpty());
}
