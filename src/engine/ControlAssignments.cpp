#include "engine/ControlAssignments.h"

namespace
{
using Ref = PresetMessages::ControlRef;
using Kind = ControlAssignments::Assignment::Kind;
using ModeSends = PresetLayout::ModeSends;

constexpr int splitOn = 0; // "Split Mode" 0 is "On"
constexpr int omniChannelByte = 16;

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

    // Every type with a "Mode" byte, in image order: what its controls send is what their modes send.
    for (const auto& block : PresetLayout::blocks)
        if (PresetLayout::getModeByte (block.type) >= 0)
            addByMode (block.type);
}

int ControlAssignments::getByte (ControlType type, int index, const juce::String& name) const
{
    const auto byte = PresetLayout::getByte (type, name);
    const auto position = PresetLayout::getOffset (type, index) + byte;
    return byte >= 0 && juce::isPositiveAndBelow (position, image.size()) ? (int) image.getUnchecked (position) : 0;
}

int ControlAssignments::getTransportChannel() const { return channelOf (getByte (Keybed, 0, "Keybed MIDI Channel")); }

int ControlAssignments::channelOf (int channelByte) { return (channelByte & 0x0f) + 1; }

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

void ControlAssignments::addButton (ControlType type, int index, int channel, int number, int onValue, int offValue)
{
    auto& button = add (type, index, Kind::controller, channel, number);
    button.onValue = onValue;
    button.offValue = offValue;
}

void ControlAssignments::addKeybed()
{
    // A zone's names are its prefix ("Keybed", "Lower Keybed", "Upper Keybed") and the setting.
    auto zoneAt = [this] (Ref::Zone which, const juce::String& prefix, int firstKey, int lastKey)
    {
        Zone zone;
        zone.zone = which;
        zone.firstKey = firstKey;
        zone.lastKey = lastKey;
        zone.transpose = getByte (Keybed, 0, prefix + " Transpose");
        zone.octave = getByte (Keybed, 0, prefix + " Octave");
        zone.channel = channelOf (getByte (Keybed, 0, prefix + " MIDI Channel"));
        zone.curve = getByte (Keybed, 0, prefix + " Curve");
        return zone;
    };

    // Keys left of the split point play the lower zone, the split point's key and those right of it
    // the upper zone; the split point is stored as the 0-based key (shown from 1).
    if (getByte (Keybed, 0, "Split Mode") == splitOn)
    {
        const auto splitKey = juce::jlimit (0, numKeys - 1, getByte (Keybed, 0, "Split Point"));
        zones.push_back (zoneAt (Ref::Zone::lower, "Lower Keybed", 0, splitKey - 1));
        zones.push_back (zoneAt (Ref::Zone::upper, "Upper Keybed", splitKey, numKeys - 1));
    }
    else
    {
        zones.push_back (zoneAt (Ref::Zone::whole, "Keybed", 0, numKeys - 1));
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
        addButton (Transport, i, getTransportChannel(), getByte (Transport, i, "CC"), transportOn, transportOff);
}

void ControlAssignments::addWheelsAndSustain()
{
    add (Wheels, 0, Kind::pitchBend, wheelChannelOf (getByte (Wheels, 0, "Pitch Wheel MIDI Channel")), 0);
    add (Wheels, 1, Kind::controller, wheelChannelOf (getByte (Wheels, 0, "Mod Wheel MIDI Channel")),
         getByte (Wheels, 0, "Mod Wheel CC"));
    assignments.back().control.controlIndex = 1; // the mod wheel shares the wheels' block
    addButton (Sustain, 0, channelOf (getByte (Sustain, 0, "MIDI Channel")), getByte (Sustain, 0, "CC"),
               getByte (Sustain, 0, "Pressed"), getByte (Sustain, 0, "Released"));
}

void ControlAssignments::addByMode (ControlType type)
{
    for (int i = 0; i < PresetLayout::getCount (type); ++i)
    {
        auto byteOf = [this, type, i] (const char* name) { return getByte (type, i, name); };
        const auto channel = channelOf (byteOf ("MIDI Channel"));

        switch (PresetLayout::getModeSends (type, byteOf ("Mode")))
        {
            case ModeSends::controller:
                add (type, i, Kind::controller, channel, byteOf ("CC"));
                break;
            case ModeSends::channelPressure:
                add (type, i, Kind::channelPressure, channel, 0);
                break;
            case ModeSends::note:
                add (type, i, Kind::note, channel, byteOf ("Note"));
                add (type, i, Kind::polyPressure, channel, byteOf ("Note"));
                break;
            case ModeSends::controllerToggle:
                addButton (type, i, channel, byteOf ("CC"), byteOf ("Toggle On"), byteOf ("Toggle Off"));
                break;
            case ModeSends::controllerMomentary:
                addButton (type, i, channel, byteOf ("CC"), byteOf ("Pressed"), byteOf ("Released"));
                break;
            case ModeSends::programChange:
                // Bank MSB (CC 0) and Bank LSB (CC 32) go first, then the program.
                add (type, i, Kind::controller, channel, bankSelectMSB, byteOf ("Bank MSB"), true);
                add (type, i, Kind::controller, channel, bankSelectLSB, byteOf ("Bank LSB"), true);
                // The program's value is its bank, MSB then LSB, so that only the same bank and program clash.
                add (type, i, Kind::program, channel, byteOf ("Program"),
                     byteOf ("Bank MSB") * 128 + byteOf ("Bank LSB"));
                break;
            case ModeSends::nothing:
                break;
        }
    }
}
