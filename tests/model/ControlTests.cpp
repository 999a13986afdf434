#include "model/ZKControlsToMidiDin.h"
#include "model/ZKKeybed.h"
#include "model/ZKKnob.h"
#include "model/ZKPad.h"
#include "model/ZKPresetName.h"
#include "model/ZKRollMode.h"
#include "model/ZKSustain.h"
#include "model/ZKSwitch.h"
#include "model/ZKTransport.h"
#include "model/ZKWheels.h"
#include "support/RecordingControlListener.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{
// A control with freely chosen names, to reach the rules of the base class on their own.
class NamedBytesControl : public Control
{
public:
    NamedBytesControl (int blockLength, int blockOffset, const juce::StringArray& names)
        : Control (blockLength, blockOffset)
    {
        parameterNames = names;
    }

    int getIndex (juce::String parameterName) override { return getIndexFromNameList (parameterName); }
};

// Appends its tag to a shared log on every notification, so that the order across listeners shows.
struct TaggedListener : public RecordingControlListener
{
    TaggedListener (juce::StringArray& sharedLog, const juce::String& listenerTag)
    {
        onCall = [&sharedLog, listenerTag] (const juce::String&, juce::uint8) { sharedLog.add (listenerTag); };
    }
};

std::vector<std::unique_ptr<Control>> makeOneOfEveryClass()
{
    std::vector<std::unique_ptr<Control>> controls;
    controls.push_back (std::make_unique<ZKPresetName>());
    controls.push_back (std::make_unique<ZKKeybed> ((juce::uint8) 60, (juce::uint8) 10));
    controls.push_back (std::make_unique<ZKRollMode>());
    controls.push_back (std::make_unique<ZKTransport> (36));
    controls.push_back (std::make_unique<ZKWheels>());
    controls.push_back (std::make_unique<ZKSustain>());
    controls.push_back (std::make_unique<ZKKnob> (60));
    controls.push_back (std::make_unique<ZKPad> (140));
    controls.push_back (std::make_unique<ZKSwitch> (220));
    controls.push_back (std::make_unique<ZKControlsToMidiDin> (455));
    return controls;
}
} // namespace

//==============================================================================
TEST (Control, NewControlHoldsZerosOfItsBlockLengthAtItsOffset)
{
    const std::vector<int> expectedLengths{ 16, 14, 4, 2, 5, 4, 5, 5, 5, 10 };
    const std::vector<int> expectedOffsets{ 0, 16, 30, 36, 46, 51, 60, 140, 220, 455 };
    auto controls = makeOneOfEveryClass();

    for (size_t i = 0; i < controls.size(); ++i)
    {
        EXPECT_EQ (toInts (controls[i]->getValues()), std::vector<int> ((size_t) expectedLengths[i], 0)) << i;
        EXPECT_EQ (controls[i]->getOffset(), expectedOffsets[i]) << i;
    }
}

TEST (Control, MinimumIsZeroForEveryNameOfEveryClass)
{
    for (auto& control : makeOneOfEveryClass())
    {
        for (const auto& name : control->getParameterNames())
            EXPECT_EQ (control->getMinimum (name), 0) << name;

        EXPECT_EQ (control->getMinimum ("No Such Name"), 0);
    }
}

TEST (Control, BaseMaximumIsZeroForUnknownNamesFifteenForMidiChannelAndOtherwise127)
{
    NamedBytesControl control (4, 0, { "CC", "MIDI Channel", "Keybed MIDI Channel", "Midi Channel" });

    EXPECT_EQ (control.getMaximum ("CC"), 127);
    EXPECT_EQ (control.getMaximum ("MIDI Channel"), 15);
    EXPECT_EQ (control.getMaximum ("Keybed MIDI Channel"), 127);
    EXPECT_EQ (control.getMaximum ("Midi Channel"), 127);
    EXPECT_EQ (control.getMaximum ("cc"), 0);
    EXPECT_EQ (control.getMaximum (""), 0);
}

TEST (Control, NameListLookupGivesTheLastPositionOfANameAndMinusOneForUnknownNames)
{
    NamedBytesControl control (3, 0, { "A", "B", "A" });

    EXPECT_EQ (control.getIndex ("A"), 2);
    EXPECT_EQ (control.getIndex ("B"), 1);
    EXPECT_EQ (control.getIndex ("a"), -1);
    EXPECT_EQ (control.getIndex ("C"), -1);
}

TEST (Control, NameWithoutAByteReadsZeroAndStoresNothing)
{
    NamedBytesControl control (2, 0, { "First", "Second", "Beyond" });
    control.setValues ({ 7, 8 });

    control.setValue ("Beyond", 5, false);

    EXPECT_EQ (control.getValue ("Beyond"), 0);
    EXPECT_EQ (toInts (control.getValues()), (std::vector<int>{ 7, 8 }));
}

TEST (Control, SetValueStoresValuesUpToTheMaximumAndRefusesLargerOnes)
{
    ZKKnob knob (0);

    knob.setValue ("MIDI Channel", 15, false);
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 15);

    knob.setValue ("MIDI Channel", 16, false);
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 15);

    knob.setValue ("CC", 127, false);
    knob.setValue ("CC", 128, false);
    knob.setValue ("CC", 255, false);
    EXPECT_EQ (knob.getValue ("CC"), 127);

    knob.setValue ("CC", 0, false);
    EXPECT_EQ (knob.getValue ("CC"), 0);
}

TEST (Control, UnknownNameReadsZeroAndLeavesTheBlockAlone)
{
    ZKKnob knob (0);
    knob.setValues ({ 1, 2, 3, 4, 5 });

    EXPECT_EQ (knob.getValue ("Note"), 0);
    knob.setValue ("Note", 9, false);
    knob.setValue ("cc", 9, false);

    EXPECT_EQ (toInts (knob.getValues()), (std::vector<int>{ 1, 2, 3, 4, 5 }));
}

//==============================================================================
TEST (Control, SetValueWithoutNotificationCallsNoListener)
{
    ZKKnob knob (0);
    RecordingControlListener listener;
    knob.addListener (&listener);

    knob.setValue ("CC", 10, false);
    knob.setValue ("CC", 200, false);
    knob.setValue ("Unknown", 1, false);

    EXPECT_EQ (listener.getNumCalls(), 0);
    EXPECT_EQ (knob.getValue ("CC"), 10);
}

TEST (Control, SetValueWithNotificationReachesEveryListenerEvenWhenTheValueIsRefused)
{
    ZKKnob knob (0);
    RecordingControlListener first, second;
    knob.addListener (&first);
    knob.addListener (&second);

    knob.setValue ("CC", 42, true);
    knob.setValue ("MIDI Channel", 16, true);
    knob.setValue ("Unknown", 3, true);

    EXPECT_EQ (knob.getValue ("CC"), 42);
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 0);

    for (auto* listener : { &first, &second })
    {
        ASSERT_EQ (listener->getNumCalls(), 3);
        EXPECT_EQ (listener->calls[0].name, "CC");
        EXPECT_EQ (listener->calls[0].value, 42);
        EXPECT_EQ (listener->calls[1].name, "MIDI Channel");
        EXPECT_EQ (listener->calls[1].value, 16);
        EXPECT_EQ (listener->calls[2].name, "Unknown");
        EXPECT_EQ (listener->calls[2].value, 3);
    }
}

TEST (Control, ListenersAreCalledFromTheMostRecentlyAddedToTheFirst)
{
    ZKSustain sustain;
    juce::StringArray log;
    TaggedListener a (log, "A"), b (log, "B"), c (log, "C");
    sustain.addListener (&a);
    sustain.addListener (&b);
    sustain.addListener (&c);

    sustain.setValue ("CC", 64, true);

    EXPECT_EQ (log, juce::StringArray ({ "C", "B", "A" }));
}

TEST (Control, AddingAListenerTwiceOrANullListenerChangesNothing)
{
    ZKSustain sustain;
    juce::StringArray log;
    TaggedListener a (log, "A"), b (log, "B");
    sustain.addListener (&a);
    sustain.addListener (&b);
    sustain.addListener (&a);
    sustain.addListener (nullptr);

    sustain.setValue ("CC", 1, true);

    EXPECT_EQ (log, juce::StringArray ({ "B", "A" }));
    EXPECT_EQ (a.getNumCalls(), 1);
}

TEST (Control, RemovedListenerHearsNothingMore)
{
    ZKSustain sustain;
    RecordingControlListener kept, removed;
    sustain.addListener (&kept);
    sustain.addListener (&removed);

    sustain.removeListener (&removed);
    sustain.removeListener (&removed);
    sustain.setValue ("CC", 1, true);

    EXPECT_EQ (kept.getNumCalls(), 1);
    EXPECT_EQ (removed.getNumCalls(), 0);
}

TEST (Control, ListenerRemovingItselfDuringItsCallbackLetsEveryOtherListenerHearOnce)
{
    ZKSustain sustain;
    RecordingControlListener first, second, leaving;
    sustain.addListener (&first);
    sustain.addListener (&second);
    sustain.addListener (&leaving);
    leaving.onCall = [&] (const juce::String&, juce::uint8) { sustain.removeListener (&leaving); };

    sustain.setValue ("CC", 5, true);

    EXPECT_EQ (leaving.getNumCalls(), 1);
    EXPECT_EQ (second.getNumCalls(), 1);
    EXPECT_EQ (first.getNumCalls(), 1);

    sustain.setValue ("CC", 6, true);
    EXPECT_EQ (leaving.getNumCalls(), 1);
    EXPECT_EQ (first.getNumCalls(), 2);
}

TEST (Control, ListenerRemovingOthersDuringItsCallbackDoesNotRunPastTheEndOfTheList)
{
    ZKSustain sustain;
    RecordingControlListener first, second, third, remover;
    sustain.addListener (&first);
    sustain.addListener (&second);
    sustain.addListener (&third);
    sustain.addListener (&remover);
    remover.onCall = [&] (const juce::String&, juce::uint8)
    {
        sustain.removeListener (&second);
        sustain.removeListener (&third);
    };

    sustain.setValue ("CC", 5, true);

    EXPECT_EQ (remover.getNumCalls(), 1);
    EXPECT_EQ (third.getNumCalls(), 0);
    EXPECT_EQ (second.getNumCalls(), 0);
    EXPECT_EQ (first.getNumCalls(), 1);
}

TEST (Control, ListenerRemovingItselfAndTheNextInLineSkipsTheRemovedOne)
{
    ZKSustain sustain;
    RecordingControlListener first, second, remover;
    sustain.addListener (&first);
    sustain.addListener (&second);
    sustain.addListener (&remover);
    remover.onCall = [&] (const juce::String&, juce::uint8)
    {
        sustain.removeListener (&remover);
        sustain.removeListener (&second);
    };

    sustain.setValue ("CC", 5, true);

    EXPECT_EQ (remover.getNumCalls(), 1);
    EXPECT_EQ (second.getNumCalls(), 0);
    EXPECT_EQ (first.getNumCalls(), 1);
}

TEST (Control, ListenerRemovingEveryListenerDuringItsCallbackEndsTheNotification)
{
    ZKSustain sustain;
    RecordingControlListener first, second, remover;
    sustain.addListener (&first);
    sustain.addListener (&second);
    sustain.addListener (&remover);
    remover.onCall = [&] (const juce::String&, juce::uint8)
    {
        sustain.removeListener (&first);
        sustain.removeListener (&second);
        sustain.removeListener (&remover);
    };

    sustain.setValues ({ 1, 2, 3, 4 });

    EXPECT_EQ (remover.getNumCalls(), 1);
    EXPECT_EQ (first.getNumCalls(), 0);
    EXPECT_EQ (second.getNumCalls(), 0);
    EXPECT_EQ (toInts (sustain.getValues()), (std::vector<int>{ 1, 2, 3, 4 }));
}

//==============================================================================
TEST (Control, GetValuesReturnsACopyOfTheBlock)
{
    ZKSustain sustain;
    sustain.setValues ({ 64, 127, 0, 3 });

    auto copy = sustain.getValues();
    copy.set (0, 1);

    EXPECT_EQ (toInts (sustain.getValues()), (std::vector<int>{ 64, 127, 0, 3 }));
}

TEST (Control, SetValuesKeepsBytesAboveTheMaximum)
{
    ZKKnob knob (0);

    knob.setValues ({ 5, 200, 0, 255, 99 });

    EXPECT_EQ (toInts (knob.getValues()), (std::vector<int>{ 5, 200, 0, 255, 99 }));
    EXPECT_EQ (knob.getValue ("Mode"), 5);
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 99);
}

TEST (Control, SetValuesNotifiesEveryNameOnceInListOrderWithItsStoredByte)
{
    ZKKnob knob (0);
    RecordingControlListener listener;
    knob.addListener (&listener);

    knob.setValues ({ 1, 20, 0, 127, 200 });

    ASSERT_EQ (listener.getNumCalls(), 5);
    EXPECT_EQ (listener.getNames(), knob.getParameterNames());
    const std::vector<int> expected{ 1, 20, 0, 127, 200 };

    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ (listener.calls[i].value, expected[i]) << listener.calls[i].name;
}

TEST (Control, SetValuesNeverChangesTheLengthOfTheBlock)
{
    ZKKnob knob (0);

    knob.setValues ({ 1, 2, 3, 4, 5, 6, 7 });
    EXPECT_EQ (toInts (knob.getValues()), (std::vector<int>{ 1, 2, 3, 4, 5 }));

    knob.setValues ({ 9, 8 });
    EXPECT_EQ (knob.getValues().size(), 5);
    EXPECT_EQ (knob.getValue ("Mode"), 9);
    EXPECT_EQ (knob.getValue ("CC"), 8);
}

//==============================================================================
TEST (Control, LoadFromImageTakesTheBlockAtTheControlsOffset)
{
    ZKKnob knob (3);
    juce::Array<juce::uint8> image;

    for (int i = 0; i < 12; ++i)
        image.add ((juce::uint8) (10 + i));

    knob.loadFromImage (image);

    EXPECT_EQ (toInts (knob.getValues()), (std::vector<int>{ 13, 14, 15, 16, 17 }));
}

TEST (Control, LoadFromImageFillsBytesMissingFromAShortImageWithZeroAndStillNotifiesEveryName)
{
    ZKPad pad (4);
    pad.setValues ({ 9, 9, 9, 9, 9 });
    RecordingControlListener listener;
    pad.addListener (&listener);

    pad.loadFromImage ({ 1, 2, 3, 4, 5, 6 });

    EXPECT_EQ (toInts (pad.getValues()), (std::vector<int>{ 5, 6, 0, 0, 0 }));
    EXPECT_EQ (listener.getNumCalls(), 13);
    EXPECT_EQ (listener.getNames(), pad.getParameterNames());
}

TEST (Control, LoadFromImageEndingBeforeTheBlockClearsTheBlock)
{
    ZKSwitch control (450);
    control.setValues ({ 1, 2, 3, 4, 5 });
    RecordingControlListener listener;
    control.addListener (&listener);

    control.loadFromImage ({ 1, 2, 3 });
    EXPECT_EQ (toInts (control.getValues()), std::vector<int> (5, 0));
    EXPECT_EQ (listener.getNumCalls(), 10);

    control.setValues ({ 1, 2, 3, 4, 5 });
    control.loadFromImage ({});
    EXPECT_EQ (toInts (control.getValues()), std::vector<int> (5, 0));
}
