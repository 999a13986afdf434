#include "model/ZKKeybed.h"
#include "support/RecordingControlListener.h"

#include <gtest/gtest.h>

namespace
{
constexpr juce::uint8 splitPointMaximum = 60;
constexpr juce::uint8 octaveMaximum = 10;

const juce::StringArray keybedNames{ "Keybed Transpose",
                                     "Keybed Octave",
                                     "Keybed MIDI Channel",
                                     "Keybed Curve",
                                     "Split Mode",
                                     "Split Point",
                                     "Lower Keybed Transpose",
                                     "Lower Keybed Octave",
                                     "Lower Keybed MIDI Channel",
                                     "Lower Keybed Curve",
                                     "Upper Keybed Transpose",
                                     "Upper Keybed Octave",
                                     "Upper Keybed MIDI Channel",
                                     "Upper Keybed Curve" };
} // namespace

//==============================================================================
TEST (Keybed, NamesFollowTheBlockOrderOneByteEach)
{
    ZKKeybed keybed (splitPointMaximum, octaveMaximum);

    EXPECT_EQ (keybed.getParameterNames(), keybedNames);
    EXPECT_EQ (keybed.getValues().size(), 14);

    for (int i = 0; i < keybedNames.size(); ++i)
        EXPECT_EQ (keybed.getIndex (keybedNames[i]), i) << keybedNames[i];

    EXPECT_EQ (keybed.getIndex ("Transpose"), -1);
    EXPECT_EQ (keybed.getIndex ("keybed transpose"), -1);
}

TEST (Keybed, MaximaOfItsOwnNames)
{
    ZKKeybed keybed (splitPointMaximum, octaveMaximum);

    EXPECT_EQ (keybed.getMaximum ("Split Mode"), 1);
    EXPECT_EQ (keybed.getMaximum ("Split Point"), 60);

    for (const juce::String zone : { "Keybed", "Lower Keybed", "Upper Keybed" })
    {
        EXPECT_EQ (keybed.getMaximum (zone + " Transpose"), 24) << zone;
        EXPECT_EQ (keybed.getMaximum (zone + " Octave"), 10) << zone;
        EXPECT_EQ (keybed.getMaximum (zone + " MIDI Channel"), 15) << zone;
        EXPECT_EQ (keybed.getMaximum (zone + " Curve"), 8) << zone;
    }
}

TEST (Keybed, SplitPointAndOctaveMaximaComeFromTheConstructor)
{
    ZKKeybed keybed ((juce::uint8) 48, (juce::uint8) 7);

    EXPECT_EQ (keybed.getMaximum ("Split Point"), 48);
    EXPECT_EQ (keybed.getMaximum ("Lower Keybed Octave"), 7);

    keybed.setValue ("Split Point", 48, false);
    keybed.setValue ("Upper Keybed Octave", 7, false);
    EXPECT_EQ (keybed.getValue ("Split Point"), 48);
    EXPECT_EQ (keybed.getValue ("Upper Keybed Octave"), 7);

    keybed.setValue ("Split Point", 49, false);
    keybed.setValue ("Upper Keybed Octave", 8, false);
    EXPECT_EQ (keybed.getValue ("Split Point"), 48);
    EXPECT_EQ (keybed.getValue ("Upper Keybed Octave"), 7);
}

TEST (Keybed, MaximaOfOtherNamesFollowExactNamesFirstThenSubstringsInOrder)
{
    ZKKeybed keybed (splitPointMaximum, octaveMaximum);

    EXPECT_EQ (keybed.getMaximum ("Split"), 0);
    EXPECT_EQ (keybed.getMaximum ("Split Point Octave"), 10);
    EXPECT_EQ (keybed.getMaximum ("Transpose"), 24);
    EXPECT_EQ (keybed.getMaximum ("Octave"), 10);
    EXPECT_EQ (keybed.getMaximum ("Curve"), 8);
    EXPECT_EQ (keybed.getMaximum ("MIDI Channel"), 15);
    EXPECT_EQ (keybed.getMaximum ("Octave Transpose"), 24);
    EXPECT_EQ (keybed.getMaximum ("Curve Octave"), 10);
    EXPECT_EQ (keybed.getMaximum ("MIDI Channel Curve"), 8);
    EXPECT_EQ (keybed.getMaximum ("transpose"), 0);
    EXPECT_EQ (keybed.getMaximum ("Midi Channel"), 0);
    EXPECT_EQ (keybed.getMaximum ("Velocity"), 0);
}

TEST (Keybed, NameWithAMaximumButNoByteStoresNothing)
{
    ZKKeybed keybed (splitPointMaximum, octaveMaximum);
    keybed.setValues ({ 12, 5, 0, 4, 1, 0, 12, 5, 0, 4, 12, 5, 0, 4 });

    keybed.setValue ("Transpose", 3, false);
    keybed.setValue ("Middle Keybed Octave", 3, false);

    EXPECT_EQ (keybed.getValue ("Transpose"), 0);
    EXPECT_EQ (toInts (keybed.getValues()), (std::vector<int>{ 12, 5, 0, 4, 1, 0, 12, 5, 0, 4, 12, 5, 0, 4 }));
}

TEST (Keybed, ValuesAreCheckedAgainstTheRangeOfTheirName)
{
    ZKKeybed keybed (splitPointMaximum, octaveMaximum);

    keybed.setValue ("Keybed Transpose", 24, false);
    keybed.setValue ("Keybed Transpose", 25, false);
    EXPECT_EQ (keybed.getValue ("Keybed Transpose"), 24);

    keybed.setValue ("Split Point", 60, false);
    keybed.setValue ("Split Point", 61, false);
    EXPECT_EQ (keybed.getValue ("Split Point"), 60);

    keybed.setValue ("Split Mode", 1, false);
    keybed.setValue ("Split Mode", 2, false);
    EXPECT_EQ (keybed.getValue ("Split Mode"), 1);

    keybed.setValue ("Lower Keybed Curve", 8, false);
    keybed.setValue ("Lower Keybed Curve", 9, false);
    EXPECT_EQ (keybed.getValue ("Lower Keybed Curve"), 8);

    keybed.setValue ("Upper Keybed Octave", 10, false);
    keybed.setValue ("Upper Keybed Octave", 11, false);
    EXPECT_EQ (keybed.getValue ("Upper Keybed Octave"), 10);

    keybed.setValue ("Upper Keybed MIDI Channel", 15, false);
    keybed.setValue ("Upper Keybed MIDI Channel", 16, false);
    EXPECT_EQ (keybed.getValue ("Upper Keybed MIDI Channel"), 15);

    EXPECT_EQ (toInts (keybed.getValues()), (std::vector<int>{ 24, 0, 0, 0, 1, 60, 0, 0, 0, 8, 0, 10, 15, 0 }));
}

TEST (Keybed, SetValuesNotifiesFourteenNamesInBlockOrder)
{
    ZKKeybed keybed (splitPointMaximum, octaveMaximum);
    RecordingControlListener listener;
    keybed.addListener (&listener);

    keybed.setValues ({ 12, 5, 0, 4, 1, 0, 12, 5, 0, 4, 12, 5, 0, 4 });

    EXPECT_EQ (listener.getNames(), keybedNames);
    ASSERT_EQ (listener.getNumCalls(), 14);
    EXPECT_EQ (listener.calls[4].value, 1);
    EXPECT_EQ (listener.calls[13].value, 4);
}
