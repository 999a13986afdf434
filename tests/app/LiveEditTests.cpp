// Live Edit of a slot through a document window, against the virtual controller: what goes over
// the wire, what the slot ends up holding, and how Live Edit ends.
#include "app/CommandIDs.h"
#include "app/SlotJobs.h"
#include "engine/VirtualController.h"
#include "engine/ZKSysEx.h"
#include "model/PresetLayout.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"
#include "support/QueueHold.h"

using apptest::ApplicationTest;
using apptest::countAlerts;
using apptest::findAlert;

namespace
{
constexpr int waitMs = 30000;
constexpr juce::uint8 liveSlot = 4; // shown as slot 5
constexpr int knobIndex = 2;        // "Knob 3"

class LiveEditTest
    : public ApplicationTest
    , protected TestRig::VirtualRig
{
protected:
    LiveEditTest()
    {
        engine->loadPresetData (engine->createPresetData (0, controller.getSlot (0)));
        auto* knob = engine->getControls (Knob)[knobIndex];
        ccIndex = knob->getOffset() + knob->getIndex ("CC");
        EXPECT_TRUE (engine->editParameter (Knob, knobIndex, "Mode", 0, nullptr) || knob->getValue ("Mode") == 0);

        // The slot differs from the window's preset, so Live Edit has to bring it there first.
        const auto slotCC = controller.getSlot (liveSlot)[ccIndex];
        EXPECT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((slotCC + 50) % 128), nullptr));
    }

    /** Starts Live Edit of slot 5 through the window's command, answering its slot question, and
        waits until it is live. */
    EditorWindow& openWindowInLiveEdit()
    {
        auto& window = openDocumentOn (engine);
        window.chooseLiveEditSlot = [] { return (int) liveSlot; };
        EXPECT_TRUE (window.perform (juce::ApplicationCommandTarget::InvocationInfo (CommandIDs::liveEditSlot)));
        EXPECT_TRUE (pumpMessagesUntil (
            [&] { return window.getLiveEditCommand().isLive() && ! engine->isTransferInProgress(); }, waitMs));
        EXPECT_EQ (controller.getSlot (liveSlot), engine->getPresetImage());
        return window;
    }

    int countMessages (const juce::MidiMessage& expected) const
    {
        const auto bytes = TestRig::toBytes (expected);
        int count = 0;

        for (const auto& message : controller.getReceivedMessages())
            if (TestRig::toBytes (message) == bytes)
                ++count;

        return count;
    }

    int countCCWrites (int firstValue, int lastValue) const
    {
        int count = 0;

        for (int value = firstValue; value <= lastValue; ++value)
            count += countMessages (ZKSysEx::createParameterWrite (VirtualController::deviceId, liveSlot, ccIndex,
                                                                   (juce::uint8) (value % 128)));

        return count;
    }

    void waitUntilWritten()
    {
        pumpMessagesFor (50); // the write is queued once the message loop runs
        ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
    }

    ZKEditorEngine::Ptr engine = makeQuickEngine (manager);
    int ccIndex = 0;
};
} // namespace

//==============================================================================
TEST_F (LiveEditTest, RapidEditsMakeFewWritesEachReadBackAndTheSlotEndsWithTheLastValue)
{
    auto& window = openWindowInLiveEdit();
    EXPECT_TRUE (window.getName().endsWith (" [Live: slot 5]")) << window.getName();
    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return window.getTransferStrip().getBar().getTextLabel().getText() == "Live: slot 5"; }, waitMs));
    EXPECT_TRUE (window.getTransferStrip().getBar().getStopButton().isVisible());

    controller.clearReceivedMessages();
    const int first = engine->getControls (Knob)[knobIndex]->getValue ("CC") + 1;
    const int last = first + 19;

    for (int value = first; value <= last; ++value)
        ASSERT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) (value % 128), nullptr));

    waitUntilWritten();

    const auto writes = countCCWrites (first, last);
    EXPECT_GE (writes, 1);
    EXPECT_LE (writes, 2);
    EXPECT_EQ (countMessages (ZKSysEx::createParameterWrite (VirtualController::deviceId, liveSlot, ccIndex,
                                                             (juce::uint8) (last % 128))),
               1);
    EXPECT_GE (countMessages (ZKSysEx::createParameterRequest (VirtualController::deviceId, liveSlot, ccIndex)),
               writes);
    EXPECT_EQ (controller.getSlot (liveSlot)[ccIndex], last % 128);
    EXPECT_EQ (controller.getSlot (liveSlot), engine->getPresetImage());

    // Written into the slot, not saved: the window still offers to save its edits.
    EXPECT_TRUE (window.getLiveEditCommand().isLive());
    EXPECT_TRUE (window.hasUnsavedChanges());
    EXPECT_TRUE (window.getName().startsWith ("*")) << window.getName();
}

TEST_F (LiveEditTest, AfterStopEditsWriteNothing)
{
    auto& window = openWindowInLiveEdit();
    auto& stopButton = window.getTransferStrip().getBar().getStopButton();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return stopButton.isShowing(); }, waitMs));
    stopButton.triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! window.getLiveEditCommand().isLive(); }, waitMs));
    EXPECT_FALSE (window.getName().contains ("Live")) << window.getName();

    controller.clearReceivedMessages();
    const auto slotBefore = controller.getSlot (liveSlot);
    ASSERT_TRUE (
        engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((slotBefore[ccIndex] + 1) % 128), nullptr));
    pumpMessagesFor (300);

    EXPECT_TRUE (controller.getReceivedMessages().empty());
    EXPECT_EQ (controller.getSlot (liveSlot), slotBefore);
}

TEST_F (LiveEditTest, AWriteTheControllerDroppedEndsLiveEditNamingTheParameter)
{
    auto& window = openWindowInLiveEdit();
    auto faults = controller.getFaults();
    faults.droppedWrites.insert (ccIndex);
    controller.setFaults (faults);

    const auto slotCC = controller.getSlot (liveSlot)[ccIndex];
    ASSERT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((slotCC + 1) % 128), nullptr));
    ASSERT_TRUE (pumpMessagesUntil ([] { return findAlert (LiveEditCommand::getEndedTitle()) != nullptr; }, waitMs));

    const auto& message = window.getLiveEditCommand().getLastEndMessage();
    EXPECT_TRUE (message.contains ("slot 5")) << message;
    EXPECT_TRUE (message.contains ("Knob 3: CC")) << message;
    EXPECT_FALSE (window.getLiveEditCommand().isLive());
    EXPECT_FALSE (window.getName().contains ("Live")) << window.getName();
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);

    // Nothing more is written once it has ended.
    controller.clearFaults();
    controller.clearReceivedMessages();
    ASSERT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((slotCC + 2) % 128), nullptr));
    pumpMessagesFor (300);
    EXPECT_TRUE (controller.getReceivedMessages().empty());
}

TEST_F (LiveEditTest, TheControllerGoingAwayEndsLiveEditAsNoLongerKnown)
{
    auto& window = openWindowInLiveEdit();
    manager.closePorts();

    const auto slotCC = controller.getSlot (liveSlot)[ccIndex];
    ASSERT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((slotCC + 1) % 128), nullptr));
    ASSERT_TRUE (pumpMessagesUntil ([] { return findAlert (LiveEditCommand::getEndedTitle()) != nullptr; }, waitMs));

    EXPECT_FALSE (window.getLiveEditCommand().isLive());
    EXPECT_TRUE (window.getLiveEditCommand().getLastEndMessage().contains ("no longer known"))
        << window.getLiveEditCommand().getLastEndMessage();
}

TEST_F (LiveEditTest, AnotherWindowsSendOrASlotsJobEndsLiveEditFirstAndWhatItWroteStays)
{
    auto& window = openWindowInLiveEdit();
    const auto editTheKnob = [&]
    {
        const auto cc = engine->getControls (Knob)[knobIndex]->getValue ("CC");
        ASSERT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((cc + 1) % 128), nullptr));
        waitUntilWritten();
    };

    // Another window sends its own preset into the live slot, verified.
    auto otherEngine = makeQuickEngine (manager);
    otherEngine->loadPresetData (otherEngine->createPresetData (0, TestRig::createPatternImage (9)));
    auto& otherWindow = openDocumentOn (otherEngine);
    otherWindow.setName ("Strings");
    otherEngine->setVerifyAfterSend (true);
    ASSERT_NE (otherEngine->startSend (liveSlot), 0);

    EXPECT_FALSE (window.getLiveEditCommand().isLive()) << "ended before the Send was queued";
    ASSERT_TRUE (pumpMessagesUntil ([] { return findAlert (LiveEditCommand::getEndedTitle()) != nullptr; }, waitMs));
    EXPECT_EQ (window.getLiveEditCommand().getLastEndMessage(),
               LiveEditCommand::describeTakeOver (liveSlot, "a Send from window \"Strings\""));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! otherEngine->isTransferInProgress(); }, waitMs));
    EXPECT_EQ (countAlerts ("Verify Failed"), 0);
    editTheKnob();
    EXPECT_EQ (controller.getSlot (liveSlot), otherEngine->getPresetImage()) << "the verified Send stays";
    apptest::dismissAlerts();

    // Live again; the Slots window renames the slot.
    ASSERT_TRUE (window.getLiveEditCommand().start (liveSlot));
    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return window.getLiveEditCommand().isLive() && ! engine->isTransferInProgress(); }, waitMs));
    SlotJobs slotsJobs (TestRig::createEngine (manager));
    const juce::Array<juce::uint8> newName{ 'R', 'e', 'n', 'a', 'm', 'e', 'd', ' ',
                                            ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ' };
    ASSERT_TRUE (slotsJobs.rename (liveSlot, newName));
    EXPECT_FALSE (window.getLiveEditCommand().isLive());
    EXPECT_TRUE (window.getLiveEditCommand().getLastEndMessage().contains ("a rename from the Slots window"))
        << window.getLiveEditCommand().getLastEndMessage();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! slotsJobs.isBusy(); }, waitMs));
    editTheKnob();
    EXPECT_EQ (juce::Array<juce::uint8> (controller.getSlot (liveSlot).getRawDataPointer(), 16), newName);
    apptest::dismissAlerts();

    // The window's own Send into its live slot ends Live Edit as Stop does, without a notice.
    ASSERT_TRUE (window.getLiveEditCommand().start (liveSlot));
    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return window.getLiveEditCommand().isLive() && ! engine->isTransferInProgress(); }, waitMs));
    ASSERT_NE (engine->startSend (liveSlot), 0);
    EXPECT_FALSE (window.getLiveEditCommand().isLive());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
    EXPECT_EQ (countAlerts (LiveEditCommand::getEndedTitle()), 0);
}

TEST_F (LiveEditTest, LiveEditStartsFromAReadOfTheSlotNotFromAnOldMemoryOfIt)
{
    auto& window = openWindowInLiveEdit();
    window.getLiveEditCommand().stop();

    // The editor remembers the slot holding the preset; then it is edited on the controller.
    auto panelEdit = controller.getSlot (liveSlot);
    panelEdit.set (ccIndex + 1, (juce::uint8) ((panelEdit[ccIndex + 1] + 3) % 128));
    controller.setSlot (liveSlot, panelEdit);
    ASSERT_EQ (engine->getKnownSlotImage (liveSlot), engine->getPresetImage());

    ASSERT_TRUE (window.getLiveEditCommand().start (liveSlot));
    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return window.getLiveEditCommand().isLive() && ! engine->isTransferInProgress(); }, waitMs));
    const auto cc = engine->getControls (Knob)[knobIndex]->getValue ("CC");
    ASSERT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((cc + 1) % 128), nullptr));
    waitUntilWritten();

    EXPECT_EQ (controller.getSlot (liveSlot), engine->getPresetImage()) << "the byte edited on the panel is mended";
}

TEST_F (LiveEditTest, AChangeStillWaitingWhenLiveEditStopsIsToldIfItDoesNotReachTheSlot)
{
    auto& window = openWindowInLiveEdit();

    // The queue is held, so the edit's write waits; Live Edit stops and the slots are forgotten
    // before it gets its turn.
    QueueHold hold (manager.getTransferQueue());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return hold.isHolding(); }, waitMs));
    const auto cc = engine->getControls (Knob)[knobIndex]->getValue ("CC");
    ASSERT_TRUE (engine->editParameter (Knob, knobIndex, "CC", (juce::uint8) ((cc + 1) % 128), nullptr));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return engine->isTransferInProgress(); }, waitMs));
    window.getLiveEditCommand().stop();
    manager.getSlotMemory().forgetAll();
    hold.release();

    ASSERT_TRUE (pumpMessagesUntil ([] { return findAlert (LiveEditCommand::getEndedTitle()) != nullptr; }, waitMs));
    EXPECT_TRUE (window.getLiveEditCommand().getLastEndMessage().startsWith (
        "The last change written live into slot 5, after Live Edit had ended, did not reach it"))
        << window.getLiveEditCommand().getLastEndMessage();
    EXPECT_NE (controller.getSlot (liveSlot), engine->getPresetImage());
}
