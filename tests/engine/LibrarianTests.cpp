// Verify after Send, the backup of every slot, and the differences of two presets as shown to the
// user, against the virtual controller and its faults.
#include "engine/ParameterDescriptions.h"
#include "engine/PresetDifferences.h"
#include "engine/SlotBackup.h"
#include "engine/SlotRestore.h"
#include "model/ControlType.h"
#include "support/MessageLoop.h"
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

    VirtualRig rig;
    ZKEditorEngine::Ptr engine = createEngine (rig.manager, fastPacing (300, 1));
    juce::File folder = juce::File::createTempFile ("backup");
};
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

    const auto differences = PresetDifferences::find (*engine, recorder.sent, recorder.readBack);
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
    auto faults = rig.controller.getFaults();
    faults.silentSlots.insert (4);
    faults.silentSlots.insert (16);
    rig.controller.setFaults (faults);

    SlotBackup backup (*engine, folder, "ZKM");
    EXPECT_EQ (backUp (backup), "22 of 24 slots backed up; slots 5 and 17 did not answer");

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (SlotBackup::getSlotFile (folder, "ZKM", slot).existsAsFile(), slot != 4 && slot != 16);
}

TEST_F (LibrarianTest, ACancelledBackupLeavesOnlyWholeFiles)
{
    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        rig.controller.setSlot (slot, createPatternImage (slot));

    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 20;
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

    const auto set = [&] (juce::Array<juce::uint8>& image, int type, int index, const juce::String& name, int value)
    { image.set (offsetOf (*engine, type, index, name), (juce::uint8) value); };

    set (first, Knob, 2, "Mode", 0);
    set (second, Knob, 2, "Mode", 0);
    set (first, Knob, 2, "CC", 21);
    set (second, Knob, 2, "CC", 74);
    set (first, Pad, 1, "Mode", 0); // "Note": the fourth byte is the curve
    set (second, Pad, 1, "Mode", 0);
    set (first, Pad, 1, "Curve", 0);
    set (second, Pad, 1, "Curve", 7);
    set (first, RollMode, 0, "Swing", 0);
    set (second, RollMode, 0, "Swing", 10);
    set (first, Transport, 3, "Function", 0);
    set (second, Transport, 3, "Function", 1);
    set (first, Wheels, 0, "Pitch Wheel MIDI Channel", 0);
    set (second, Wheels, 0, "Pitch Wheel MIDI Channel", 16);
    set (first, Keybed, 0, "Keybed Transpose", 12);
    set (second, Keybed, 0, "Keybed Transpose", 0);

    juce::StringArray lines;

    for (const auto& difference : PresetDifferences::find (*engine, first, second))
        lines.add (difference.toString());

    lines.sort (false);
    EXPECT_EQ (lines, (juce::StringArray{ "Keybed: Keybed Transpose 0 / -12", "Knob 3: CC 21 / 74",
                                          "Pad 2: Curve 1 / 8", "Pitch Wheel: MIDI Channel 1 / Omni",
                                          "Play: Function Momentary / Toggle", "Roll Mode: Swing 50 / 60" }));

    EXPECT_TRUE (PresetDifferences::find (*engine, first, first).isEmpty());
}

TEST (PresetDifferencesTest, NamesARenamedPresetOnOneLineAndAByteUnderEachModesOwnName)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    auto first = getImage (*engine);
    auto second = first;

    const auto set = [&] (juce::Array<juce::uint8>& image, int type, int index, const juce::String& name, int value)
    { image.set (offsetOf (*engine, type, index, name), (juce::uint8) value); };

    const auto setName = [&] (juce::Array<juce::uint8>& image, const juce::String& name)
    {
        const auto start = engine->getControls (PresetName)[0]->getOffset();

        for (int i = 0; i < 16; ++i)
            image.set (start + i, (juce::uint8) (i < name.length() ? name[i] : 0));
    };

    setName (first, "Old");
    setName (second, "New Lead");
    set (first, Pad, 0, "Mode", 0);  // "Note": the byte is "Fixed"
    set (second, Pad, 0, "Mode", 1); // "CC Toggle": the same byte is "Toggle On"
    set (first, Pad, 0, "Fixed", 0);
    set (second, Pad, 0, "Toggle On", 100);

    juce::StringArray lines;

    for (const auto& difference : PresetDifferences::find (*engine, first, second))
        lines.add (difference.toString());

    EXPECT_EQ (lines, (juce::StringArray{ "Preset Name: Old / New Lead", "Pad 1: Mode Note / CC Toggle",
                                          "Pad 1: Fixed 0 / Toggle On 100" }));
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

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        rig.controller.setSlot (slot, createPatternImage (slot + 50));

    SlotRestore restore (*engine, folder, "ZKM");
    ASSERT_TRUE (restore.check().isEmpty());
    ASSERT_TRUE (restore.start());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return restore.isFinished(); }, waitMs));

    EXPECT_EQ (restore.getSummary(), "24 of 24 slots restored and verified");

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        EXPECT_EQ (rig.controller.getSlot (slot), createPatternImage (slot));

    EXPECT_FALSE (engine->getVerifyAfterSend()); // the engine's own setting is back
}
