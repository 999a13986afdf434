#include "model/ZKKnob.h"
#include "model/ZKPad.h"
#include "model/ZKSwitch.h"
#include "support/RecordingControlListener.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
// Every name any of the three classes knows, with the byte it has in each (-1: not known).
struct NameBytes
{
    const char* name;
    int knob, pad, switchByte;
};

const NameBytes allNames[] = { { "Mode", 0, 0, 0 },       { "CC", 1, 1, 1 },        { "Note", -1, 1, -1 },
                               { "Program", -1, 1, 1 },   { "Min", 2, -1, -1 },     { "Fixed", -1, 2, -1 },
                               { "Toggle On", -1, 2, 2 }, { "Pressed", -1, 2, 2 },  { "Bank LSB", -1, 2, 2 },
                               { "Max", 3, -1, -1 },      { "Curve", -1, 3, -1 },   { "Toggle Off", -1, 3, 3 },
                               { "Released", -1, 3, 3 },  { "Bank MSB", -1, 3, 3 }, { "MIDI Channel", 4, 4, 4 } };
} // namespace

//==============================================================================
TEST (AssignableControls, NameListsAndTheirOrder)
{
    ZKKnob knob (55);
    ZKPad pad (135);
    ZKSwitch control (215);

    EXPECT_EQ (knob.getParameterNames(), juce::StringArray ({ "Mode", "CC", "Min", "Max", "MIDI Channel" }));
    EXPECT_EQ (pad.getParameterNames(),
               juce::StringArray ({ "Mode", "Note", "CC", "Program", "Fixed", "Toggle On", "Pressed", "Bank LSB",
                                    "Toggle Off", "Released", "Bank MSB", "Curve", "MIDI Channel" }));
    EXPECT_EQ (control.getParameterNames(),
               juce::StringArray ({ "Mode", "CC", "Program", "Toggle On", "Pressed", "Bank LSB", "Toggle Off",
                                    "Released", "Bank MSB", "MIDI Channel" }));

    for (Control* c : std::initializer_list<Control*>{ &knob, &pad, &control })
        EXPECT_EQ (c->getValues().size(), 5);
}

TEST (AssignableControls, EveryNameAddressesItsByteAndUnknownNamesNone)
{
    ZKKnob knob (0);
    ZKPad pad (0);
    ZKSwitch control (0);

    for (const auto& entry : allNames)
    {
        EXPECT_EQ (knob.getIndex (entry.name), entry.knob) << entry.name;
        EXPECT_EQ (pad.getIndex (entry.name), entry.pad) << entry.name;
        EXPECT_EQ (control.getIndex (entry.name), entry.switchByte) << entry.name;
    }

    for (Control* c : std::initializer_list<Control*>{ &knob, &pad, &control })
    {
        EXPECT_EQ (c->getIndex ("mode"), -1);
        EXPECT_EQ (c->getIndex (""), -1);
    }
}

TEST (AssignableControls, MaximaBelongToTheNames)
{
    ZKKnob knob (0);
    ZKPad pad (0);
    ZKSwitch control (0);

    EXPECT_EQ (knob.getMaximum ("Mode"), 1);
    EXPECT_EQ (pad.getMaximum ("Mode"), 3);
    EXPECT_EQ (control.getMaximum ("Mode"), 3);
    EXPECT_EQ (pad.getMaximum ("Curve"), 7);

    for (Control* c : std::initializer_list<Control*>{ &knob, &pad, &control })
    {
        EXPECT_EQ (c->getMaximum ("MIDI Channel"), 15);
        EXPECT_EQ (c->getMaximum ("Unknown"), 0);

        for (const auto& name : c->getParameterNames())
        {
            if (name != "Mode" && name != "Curve" && name != "MIDI Channel")
            {
                EXPECT_EQ (c->getMaximum (name), 127) << name;
            }
        }
    }

    EXPECT_EQ (knob.getMaximum ("Curve"), 0);
    EXPECT_EQ (control.getMaximum ("Note"), 0);
    EXPECT_EQ (pad.getMaximum ("Min"), 0);
}

TEST (AssignableControls, NamesOfOneByteReadAndWriteTheSameByte)
{
    ZKPad pad (0);

    pad.setValue ("Toggle On", 100, false);
    EXPECT_EQ (pad.getValue ("Bank LSB"), 100);
    EXPECT_EQ (pad.getValue ("Pressed"), 100);
    EXPECT_EQ (pad.getValue ("Fixed"), 100);

    pad.setValue ("Program", 33, false);
    EXPECT_EQ (pad.getValue ("Note"), 33);
    EXPECT_EQ (pad.getValue ("CC"), 33);

    pad.setValue ("Bank MSB", 6, false);
    EXPECT_EQ (pad.getValue ("Curve"), 6);
    EXPECT_EQ (pad.getValue ("Toggle Off"), 6);

    EXPECT_EQ (toInts (pad.getValues()), (std::vector<int>{ 0, 33, 100, 6, 0 }));

    ZKSwitch control (0);
    control.setValue ("Released", 77, false);
    EXPECT_EQ (control.getValue ("Bank MSB"), 77);
    EXPECT_EQ (control.getValue ("Toggle Off"), 77);
    EXPECT_EQ (toInts (control.getValues()), (std::vector<int>{ 0, 0, 0, 77, 0 }));
}

TEST (AssignableControls, PadCurveByteAcceptsZeroToSevenAsCurveAndUpTo127UnderItsOtherNames)
{
    ZKPad pad (0);

    pad.setValue ("Curve", 7, false);
    EXPECT_EQ (pad.getValue ("Curve"), 7);

    pad.setValue ("Curve", 8, false);
    EXPECT_EQ (pad.getValue ("Curve"), 7);

    pad.setValue ("Released", 8, false);
    EXPECT_EQ (pad.getValue ("Curve"), 8);

    pad.setValue ("Toggle Off", 127, false);
    EXPECT_EQ (pad.getValue ("Curve"), 127);
}

TEST (AssignableControls, ModeRangesDifferPerClass)
{
    ZKKnob knob (0);
    knob.setValue ("Mode", 1, false);
    knob.setValue ("Mode", 2, false);
    EXPECT_EQ (knob.getValue ("Mode"), 1);

    ZKPad pad (0);
    pad.setValue ("Mode", 3, false);
    pad.setValue ("Mode", 4, false);
    EXPECT_EQ (pad.getValue ("Mode"), 3);

    ZKSwitch control (0);
    control.setValue ("Mode", 3, false);
    EXPECT_EQ (control.getValue ("Mode"), 3);
    control.setValue ("Mode", 4, false);
    EXPECT_EQ (control.getValue ("Mode"), 3);
}

TEST (AssignableControls, ChannelAcceptsZeroToFifteen)
{
    ZKKnob knob (0);
    ZKPad pad (0);
    ZKSwitch control (0);

    for (Control* c : std::initializer_list<Control*>{ &knob, &pad, &control })
    {
        c->setValue ("MIDI Channel", 15, false);
        c->setValue ("MIDI Channel", 16, false);
        EXPECT_EQ (c->getValue ("MIDI Channel"), 15);
        EXPECT_EQ (c->getValues()[4], 15);
    }
}

TEST (AssignableControls, NamesOfAnotherClassStoreNothing)
{
    ZKSwitch control (0);
    control.setValue ("Note", 5, false);
    control.setValue ("Min", 5, false);
    control.setValue ("Curve", 5, false);
    EXPECT_EQ (toInts (control.getValues()), std::vector<int> (5, 0));

    ZKPad pad (0);
    pad.setValue ("Min", 5, false);
    pad.setValue ("Max", 5, false);
    EXPECT_EQ (toInts (pad.getValues()), std::vector<int> (5, 0));

    ZKKnob knob (0);
    knob.setValue ("Note", 5, false);
    knob.setValue ("Toggle On", 5, false);
    knob.setValue ("Program", 5, false);
    EXPECT_EQ (toInts (knob.getValues()), std::vector<int> (5, 0));
}

TEST (AssignableControls, ChangingTheModeLeavesTheOtherBytesAlone)
{
    ZKPad pad (0);
    pad.setValues ({ 1, 60, 127, 0, 9 });

    pad.setValue ("Mode", 0, false);

    EXPECT_EQ (toInts (pad.getValues()), (std::vector<int>{ 0, 60, 127, 0, 9 }));
    EXPECT_EQ (pad.getValue ("Note"), 60);
    EXPECT_EQ (pad.getValue ("Fixed"), 127);
}

TEST (AssignableControls, SetValuesNotifiesOncePerNameAliasesIncludedInListOrder)
{
    ZKKnob knob (0);
    ZKPad pad (0);
    ZKSwitch control (0);
    RecordingControlListener knobListener, padListener, switchListener;
    knob.addListener (&knobListener);
    pad.addListener (&padListener);
    control.addListener (&switchListener);

    knob.setValues ({ 0, 20, 0, 127, 0 });
    pad.setValues ({ 0, 48, 1, 2, 3 });
    control.setValues ({ 0, 48, 127, 0, 0 });

    EXPECT_EQ (knobListener.getNames(), knob.getParameterNames());
    EXPECT_EQ (padListener.getNames(), pad.getParameterNames());
    EXPECT_EQ (switchListener.getNames(), control.getParameterNames());
    EXPECT_EQ (knobListener.getNumCalls(), 5);
    EXPECT_EQ (padListener.getNumCalls(), 13);
    EXPECT_EQ (switchListener.getNumCalls(), 10);

    const std::map<juce::String, int> padByteValues{ { "Mode", 0 },        { "Note", 48 },    { "CC", 48 },
                                                     { "Program", 48 },    { "Fixed", 1 },    { "Toggle On", 1 },
                                                     { "Pressed", 1 },     { "Bank LSB", 1 }, { "Toggle Off", 2 },
                                                     { "Released", 2 },    { "Bank MSB", 2 }, { "Curve", 2 },
                                                     { "MIDI Channel", 3 } };

    for (const auto& call : padListener.calls)
        EXPECT_EQ (call.value, padByteValues.at (call.name)) << call.name;
}

TEST (AssignableControls, SetValuesReportsAStoredValueAboveTheMaximumOfAnAlias)
{
    ZKPad pad (0);
    RecordingControlListener listener;
    pad.addListener (&listener);

    pad.setValues ({ 0, 0, 0, 100, 0 });

    ASSERT_EQ (listener.getNumCalls(), 13);
    EXPECT_EQ (listener.calls[11].name, "Curve");
    EXPECT_EQ (listener.calls[11].value, 100);
    EXPECT_EQ (pad.getValue ("Curve"), 100);
}
