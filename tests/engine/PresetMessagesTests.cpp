#include "engine/PresetMessages.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
using Ref = PresetMessages::ControlRef;
using Zone = Ref::Zone;
using Gesture = PresetMessages::Gesture;
using Msg = juce::MidiMessage;

int offsetOf (ControlType type, int index, int byte) { return PresetLayout::getOffset (type, index) + byte; }

/** The default preset with one of every kind of assignment set up to be told apart. */
juce::Array<juce::uint8> makeAssignedImage()
{
    auto image = getImageOfDump (defaultPresetDump());
    auto set = [&image] (ControlType type, int index, std::initializer_list<int> bytes)
    {
        int byte = 0;

        for (auto value : bytes)
            image.set (offsetOf (type, index, byte++), (juce::uint8) value);
    };

    set (Knob, 2, { 0, 102, 0, 127, 0 });  // Knob 3: CC 102, channel 1
    set (Knob, 3, { 0, 102, 0, 127, 0 });  // Knob 4: the same CC
    set (Knob, 4, { 1, 0, 0, 127, 2 });    // Knob 5: aftertouch, channel 3
    set (Pad, 0, { 0, 48, 0, 0, 9 });      // Pad 1: note 48, channel 10
    set (Pad, 4, { 2, 80, 127, 0, 1 });    // Pad 5: CC 80 momentary, channel 2
    set (Pad, 5, { 3, 7, 2, 1, 3 });       // Pad 6: program 7, bank LSB 2, MSB 1, channel 4
    set (Switch, 1, { 1, 90, 127, 0, 4 }); // Switch 2: CC 90 momentary, channel 5
    set (Switch, 2, { 2, 9, 0, 0, 5 });    // Switch 3: program 9, channel 6
    // The keybed: whole-zone channel 2, split at the 25th key, lower zone channel 3, upper zone channel 4.
    set (Keybed, 0, { 12, 5, 1, 4, 0, 24, 12, 5, 2, 4, 12, 5, 3, 4 });
    set (Wheels, 0, { 16, 0, 1, 10, 20 }); // pitch wheel "Omni"; mod wheel CC 1 from 10 to 20
    return image;
}

/** A preset of varied bytes with every mode, channel and keybed setting one the controls have. */
juce::Array<juce::uint8> makeVariedImage (int seed)
{
    auto image = createPatternImage (seed);
    auto limit = [&image] (ControlType type, int index, int byte, int count)
    {
        const auto offset = offsetOf (type, index, byte);
        image.set (offset, (juce::uint8) (image[offset] % count));
    };

    for (auto [type, modes] : { std::pair<ControlType, int>{ Knob, 2 }, { Pad, 4 }, { Switch, 3 } })
    {
        for (int i = 0; i < PresetLayout::getCount (type); ++i)
        {
            limit (type, i, 0, modes);
            limit (type, i, 4, 16);
        }
    }

    for (auto [byte, count] : { std::pair<int, int>{ 0, 25 },
                                { 1, 11 },
                                { 2, 16 },
                                { 4, 2 },
                                { 5, 61 },
                                { 6, 25 },
                                { 7, 11 },
                                { 8, 16 },
                                { 10, 25 },
                                { 11, 11 },
                                { 12, 16 } })
        limit (Keybed, 0, byte, count);

    limit (Wheels, 0, 0, 17);
    limit (Wheels, 0, 1, 17);
    limit (Sustain, 0, 3, 16);
    return image;
}

Ref ref (ControlType type, int index, Zone zone = Zone::none) { return { (int) type, index, zone }; }
} // namespace

//==============================================================================
TEST (PresetMessages, FindsTheControlsThatSendEachKindOfMessage)
{
    const PresetMessages messages (makeAssignedImage());

    const struct
    {
        Msg message;
        juce::Array<Ref> senders;
    } rows[] = {
        { Msg::controllerEvent (1, 102, 64), { ref (Knob, 2), ref (Knob, 3) } },
        { Msg::controllerEvent (2, 102, 64), {} },
        { Msg::channelPressureChange (3, 50), { ref (Knob, 4) } },
        { Msg::noteOn (10, 48, (juce::uint8) 90), { ref (Pad, 0) } },
        { Msg::noteOff (10, 48), { ref (Pad, 0) } },
        { Msg::aftertouchChange (10, 48, 30), { ref (Pad, 0) } },
        { Msg::noteOn (1, 48, (juce::uint8) 90), {} },
        { Msg::controllerEvent (2, 80, 0), { ref (Pad, 4) } },
        { Msg::controllerEvent (4, 0, 1), { ref (Pad, 5) } },
        { Msg::controllerEvent (4, 32, 2), { ref (Pad, 5) } },
        { Msg::programChange (4, 7), { ref (Pad, 5) } },
        { Msg::programChange (4, 8), {} },
        { Msg::controllerEvent (1, 48, 127), { ref (Switch, 0) } },
        { Msg::controllerEvent (5, 90, 127), { ref (Switch, 1) } },
        { Msg::programChange (6, 9), { ref (Switch, 2) } },
        // The transport buttons send on the keybed's whole-zone channel, even while it is split.
        { Msg::controllerEvent (2, 119, 127), { ref (Transport, 3) } },
        { Msg::controllerEvent (1, 119, 127), {} },
        // "Omni" matches every channel.
        { Msg::pitchWheel (1, 8192), { ref (Wheels, 0) } },
        { Msg::pitchWheel (7, 0), { ref (Wheels, 0) } },
        // A value outside Min to Max still comes from the mod wheel.
        { Msg::controllerEvent (1, 1, 127), { ref (Wheels, 1) } },
        // The default preset's Switch 17 sends the sustain pedal's CC 64.
        { Msg::controllerEvent (1, 64, 127), { ref (Sustain, 0), ref (Switch, 16) } },
        // Keys left of the split point (notes 60 to 83) play the lower zone, the others (84 to 120) the upper.
        { Msg::noteOn (3, 60, (juce::uint8) 100), { ref (Keybed, 0, Zone::lower) } },
        { Msg::noteOn (3, 83, (juce::uint8) 100), { ref (Keybed, 0, Zone::lower) } },
        { Msg::noteOn (3, 84, (juce::uint8) 100), {} },
        { Msg::noteOn (4, 84, (juce::uint8) 100), { ref (Keybed, 0, Zone::upper) } },
        { Msg::noteOff (4, 120), { ref (Keybed, 0, Zone::upper) } },
        { Msg::noteOn (4, 121, (juce::uint8) 100), {} },
        { Msg::noteOn (2, 70, (juce::uint8) 100), {} },
        { Msg::controllerEvent (3, 12, 5), {} },
    };

    for (const auto& row : rows)
        EXPECT_EQ (messages.findSenders (row.message), row.senders) << row.message.getDescription();

    // Not split, the whole zone plays every key on its own channel.
    auto whole = makeAssignedImage();
    whole.set (offsetOf (Keybed, 0, 4), 1);
    EXPECT_EQ (PresetMessages (whole).findSenders (Msg::noteOn (2, 90, (juce::uint8) 1)),
               juce::Array<Ref> ({ ref (Keybed, 0, Zone::whole) }));
}

TEST (PresetMessages, NamesAndDescribesWhatAMessageMeansInThePreset)
{
    const PresetMessages messages (makeAssignedImage());

    EXPECT_EQ (PresetMessages::getName (ref (Knob, 2)), "Knob 3");
    EXPECT_EQ (PresetMessages::getName (ref (Switch, 11)), "Switch 12");
    EXPECT_EQ (PresetMessages::getName (ref (Transport, 3)), "Play");
    EXPECT_EQ (PresetMessages::getName (ref (Wheels, 1)), "Mod Wheel");
    EXPECT_EQ (PresetMessages::getName (ref (Sustain, 0)), "Sustain Pedal");
    EXPECT_EQ (PresetMessages::getName (ref (Keybed, 0, Zone::upper)), "Keybed (upper zone)");

    EXPECT_EQ (messages.describe (Msg::controllerEvent (1, 102, 64)), "Knob 3 and Knob 4: CC 102 = 64 (ch 1)");
    EXPECT_EQ (messages.describe (Msg::noteOn (10, 48, (juce::uint8) 101)), "Pad 1: Note 48 on, velocity 101 (ch 10)");
    EXPECT_EQ (messages.describe (Msg::controllerEvent (3, 12, 5)), "CC 12 = 5 (ch 3) - not from this preset");
    const juce::uint8 sysEx[] = { 0x7e, 0x7f, 0x06, 0x01 };
    EXPECT_EQ (messages.describe (Msg::createSysExMessage (sysEx, 4)), "SysEx, 6 bytes");

    EXPECT_EQ (messages.describeClash (Msg::controllerEvent (1, 102, 64)),
               "Knob 3 and Knob 4 both send CC 102 on channel 1");
    EXPECT_EQ (messages.describeClash (Msg::controllerEvent (2, 80, 64)), "");
}

TEST (PresetMessages, WhatEveryControlPlaysIsFoundAsThatControl)
{
    std::vector<juce::Array<juce::uint8>> images{ getImageOfDump (defaultPresetDump()), makeAssignedImage() };

    for (int seed = 1; seed <= 6; ++seed)
        images.push_back (makeVariedImage (seed));

    for (const auto& image : images)
    {
        const PresetMessages messages (image);
        int played = 0;

        auto expectFound = [&] (const Ref& control, const Gesture& gesture)
        {
            for (const auto& message : messages.play (control, gesture))
            {
                ++played;
                EXPECT_TRUE (messages.findSenders (message).contains (control))
                    << PresetMessages::getName (control) << ": " << message.getDescription();
            }
        };

        const Gesture gestures[] = { { Gesture::Kind::turn, 0 },     { Gesture::Kind::turn, 127 },
                                     { Gesture::Kind::press, 1 },    { Gesture::Kind::press, 0 },
                                     { Gesture::Kind::press, 90 },   { Gesture::Kind::release, 0 },
                                     { Gesture::Kind::pressure, 60 } };

        for (auto type : { Transport, Wheels, Sustain, Knob, Pad, Switch })
            for (int i = 0; i < (type == Wheels ? 2 : PresetLayout::getCount (type)); ++i)
                for (const auto& gesture : gestures)
                    expectFound (ref (type, i), gesture);

        // A key is found as the zone that the split gives it.
        const auto split = image[offsetOf (Keybed, 0, 4)] == 0;
        const auto splitKey = (int) image[offsetOf (Keybed, 0, 5)];

        for (int key = 0; key < ZKMModel::numKeys; ++key)
        {
            const auto zone = ! split ? Zone::whole : key < splitKey ? Zone::lower : Zone::upper;
            expectFound (ref (Keybed, 0, zone), { Gesture::Kind::keyDown, key });
            expectFound (ref (Keybed, 0, zone), { Gesture::Kind::keyUp, key });
        }

        EXPECT_GT (played, 100);
    }
}

TEST (PresetMessages, PlaysValuesVelocitiesAndProgramChangesAsThePresetSays)
{
    auto image = makeAssignedImage();
    image.set (offsetOf (Pad, 1, 2), 100); // Pad 2 plays a fixed velocity of 100
    image.set (offsetOf (Pad, 2, 3), 4);   // Pad 3: linear curve
    image.set (offsetOf (Pad, 3, 3), 0);   // Pad 4: the first curve
    const PresetMessages messages (image);

    auto play = [&messages] (const Ref& control, Gesture::Kind kind, int value) {
        return messages.play (control, { kind, value });
    };

    const auto modWheel = play (ref (Wheels, 1), Gesture::Kind::turn, 127);
    ASSERT_EQ (modWheel.size(), 1u);
    EXPECT_EQ (modWheel[0].getControllerValue(), 20);
    EXPECT_EQ (play (ref (Wheels, 0), Gesture::Kind::turn, 64)[0].getPitchWheelValue(), 8192);
    EXPECT_EQ (play (ref (Wheels, 0), Gesture::Kind::turn, 127)[0].getPitchWheelValue(), 16383);
    EXPECT_EQ (play (ref (Wheels, 0), Gesture::Kind::turn, 0)[0].getChannel(), 1); // "Omni" plays on 1

    EXPECT_EQ (play (ref (Pad, 1), Gesture::Kind::press, 20)[0].getVelocity(), 100);
    EXPECT_EQ (play (ref (Pad, 2), Gesture::Kind::press, 20)[0].getVelocity(), 20);
    EXPECT_LT (play (ref (Pad, 3), Gesture::Kind::press, 64)[0].getVelocity(), 64);
    EXPECT_EQ (play (ref (Keybed, 0), Gesture::Kind::keyDown, 30)[0].getNoteNumber(), 90);

    const auto program = play (ref (Pad, 5), Gesture::Kind::press, 1);
    ASSERT_EQ (program.size(), 3u);
    EXPECT_TRUE (program[0].isControllerOfType (0) && program[0].getControllerValue() == 1);
    EXPECT_TRUE (program[1].isControllerOfType (32) && program[1].getControllerValue() == 2);
    EXPECT_TRUE (program[2].isProgramChange() && program[2].getProgramChangeNumber() == 7);
    EXPECT_TRUE (play (ref (Pad, 5), Gesture::Kind::release, 0).empty());

    // A toggle sends its on or off value as the caller says; momentary sends pressed, then released.
    EXPECT_EQ (play (ref (Switch, 0), Gesture::Kind::press, 0)[0].getControllerValue(), 0);
    EXPECT_EQ (play (ref (Switch, 0), Gesture::Kind::press, 1)[0].getControllerValue(), 127);
    EXPECT_EQ (play (ref (Pad, 4), Gesture::Kind::release, 0)[0].getControllerValue(), 0);
    EXPECT_EQ (play (ref (Transport, 3), Gesture::Kind::release, 0)[0].getControllerValue(), 0);
}
