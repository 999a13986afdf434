#include "model/ZKControlsToMidiDin.h"
#include "model/ZKPresetName.h"
#include "support/RecordingControlListener.h"

#include <gtest/gtest.h>

namespace
{
const juce::StringArray flagNames{ "Transport Midi To DIN",    "Keybed Midi To DIN",      "Lower Keybed Midi To DIN",
                                   "Upper Keybed Midi To DIN", "Pitch Wheel Midi To DIN", "Mod Wheel Midi To DIN",
                                   "Sustain Midi To DIN",      "Knobs Midi To DIN",       "Pads Midi To DIN",
                                   "Switches Midi To DIN" };
} // namespace

//==============================================================================
TEST (MidiToDin, TenFlagsOneByteEachAtTheOffsetGivenToTheConstructor)
{
    ZKControlsToMidiDin flags (455);

    EXPECT_EQ (flags.getParameterNames(), flagNames);
    EXPECT_EQ (flags.getOffset(), 455);
    EXPECT_EQ (flags.getValues().size(), 10);

    for (int i = 0; i < flagNames.size(); ++i)
    {
        EXPECT_EQ (flags.getIndex (flagNames[i]), i);
        EXPECT_EQ (flags.getMaximum (flagNames[i]), 1);
    }
}

TEST (MidiToDin, FlagsAreZeroOrOne)
{
    ZKControlsToMidiDin flags (0);

    flags.setValue ("Knobs Midi To DIN", 1, false);
    EXPECT_EQ (flags.getValue ("Knobs Midi To DIN"), 1);

    flags.setValue ("Knobs Midi To DIN", 2, false);
    EXPECT_EQ (flags.getValue ("Knobs Midi To DIN"), 1);

    flags.setValue ("Knobs Midi To DIN", 0, false);
    EXPECT_EQ (flags.getValue ("Knobs Midi To DIN"), 0);
}

TEST (MidiToDin, NamesOutsideTheTenHaveMaximumZeroAndStoreNothing)
{
    ZKControlsToMidiDin flags (0);

    EXPECT_EQ (flags.getMaximum ("Roll Mode Midi To DIN"), 0);
    EXPECT_EQ (flags.getMaximum ("knobs Midi To DIN"), 0);

    flags.setValue ("Roll Mode Midi To DIN", 0, false);
    flags.setValue ("Roll Mode Midi To DIN", 1, true);
    EXPECT_EQ (toInts (flags.getValues()), std::vector<int> (10, 0));
}

//==============================================================================
TEST (PresetName, SixteenNamesNumberedFromOneWithoutLeadingZeros)
{
    ZKPresetName name;

    ASSERT_EQ (name.getParameterNames().size(), 16);
    EXPECT_EQ (name.getParameterNames()[0], "Preset Name 1");
    EXPECT_EQ (name.getParameterNames()[9], "Preset Name 10");
    EXPECT_EQ (name.getParameterNames()[15], "Preset Name 16");

    for (int i = 1; i <= 16; ++i)
        EXPECT_EQ (name.getIndex ("Preset Name " + juce::String (i)), i - 1);

    EXPECT_EQ (name.getIndex ("Preset Name 01"), -1);
    EXPECT_EQ (name.getIndex ("Preset Name 0"), -1);
    EXPECT_EQ (name.getIndex ("Preset Name 17"), -1);
    EXPECT_EQ (name.getOffset(), 0);
    EXPECT_EQ (name.getValues().size(), 16);
}

TEST (PresetName, EveryNameHasTheSevenBitCharacterRange)
{
    ZKPresetName name;

    EXPECT_EQ (name.getMaximum ("Preset Name 1"), 127);
    EXPECT_EQ (name.getMaximum ("Preset Name 17"), 127);
    EXPECT_EQ (name.getMaximum ("Anything"), 127);

    name.setValue ("Preset Name 1", 65, false);
    name.setValue ("Preset Name 16", 127, false);
    name.setValue ("Preset Name 2", 128, false);

    EXPECT_EQ (name.getValues()[0], 'A');
    EXPECT_EQ (name.getValues()[15], 127);
    EXPECT_EQ (name.getValues()[1], 0);
}

TEST (PresetName, NamesWithoutACharacterPositionStoreNothing)
{
    ZKPresetName name;

    name.setValue ("Preset Name 17", 65, false);
    name.setValue ("Preset Name 0", 65, false);
    name.setValue ("Anything", 65, false);

    EXPECT_EQ (toInts (name.getValues()), std::vector<int> (16, 0));
}

TEST (PresetName, LoadedCharactersComeBackUnchanged)
{
    ZKPresetName name;
    const juce::String text ("My Preset Name!!");
    juce::Array<juce::uint8> image;

    for (int i = 0; i < text.length(); ++i)
        image.add ((juce::uint8) text[i]);

    image.add (99);
    RecordingControlListener listener;
    name.addListener (&listener);

    name.loadFromImage (image);

    EXPECT_EQ (toInts (name.getValues()), std::vector<int> (image.begin(), image.begin() + 16));
    EXPECT_EQ (listener.getNumCalls(), 16);
    EXPECT_EQ (listener.calls[0].name, "Preset Name 1");
    EXPECT_EQ (listener.calls[0].value, 'M');
}
