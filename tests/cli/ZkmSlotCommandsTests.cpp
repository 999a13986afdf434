// The zkm program's commands on whole slots, run as a user runs them, without a display, against
// the virtual controller kept in a slot file: names, rename and swap, checked byte for byte.
#include "engine/PresetFileCodec.h"
#include "engine/VirtualController.h"
#include "model/ZKMModel.h"
#include "support/ZkmWorkFolder.h"

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

juce::Array<juce::uint8> withName (juce::Array<juce::uint8> image, const char* name)
{
    for (int i = 0; i < 16; ++i)
        image.set (i, (juce::uint8) (i < (int) strlen (name) ? name[i] : 0));

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
    EXPECT_EQ (slotImage (4), withName (before, "Warm Pad")) << "the name bytes and nothing else";

    for (const auto* name : { "Seventeen letters", "Caf\xc3\xa9", " Pad\t" })
    {
        const auto refused = runOnController ({ "rename", "5", juce::String::fromUTF8 (name) });
        EXPECT_EQ (refused.exitCode, 2) << name;
        EXPECT_TRUE (refused.errors.startsWith ("zkm: rename: a name ")) << refused.errors;
        EXPECT_EQ (slotImage (4), withName (before, "Warm Pad"));
    }
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
