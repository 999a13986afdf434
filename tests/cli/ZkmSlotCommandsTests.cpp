// The zkm program's commands on whole slots, run as a user runs them, without a display, against
// the virtual controller kept in a slot file: names, rename and swap, checked byte for byte.
#include "cli/DeviceSession.h"
#include "engine/MidiDeviceLayerFactory.h"
#include "engine/PresetFileCodec.h"
#include "engine/VirtualController.h"
#include "model/PresetNameText.h"
#include "model/ZKMModel.h"
#include "support/ZkmWorkFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
constexpr int numberOfSlots = ZKMModel::numberOfSlots;

/** The work folder of the slot commands' tests, its slots from the seed 4321. */
class ZkmSlotCommands : public ZkmWorkFolder
{
protected:
    ZkmSlotCommands()
        : ZkmWorkFolder (4321)
    {
    }
};

/** The image with that name, padded with zeros or, as the controller pads its names, blanks. */
juce::Array<juce::uint8> withName (juce::Array<juce::uint8> image, const char* name, char padding = 0)
{
    for (int i = 0; i < 16; ++i)
        image.set (i, (juce::uint8) (i < (int) strlen (name) ? name[i] : padding));

    return image;
}
} // namespace

//==============================================================================
TEST_F (ZkmSlotCommands, NamesListsEverySlotAndMarksBytesThatAreNotPrintable)
{
    setSlotImage (0, withName (slotImage (0), "Lead"));
    auto odd = withName (slotImage (1), "Odd");
    odd.set (1, 7);
    setSlotImage (1, odd);

    const auto listed = runOnController ({ "names" });
    ASSERT_EQ (listed.exitCode, 0) << listed.errors;
    const auto lines = juce::StringArray::fromLines (listed.output.trimEnd());
    ASSERT_EQ (lines.size(), numberOfSlots);
    EXPECT_EQ (lines[0], "  1  Lead");
    EXPECT_TRUE (lines[23].startsWith (" 24  "));

    const auto json = runOnController ({ "names", "--json" });
    ASSERT_EQ (json.exitCode, 0) << json.errors;
    const auto parsed = juce::JSON::parse (json.output);
    ASSERT_EQ (parsed.size(), numberOfSlots) << json.output;
    EXPECT_EQ (parsed[0]["slot"], juce::var (1));
    EXPECT_EQ (parsed[0]["name"], juce::var ("Lead"));
    EXPECT_FALSE (parsed[0].hasProperty ("bytes")) << "a printable name needs no bytes";
    ASSERT_TRUE (parsed[1]["bytes"].isArray());
    EXPECT_EQ (parsed[1]["bytes"][1], juce::var (7));
    EXPECT_EQ (parsed[1]["bytes"][3], juce::var (0));
}

TEST_F (ZkmSlotCommands, RenameWritesTheNameAloneAndRefusesOneItCannotStore)
{
    const auto before = slotImage (4);
    const auto renamed = runOnController ({ "rename", "5", "Warm Pad" });
    ASSERT_EQ (renamed.exitCode, 0) << renamed.errors;
    EXPECT_EQ (renamed.output.trim(), "Slot 5 renamed to \"Warm Pad\", verified");
    EXPECT_EQ (slotImage (4), withName (before, "Warm Pad", ' ')) << "the name bytes and nothing else";

    for (const auto* name : { "Seventeen letters", "Caf\xc3\xa9", " Pad\t" })
    {
        const auto refused = runOnController ({ "rename", "5", juce::String::fromUTF8 (name) });
        EXPECT_EQ (refused.exitCode, 2) << name;
        EXPECT_TRUE (refused.errors.startsWith ("zkm: rename: a name ")) << refused.errors;
        EXPECT_EQ (slotImage (4), withName (before, "Warm Pad", ' '));
    }
}

TEST_F (ZkmSlotCommands, AShortNameIsPaddedWithBlanksAsTheControllerPadsItsNames)
{
    const auto before = slotImage (4);
    const auto renamed = runOnController ({ "rename", "5", "Pad" });
    ASSERT_EQ (renamed.exitCode, 0) << renamed.errors;

    // The display shows sixteen characters: blanks after the name, never a zero that may show as
    // a glyph.
    const auto after = slotImage (4);
    EXPECT_EQ (juce::String ((const char*) after.getRawDataPointer(), 3), "Pad");

    for (int i = 3; i < PresetNameText::length; ++i)
        EXPECT_EQ (after[i], 0x20) << "name byte " << i;

    EXPECT_EQ (after, withName (before, "Pad", ' ')) << "the name bytes and nothing else";

    // Read back, the name shows without its padding.
    const auto listed = runOnController ({ "names" });
    ASSERT_EQ (listed.exitCode, 0) << listed.errors;
    EXPECT_EQ (juce::StringArray::fromLines (listed.output)[4], "  5  Pad");
    EXPECT_EQ (juce::JSON::parse (runOnController ({ "names", "--json" }).output)[4]["name"], juce::var ("Pad"));
}

TEST_F (ZkmSlotCommands, SwapIsByteExactAndOneStoppedHalfwaySavesThePresetNoSlotHolds)
{
    const auto third = slotImage (2), seventh = slotImage (6);
    const auto swapped = runOnController ({ "swap", "3", "7" });
    ASSERT_EQ (swapped.exitCode, 0) << swapped.errors;
    EXPECT_TRUE (swapped.output.startsWith ("Slots 3 and 7 swapped, verified (")) << swapped.output;
    EXPECT_EQ (slotImage (2), seventh);
    EXPECT_EQ (slotImage (6), third);

    // Ctrl+C once the second write has begun: the first slot's old preset goes to a file, next to
    // one of that name that is left alone.
    const auto fifth = slotImage (4), ninth = slotImage (8);
    const auto taken = work.getChildFile ("Slot 05 before swap.zkp");
    taken.replaceWithText ("not mine");
    const auto stopped = runAndInterruptWhenShown ("swap 5 9", "Writing slot 9");
    ASSERT_TRUE (stopped.interrupted) << stopped.screen;

    EXPECT_EQ (stopped.exitCode, "3");
    EXPECT_TRUE (stopped.screen.contains ("Swap stopped: slot 5 now holds slot 9's preset")) << stopped.screen;
    EXPECT_EQ (slotImage (4), ninth);
    EXPECT_EQ (taken.loadFileAsString(), "not mine");
    EXPECT_EQ (contentOf (work.getChildFile ("Slot 05 before swap (2).zkp")), presetFileOf (fifth));
}

TEST_F (ZkmSlotCommands, ASwapKilledHalfwayLeavesEveryOldPresetInASlotOrInTheFileItNames)
{
    // Killed without a word while the first write runs: the first slot's preset is in its file
    // already, written before anything else.
    const auto eleventh = slotImage (10);
    const auto killed = runAndInterruptWhenShown ("swap 11 15", "Writing slot 11", SIGKILL);
    ASSERT_TRUE (killed.interrupted) << killed.screen;
    EXPECT_EQ (contentOf (work.getChildFile ("Slot 11 before swap.zkp")), presetFileOf (eleventh));

    // A kill (SIGTERM) or a closed terminal (SIGHUP) once the second write has begun is a Ctrl+C:
    // the command says what each slot holds and where the first slot's old preset is.
    for (const auto& [signal, first, second] : { std::make_tuple (SIGTERM, 3, 7), std::make_tuple (SIGHUP, 5, 9) })
    {
        const auto firstBefore = slotImage (first - 1), secondBefore = slotImage (second - 1);
        const auto stopped = runAndInterruptWhenShown ("swap " + juce::String (first) + " " + juce::String (second),
                                                       "Writing slot " + juce::String (second), signal);
        ASSERT_TRUE (stopped.interrupted) << stopped.screen;

        const auto kept = work.getChildFile ("Slot " + juce::String (first).paddedLeft ('0', 2) + " before swap.zkp");
        EXPECT_EQ (stopped.exitCode, "3") << "signal " << signal;
        EXPECT_TRUE (stopped.screen.contains ("Swap stopped: slot " + juce::String (first) + " now holds slot "
                                              + juce::String (second) + "'s preset"))
            << stopped.screen;
        EXPECT_TRUE (stopped.screen.contains ("it is saved to " + kept.getFullPathName())) << stopped.screen;
        EXPECT_EQ (slotImage (first - 1), secondBefore);
        EXPECT_EQ (contentOf (kept), presetFileOf (firstBefore));
    }

    // A swap that ends verified leaves no file behind.
    const auto swapped = runOnController ({ "swap", "12", "16" });
    ASSERT_EQ (swapped.exitCode, 0) << swapped.errors;
    EXPECT_FALSE (work.getChildFile ("Slot 12 before swap.zkp").exists());
}

TEST (ZkmInterrupt, ARenameStoppedDuringItsReadBackSaysTheNameWasWrittenButNotVerified)
{
    // In the program itself, so that the controller can leave the read-back unanswered: the kill
    // then surely comes once all sixteen name bytes are written.
    ::setenv (virtualControllerVariable, "1", 1);
    DeviceSession session (true);
    ::unsetenv (virtualControllerVariable);

    auto& manager = session.getMidiManager();
    manager.setInputDevice (VirtualController::deviceName);
    manager.setOutputDevice (VirtualController::deviceName);
    VirtualController* controller = nullptr;
    manager.withDeviceLayer ([&controller] (MidiDeviceLayer& layer) { controller = findVirtualController (layer); });
    ASSERT_NE (controller, nullptr);

    VirtualController::Faults faults;

    for (int i = 0; i < PresetNameText::length; ++i)
        faults.droppedIndexes.insert (i);

    controller->setFaults (faults);

    /** Sends the program a SIGTERM once the rename has written every byte. */
    struct KillWhenWritten : public ZKEditorEngine::Listener
    {
        void transferProgressed (const ZKEditorEngine::TransferStatus& status) override
        {
            if (! sent && status.kind == ZKEditorEngine::TransferStatus::Kind::rename && status.total > 0
                && status.done == status.total)
            {
                sent = true;
                std::raise (SIGTERM);
            }
        }

        bool sent = false;
    } killer;

    auto& engine = session.getEngine();
    engine.addListener (&killer);
    ASSERT_NE (engine.startRename (4, PresetNameText::toBytes ("Pad")), 0);

    testing::internal::CaptureStderr();
    const auto exitCode = juce::ConsoleApplication::invokeCatchingFailures (
        [&session]
        {
            session.runTransfers();
            return 0;
        });
    const juce::String errors (testing::internal::GetCapturedStderr());
    engine.removeListener (&killer);

    EXPECT_TRUE (killer.sent);
    EXPECT_EQ (exitCode, 3);
    EXPECT_EQ (errors.trim(), "zkm: cancelled while reading slot 5 back: the name was written but not verified");
    const auto slot = controller->getSlot (4);
    EXPECT_EQ (juce::Array<juce::uint8> (slot.getRawDataPointer(), PresetNameText::length),
               PresetNameText::toBytes ("Pad"));
}
