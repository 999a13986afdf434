#include "engine/ControlAssignments.h"

namespace
{
using Ref = PresetMessages::ControlRef;
using Kind = ControlAssignments::Assignment::Kind;

// Block bytes that every knob, pad and switch shares.
constexpr int modeByte = 0, numberByte = 1, firstValueByte = 2, secondValueByte = 3, channelByte = 4;

constexpr int knobCC = 0, knobAftertouch = 1;
constexpr int padNote = 0, padToggle = 1, padMomentary = 2, padProgram = 3; // a switch's are one lower

// Keybed bytes: the whole zone, the split, then the lower and the upper zone (4 bytes each).
constexpr int wholeZoneByte = 0, splitModeByte = 4, splitPointByte = 5, lowerZoneByte = 6, upperZoneByte = 10;
constexpr int zoneTransposeByte = 0, zoneOctaveByte = 1, zoneChannelByte = 2, zoneCurveByte = 3;
constexpr int splitOn = 0; // "Split Mode" 0 is "On"

constexpr int transportCCByte = 1, transportOn = 127, transportOff = 0;
constexpr int pitchChannelByte = 0, modChannelByte = 1, modCCByte = 2;
constexpr int sustainCCByte = 0, sustainPressedByte = 1, sustainReleasedByte = 2, sustainChannelByte = 3;

constexpr int omniChannelByte = 16;
constexpr int bankSelectMSB = 0, bankSelectLSB = 32;

bool isChannelVoice (const juce::MidiMessage& message) { return message.getChannel() > 0; }
} // namespace

//==============================================================================
juce::String ControlAssignments::describeKind (Assignment::Kind kind, int number)
{
    switch (kind)
    {
        case Kind::controller:
            return "CC " + juce::String (number);
        case Kind::note:
            return "Note " + juce::String (number);
        case Kind::polyPressure:
            return "Aftertouch on Note " + juce::String (number);
        case Kind::channelPressure:
            return "Aftertouch";
        case Kind::program:
            return "Program " + juce::String (number);
        case Kind::pitchBend:
            return "Pitch Bend";
    }

    return {};
}

juce::String ControlAssignments::joinNames (const juce::Array<PresetMessages::ControlRef>& controls)
{
    juce::String names;

    for (int i = 0; i < controls.size(); ++i)
    {
        if (i > 0)
            names << (i == controls.size() - 1 ? " and " : ", ");

        names << PresetMessages::getName (controls.getReference (i));
    }

    return names;
}

//==============================================================================
bool ControlAssignments::Assignment::matches (const juce::MidiMessage& message) const
{
    if (! isChannelVoice (message) || ! isOnChannel (message.getChannel()))
        return false;

    switch (kind)
    {
        case Kind::controller:
            return message.isController() && message.getControllerNumber() == first
                   && (value == anyValue || message.getControllerValue() == value);
        case Kind::note:
            return (message.isNoteOn (true) || message.isNoteOff (true))
                   && juce::isPositiveAndNotGreaterThan (message.getNoteNumber() - first, last - first);
        case Kind::polyPressure:
            return message.isAftertouch() && message.getNoteNumber() == first;
        case Kind::channelPressure:
            return message.isChannelPressure();
        case Kind::program:
            return message.isProgramChange() && message.getProgramChangeNumber() == first;
        case Kind::pitchBend:
            return message.isPitchWheel();
    }

    return false;
}

//==============================================================================
// A key plays 12 * octave + key + (transpose - 12), from the bytes of its zone as stored: the octave
// byte counts whole octaves up from note 0 (the default 5 puts the leftmost key on note 60) and the
// transpose byte is shown 12 lower, as semitones either way. The key counts from the left end of the
// whole keyboard in every zone, so that a split changes where keys send, never which pitch a key has.
int ControlAssignments::Zone::noteOf (int key) const { return 12 * octave + key + (transpose - 12); }

//==============================================================================
ControlAssignments::ControlAssignments (const juce::Array<juce::uint8>& imageToRead, int numberOfKeys)
    : image (imageToRead)
    , numKeys (juce::jmax (1, numberOfKeys))
{
    addKeybed();
    addTransport();
    addWheelsAndSustain();
    addKnobs();
    addPadsAndSwitches (Pad);
    addPadsAndSwitches (Switch);
}

int ControlAssignments::getByte (ControlType type, int index, int byte) const
{
    const auto position = PresetLayout::getOffset (type, index) + byte;
    return juce::isPositiveAndBelow (position, image.size()) ? (int) image.getUnchecked (position) : 0;
}

int ControlAssignments::getTransportChannel() const
{
    return (getByte (Keybed, 0, wholeZoneByte + zoneChannelByte) & 0x0f) + 1;
}

int ControlAssignments::wheelChannelOf (int channelByte)
{
    return channelByte >= omniChannelByte ? everyChannel : channelByte + 1;
}

const ControlAssignments::Zone& ControlAssignments::getZoneOfKey (int key) const
{
    for (const auto& zone : zones)
        if (key >= zone.firstKey && key <= zone.lastKey)
            return zone;

    return zones.back();
}

//==============================================================================
ControlAssignments::Assignment& ControlAssignments::add (ControlType type, int index, Kind kind, int channel,
                                                         int number, int value, bool bankSelect)
{
    Assignment assignment;
    assignment.control = { (int) type, index, Ref::Zone::none };
    assignment.kind = kind;
    assignment.channel = channel;
    assignment.first = assignment.last = number;
    assignment.value = value;
    assignment.bankSelect = bankSelect;
    assignments.push_back (assignment);
    return assignments.back();
}

void ControlAssignments::addKeybed()
{
    auto zoneAt = [this] (Ref::Zone which, int firstByte, int firstKey, int lastKey)
    {
        Zone zone;
        zone.zone = which;
        zone.firstKey = firstKey;
        zone.lastKey = lastKey;
        zone.transpose = getByte (Keybed, 0, firstByte + zoneTransposeByte);
        zone.octave = getByte (Keybed, 0, firstByte + zoneOctaveByte);
        zone.channel = (getByte (Keybed, 0, firstByte + zoneChannelByte) & 0x0f) + 1;
        zone.curve = getByte (Keybed, 0, firstByte + zoneCurveByte);
        return zone;
    };

    // Keys left of the split point play the lower zone, the split point's key and those right of it
    // the upper zone; the split point is stored as the 0-based key (shown from 1).
    if (getByte (Keybed, 0, splitModeByte) == splitOn)
    {
        const auto splitKey = juce::jlimit (0, numKeys - 1, getByte (Keybed, 0, splitPointByte));
        zones.push_back (zoneAt (Ref::Zone::lower, lowerZoneByte, 0, splitKey - 1));
        zones.push_back (zoneAt (Ref::Zone::upper, upperZoneByte, splitKey, numKeys - 1));
    }
    else
    {
        zones.push_back (zoneAt (Ref::Zone::whole, wholeZoneByte, 0, numKeys - 1));
    }

    for (const auto& zone : zones)
    {
        // Notes outside 0 to 127 are not sent, so only the notes inside count.
        const auto lowest = juce::jmax (0, zone.noteOf (zone.firstKey));
        const auto highest = juce::jmin (127, zone.noteOf (zone.lastKey));

        if (! zone.hasKeys() || lowest > highest)
            continue;

        Assignment assignment;
        assignment.control = { (int) Keybed, 0, zone.zone };
        assignment.kind = Kind::note;
        assignment.channel = zone.channel;
        assignment.first = lowest;
        assignment.last = highest;
        assignments.push_back (assignment);
    }
}

void ControlAssignments::addTransport()
{
    // The transport buttons' blocks hold no channel. They are taken to send on the keybed's whole-zone
    // channel, split or not: the preset's main channel, and one that no zone setting moves mid-song.
    for (int i = 0; i < PresetLayout::getCount (Transport); ++i)
    {
        auto& button =
            add (Transport, i, Kind::controller, getTransportChannel(), getByte (Transport, i, transportCCByte));
        button.onValue = transportOn;
        button.offValue = transportOff;
    }
}

void ControlAssignments::addWheelsAndSustain()
{
    add (Wheels, 0, Kind::pitchBend, wheelChannelOf (getByte (Wheels, 0, pitchChannelByte)), 0);
    add (Wheels, 1, Kind::controller, wheelChannelOf (getByte (Wheels, 0, modChannelByte)),
         getByte (Wheels, 0, modCCByte));
    assignments.back().control.controlIndex = 1; // the mod wheel shares the wheels' block
    auto& pedal = add (Sustain, 0, Kind::controller, (getByte (Sustain, 0, sustainChannelByte) & 0x0f) + 1,
                       getByte (Sustain, 0, sustainCCByte));
    pedal.onValue = getByte (Sustain, 0, sustainPressedByte);
    pedal.offValue = getByte (Sustain, 0, sustainReleasedByte);
}

void ControlAssignments::addKnobs()
{
    for (int i = 0; i < PresetLayout::getCount (Knob); ++i)
    {
        const auto channel = (getByte (Knob, i, channelByte) & 0x0f) + 1;
        const auto mode = getByte (Knob, i, modeByte);

        if (mode == knobCC)
            add (Knob, i, Kind::controller, channel, getByte (Knob, i, numberByte));
        else if (mode == knobAftertouch)
            add (Knob, i, Kind::channelPressure, channel, 0);
    }
}

void ControlAssignments::addPadsAndSwitches (ControlType type)
{
    // A switch's modes are a pad's without the note mode: the same entry is one value lower.
    const auto modeShift = type == Switch ? 1 : 0;

    for (int i = 0; i < PresetLayout::getCount (type); ++i)
    {
        const auto channel = (getByte (type, i, channelByte) & 0x0f) + 1;
        const auto mode = getByte (type, i, modeByte) + modeShift;
        const auto number = getByte (type, i, numberByte);

        if (mode == padNote)
        {
            add (type, i, Kind::note, channel, number);
            add (type, i, Kind::polyPressure, channel, number);
        }
        else if (mode == padToggle || mode == padMomentary)
        {
            auto& button = add (type, i, Kind::controller, channel, number);
            button.onValue = getByte (type, i, firstValueByte);
            button.offValue = getByte (type, i, secondValueByte);
        }
        else if (mode == padProgram)
        {
            // Bank MSB (CC 0) and Bank LSB (CC 32) go first, then the program.
            add (type, i, Kind::controller, channel, bankSelectMSB, getByte (type, i, secondValueByte), true);
            add (type, i, Kind::controller, channel, bankSelectLSB, getByte (type, i, firstValueByte), true);
            // The program's value is its bank, MSB then LSB, so that only the same bank and program clash.
            add (type, i, Kind::program, channel, number,
                 getByte (type, i, secondValueByte) * 128 + getByte (type, i, firstValueByte));
        }
    }
}
