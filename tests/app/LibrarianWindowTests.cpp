// A document window's verify after Send, Sends of only the changes, backup and restore against the
// virtual controller.
#include "app/CommandIDs.h"
#include "engine/SlotBackup.h"
#include "engine/VirtualController.h"
#include "model/PresetLayout.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"
#include "support/QueueHold.h"
#include "support/UnwritableFolder.h"

#include <cstring>

using apptest::ApplicationTest;
using apptest::countAlerts;
using apptest::findAlert;
using apptest::pump;

namespace
{
constexpr int waitMs = 30000;

class LibrarianWindowTest
    : public ApplicationTest
    , protected TestRig::VirtualRig
{
protected:
    LibrarianWindowTest()
    {
        engine->loadPresetData (engine->createPresetData (0, controller.getSlot (0)));
        engine->setVerifyAfterSend (true);
        folder.createDirectory();
    }

    ~LibrarianWindowTest() override { folder.deleteRecursively(); }

    /** The window's folder chooser and summary, answered here. */
    void answerFolderAndSummary (EditorWindow& window)
    {
        window.chooseFolder = [this] (const juce::String&, const juce::File&) { return folder; };
        window.askToRestore = [] (const juce::File&) { return true; };
        window.showSummary = [this] (const juce::String&, const juce::String& message) { summary = message; };
    }

    /** Gets slot 5 into the window, its knob 3 set to a mode that uses the CC, and returns the
        image index of that CC. */
    int getSlotFiveWithTheKnobOnItsCC (EditorWindow& window)
    {
        auto* knob = engine->getControls (Knob)[2];
        auto image = controller.getSlot (4);
        image.set (knob->getOffset() + knob->getIndex ("Mode"), 0);
        controller.setSlot (4, image);

        window.getEngine()->setSendChangesOnly (true);
        EXPECT_TRUE (engine->startGet (4));
        EXPECT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
        return knob->getOffset() + knob->getIndex ("CC");
    }

    void changeTheCC()
    {
        const auto cc = engine->getControls (Knob)[2]->getValue ("CC");
        ASSERT_TRUE (engine->editParameter (Knob, 2, "CC", (juce::uint8) ((cc + 53) % 128), nullptr));
    }

    /** The image indexes that the controller was told to write since it was last cleared. */
    juce::Array<int> writtenIndexes() const { return TestRig::parameterIndexes (controller.getReceivedMessages()); }

    /** Starts a Send and counts the bytes it writes, once it and its read-back are over. */
    int countWritesOf (const std::function<void()>& startSend)
    {
        controller.clearReceivedMessages();
        startSend();
        EXPECT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
        return writtenIndexes().size();
    }

    /** Writes a backup into the folder whose slot n holds TestRig::createPatternImage (n). */
    void writePatternBackup()
    {
        for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        {
            const auto dump = engine->createPresetData ((juce::uint8) slot, TestRig::createPatternImage (slot));
            SlotBackup::getSlotFile (folder, ZKMModel::modelName, slot)
                .replaceWithData (dump.getRawDataPointer(), (size_t) dump.size());
        }
    }

    juce::String stripText (EditorWindow& window) const
    {
        return window.getTransferStrip().getBar().getTextLabel().getText();
    }

    ZKEditorEngine::Ptr engine = makeQuickEngine (manager);
    juce::File folder = juce::File::createTempFile ("window_backup");
    juce::String summary;
};
} // namespace

//==============================================================================
TEST_F (LibrarianWindowTest, AWriteTheControllerDroppedIsNamedInTheAlertAndSendAgainMendsIt)
{
    auto& window = openDocumentOn (engine);
    auto* knob = engine->getControls (Knob)[2];
    const auto channelIndex = knob->getOffset() + knob->getIndex ("MIDI Channel");
    const auto channelInSlot = controller.getSlot (6)[channelIndex];
    ASSERT_TRUE (engine->editParameter (Knob, 2, "MIDI Channel", (juce::uint8) ((channelInSlot + 3) % 16), nullptr));
    auto faults = controller.getFaults();
    faults.droppedWrites.insert (channelIndex);
    controller.setFaults (faults);

    ASSERT_TRUE (window.hasUnsavedChanges());
    ASSERT_TRUE (engine->startSend (6));
    ASSERT_TRUE (pumpMessagesUntil ([] { return findAlert ("Verify Failed") != nullptr; }, waitMs));

    // The slot does not hold the edit: closing the window must still offer to save it.
    EXPECT_TRUE (window.hasUnsavedChanges());

    auto* alert = findAlert ("Verify Failed");
    const auto expectedLine = "Knob 3: MIDI Channel " + juce::String ((channelInSlot + 3) % 16 + 1) + " / "
                              + juce::String (channelInSlot + 1);
    const auto message = window.getSendOutcomeReport().getLastVerifyFailure();
    EXPECT_TRUE (message.contains ("Slot 7")) << message;
    EXPECT_TRUE (message.contains (expectedLine)) << message;

    controller.clearFaults();

    for (auto* child : alert->getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*> (child))
            if (button->getButtonText() == "Send Again")
                button->triggerClick();

    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return window.getTransferStrip().getBar().getTextLabel().getText() == "Sent to slot 7 and verified"; },
        waitMs));
    EXPECT_EQ (controller.getSlot (6)[channelIndex], (channelInSlot + 3) % 16);
    EXPECT_EQ (countAlerts ("Verify Failed"), 0);
    EXPECT_FALSE (window.hasUnsavedChanges());
}

TEST_F (LibrarianWindowTest, ASendWhoseReadBackGetsNoAnswerIsNeverCalledVerified)
{
    auto& window = openDocumentOn (engine);
    auto faults = controller.getFaults();
    faults.silentSlots.insert (5); // takes the writes, never answers a request
    controller.setFaults (faults);
    engine->setPacing (TestRig::fastPacing (TestRig::missingReplyTimeoutMs, 1));

    ASSERT_TRUE (engine->startSend (5));
    ASSERT_TRUE (pumpMessagesUntil ([] { return findAlert ("Verify Failed") != nullptr; }, waitMs));

    EXPECT_EQ (window.getSendOutcomeReport().getLastVerifyFailure(),
               "Slot 6 did not answer when it was read back: the Send is not verified.");
    EXPECT_NE (window.getTransferStrip().getBar().getTextLabel().getText(), "Sent to slot 6 and verified");
}

// Ports closed between the end of a Send and its read-back: the read-back was passed over in
// silence, and a restore waiting for it never ended.
TEST_F (LibrarianWindowTest, AReadBackThatCannotRunForLackOfPortsSaysSo)
{
    struct PortCloser : public ZKEditorEngine::Listener
    {
        explicit PortCloser (MidiManager& managerToUse)
            : midiManager (managerToUse)
        {
        }

        void presetSent (juce::uint8, const juce::Array<juce::uint8>&) override { midiManager.closePorts(); }

        MidiManager& midiManager;
    } closer (manager);

    auto& window = openDocumentOn (engine);
    ASSERT_TRUE (engine->editParameter (
        Knob, 2, "MIDI Channel", (juce::uint8) ((engine->getControls (Knob)[2]->getValue ("MIDI Channel") + 1) % 16),
        nullptr));
    engine->addListener (&closer);

    ASSERT_TRUE (engine->startSend (4));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
    engine->removeListener (&closer);

    EXPECT_EQ (window.getTransferStrip().getBar().getTextLabel().getText(),
               "Sent to slot 5; not verified: the controller is gone");
    EXPECT_TRUE (window.hasUnsavedChanges());
    EXPECT_EQ (countAlerts ("Verify Failed"), 0);
}

TEST_F (LibrarianWindowTest, AWindowBacksUpAndRestoresEverySlotWithoutChangingItsPreset)
{
    auto& window = openDocumentOn (engine);
    answerFolderAndSummary (window);
    const auto presetBefore = engine->createPresetData (0);
    const auto titleBefore = window.getName();

    ASSERT_TRUE (window.getBackupCommand().start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return summary.isNotEmpty(); }, waitMs));
    EXPECT_EQ (summary, "24 of 24 slots backed up");

    juce::Array<juce::Array<juce::uint8>> backedUp;

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
    {
        backedUp.add (controller.getSlot (slot));
        controller.setSlot (slot, controller.getSlot ((slot + 1) % SlotBackup::numberOfSlots));
    }

    summary.clear();
    ASSERT_TRUE (window.getRestoreCommand().start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return summary.isNotEmpty(); }, waitMs));
    EXPECT_TRUE (summary.startsWith ("24 of 24 slots restored and verified; 24 slots checked, ")) << summary;

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (controller.getSlot (slot), backedUp[slot]);

    EXPECT_EQ (engine->createPresetData (0), presetBefore);
    EXPECT_EQ (window.getName(), titleBefore);
    EXPECT_EQ (countAlerts ("Verify Failed"), 0);
}

TEST_F (LibrarianWindowTest, ClosingAWindowDuringItsRestoreAsksAndNeverLeavesASlotHalfWritten)
{
    writePatternBackup();

    const auto before = controller.getSlot (1);
    juce::StringArray questions;
    auto& window = openDocumentOn (engine);
    answerFolderAndSummary (window);
    juce::Component::SafePointer<EditorWindow> safe (&window);

    // "Stop after slot 1": the slot under way is written whole and read back, no later slot is
    // touched, and the window goes. The restore is held at the queue so that it surely runs.
    {
        QueueHold hold (manager.getTransferQueue());
        ASSERT_TRUE (window.getRestoreCommand().start());
        window.askToStopRestore = [&] (int slotNumber)
        {
            questions.add (RestoreCommand::getStopQuestion (slotNumber));
            safe->closeButtonPressed(); // a second request while the question is open
            return true;
        };
        window.closeButtonPressed();
        EXPECT_EQ (safe, nullptr);
    }

    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return ! manager.getTransferQueue().hasJob ([] (const TransferQueue::Job&) { return true; }); }, waitMs));
    EXPECT_EQ (questions, juce::StringArray ("Restore All Slots is under way: stop after slot 1, or wait?"));
    EXPECT_EQ (controller.getSlot (0), TestRig::createPatternImage (0));
    EXPECT_EQ (controller.getSlot (1), before);

    // "Wait": the window stays until the restore is over, then closes by itself.
    auto other = makeQuickEngine (manager);
    auto& waiting = openDocumentOn (other);
    answerFolderAndSummary (waiting);
    safe = &waiting;
    summary.clear();
    {
        QueueHold hold (manager.getTransferQueue());
        ASSERT_TRUE (waiting.getRestoreCommand().start());
        waiting.askToStopRestore = [] (int) { return false; };
        waiting.closeButtonPressed();
        EXPECT_NE (safe, nullptr);
    }

    ASSERT_TRUE (pumpMessagesUntil ([&] { return safe == nullptr; }, waitMs));
    EXPECT_TRUE (summary.startsWith ("24 of 24 slots restored and verified; 24 slots checked, ")) << summary;

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (controller.getSlot (slot), TestRig::createPatternImage (slot));

    // Quitting asks the same; the program quits once the slot under way is over.
    controller.setSlot (1, before);
    auto last = makeQuickEngine (manager);
    auto& quitting = openDocumentOn (last);
    answerFolderAndSummary (quitting);
    int asked = 0;
    {
        QueueHold hold (manager.getTransferQueue());
        ASSERT_TRUE (quitting.getRestoreCommand().start());
        quitting.askToStopRestore = [&] (int)
        {
            ++asked;
            application->systemRequestedQuit(); // a second request while the question is open
            return true;
        };
        application->systemRequestedQuit();
        application->systemRequestedQuit(); // and one while the program waits for the slot
        EXPECT_FALSE (application->isQuitRequested());
    }

    ASSERT_TRUE (pumpMessagesUntil ([&] { return application->isQuitRequested(); }, waitMs));
    EXPECT_EQ (asked, 1);
    EXPECT_EQ (controller.getSlot (1), before);
}

TEST_F (LibrarianWindowTest, ARestoreHoldsWhileItsStopQuestionIsOpenSoTheSlotItNamesIsTheLastWritten)
{
    writePatternBackup();
    juce::Array<juce::Array<juce::uint8>> before;

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        before.add (controller.getSlot (slot));

    // Replies slow enough that each slot takes a while, so that the restore would write several
    // slots while a question stays open.
    auto faults = controller.getFaults();
    faults.replyDelayMs = 40;
    controller.setFaults (faults);
    const auto patiently = [] (ZKEditorEngine::Ptr engineToSlow)
    {
        engineToSlow->setPacing (TestRig::fastPacing (5000, 0));
        return engineToSlow;
    };

    int named = 0;
    bool laterSlotWritten = false;
    constexpr int questionOpenMs = 3000; // several slots' time
    const auto waitWithTheQuestionOpen = [&] (int slotNumber)
    {
        named = slotNumber;
        laterSlotWritten =
            pumpMessagesUntil ([&] { return controller.getSlot (slotNumber) != before[slotNumber]; }, questionOpenMs);
    };

    // Closing the window: "Stop After Slot n" after the question was open a while leaves slot n
    // the last one replaced. A second request while the question is open changes nothing.
    auto& window = openDocumentOn (patiently (engine));
    answerFolderAndSummary (window);
    juce::Component::SafePointer<EditorWindow> safe (&window);
    window.askToStopRestore = [&] (int slotNumber)
    {
        safe->closeButtonPressed();
        waitWithTheQuestionOpen (slotNumber);
        return true;
    };

    ASSERT_TRUE (window.getRestoreCommand().start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return controller.getSlot (1) == TestRig::createPatternImage (1); }, waitMs));
    window.closeButtonPressed();
    EXPECT_EQ (safe, nullptr);
    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return ! manager.getTransferQueue().hasJob ([] (const TransferQueue::Job&) { return true; }); }, waitMs));

    EXPECT_FALSE (laterSlotWritten) << "slot " << named + 1 << " was written while the question was open";
    ASSERT_GE (named, 2);
    ASSERT_LT (named, SlotBackup::numberOfSlots);

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (controller.getSlot (slot), slot < named ? TestRig::createPatternImage (slot) : before[slot])
            << "slot " << slot + 1 << ", question named slot " << named;

    // Quitting asks the same, and holds the restore the same way; "Wait" lets it go on, and the
    // program quits once every slot is restored.
    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        controller.setSlot (slot, before[slot]);

    auto& quitting = openDocumentOn (patiently (makeQuickEngine (manager)));
    answerFolderAndSummary (quitting);
    summary.clear();
    named = 0;
    quitting.askToStopRestore = [&] (int slotNumber)
    {
        application->systemRequestedQuit();
        waitWithTheQuestionOpen (slotNumber);
        return false;
    };

    ASSERT_TRUE (quitting.getRestoreCommand().start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return controller.getSlot (1) == TestRig::createPatternImage (1); }, waitMs));
    application->systemRequestedQuit();
    EXPECT_FALSE (application->isQuitRequested());
    EXPECT_FALSE (laterSlotWritten) << "slot " << named + 1 << " was written while the question was open";
    EXPECT_GE (named, 2);

    ASSERT_TRUE (pumpMessagesUntil ([&] { return application->isQuitRequested() && summary.isNotEmpty(); }, waitMs));
    EXPECT_TRUE (summary.startsWith ("24 of 24 slots restored and verified; 24 slots checked, ")) << summary;

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (controller.getSlot (slot), TestRig::createPatternImage (slot)) << "slot " << slot + 1;

    // A window that goes by another way while the question is open: the held restore stops there,
    // the slot under way is written whole, and no later one.
    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        controller.setSlot (slot, before[slot]);

    auto& going = openDocumentOn (patiently (makeQuickEngine (manager)));
    answerFolderAndSummary (going);
    safe = &going;
    named = 0;
    going.askToStopRestore = [&] (int slotNumber)
    {
        named = slotNumber;
        windowManager().windowClosed (safe.getComponent());
        return true;
    };

    ASSERT_TRUE (going.getRestoreCommand().start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return controller.getSlot (1) == TestRig::createPatternImage (1); }, waitMs));
    EXPECT_FALSE (going.getRestoreCommand().askToStopOrWait());
    EXPECT_EQ (safe, nullptr);
    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return ! manager.getTransferQueue().hasJob ([] (const TransferQueue::Job&) { return true; }); }, waitMs));
    ASSERT_GE (named, 2);

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (controller.getSlot (slot), slot < named ? TestRig::createPatternImage (slot) : before[slot])
            << "slot " << slot + 1 << ", question named slot " << named;
}

TEST_F (LibrarianWindowTest, QuittingWhileARestoreOnlyReadsBackWaitsForItAndAsksOnce)
{
    writePatternBackup();

    auto& window = openDocumentOn (engine);
    answerFolderAndSummary (window);
    int asked = 0;
    window.askToStopRestore = [&] (int)
    {
        ++asked;
        return true;
    };

    // Slow replies keep the restore in the read-back of its only slot, when no Send is left.
    auto pacing = engine->getPacing();
    pacing.replyTimeoutMs = 30000;
    engine->setPacing (pacing);
    auto faults = controller.getFaults();
    faults.replyDelayMs = 1500;
    controller.setFaults (faults);
    {
        QueueHold hold (manager.getTransferQueue());
        ASSERT_TRUE (window.getRestoreCommand().start());
        window.getRestoreCommand().getSlotRestore()->stopAfterCurrentSlot();
    }
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! application->isSendUnderWay(); }, waitMs));
    ASSERT_TRUE (window.getRestoreCommand().isRunning());

    application->systemRequestedQuit();
    EXPECT_FALSE (application->isQuitRequested());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return application->isQuitRequested(); }, waitMs));
    EXPECT_EQ (asked, 1);
    EXPECT_EQ (controller.getSlot (0), TestRig::createPatternImage (0));
}

TEST_F (LibrarianWindowTest, ABackupIntoAFolderItCannotWriteSaysSoBeforeReadingAnything)
{
    auto& window = openDocumentOn (engine);
    answerFolderAndSummary (window);
    window.askToReplaceBackup = [] (const juce::File&) { return true; };
    const auto locked = SlotBackup::getSlotFile (folder, ZKMModel::modelName, 4);
    locked.replaceWithText ("kept");
    locked.setReadOnly (true);
    controller.clearReceivedMessages();

    EXPECT_FALSE (window.getBackupCommand().start());
    EXPECT_TRUE (summary.startsWith ("Nothing was read: the backup cannot be written in " + folder.getFullPathName()))
        << summary;
    EXPECT_TRUE (summary.contains (locked.getFullPathName() + ": is read-only")) << summary;
    EXPECT_TRUE (controller.getReceivedMessages().empty());
    EXPECT_FALSE (engine->isTransferInProgress());
    locked.setReadOnly (false);

    // A folder in which no file can be made, even by root: named with the system's reason at
    // once, before the question about the backup it holds, and no slot is read.
    int replaceQuestions = 0;
    window.askToReplaceBackup = [&] (const juce::File&)
    {
        ++replaceQuestions;
        return true;
    };
    summary.clear();
    const UnwritableFolder unwritable (folder);
    ASSERT_TRUE (unwritable.isLocked()) << "neither chattr +i nor chmod can lock " << folder.getFullPathName();

    EXPECT_FALSE (window.getBackupCommand().start());
    EXPECT_TRUE (summary.startsWith ("Nothing was read: the backup cannot be written in " + folder.getFullPathName()))
        << summary;
    const auto reason = juce::String (std::strerror (unwritable.getExpectedError()));
    EXPECT_TRUE (summary.contains ("cannot create a file in " + folder.getFullPathName() + ": " + reason)) << summary;
    EXPECT_EQ (replaceQuestions, 0);
    EXPECT_TRUE (controller.getReceivedMessages().empty());
    EXPECT_FALSE (engine->isTransferInProgress());
}

TEST_F (LibrarianWindowTest, CompareWithFileListsWhatDiffersAndRefreshesAfterAnEdit)
{
    auto& window = openDocumentOn (engine);
    const auto file = folder.getChildFile ("saved.zkp");
    ASSERT_TRUE (window.saveToFile (file));

    ASSERT_TRUE (window.getCompareCommand().compareWithFile (file));
    auto* compare = window.getCompareCommand().getCompareWindow();
    ASSERT_NE (compare, nullptr);
    EXPECT_EQ (compare->getText(), "No differences");

    auto* knob = engine->getControls (Knob)[2];
    ASSERT_TRUE (engine->editParameter (Knob, 2, "Mode", 0, nullptr));
    const auto ccInFile = knob->getValue ("CC");
    ASSERT_TRUE (engine->editParameter (Knob, 2, "CC", (juce::uint8) ((ccInFile + 53) % 128), nullptr));
    compare->getRefreshButton().triggerClick();
    pump();

    EXPECT_TRUE (compare->getText().endsWith ("Knob 3: CC " + juce::String ((ccInFile + 53) % 128) + " / "
                                              + juce::String (ccInFile)))
        << compare->getText();

    const auto damaged = folder.getChildFile ("short.zkp");
    ASSERT_TRUE (damaged.replaceWithText ("not a preset"));
    EXPECT_FALSE (window.getCompareCommand().compareWithFile (damaged));
    EXPECT_NE (window.getFileErrorAlert(), nullptr);
}

TEST_F (LibrarianWindowTest, CompareWithSlotReadsTheSlotWithoutTouchingThePreset)
{
    auto& window = openDocumentOn (engine);
    const auto presetBefore = engine->createPresetData (0);
    auto other = controller.getSlot (0);
    auto* pad = engine->getControls (Pad)[1];
    const auto channelIndex = pad->getOffset() + pad->getIndex ("MIDI Channel");
    other.set (channelIndex, (juce::uint8) ((other[channelIndex] + 5) % 16));
    controller.setSlot (9, other);

    ASSERT_TRUE (window.getCompareCommand().compareWithSlot (9));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return window.getCompareCommand().getCompareWindow() != nullptr; }, waitMs));

    EXPECT_EQ (window.getCompareCommand().getCompareWindow()->getName(), "Compare With Slot 10");
    EXPECT_TRUE (
        window.getCompareCommand().getCompareWindow()->getText().startsWith ("1 difference (this window / Slot 10)"));
    EXPECT_TRUE (window.getCompareCommand().getCompareWindow()->getText().endsWith (
        "Pad 2: MIDI Channel " + juce::String (controller.getSlot (0)[channelIndex] + 1) + " / "
        + juce::String (other[channelIndex] + 1)))
        << window.getCompareCommand().getCompareWindow()->getText();
    EXPECT_EQ (engine->createPresetData (0), presetBefore);
}

//==============================================================================
TEST_F (LibrarianWindowTest, ASendOfTheChangesWritesTheOneByteEditedAndNothingWhenTheSlotHoldsThePreset)
{
    auto& window = openDocumentOn (engine);
    const auto ccIndex = getSlotFiveWithTheKnobOnItsCC (window);
    changeTheCC();

    EXPECT_EQ (countWritesOf ([&] { ASSERT_NE (engine->startSend (4), 0); }), 1);
    EXPECT_EQ (writtenIndexes(), juce::Array<int> (ccIndex));
    EXPECT_EQ (controller.getSlot (4), TestRig::getImage (*engine));
    EXPECT_EQ (stripText (window), "Sent to slot 5 and verified (1 byte written)");
    EXPECT_FALSE (window.hasUnsavedChanges());

    EXPECT_EQ (countWritesOf ([&] { ASSERT_NE (engine->startSend (4), 0); }), 0);
    EXPECT_EQ (stripText (window), "Slot 5 already holds this preset");
    EXPECT_EQ (countAlerts ("Verify Failed"), 0);

    // Without a read-back, writing nothing rests on the editor's memory alone: it says so.
    engine->setVerifyAfterSend (false);
    EXPECT_EQ (countWritesOf ([&] { ASSERT_NE (engine->startSend (4), 0); }), 0);
    EXPECT_EQ (stripText (window), "Nothing sent to slot 5: it held this preset when last seen (not checked)");
}

TEST_F (LibrarianWindowTest, ABytesChangedOnTheControllerIsNamedAndSendWholePresetMendsTheSlot)
{
    auto& window = openDocumentOn (engine);
    getSlotFiveWithTheKnobOnItsCC (window);

    // Changed on the controller's own panel, out of the editor's sight.
    auto* pad = engine->getControls (Pad)[1];
    const auto channelIndex = pad->getOffset() + pad->getIndex ("MIDI Channel");
    auto panelEdit = controller.getSlot (4);
    const auto channelSent = panelEdit[channelIndex];
    panelEdit.set (channelIndex, (juce::uint8) ((channelSent + 5) % 16));
    controller.setSlot (4, panelEdit);
    changeTheCC();

    EXPECT_EQ (countWritesOf ([&] { ASSERT_NE (engine->startSend (4), 0); }), 1);
    ASSERT_TRUE (pumpMessagesUntil ([] { return findAlert ("Verify Failed") != nullptr; }, waitMs));
    const auto message = window.getSendOutcomeReport().getLastVerifyFailure();
    EXPECT_TRUE (message.endsWith (SendOutcomeReport::getChangedUnseenHeading() + "\nPad 2: MIDI Channel "
                                   + juce::String (channelSent + 1) + " / "
                                   + juce::String ((channelSent + 5) % 16 + 1)))
        << message;
    EXPECT_TRUE (window.hasUnsavedChanges());

    juce::TextButton* sendWhole = nullptr;

    for (auto* child : findAlert ("Verify Failed")->getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*> (child);
            button != nullptr && button->getButtonText() == "Send Whole Preset")
            sendWhole = button;

    ASSERT_NE (sendWhole, nullptr);
    EXPECT_EQ (countWritesOf (
                   [&]
                   {
                       sendWhole->triggerClick();
                       pump();
                   }),
               TestRig::imageLength);
    EXPECT_EQ (controller.getSlot (4), TestRig::getImage (*engine));
    EXPECT_EQ (stripText (window), "Sent to slot 5 and verified");
    EXPECT_FALSE (window.hasUnsavedChanges());
}

TEST_F (LibrarianWindowTest, SendWholePresetTheOptionOffOrForgettingTheSlotsWritesEveryByte)
{
    auto& window = openDocumentOn (engine);
    getSlotFiveWithTheKnobOnItsCC (window);
    changeTheCC();

    // File > Hardware > "Send Whole Preset...", to slot 5.
    juce::ApplicationCommandTarget::InvocationInfo sendWhole (CommandIDs::sendWholePreset);
    window.perform (sendWhole);
    juce::WeakReference<SendPresetWindow> dialog (window.getControllerDialogs().getSendPresetWindow());
    ASSERT_NE (dialog.get(), nullptr);
    EXPECT_EQ (dialog->getName(), "Send Whole Preset To Hardware");
    dialog->getPresetComponent().getSlotChooser().getComboBox().setSelectedId (5, juce::sendNotificationSync);
    EXPECT_EQ (countWritesOf ([&] { dialog->buttonClicked (&dialog->getPresetComponent().getActionButton()); }),
               TestRig::imageLength);
    EXPECT_EQ (stripText (window), "Sent to slot 5 and verified");

    // Options > "Send Changes Only", on in a new window, turned off for every window and back.
    EXPECT_TRUE (this->window (0).getEngine()->getSendChangesOnly());
    juce::ApplicationCommandTarget::InvocationInfo option (CommandIDs::sendChangesOnly);
    application->perform (option);
    EXPECT_FALSE (engine->getSendChangesOnly());
    EXPECT_FALSE (this->window (0).getEngine()->getSendChangesOnly());
    EXPECT_EQ (countWritesOf ([&] { ASSERT_NE (engine->startSend (4), 0); }), TestRig::imageLength);
    application->perform (option);
    EXPECT_TRUE (engine->getSendChangesOnly());
    EXPECT_EQ (countWritesOf ([&] { ASSERT_NE (engine->startSend (4), 0); }), 0);

    // File > Hardware > "Forget What the Slots Hold" forgets for the program's manager, which every
    // window of the program shares; the test's window is on the virtual controller's.
    auto& programsMemory = application->getMidiManager().getSlotMemory();
    programsMemory.remember (4, controller.getSlot (4));
    juce::ApplicationCommandTarget::InvocationInfo forget (CommandIDs::forgetSlotMemory);
    application->perform (forget);
    EXPECT_FALSE (programsMemory.isKnown (4));
    manager.getSlotMemory().forgetAll();
    EXPECT_EQ (countWritesOf ([&] { ASSERT_NE (engine->startSend (4), 0); }), TestRig::imageLength);
    EXPECT_EQ (stripText (window), "Sent to slot 5 and verified");
}
