// "zkm check" run as a user runs it, on preset files made for each kind of problem.
#include "engine/PresetFileCodec.h"
#include "model/PresetLayout.h"
#include "model/ZKMModel.h"
#include "support/ZkmWorkFolder.h"

#include <gtest/gtest.h>

namespace
{
/** A work folder for preset files made for each kind of problem. */
class ZkmCheck : public ZkmWorkFolder
{
protected:
    ZkmCheck()
        : ZkmWorkFolder (1)
    {
    }

    static void set (juce::Array<juce::uint8>& image, ControlType type, int index, int byte, int value)
    {
        image.set (PresetLayout::getOffset (type, index) + byte, (juce::uint8) value);
    }
};
} // namespace

//==============================================================================
TEST_F (ZkmCheck, FindsEachKindOfProblemAndPassesTheDefaultPreset)
{
    writePresetFile ("default.zkp", defaultImage());
    const auto clean = run ({ "check", "default.zkp" });
    EXPECT_EQ (clean.exitCode, 0) << clean.errors;
    EXPECT_EQ (clean.output.trim(), "No problems found");
    EXPECT_EQ (run ({ "check", "default.zkp", "--json" }).output.trim(), "[]");

    auto image = defaultImage();
    set (image, Knob, 2, 1, 102); // Knob 3: CC 102 ...
    set (image, Pad, 4, 0, 1);    // ... and Pad 5 in CC Toggle mode on CC 102
    set (image, Pad, 4, 1, 102);
    set (image, Pad, 9, 1, 20);   // Pad 10 in Note mode: its note 20 is no CC 20 (Knob 1)
    set (image, Keybed, 0, 4, 0); // split at the 31st key, the upper zone eight octaves up
    set (image, Keybed, 0, 5, 30);
    set (image, Keybed, 0, 11, 8);
    set (image, Knob, 2, 2, 100); // Knob 3: Min 100, Max 20
    set (image, Knob, 2, 3, 20);
    set (image, Pad, 1, 3, 8); // Pad 2: curve 9 of 8
    set (image, PresetName, 0, 2, 5);
    writePresetFile ("problems.zkp", image);

    const auto found = run ({ "check", "problems.zkp" });
    EXPECT_EQ (found.exitCode, 1) << found.errors;
    EXPECT_EQ (juce::StringArray::fromLines (found.output.trim()),
               juce::StringArray ({ "Knob 3 and Pad 5 both send CC 102 on channel 1",
                                    "The upper zone plays notes 126 to 156: notes above 127 are not sent",
                                    "Knob 3: Min 100 is above Max 20", "Pad 2: Curve 9 is outside 1 to 8",
                                    "The preset name holds characters the controller cannot show: position 3" }));

    const auto json = run ({ "check", "problems.zkp", "--json" });
    EXPECT_EQ (json.exitCode, 1);
    const auto parsed = juce::JSON::parse (json.output);
    ASSERT_TRUE (parsed.isArray()) << json.output;
    ASSERT_EQ (parsed.size(), 5);
    EXPECT_EQ (parsed[0]["text"].toString(), "Knob 3 and Pad 5 both send CC 102 on channel 1");
    EXPECT_EQ (parsed[0]["controls"].size(), 2);
    EXPECT_EQ (parsed[0]["controls"][0].toString(), "Knob 3");
    EXPECT_EQ (parsed[0]["controls"][1].toString(), "Pad 5");
    EXPECT_EQ (parsed[1]["controls"][0].toString(), "Keybed (upper zone)");

    // A file that is not there is a rejected file, as for every other command.
    const auto missing = run ({ "check", "missing.zkp" });
    EXPECT_EQ (missing.exitCode, 4);
    EXPECT_TRUE (missing.output.isEmpty());
    EXPECT_EQ (missing.errors.trim().indexOf ("\n"), -1) << missing.errors;
}

// The only finding of a preset is a keybed above note 127: reported, and the exit status says so, as
// for any other finding.
TEST_F (ZkmCheck, AKeybedPlayingAboveNote127IsReportedAndFailsTheCheck)
{
    auto image = defaultImage();
    set (image, Keybed, 0, 1, 10); // the whole keybed ten octaves up: notes 120 to 180
    writePresetFile ("high.zkp", image);

    const auto found = run ({ "check", "high.zkp" });
    EXPECT_EQ (found.exitCode, 1) << found.errors;
    EXPECT_EQ (found.output.trim(), "The keybed plays notes 120 to 180: notes above 127 are not sent");

    const auto json = run ({ "check", "high.zkp", "--json" });
    EXPECT_EQ (json.exitCode, 1);
    const auto parsed = juce::JSON::parse (json.output);
    ASSERT_TRUE (parsed.isArray()) << json.output;
    ASSERT_EQ (parsed.size(), 1);
    EXPECT_EQ (parsed[0]["controls"][0].toString(), "Keybed");
}
