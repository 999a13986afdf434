#include "model/ZKRollMode.h"
#include "model/ZKSustain.h"
#include "model/ZKTransport.h"
#include "model/ZKWheels.h"
#include "support/RecordingControlListener.h"

#include <gtest/gtest.h>

//==============================================================================
TEST (Transport, TwoNamesAtTheOffsetGivenToTheConstructor)
{
    ZKTransport button (40);

    EXPECT_EQ (button.getParameterNames(), juce::StringArray ({ "Function", "CC" }));
    EXPECT_EQ (button.getIndex ("Function"), 0);
    EXPECT_EQ (button.getIndex ("CC"), 1);
    EXPECT_EQ (button.getIndex ("MIDI Channel"), -1);
    EXPECT_EQ (button.getOffset(), 40);
    EXPECT_EQ (button.getValues().size(), 2);
}

TEST (Transport, FunctionIsOnOffAndControllerNumberUpTo127)
{
    ZKTransport button (34);

    EXPECT_EQ (button.getMaximum ("Function"), 1);
    EXPECT_EQ (button.getMaximum ("CC"), 127);

    button.setValue ("Function", 1, false);
    button.setValue ("Function", 2, false);
    button.setValue ("CC", 116, false);
    button.setValue ("CC", 128, false);

    EXPECT_EQ (toInts (button.getValues()), (std::vector<int>{ 1, 116 }));
}

TEST (Transport, AnyNameContainingFunctionHasMaximumOneOtherUnknownNamesZero)
{
    ZKTransport button (34);

    EXPECT_EQ (button.getMaximum ("Function Key"), 1);
    EXPECT_EQ (button.getMaximum ("Roll Function"), 1);
    EXPECT_EQ (button.getMaximum ("function"), 0);
    EXPECT_EQ (button.getMaximum ("MIDI Channel"), 0);

    button.setValue ("Function Key", 1, false);
    EXPECT_EQ (toInts (button.getValues()), (std::vector<int>{ 0, 0 }));
}

//==============================================================================
TEST (RollMode, FourNamesInBlockOrderAtItsFixedOffset)
{
    ZKRollMode roll;

    EXPECT_EQ (roll.getParameterNames(), juce::StringArray ({ "Function", "Time Div", "Gate", "Swing" }));

    for (int i = 0; i < roll.getParameterNames().size(); ++i)
        EXPECT_EQ (roll.getIndex (roll.getParameterNames()[i]), i);

    EXPECT_EQ (roll.getOffset(), 30);
    EXPECT_EQ (roll.getValues().size(), 4);
}

TEST (RollMode, MaximaAreMatchedByExactName)
{
    ZKRollMode roll;

    EXPECT_EQ (roll.getMaximum ("Function"), 1);
    EXPECT_EQ (roll.getMaximum ("Time Div"), 7);
    EXPECT_EQ (roll.getMaximum ("Gate"), 98);
    EXPECT_EQ (roll.getMaximum ("Swing"), 24);
    EXPECT_EQ (roll.getMaximum ("Swing Amount"), 0);
    EXPECT_EQ (roll.getMaximum ("Roll Function"), 0);
    EXPECT_EQ (roll.getMaximum ("gate"), 0);
}

TEST (RollMode, ValuesAboveTheirMaximumAreRefused)
{
    ZKRollMode roll;

    roll.setValue ("Function", 1, false);
    roll.setValue ("Function", 2, false);
    roll.setValue ("Time Div", 7, false);
    roll.setValue ("Time Div", 8, false);
    roll.setValue ("Gate", 98, false);
    roll.setValue ("Gate", 99, false);
    roll.setValue ("Swing", 24, false);
    roll.setValue ("Swing", 25, false);

    EXPECT_EQ (toInts (roll.getValues()), (std::vector<int>{ 1, 7, 98, 24 }));
}

//==============================================================================
TEST (Wheels, FiveNamesInBlockOrderAtItsFixedOffset)
{
    ZKWheels wheels;

    EXPECT_EQ (wheels.getParameterNames(), juce::StringArray ({ "Pitch Wheel MIDI Channel", "Mod Wheel MIDI Channel",
                                                                "Mod Wheel CC", "Mod Wheel Min", "Mod Wheel Max" }));

    for (int i = 0; i < wheels.getParameterNames().size(); ++i)
        EXPECT_EQ (wheels.getIndex (wheels.getParameterNames()[i]), i);

    EXPECT_EQ (wheels.getOffset(), 46);
    EXPECT_EQ (wheels.getValues().size(), 5);
}

TEST (Wheels, ChannelsHaveASeventeenthValueForAllChannels)
{
    ZKWheels wheels;

    wheels.setValue ("Pitch Wheel MIDI Channel", 16, false);
    EXPECT_EQ (wheels.getValue ("Pitch Wheel MIDI Channel"), 16);

    wheels.setValue ("Pitch Wheel MIDI Channel", 17, false);
    EXPECT_EQ (wheels.getValue ("Pitch Wheel MIDI Channel"), 16);

    wheels.setValue ("Mod Wheel MIDI Channel", 16, false);
    EXPECT_EQ (wheels.getValue ("Mod Wheel MIDI Channel"), 16);
}

TEST (Wheels, AnyNameContainingChannelHasMaximumSixteen)
{
    ZKWheels wheels;

    EXPECT_EQ (wheels.getMaximum ("Channel"), 16);
    EXPECT_EQ (wheels.getMaximum ("MIDI Channel"), 16);
    EXPECT_EQ (wheels.getMaximum ("Sustain Channel"), 16);
    EXPECT_EQ (wheels.getMaximum ("channel"), 0);
    EXPECT_EQ (wheels.getMaximum ("Mod Wheel CC"), 127);
    EXPECT_EQ (wheels.getMaximum ("Mod Wheel Min"), 127);
    EXPECT_EQ (wheels.getMaximum ("Mod Wheel Max"), 127);
    EXPECT_EQ (wheels.getMaximum ("Pitch Wheel CC"), 0);

    wheels.setValue ("Channel", 3, false);
    EXPECT_EQ (toInts (wheels.getValues()), std::vector<int> (5, 0));
}

//==============================================================================
TEST (Sustain, FourNamesInBlockOrderAtItsFixedOffset)
{
    ZKSustain sustain;

    EXPECT_EQ (sustain.getParameterNames(), juce::StringArray ({ "CC", "Pressed", "Released", "MIDI Channel" }));

    for (int i = 0; i < sustain.getParameterNames().size(); ++i)
        EXPECT_EQ (sustain.getIndex (sustain.getParameterNames()[i]), i);

    EXPECT_EQ (sustain.getOffset(), 51);
    EXPECT_EQ (sustain.getValues().size(), 4);
}

TEST (Sustain, ChannelUpToFifteenAndOtherValuesUpTo127)
{
    ZKSustain sustain;

    EXPECT_EQ (sustain.getMaximum ("MIDI Channel"), 15);
    EXPECT_EQ (sustain.getMaximum ("Pressed"), 127);
    EXPECT_EQ (sustain.getMaximum ("Pedal Channel"), 0);

    sustain.setValue ("MIDI Channel", 15, false);
    sustain.setValue ("MIDI Channel", 16, false);
    sustain.setValue ("CC", 64, false);
    sustain.setValue ("Pressed", 127, false);
    sustain.setValue ("Released", 128, false);

    EXPECT_EQ (toInts (sustain.getValues()), (std::vector<int>{ 64, 127, 0, 15 }));
}
