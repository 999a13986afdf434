#pragma once

#include "model/PresetLayout.h"
#include "model/ZKMModel.h"

#include <juce_audio_basics/juce_audio_basics.h>

/** What each control of a preset sends when it is played, read from a preset image through the
    layout table. The MIDI monitor asks it what a message means, Follow the Controller which control
    sent it, the playable virtual controller what playing a control sends and Check Preset which
    controls send the same. A plain value: it holds a copy of the image and may be used on any thread. */
class PresetMessages
{
public:
    /** One control of a preset. For the keybed, zone tells which part played (split or not). */
    struct ControlRef
    {
        enum class Zone
        {
            none,
            whole,
            lower,
            upper
        };

        int controlType = 0;  // a ControlType: Knob, Pad, Switch, Transport, Wheels, Sustain, Keybed
        int controlIndex = 0; // instance, 0-based (for Wheels: 0 = pitch wheel, 1 = mod wheel)
        Zone zone = Zone::none;

        bool operator== (const ControlRef& other) const;
        bool operator!= (const ControlRef& other) const { return ! operator== (other); }
    };

    /** How a control is played (on the virtual controller's panel). */
    struct Gesture
    {
        enum class Kind
        {
            turn,
            press,
            release,
            pressure,
            keyDown,
            keyUp
        };

        Kind kind = Kind::press;
        int value = 127; // turn: position 0..127; press: velocity 1..127 (pads) or 1 = on / 0 = off for a
                         // toggle; pressure: 0..127; keyDown/keyUp: the key, 0 .. numKeys-1, from the left
    };

    explicit PresetMessages (const juce::Array<juce::uint8>& image, int numKeys = ZKMModel::numKeys);

    /** The controls whose assignment in this preset would send that message (CC number and channel, note
        and channel, program change, channel pressure / aftertouch, pitch bend, mod wheel, sustain, transport,
        keybed notes to the zone the split gives them), in layout order; empty when none would. */
    juce::Array<ControlRef> findSenders (const juce::MidiMessage& message) const;

    /** A control's name as the editor shows it: "Knob 3", "Pad 5", "Switch 12", "Play", "Pitch Wheel",
        "Mod Wheel", "Sustain Pedal", "Keybed", "Keybed (lower zone)", "Keybed (upper zone)". */
    static juce::String getName (const ControlRef& control);

    /** What a message means in this preset, for the monitor: "Knob 3: CC 74 = 64 (ch 1)",
        "Pad 5: Note 38 on, velocity 101 (ch 10)", "Keybed (upper zone): Note 60 on", "Pitch Wheel: 8192".
        Two senders: "Knob 3 and Pad 5: CC 74 = 64 (ch 1)". A message that no control of the preset sends:
        its plain meaning then " - not from this preset", e.g. "CC 12 = 5 (ch 3) - not from this preset".
        SysEx and system messages: a short plain meaning ("SysEx, 12 bytes"). */
    juce::String describe (const juce::MidiMessage& message) const;

    /** The text of the strip when two or more controls match: "Knob 3 and Pad 5 both send CC 74 on
        channel 1"; empty when fewer than two do. */
    juce::String describeClash (const juce::MidiMessage& message) const;

    /** The messages that playing the control sends in this preset: CC, channel, note, min/max range,
        toggle (press value 1 = on, 0 = off, chosen by the caller who keeps the state) or momentary,
        program change with bank select, velocity curves where the preset has them. */
    std::vector<juce::MidiMessage> play (const ControlRef& control, const Gesture& gesture) const;

private:
    juce::Array<juce::uint8> image;
    int numKeys;
};
