#include "model/ZKKnob.h"
#include "model/ZKPad.h"
#include "model/ZKSwitch.h"
#include "support/RecordingControlListener.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
// Every name any of the three classes knows, with its byte and its maximum in each (-1 and 0: not
// known to that class).
struct ByteAndMaximum
{
    int byte, maximum;
};

struct NameInEveryClass
{
    const char* name;
    ByteAndMaximum knob, pad, switchControl;
};

constexpr ByteAndMaximum none{ -1, 0 };

const NameInEveryClass allNames[] = {
    { "Mode", { 0, 1 }, { 0, 3 }, { 0, 3 } },
    { "CC", { 1, 127 }, { 1, 127 }, { 1, 127 } },
    { "Note", none, { 1, 127 }, none },
    { "Program", none, { 1, 127 }, { 1, 127 } },
    { "Min", { 2, 127 }, none, none },
    { "Fixed", none, { 2, 127 }, none },
    { "Toggle On", none, { 2, 127 }, { 2, 127 } },
    { "Pressed", none, { 2, 127 }, { 2, 127 } },
    { "Bank LSB", none, { 2, 127 }, { 2, 127 } },
    { "Max", { 3, 127 }, none, none },
    { "Curve", none, { 3, 7 }, none },
    { "Toggle Off", none, { 3, 127 }, { 3, 127 } },
    { "Released", none, { 3, 127 }, { 3, 127 } },
    { "Bank MSB", none, { 3, 127 }, { 3, 127 } },
    { "MIDI Channel", { 4, 15 }, { 4, 15 }, { 4, 15 } },
};

// One control of each class with the column of allNames that describes it.
struct EveryClass
{
    ZKKnob knob{ 0 };
    ZKPad pad{ 0 };
    ZKSwitch switchControl{ 0 };

    std::vector<std::pair<Control*, ByteAndMaximum NameInEveryClass::*>> classes()
    {
        return { { &knob, &NameInEveryClass::knob },
                 { &pad, &NameInEveryClass::pad },
                 { &switchControl, &NameInEveryClass::switchControl } };
    }
};
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

TEST (AssignableControls, EveryNameHasItsByteAndItsMaximumAndUnknownNamesNone)
{
    EveryClass every;

    for (auto [control, column] : every.classes())
    {
        for (const auto& entry : allNames)
        {
            EXPECT_EQ (control->getIndex (entry.name), (entry.*column).byte) << entry.name;
            EXPECT_EQ (control->getMaximum (entry.name), (entry.*column).maximum) << entry.name;
        }

        for (const auto* unknown : { "mode", "", "Unknown", "Midi Channel" })
        {
            EXPECT_EQ (control->getIndex (unknown), -1) << unknown;
            EXPECT_EQ (control->getMaximum (unknown), 0) << unknown;
        }
    }
}

TEST (AssignableControls, EveryNameStoresUpToItsMaximumAndRefusesMore)
{
    EveryClass every;

    for (auto [control, column] : every.classes())
    {
        for (const auto& entry : allNames)
        {
            const auto [byte, maximum] = entry.*column;

            if (byte < 0)
                continue;

            control->setValues ({ 0, 0, 0, 0, 0 });
            control->setValue (entry.name, (juce::uint8) maximum, false);
            control->setValue (entry.name, (juce::uint8) (maximum + 1), false);
            EXPECT_EQ (control->getValue (entry.name), maximum) << entry.name;
            EXPECT_EQ (control->getValues()[byte], maximum) << entry.name;
        }
    }
}

TEST (AssignableControls, NamesOfAnotherClassStoreNothing)
{
    EveryClass every;

    for (auto [control, column] : every.classes())
    {
        for (const auto& entry : allNames)
            if ((entry.*column).byte < 0)
                control->setValue (entry.name, 5, false);

        EXPECT_EQ (toInts (control->getValues()), std::vector<int> (5, 0));
    }
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
