#include "engine/PresetMessages.h"

#include "engine/ControlAssignments.h"

#include <cmath>

namespace
{
using Ref = PresetMessages::ControlRef;
using Kind = ControlAssignments::Assignment::Kind;
using GestureKind = PresetMessages::Gesture::Kind;
using ModeSends = PresetLayout::ModeSends;

constexpr int transportToggle = 1; // "Function": 0 momentary, 1 toggle
constexpr int maxDataByte = 127, maxPitchBend = 16383, centrePitchBend = 8192, centrePosition = 64;
constexpr int linearCurve = 4;

/** A key of the virtual keybed is struck this hard; the zone's curve then shapes it. */
constexpr int keyVelocity = 100;

constexpr const char* wheelNames[] = { "Pitch Wheel", "Mod Wheel" };

/** A position of 0 to 127 (a knob, a wheel) as a value of Min to Max; Min above Max runs backwards. */
int scaled (int position, int minimum, int maximum)
{
    const auto clamped = juce::jlimit (0, maxDataByte, position);
    return juce::jlimit (0, maxDataByte,
                         juce::roundToInt (minimum + (maximum - minimum) * (double) clamped / maxDataByte));
}

/** Velocity curves are a family of power curves: curve 4 (shown 5) is linear, every step below it
    raises the exponent by a factor of 2^(1/4) (softer playing gives lower velocities), every step above
    lowers it likewise (softer playing gives higher ones). A note-on keeps a velocity of at least 1. */
int shapedVelocity (int velocity, int curve)
{
    const auto exponent = std::pow (2.0, (linearCurve - curve) / 4.0);
    const auto input = juce::jlimit (1, maxDataByte, velocity) / (double) maxDataByte;
    return juce::jlimit (1, maxDataByte, juce::roundToInt (maxDataByte * std::pow (input, exponent)));
}

/** A wheel position of 0 to 127 as a pitch bend: 64 is the centre, 8192. */
int pitchBendOf (int position)
{
    const auto clamped = juce::jlimit (0, maxDataByte, position);

    if (clamped <= centrePosition)
        return clamped * (centrePitchBend / centrePosition);

    return centrePitchBend
           + juce::roundToInt ((clamped - centrePosition) * (double) (maxPitchBend - centrePitchBend)
                               / (maxDataByte - centrePosition));
}

/** The kind of a channel message and its CC, note or program number; false for any other message. */
bool kindOf (const juce::MidiMessage& message, Kind& kind, int& number)
{
    number = 0;

    if (message.isController())
        kind = Kind::controller, number = message.getControllerNumber();
    else if (message.isNoteOnOrOff())
        kind = Kind::note, number = message.getNoteNumber();
    else if (message.isAftertouch())
        kind = Kind::polyPressure, number = message.getNoteNumber();
    else if (message.isChannelPressure())
        kind = Kind::channelPressure;
    else if (message.isProgramChange())
        kind = Kind::program, number = message.getProgramChangeNumber();
    else if (message.isPitchWheel())
        kind = Kind::pitchBend;
    else
        return false;

    return true;
}

juce::String channelText (const juce::MidiMessage& message)
{
    return " (ch " + juce::String (message.getChannel()) + ")";
}

/** What a message is, without the control that sent it: "CC 74 = 64 (ch 1)". */
juce::String plainMeaning (const juce::MidiMessage& message)
{
    if (message.isNoteOn())
        return "Note " + juce::String (message.getNoteNumber()) + " on, velocity "
               + juce::String ((int) message.getVelocity()) + channelText (message);
    if (message.isNoteOff())
        return "Note " + juce::String (message.getNoteNumber()) + " off" + channelText (message);
    if (message.isController())
        return "CC " + juce::String (message.getControllerNumber()) + " = "
               + juce::String (message.getControllerValue()) + channelText (message);
    if (message.isProgramChange())
        return "Program " + juce::String (message.getProgramChangeNumber()) + channelText (message);
    if (message.isPitchWheel())
        return "Pitch Bend " + juce::String (message.getPitchWheelValue()) + channelText (message);
    if (message.isChannelPressure())
        return "Aftertouch " + juce::String (message.getChannelPressureValue()) + channelText (message);
    if (message.isAftertouch())
        return "Aftertouch on Note " + juce::String (message.getNoteNumber()) + " = "
               + juce::String (message.getAfterTouchValue()) + channelText (message);
    if (message.isSysEx())
        return "SysEx, " + juce::String (message.getRawDataSize()) + " bytes";
    if (message.isMidiClock())
        return "Clock";
    if (message.isMidiStart())
        return "Start";
    if (message.isMidiStop())
        return "Stop";
    if (message.isMidiContinue())
        return "Continue";
    if (message.isActiveSense())
        return "Active Sensing";
    if (message.isSongPositionPointer())
        return "Song Position " + juce::String (message.getSongPositionPointerMidiBeat());
    if (message.isQuarterFrame())
        return "MIDI Time Code";

    return "System message, " + juce::String (message.getRawDataSize()) + " bytes";
}
//==============================================================================
using Messages = std::vector<juce::MidiMessage>;

juce::MidiMessage cc (int channel, int number, int value)
{
    return juce::MidiMessage::controllerEvent (channel, number & maxDataByte, value & maxDataByte);
}

bool isMove (const PresetMessages::Gesture& gesture)
{
    return gesture.kind == GestureKind::turn || gesture.kind == GestureKind::pressure;
}

/** A button on a CC: a toggle sends its on or off value at a press, as the caller who keeps its state
    says (value 1 or 0); any other sends its on value when pressed and its off value when let go. */
Messages playButton (int channel, int number, int onValue, int offValue, bool toggles,
                     const PresetMessages::Gesture& gesture)
{
    const auto isPress = gesture.kind == GestureKind::press;

    if (toggles && isPress)
        return { cc (channel, number, gesture.value != 0 ? onValue : offValue) };

    if (! toggles && (isPress || gesture.kind == GestureKind::release))
        return { cc (channel, number, isPress ? onValue : offValue) };

    return {};
}

Messages playNote (int channel, int note, int fixed, int curve, const PresetMessages::Gesture& gesture)
{
    // "Fixed" 0 plays as hard as the pad is struck, through the curve; any other value is the velocity.
    if (gesture.kind == GestureKind::press)
    {
        const auto velocity = fixed != 0 ? fixed : shapedVelocity (gesture.value, curve);
        return { juce::MidiMessage::noteOn (channel, note, (juce::uint8) juce::jlimit (1, maxDataByte, velocity)) };
    }

    if (gesture.kind == GestureKind::release)
        return { juce::MidiMessage::noteOff (channel, note) };

    // A held pad sends polyphonic aftertouch on its note.
    if (gesture.kind == GestureKind::pressure)
        return { juce::MidiMessage::aftertouchChange (channel, note, juce::jlimit (0, maxDataByte, gesture.value)) };

    return {};
}

/** What a control with modes sends: what its mode sends, from the bytes that the mode names. */
Messages playByMode (const ControlAssignments& assignments, ControlType type, int index,
                     const PresetMessages::Gesture& gesture)
{
    auto byteOf = [&] (const char* name) { return assignments.getByte (type, index, name); };
    const auto channel = ControlAssignments::channelOf (byteOf ("MIDI Channel"));
    auto scaledValue = [&] { return scaled (gesture.value, byteOf ("Min"), byteOf ("Max")); };

    switch (PresetLayout::getModeSends (type, byteOf ("Mode")))
    {
        case ModeSends::controller:
            if (isMove (gesture))
                return { cc (channel, byteOf ("CC"), scaledValue()) };
            break;
        case ModeSends::channelPressure:
            if (isMove (gesture))
                return { juce::MidiMessage::channelPressureChange (channel, scaledValue()) };
            break;
        case ModeSends::note:
            return playNote (channel, byteOf ("Note") & maxDataByte, byteOf ("Fixed"), byteOf ("Curve"), gesture);
        case ModeSends::controllerToggle:
            return playButton (channel, byteOf ("CC"), byteOf ("Toggle On"), byteOf ("Toggle Off"), true, gesture);
        case ModeSends::controllerMomentary:
            return playButton (channel, byteOf ("CC"), byteOf ("Pressed"), byteOf ("Released"), false, gesture);
        case ModeSends::programChange:
            if (gesture.kind == GestureKind::press)
                return { cc (channel, ControlAssignments::bankSelectMSB, byteOf ("Bank MSB")),
                         cc (channel, ControlAssignments::bankSelectLSB, byteOf ("Bank LSB")),
                         juce::MidiMessage::programChange (channel, byteOf ("Program") & maxDataByte) };
            break;
        case ModeSends::nothing:
            break;
    }

    return {};
}

Messages playTransport (const ControlAssignments& assignments, int index, const PresetMessages::Gesture& gesture)
{
    return playButton (assignments.getTransportChannel(), assignments.getByte (Transport, index, "CC"),
                       ControlAssignments::transportOn, ControlAssignments::transportOff,
                       assignments.getByte (Transport, index, "Function") == transportToggle, gesture);
}

Messages playWheel (const ControlAssignments& assignments, int index, const PresetMessages::Gesture& gesture)
{
    if (! isMove (gesture))
        return {};

    auto byteOf = [&] (const char* name) { return assignments.getByte (Wheels, 0, name); };

    // "Omni" answers on every channel and plays on channel 1.
    auto playedChannel = [] (int channelByte)
    { return juce::jmax (1, ControlAssignments::wheelChannelOf (channelByte)); };

    if (index == 0)
        return { juce::MidiMessage::pitchWheel (playedChannel (byteOf ("Pitch Wheel MIDI Channel")),
                                                pitchBendOf (gesture.value)) };

    if (index == 1)
        return { cc (playedChannel (byteOf ("Mod Wheel MIDI Channel")), byteOf ("Mod Wheel CC"),
                     scaled (gesture.value, byteOf ("Mod Wheel Min"), byteOf ("Mod Wheel Max"))) };

    return {};
}

Messages playSustain (const ControlAssignments& assignments, const PresetMessages::Gesture& gesture)
{
    auto byteOf = [&] (const char* name) { return assignments.getByte (Sustain, 0, name); };
    return playButton (ControlAssignments::channelOf (byteOf ("MIDI Channel")), byteOf ("CC"), byteOf ("Pressed"),
                       byteOf ("Released"), false, gesture);
}

Messages playKey (const ControlAssignments& assignments, const PresetMessages::Gesture& gesture)
{
    const auto isDown = gesture.kind == GestureKind::keyDown;

    if (! isDown && gesture.kind != GestureKind::keyUp)
        return {};

    const auto& zones = assignments.getZones();
    const auto key = gesture.value;

    if (key < zones.front().firstKey || key > zones.back().lastKey)
        return {};

    // The split decides the zone, whichever zone the caller named.
    const auto& zone = assignments.getZoneOfKey (key);
    const auto note = zone.noteOf (key);

    if (! juce::isPositiveAndNotGreaterThan (note, maxDataByte))
        return {};

    if (isDown)
        return { juce::MidiMessage::noteOn (zone.channel, note,
                                            (juce::uint8) shapedVelocity (keyVelocity, zone.curve)) };

    return { juce::MidiMessage::noteOff (zone.channel, note) };
}
} // namespace

//==============================================================================
bool PresetMessages::ControlRef::operator== (const ControlRef& other) const
{
    return controlType == other.controlType && controlIndex == other.controlIndex && zone == other.zone;
}

PresetMessages::PresetMessages (const juce::Array<juce::uint8>& imageToRead, int numberOfKeys)
    : assignments (std::make_shared<const ControlAssignments> (imageToRead, numberOfKeys))
{
}

//==============================================================================
juce::Array<PresetMessages::ControlRef> PresetMessages::findSenders (const juce::MidiMessage& message) const
{
    juce::Array<ControlRef> senders;

    for (const auto& assignment : assignments->getAll())
        if (assignment.matches (message))
            senders.addIfNotAlreadyThere (assignment.control);

    return senders;
}

juce::String PresetMessages::getName (const ControlRef& control)
{
    const auto type = (ControlType) control.controlType;

    if (type == Keybed)
    {
        if (control.zone == Ref::Zone::lower)
            return "Keybed (lower zone)";
        if (control.zone == Ref::Zone::upper)
            return "Keybed (upper zone)";
        return "Keybed";
    }

    if (type == Wheels)
        return wheelNames[control.controlIndex == 1 ? 1 : 0];

    if (! juce::isPositiveAndBelow (control.controlType, (int) numControlTypes))
        return {};

    const auto& names = PresetLayout::getTypeNames (type);

    if (juce::isPositiveAndBelow (control.controlIndex, names.instances.size))
        return names.instances.first[control.controlIndex];

    if (PresetLayout::getCount (type) > 1)
        return juce::String (names.singular) + " " + juce::String (control.controlIndex + 1);

    return names.singular;
}

juce::String PresetMessages::describe (const juce::MidiMessage& message) const
{
    if (message.getChannel() == 0)
        return plainMeaning (message);

    const auto senders = findSenders (message);

    if (senders.isEmpty())
        return plainMeaning (message) + " - not from this preset";

    return ControlAssignments::joinNames (senders) + ": " + plainMeaning (message);
}

juce::String PresetMessages::describeClash (const juce::MidiMessage& message) const
{
    const auto senders = findSenders (message);
    Kind kind;
    int number = 0;

    if (senders.size() < 2 || ! kindOf (message, kind, number))
        return {};

    return ControlAssignments::joinNames (senders) + (senders.size() == 2 ? " both send " : " all send ")
           + ControlAssignments::describeKind (kind, number) + " on channel " + juce::String (message.getChannel());
}

//==============================================================================
std::vector<juce::MidiMessage> PresetMessages::play (const ControlRef& control, const Gesture& gesture) const
{
    const auto type = (ControlType) control.controlType;
    const auto index = control.controlIndex;

    if (type == Keybed)
        return playKey (*assignments, gesture);

    if (type == Wheels)
        return playWheel (*assignments, index, gesture);

    if (! juce::isPositiveAndBelow (control.controlType, (int) numControlTypes)
        || ! juce::isPositiveAndBelow (index, PresetLayout::getCount (type)))
        return {};

    if (PresetLayout::getModeByte (type) >= 0)
        return playByMode (*assignments, type, index, gesture);

    if (type == Transport)
        return playTransport (*assignments, index, gesture);

    if (type == Sustain)
        return playSustain (*assignments, gesture);

    return {};
}
