// Verify after Send, the backup of every slot, and the differences of two presets as shown to the
// user, against the virtual controller and its faults.
#include "engine/ParameterDescriptions.h"
#include "engine/PresetDifferences.h"
#include "engine/PresetParameters.h"
#include "engine/SlotBackup.h"
#include "engine/SlotRestore.h"
#include "model/PresetLayout.h"
#include "support/MessageLoop.h"
#include "support/QueueHold.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
constexpr int waitMs = 60000;

struct VerifyRecorder : public ZKEditorEngine::Listener
{
    void presetVerified (juce::uint8 slotVerified, const juce::Array<juce::uint8>& sentImage,
                         const juce::Array<juce::uint8>& readBackImage) override
    {
        slot = slotVerified;
        sent = sentImage;
        readBack = readBackImage;
        ++numVerified;
    }

    int numVerified = 0;
    int slot = -1;
    juce::Array<juce::uint8> sent, readBack;
};

int offsetOf (ZKEditorEngine& engine, int type, int index, const juce::String& name)
{
    auto* control = engine.getControls (type)[index];
    return control->getOffset() + control->getIndex (name);
}

/** Sets one parameter's byte in a preset image, as a control of the engine places it. */
void setParameter (ZKEditorEngine& engine, juce::Array<juce::uint8>& image, int type, int index,
                   const juce::String& name, int value)
{
    image.set (offsetOf (engine, type, index, name), (juce::uint8) value);
}

class LibrarianTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    /** Runs a backup to its end and returns its summary. */
    juce::String backUp (SlotBackup& backup)
    {
        EXPECT_TRUE (backup.start());
        EXPECT_TRUE (pumpMessagesUntil ([&] { return backup.isFinished(); }, waitMs));
        return backup.getSummary();
    }

    /** Writes the files of a backup as SlotBackup names them: the pattern of seed + slot, every
        slot but the one left out. */
    void writeBackupFiles (int seed, int slotLeftOut = -1)
    {
        for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        {
            if (slot == slotLeftOut)
                continue;

            const auto data = engine->createPresetData (0, createPatternImage (seed + slot));
            ASSERT_TRUE (SlotBackup::getSlotFile (folder, "ZKM", slot)
                             .replaceWithData (data.getRawDataPointer(), (size_t) data.size()));
        }
    }

    /** Runs a restore of the folder to its end and returns its summary. */
    juce::String restore (SlotRestore& slotRestore)
    {
        EXPECT_TRUE (slotRestore.check().isEmpty());
        EXPECT_TRUE (slotRestore.start());
        EXPECT_TRUE (pumpMessagesUntil ([&] { return slotRestore.isFinished(); }, waitMs));
        return slotRestore.getSummary();
    }

    /** For a test of slots that never answer: their reads end after a short reply timeout. */
    void expectSilentSlots (const std::set<int>& slots)
    {
        auto faults = rig.controller.getFaults();
        faults.silentSlots = slots;
        rig.controller.setFaults (faults);
        engine->setPacing (fastPacing (missingReplyTimeoutMs, 1));
    }

    VirtualRig rig;
    ZKEditorEngine::Ptr engine = createEngine (rig.manager, fastPacing (patientReplyTimeoutMs));
    juce::File folder = juce::File::createTempFile ("backup");
};

/** The indexes at which two images differ, in order. */
juce::Array<int> differingIndexes (const juce::Array<juce::uint8>& a, const juce::Array<juce::uint8>& b)
{
    juce::Array<int> indexes;

    for (int index = 0; index < a.size(); ++index)
        if (a[index] != b[index])
            indexes.add (index);

    return indexes;
}

/** Holds the transfer thread inside the sending of one message, until the test lets go. */
struct HeldAtMessage
{
    HeldAtMessage (FakeMidiDeviceLayer& layerToWatch, int messageNumber)
        : layer (layerToWatch)
    {
        layer.onMessageSent = [this, messageNumber] (const juce::MidiMessage&)
        {
            if (layer.getNumSentMessages() == messageNumber)
            {
                reached.signal();
                resume.wait (waitMs);
            }
        };
    }

    ~HeldAtMessage()
    {
        resume.signal();
        layer.onMessageSent = nullptr;
    }

    FakeMidiDeviceLayer& layer;
    juce::WaitableEvent reached, resume;
};

/** The slots of the parameter writes among the messages, in order. */
juce::Array<int> slotsWritten (const std::vector<juce::MidiMessage>& messages)
{
    juce::Array<int> slots;

    for (const auto& message : messages)
        if (message.getRawData()[ZKSysEx::commandPosition] == ZKSysEx::parameterWriteCommand)
            slots.add (message.getRawData()[ZKSysEx::headLength]); // writes carry the slot after the head

    return slots;
}
} // namespace

//==============================================================================
TEST_F (LibrarianTest, VerifyNamesTheParameterWhoseWriteTheControllerDropped)
{
    constexpr juce::uint8 slot = 6;
    const auto channelIndex = offsetOf (*engine, Knob, 2, "MIDI Channel");
    const auto channelBefore = getImage (*engine)[channelIndex];
    engine->getControls (Knob)[2]->setValue ("MIDI Channel", 9, false);
    auto faults = rig.controller.getFaults();
    faults.droppedWrites.insert (channelIndex);
    rig.controller.setFaults (faults);

    VerifyRecorder recorder;
    engine->addListener (&recorder);
    engine->setVerifyAfterSend (true);
    ASSERT_TRUE (engine->startSend (slot));
    ASSERT_TRUE (
        pumpMessagesUntil ([&] { return recorder.numVerified == 1 && ! engine->isTransferInProgress(); }, waitMs));
    engine->removeListener (&recorder);

    EXPECT_EQ (recorder.slot, slot);
    EXPECT_EQ (recorder.readBack, rig.controller.getSlot (slot));

    const auto differences = PresetDifferences::find (recorder.sent, recorder.readBack);
    ASSERT_EQ (differences.size(), 1);
    EXPECT_EQ (differences[0].controlName, "Knob 3");
    EXPECT_EQ (differences[0].parameterName, "MIDI Channel");
    EXPECT_EQ (differences[0].firstValue, "10"); // channels are shown from 1
    EXPECT_EQ (differences[0].secondValue, juce::String (channelBefore + 1));
}

TEST_F (LibrarianTest, WithoutVerifyASendEndsWithoutReadingBack)
{
    VerifyRecorder recorder;
    engine->addListener (&recorder);
    ASSERT_TRUE (engine->sendPreset (3));
    pumpMessagesFor (200);
    engine->removeListener (&recorder);

    EXPECT_EQ (recorder.numVerified, 0);
    EXPECT_FALSE (engine->isTransferInProgress());
}

TEST_F (LibrarianTest, ABackupWritesEverySlotByteForByteIntoItsOwnPresetFile)
{
    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        rig.controller.setSlot (slot, createPatternImage (slot));

    const auto imageBefore = getImage (*engine);
    SlotBackup backup (*engine, folder, "ZKM");
    EXPECT_EQ (backUp (backup), "24 of 24 slots backed up");

    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 24);

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
    {
        const auto file = folder.getChildFile ("ZKM Slot " + juce::String (slot + 1).paddedLeft ('0', 2) + ".zkp");
        ASSERT_EQ (file.getSize(), dumpLength) << file.getFileName();
        juce::MemoryBlock content;
        file.loadFileAsData (content);
        EXPECT_EQ (getImageOfDump (juce::Array<juce::uint8> ((const juce::uint8*) content.getData(), dumpLength)),
                   rig.controller.getSlot (slot));
        EXPECT_EQ (engine->readPresetFileImage (file), rig.controller.getSlot (slot));
    }

    EXPECT_EQ (getImage (*engine), imageBefore); // the window's preset is not touched
}

TEST_F (LibrarianTest, ABackupKeepsTheSlotsThatAnsweredAndNamesThoseThatDidNot)
{
    expectSilentSlots ({ 4, 16 });

    SlotBackup backup (*engine, folder, "ZKM");
    EXPECT_EQ (backUp (backup), "22 of 24 slots backed up; slots 5 and 17 did not answer");

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (SlotBackup::getSlotFile (folder, "ZKM", slot).existsAsFile(), slot != 4 && slot != 16);
}

TEST_F (LibrarianTest, ACancelledBackupLeavesOnlyWholeFiles)
{
    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        rig.controller.setSlot (slot, createPatternImage (slot));

    // The slots after the fifth never answer, so the sixth read is surely under way, and not over,
    // when the cancel comes: a read that had ended before it would still write its whole file.
    auto faults = rig.controller.getFaults();
    for (int slot = 5; slot < SlotBackup::numberOfSlots; ++slot)
        faults.silentSlots.insert (slot);
    rig.controller.setFaults (faults);
    SlotBackup backup (*engine, folder, "ZKM");
    backup.onProgress = [&] (int done)
    {
        if (done == 5)
            backup.cancel();
    };

    ASSERT_TRUE (backup.start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return backup.isFinished() && ! engine->isTransferInProgress(); }, waitMs));
    pumpMessagesFor (100);

    EXPECT_TRUE (backup.wasCancelled());
    const auto files = folder.findChildFiles (juce::File::findFilesAndDirectories, false);
    EXPECT_EQ (files.size(), 5);

    for (const auto& file : files)
    {
        const auto slot = file.getFileNameWithoutExtension().getTrailingIntValue() - 1;
        EXPECT_EQ (engine->readPresetFileImage (file), rig.controller.getSlot (slot)) << file.getFileName();
    }
}

TEST (PresetDifferencesTest, NamesEachDifferingParameterWithItsControlAndBothValuesAsShown)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    auto first = getImage (*engine);
    auto second = first;

    setParameter (*engine, first, Knob, 2, "Mode", 0);
    setParameter (*engine, second, Knob, 2, "Mode", 0);
    setParameter (*engine, first, Knob, 2, "CC", 21);
    setParameter (*engine, second, Knob, 2, "CC", 74);
    setParameter (*engine, first, Pad, 1, "Mode", 0); // "Note": the fourth byte is the curve
    setParameter (*engine, second, Pad, 1, "Mode", 0);
    setParameter (*engine, first, Pad, 1, "Curve", 0);
    setParameter (*engine, second, Pad, 1, "Curve", 7);
    setParameter (*engine, first, RollMode, 0, "Swing", 0);
    setParameter (*engine, second, RollMode, 0, "Swing", 10);
    setParameter (*engine, first, Transport, 3, "Function", 0);
    setParameter (*engine, second, Transport, 3, "Function", 1);
    setParameter (*engine, first, Wheels, 0, "Pitch Wheel MIDI Channel", 0);
    setParameter (*engine, second, Wheels, 0, "Pitch Wheel MIDI Channel", 16);
    setParameter (*engine, first, Keybed, 0, "Keybed Transpose", 12);
    setParameter (*engine, second, Keybed, 0, "Keybed Transpose", 0);

    juce::StringArray lines;

    for (const auto& difference : PresetDifferences::find (first, second))
        lines.add (difference.toString());

    lines.sort (false);
    EXPECT_EQ (lines, (juce::StringArray{ "Keybed: Keybed Transpose 0 / -12", "Knob 3: CC 21 / 74",
                                          "Pad 2: Curve 1 / 8", "Pitch Wheel: MIDI Channel 1 / Omni",
                                          "Play: Function Momentary / Toggle", "Roll Mode: Swing 50 / 60" }));

    EXPECT_TRUE (PresetDifferences::find (first, first).isEmpty());
}

TEST (PresetDifferencesTest, NamesARenamedPresetOnOneLineAndAByteUnderEachModesOwnName)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    auto first = getImage (*engine);
    auto second = first;

    const auto setName = [&] (juce::Array<juce::uint8>& image, const juce::String& name)
    {
        const auto start = engine->getControls (PresetName)[0]->getOffset();

        for (int i = 0; i < 16; ++i)
            image.set (start + i, (juce::uint8) (i < name.length() ? name[i] : 0));
    };

    setName (first, "Old");
    setName (second, "New Lead");
    setParameter (*engine, first, Pad, 0, "Mode", 0);  // "Note": the byte is "Fixed"
    setParameter (*engine, second, Pad, 0, "Mode", 1); // "CC Toggle": the same byte is "Toggle On"
    setParameter (*engine, first, Pad, 0, "Fixed", 0);
    setParameter (*engine, second, Pad, 0, "Toggle On", 100);

    juce::StringArray lines;

    for (const auto& difference : PresetDifferences::find (first, second))
        lines.add (difference.toString());

    EXPECT_EQ (lines, (juce::StringArray{ "Preset Name: Old / New Lead", "Pad 1: Mode Note / CC Toggle",
                                          "Pad 1: Fixed 0 / Toggle On 100" }));
}

TEST (PresetParametersTest, ListingNamesEveryByteAsTheEnginesControlsHoldIt)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);

    // Pattern images, each knob, pad and switch in one of its modes after another, and with a mode
    // that does not exist.
    juce::Array<juce::Array<juce::uint8>> images{ getImage (*engine), createPatternImage (1) };

    for (int seed = 0; seed < 4; ++seed)
    {
        auto image = createPatternImage (seed);

        for (int type : { Knob, Pad, Switch })
        {
            const auto numModes = (int) ParameterDescriptions::getModes (type).size();
            auto& controls = engine->getControls (type);

            for (int i = 0; i < controls.size(); ++i)
                image.set (controls[i]->getOffset() + controls[i]->getIndex ("Mode"),
                           (juce::uint8) ((seed + i) % numModes));
        }

        images.add (image);
    }

    // The listing reads the layout table; the engine's controls hold the loaded bytes: a name must
    // address the same byte in both, and show the value that the control holds.
    for (int i = 0; i < images.size(); ++i)
    {
        const auto& image = images.getReference (i);
        loadPreset (*engine, engine->getFileCodec().createDump (0, image));
        const auto parameters = PresetParameters::list (image);
        ASSERT_EQ (parameters.size(), image.size()) << "image " << i;

        for (const auto& parameter : parameters)
        {
            auto* control = engine->getControls (parameter.controlType)[parameter.controlIndex];
            ASSERT_NE (control, nullptr) << parameter.controlName;
            EXPECT_EQ (control->getOffset() + control->getIndex (parameter.name), parameter.imageIndex)
                << parameter.controlName << " " << parameter.name;
            EXPECT_EQ (control->getValue (parameter.name), parameter.value)
                << parameter.controlName << " " << parameter.name;
        }
    }
}

TEST_F (LibrarianTest, ARestoreRefusesAFolderWithAWrongSizedFileAndSendsNothing)
{
    SlotBackup backup (*engine, folder, "ZKM");
    ASSERT_EQ (backUp (backup), "24 of 24 slots backed up");
    const auto damaged = SlotBackup::getSlotFile (folder, "ZKM", 6);
    ASSERT_TRUE (damaged.appendText ("x"));
    rig.controller.clearReceivedMessages();

    SlotRestore restore (*engine, folder, "ZKM");
    EXPECT_EQ (restore.check(), juce::StringArray ("ZKM Slot 07.zkp is not a preset file"));
    EXPECT_FALSE (restore.start());
    pumpMessagesFor (100);

    EXPECT_FALSE (engine->isTransferInProgress());
    EXPECT_TRUE (rig.controller.getReceivedMessages().empty());
}

TEST_F (LibrarianTest, ARestoreWritesAndVerifiesEverySlot)
{
    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        rig.controller.setSlot (slot, createPatternImage (slot));

    SlotBackup backup (*engine, folder, "ZKM");
    ASSERT_EQ (backUp (backup), "24 of 24 slots backed up");

    // Three slots differ from the backup in a few bytes; the others hold it already.
    juce::Array<int> expectedWrites;
    int bytesDiffering = 0;

    for (int slot : { 2, 9, 23 })
    {
        auto changed = createPatternImage (slot);
        changed.set (slot, (juce::uint8) (changed[slot] ^ 1));
        changed.set (400, (juce::uint8) (changed[400] ^ 1));
        rig.controller.setSlot (slot, changed);
        expectedWrites.addArray (differingIndexes (changed, createPatternImage (slot)));
        bytesDiffering += 2;
    }

    rig.controller.clearReceivedMessages();
    SlotRestore restore (*engine, folder, "ZKM");
    EXPECT_EQ (this->restore (restore), "24 of 24 slots restored and verified; 24 slots checked, 3 rewritten ("
                                            + juce::String (bytesDiffering) + " bytes)");

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (rig.controller.getSlot (slot), createPatternImage (slot));

    // Only the differing bytes went out, slot by slot in index order.
    EXPECT_EQ (parameterIndexes (rig.controller.getReceivedMessages()), expectedWrites);
    EXPECT_FALSE (engine->getVerifyAfterSend()); // a restore leaves the option alone

    // A controller that holds the backup is only read: not one write.
    rig.controller.clearReceivedMessages();
    SlotRestore again (*engine, folder, "ZKM");
    EXPECT_EQ (this->restore (again), "24 of 24 slots restored and verified; 24 slots checked, 0 rewritten (0 bytes)");
    EXPECT_TRUE (parameterIndexes (rig.controller.getReceivedMessages()).isEmpty());
}

//==============================================================================
// A restore turned the engine's verify option on for its Sends and waited for read-backs: turned
// off meanwhile (the Options menu), no read-back came and the restore never ended.
TEST_F (LibrarianTest, ARestoreReadsBackItsOwnWritesWhenTheVerifyOptionIsTurnedOffWhileItRuns)
{
    writeBackupFiles (0);
    engine->setVerifyAfterSend (true);
    SlotRestore slotRestore (*engine, folder, "ZKM");
    ASSERT_TRUE (slotRestore.check().isEmpty());
    ASSERT_TRUE (slotRestore.start());
    engine->setVerifyAfterSend (false);

    ASSERT_TRUE (pumpMessagesUntil ([&] { return slotRestore.isFinished(); }, waitMs));
    EXPECT_TRUE (slotRestore.getSummary().startsWith ("24 of 24 slots restored and verified; 24 slots checked, 24 "
                                                      "rewritten"));
    EXPECT_FALSE (engine->getVerifyAfterSend());
}

// The window's own Sends, queued before the restore, were counted as slots of the restore: the
// read-back of one made the restore end a slot early and blame a slot it had restored well, and a
// cancelled one cancelled the whole restore.
TEST_F (LibrarianTest, ARestoreCountsOnlyTheTransfersItQueuedItself)
{
    writeBackupFiles (0);
    engine->setVerifyAfterSend (true);
    VerifyRecorder recorder;
    engine->addListener (&recorder);
    SlotRestore slotRestore (*engine, folder, "ZKM");
    ASSERT_TRUE (slotRestore.check().isEmpty());

    QueueHold hold (rig.manager.getTransferQueue());
    const auto ownSend = engine->startSend (3); // the default preset, which the restore overwrites
    const auto cancelledSend = engine->startSend (7);
    ASSERT_NE (ownSend, 0);
    ASSERT_TRUE (slotRestore.start());
    EXPECT_FALSE (slotRestore.ownsTransfer (ownSend));
    engine->cancelTransfer (cancelledSend);
    EXPECT_TRUE (slotRestore.isRunning());
    hold.release();

    ASSERT_TRUE (
        pumpMessagesUntil ([&] { return slotRestore.isFinished() && ! engine->isTransferInProgress(); }, waitMs));
    engine->removeListener (&recorder);

    EXPECT_TRUE (slotRestore.getSummary().startsWith ("24 of 24 slots restored and verified; 24 slots checked"));
    EXPECT_EQ (recorder.numVerified, 25);
    EXPECT_EQ (rig.controller.getSlot (3), createPatternImage (3));
}

// Every byte counts, the last as well.
TEST_F (LibrarianTest, ARestoreNamesTheSlotThatDidNotKeepTheLastByteSent)
{
    writeBackupFiles (0);

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        rig.controller.setSlot (slot, createPatternImage (slot == 11 ? 61 : slot));

    ASSERT_NE (createPatternImage (61).getLast(), createPatternImage (11).getLast());
    auto faults = rig.controller.getFaults();
    faults.droppedWrites.insert (imageLength - 1);
    rig.controller.setFaults (faults);

    SlotRestore slotRestore (*engine, folder, "ZKM");
    EXPECT_EQ (restore (slotRestore),
               "23 of 24 slots restored and verified; slot 12 did not keep what was sent; 24 "
               "slots checked, 1 rewritten ("
                   + juce::String (differingIndexes (createPatternImage (61), createPatternImage (11)).size())
                   + " bytes)");
}

TEST_F (LibrarianTest, ARestoreRefusesAFolderWithAMissingSlotFileAndSendsNothing)
{
    writeBackupFiles (0, 8);
    rig.controller.clearReceivedMessages();

    SlotRestore slotRestore (*engine, folder, "ZKM");
    EXPECT_EQ (slotRestore.check(), juce::StringArray ("ZKM Slot 09.zkp is missing"));
    EXPECT_FALSE (slotRestore.start());

    EXPECT_FALSE (engine->isTransferInProgress());
    EXPECT_TRUE (rig.controller.getReceivedMessages().empty());
}

// A backup over an older one left the older file of a slot that did not answer, and a restore of
// the folder wrote that older preset back without a word.
TEST_F (LibrarianTest, ABackupSetsAsideTheOlderFileOfASlotItCouldNotReadSoARestoreRefusesTheFolder)
{
    writeBackupFiles (100);
    const auto olderFile = SlotBackup::getSlotFile (folder, "ZKM", 4);
    const auto olderImage = engine->readPresetFileImage (olderFile);
    expectSilentSlots ({ 4 });

    SlotBackup backup (*engine, folder, "ZKM");
    EXPECT_EQ (backUp (backup), "23 of 24 slots backed up; slot 5 did not answer");

    EXPECT_FALSE (olderFile.exists());
    EXPECT_EQ (engine->readPresetFileImage (SlotBackup::getSetAsideFile (olderFile)), olderImage);

    SlotRestore slotRestore (*engine, folder, "ZKM");
    EXPECT_EQ (slotRestore.check(), juce::StringArray ("ZKM Slot 05.zkp is missing"));
    EXPECT_FALSE (slotRestore.start());
}

//==============================================================================
class RestoreStopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (folder.createDirectory());

        for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        {
            const auto data = engine->createPresetData (0, createPatternImage (slot));
            ASSERT_TRUE (SlotBackup::getSlotFile (folder, "ZKM", slot)
                             .replaceWithData (data.getRawDataPointer(), (size_t) data.size()));
        }

        restore = std::make_unique<SlotRestore> (*engine, folder, "ZKM");
        ASSERT_TRUE (restore->check().isEmpty());
    }

    void TearDown() override
    {
        // The hook goes only once the transfer thread is done with it.
        if (held != nullptr)
            held->resume.signal();

        restore.reset();
        pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs);
        held.reset();
        folder.deleteRecursively();
    }

    /** Starts the restore and holds its first Send after that many writes. The Sends are all
        queued first: queuing asks whether the output is open, which the held Send keeps locked. */
    void startAndHoldFirstSendAt (int writes)
    {
        QueueHold hold (rig.manager.getTransferQueue());
        ASSERT_TRUE (restore->start());
        held = std::make_unique<HeldAtMessage> (rig.layer, writes);
        hold.release();
        ASSERT_TRUE (held->reached.wait (waitMs));
    }

    FakeRig rig; // takes the writes; the read-backs get no answer
    ZKEditorEngine::Ptr engine = createEngine (rig.manager, fastPacing (noAnswerReplyTimeoutMs, 0));
    juce::File folder = juce::File::createTempFile ("restore");
    std::unique_ptr<SlotRestore> restore;
    std::unique_ptr<HeldAtMessage> held;
};

// Closing the window of a restore cancelled the Send under way: a slot half written, and no one told.
TEST_F (RestoreStopTest, ARestoreThatGoesWithItsWindowWritesTheSlotUnderWayWholeAndNoOther)
{
    startAndHoldFirstSendAt (100);
    restore.reset();
    held->resume.signal();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));

    juce::Array<int> slotZeroOnly;
    slotZeroOnly.insertMultiple (0, 0, imageLength);
    EXPECT_EQ (slotsWritten (rig.layer.getSentMessages()), slotZeroOnly);
}

TEST_F (RestoreStopTest, ARestoreStoppedAfterTheCurrentSlotFinishesItAndSaysWhereItStopped)
{
    bool told = false;
    restore->onFinished = [&] { told = true; };
    startAndHoldFirstSendAt (100);
    EXPECT_EQ (restore->getSlotUnderWay(), 0);
    restore->stopAfterCurrentSlot();
    EXPECT_TRUE (restore->isRunning());
    held->resume.signal();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return told && ! engine->isTransferInProgress(); }, waitMs));

    EXPECT_EQ (restore->getSummary(),
               "0 of 24 slots restored and verified; slot 1 did not answer when read back; stopped after slot 1; 1 "
               "slot checked, 1 rewritten (465 bytes)");
    juce::Array<int> slotZeroOnly;
    slotZeroOnly.insertMultiple (0, 0, imageLength);
    EXPECT_EQ (slotsWritten (rig.layer.getSentMessages()), slotZeroOnly);
}
