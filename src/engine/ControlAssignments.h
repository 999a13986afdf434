#pragma once

#include "engine/PresetMessages.h"

#include <vector>

/** The messages that each control of a preset is set to send, read once from a preset image: one
    entry per kind of message a control sends ("CC 74 on channel 1", "notes 60 to 120 on channel 1"),
    in layout order. PresetMessages finds the senders of a message in it, PresetCheck the controls
    that send the same message. */
class ControlAssignments
{
public:
    struct Assignment
    {
        enum class Kind
        {
            controller,
            note,
            polyPressure,
            channelPressure,
            program,
            pitchBend
        };

        PresetMessages::ControlRef control;
        Kind kind = Kind::controller;
        int channel = 1;         // 1 to 16; everyChannel for a wheel set to "Omni"
        int first = 0;           // the CC, note or program number (the lowest note of a keybed zone)
        int last = 0;            // the highest note of a keybed zone, else first
        int value = anyValue;    // a bank select: the only value sent; a program: its bank, MSB * 128 + LSB
        bool bankSelect = false; // the CC 0 or CC 32 that goes before a program change

        // A button's two values, pressed (or on) and released (or off); anyValue for a knob or wheel.
        int onValue = anyValue, offValue = anyValue;

        bool matches (const juce::MidiMessage& message) const;
        bool isOnChannel (int midiChannel) const { return channel == everyChannel || channel == midiChannel; }
    };

    static constexpr int everyChannel = 0;
    static constexpr int anyValue = -1;

    /** The controllers that select the bank, MSB then LSB, before a program change. */
    static constexpr int bankSelectMSB = 0, bankSelectLSB = 32;

    /** The values of a transport button: pressed (or on), then released (or off). */
    static constexpr int transportOn = 127, transportOff = 0;

    /** A keybed zone's bytes and which keys play it. */
    struct Zone
    {
        PresetMessages::ControlRef::Zone zone = PresetMessages::ControlRef::Zone::whole;
        int firstKey = 0; // 0-based, from the left
        int lastKey = 0;
        int channel = 1; // 1 to 16
        int transpose = 12;
        int octave = 5;
        int curve = 4;

        /** The note that a key plays, which may lie outside 0 to 127. */
        int noteOf (int key) const;
        bool hasKeys() const { return firstKey <= lastKey; }
    };

    ControlAssignments (const juce::Array<juce::uint8>& image, int numKeys);

    const std::vector<Assignment>& getAll() const { return assignments; }

    /** The zones that the split gives the keys: the whole keybed, or the lower and the upper zone. */
    const std::vector<Zone>& getZones() const { return zones; }

    /** The zone that a key plays (the split decides). */
    const Zone& getZoneOfKey (int key) const;

    /** The words for a message of that kind without its value: "CC 74", "Note 60", "Pitch Bend". */
    static juce::String describeKind (Assignment::Kind kind, int number);

    /** "Knob 3", "Knob 3 and Pad 5", "Knob 1, Knob 2 and Switch 4". */
    static juce::String joinNames (const juce::Array<PresetMessages::ControlRef>& controls);

    /** The byte that a name of the layout table ("CC", "Toggle On", "Keybed MIDI Channel") addresses in
        a control's block; 0 for a name that its type does not have and outside the image. */
    int getByte (ControlType type, int index, const juce::String& name) const;

    /** The channel that the transport buttons send on: they have no channel byte of their own. */
    int getTransportChannel() const;

    /** A channel byte as a MIDI channel, 1 to 16. */
    static int channelOf (int channelByte);

    /** A channel byte of a wheel as a MIDI channel: 1 to 16, everyChannel for "Omni". */
    static int wheelChannelOf (int channelByte);

private:
    void addKeybed();
    void addTransport();
    void addWheelsAndSustain();
    void addByMode (ControlType type);

    Assignment& add (ControlType type, int index, Assignment::Kind kind, int channel, int number, int value = anyValue,
                     bool bankSelect = false);
    void addButton (ControlType type, int index, int channel, int number, int onValue, int offValue);

    juce::Array<juce::uint8> image;
    int numKeys;
    std::vector<Assignment> assignments;
    std::vector<Zone> zones;
};
