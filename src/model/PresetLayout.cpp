#include "model/PresetLayout.h"

namespace PresetLayout
{
namespace
{
    constexpr ModeGroup modesOf (std::initializer_list<int> modeValues)
    {
        ModeGroup group = 0;

        for (auto value : modeValues)
            group |= ModeGroup (1) << value;

        return group;
    }

    //==============================================================================
    constexpr Range dataByteRange{ 127, 0 };
    constexpr Range flagRange{ 1, 0 };
    constexpr Range channelRange{ 15, 1 };      // shown 1 to 16
    constexpr Range wheelChannelRange{ 16, 1 }; // 16: all channels
    constexpr Range transposeRange{ 24, -12 };  // -12 to +12 semitones
    constexpr Range keybedCurveRange{ 8, 1 };
    constexpr Range padCurveRange{ 7, 1 };         // eight velocity curves
    constexpr Range timeDivisionRange{ 7, 0 };     // 1/4, 1/4T ... 1/32T
    constexpr Range gateRange{ 98, 1 };            // shown 1 to 99
    constexpr Range swingRange{ 24, 50 };          // shown 50 to 74
    constexpr Range knobModeRange{ 1, 0 };         // CC, aftertouch
    constexpr Range padAndSwitchModeRange{ 3, 0 }; // a switch accepts a fourth mode that no name uses

    constexpr ModeGroup knobModes = modesOf ({ 0, 1 });
    constexpr ModeGroup padModes = modesOf ({ 0, 1, 2, 3 });
    constexpr ModeGroup switchModes = modesOf ({ 0, 1, 2 });

    //==============================================================================
    // "Preset Name 1" addresses the first character: sixteen 7-bit character codes, no terminator.
    constexpr Parameter presetNameParameters[] = {
        { "Preset Name 1", 0, &dataByteRange, everyMode },   { "Preset Name 2", 1, &dataByteRange, everyMode },
        { "Preset Name 3", 2, &dataByteRange, everyMode },   { "Preset Name 4", 3, &dataByteRange, everyMode },
        { "Preset Name 5", 4, &dataByteRange, everyMode },   { "Preset Name 6", 5, &dataByteRange, everyMode },
        { "Preset Name 7", 6, &dataByteRange, everyMode },   { "Preset Name 8", 7, &dataByteRange, everyMode },
        { "Preset Name 9", 8, &dataByteRange, everyMode },   { "Preset Name 10", 9, &dataByteRange, everyMode },
        { "Preset Name 11", 10, &dataByteRange, everyMode }, { "Preset Name 12", 11, &dataByteRange, everyMode },
        { "Preset Name 13", 12, &dataByteRange, everyMode }, { "Preset Name 14", 13, &dataByteRange, everyMode },
        { "Preset Name 15", 14, &dataByteRange, everyMode }, { "Preset Name 16", 15, &dataByteRange, everyMode }
    };

    // The whole zone, the split ("Split Mode" 0 is split, 1 whole), then the lower and the upper zone.
    constexpr Parameter keybedParameters[] = { { "Keybed Transpose", 0, &transposeRange, everyMode },
                                               { "Keybed Octave", 1, &octaveRange, everyMode },
                                               { "Keybed MIDI Channel", 2, &channelRange, everyMode },
                                               { "Keybed Curve", 3, &keybedCurveRange, everyMode },
                                               { "Split Mode", 4, &flagRange, everyMode },
                                               { "Split Point", 5, &splitPointRange, everyMode },
                                               { "Lower Keybed Transpose", 6, &transposeRange, everyMode },
                                               { "Lower Keybed Octave", 7, &octaveRange, everyMode },
                                               { "Lower Keybed MIDI Channel", 8, &channelRange, everyMode },
                                               { "Lower Keybed Curve", 9, &keybedCurveRange, everyMode },
                                               { "Upper Keybed Transpose", 10, &transposeRange, everyMode },
                                               { "Upper Keybed Octave", 11, &octaveRange, everyMode },
                                               { "Upper Keybed MIDI Channel", 12, &channelRange, everyMode },
                                               { "Upper Keybed Curve", 13, &keybedCurveRange, everyMode } };

    // "Function": 0 toggle, 1 momentary.
    constexpr Parameter rollModeParameters[] = { { "Function", 0, &flagRange, everyMode },
                                                 { "Time Div", 1, &timeDivisionRange, everyMode },
                                                 { "Gate", 2, &gateRange, everyMode },
                                                 { "Swing", 3, &swingRange, everyMode } };

    // "Function": 0 momentary, 1 toggle.
    constexpr Parameter transportParameters[] = { { "Function", 0, &flagRange, everyMode },
                                                  { "CC", 1, &dataByteRange, everyMode } };

    constexpr Parameter wheelsParameters[] = { { "Pitch Wheel MIDI Channel", 0, &wheelChannelRange, everyMode },
                                               { "Mod Wheel MIDI Channel", 1, &wheelChannelRange, everyMode },
                                               { "Mod Wheel CC", 2, &dataByteRange, everyMode },
                                               { "Mod Wheel Min", 3, &dataByteRange, everyMode },
                                               { "Mod Wheel Max", 4, &dataByteRange, everyMode } };

    // "Pressed" and "Released" are the values sent when the pedal goes down and up.
    constexpr Parameter sustainParameters[] = { { "CC", 0, &dataByteRange, everyMode },
                                                { "Pressed", 1, &dataByteRange, everyMode },
                                                { "Released", 2, &dataByteRange, everyMode },
                                                { "MIDI Channel", 3, &channelRange, everyMode } };

    // Knobs, pads and switches share a block whose middle bytes mean something else in every mode:
    // the mode byte, the note, controller or program number, two values and the channel.
    constexpr Parameter knobParameters[] = { { "Mode", 0, &knobModeRange, everyMode },
                                             { "CC", 1, &dataByteRange, modesOf ({ 0 }) },
                                             { "Min", 2, &dataByteRange, knobModes },
                                             { "Max", 3, &dataByteRange, knobModes },
                                             { "MIDI Channel", 4, &channelRange, knobModes } };

    // Modes: note, CC toggle, CC momentary, program change.
    constexpr Parameter padParameters[] = {
        { "Mode", 0, &padAndSwitchModeRange, everyMode },     { "Note", 1, &dataByteRange, modesOf ({ 0 }) },
        { "CC", 1, &dataByteRange, modesOf ({ 1, 2 }) },      { "Program", 1, &dataByteRange, modesOf ({ 3 }) },
        { "Fixed", 2, &dataByteRange, modesOf ({ 0 }) },      { "Toggle On", 2, &dataByteRange, modesOf ({ 1 }) },
        { "Pressed", 2, &dataByteRange, modesOf ({ 2 }) },    { "Bank LSB", 2, &dataByteRange, modesOf ({ 3 }) },
        { "Toggle Off", 3, &dataByteRange, modesOf ({ 1 }) }, { "Released", 3, &dataByteRange, modesOf ({ 2 }) },
        { "Bank MSB", 3, &dataByteRange, modesOf ({ 3 }) },   { "Curve", 3, &padCurveRange, modesOf ({ 0 }) },
        { "MIDI Channel", 4, &channelRange, padModes }
    };

    // Modes: CC toggle, CC momentary, program change.
    constexpr Parameter switchParameters[] = {
        { "Mode", 0, &padAndSwitchModeRange, everyMode },     { "CC", 1, &dataByteRange, modesOf ({ 0, 1 }) },
        { "Program", 1, &dataByteRange, modesOf ({ 2 }) },    { "Toggle On", 2, &dataByteRange, modesOf ({ 0 }) },
        { "Pressed", 2, &dataByteRange, modesOf ({ 1 }) },    { "Bank LSB", 2, &dataByteRange, modesOf ({ 2 }) },
        { "Toggle Off", 3, &dataByteRange, modesOf ({ 0 }) }, { "Released", 3, &dataByteRange, modesOf ({ 1 }) },
        { "Bank MSB", 3, &dataByteRange, modesOf ({ 2 }) },   { "MIDI Channel", 4, &channelRange, switchModes }
    };

    // One on/off flag per group: the six transport buttons share one, as do all knobs, all pads and
    // all switches; each keybed zone has its own. The roll mode has none.
    constexpr Parameter midiToDinParameters[] = { { "Transport Midi To DIN", 0, &flagRange, everyMode },
                                                  { "Keybed Midi To DIN", 1, &flagRange, everyMode },
                                                  { "Lower Keybed Midi To DIN", 2, &flagRange, everyMode },
                                                  { "Upper Keybed Midi To DIN", 3, &flagRange, everyMode },
                                                  { "Pitch Wheel Midi To DIN", 4, &flagRange, everyMode },
                                                  { "Mod Wheel Midi To DIN", 5, &flagRange, everyMode },
                                                  { "Sustain Midi To DIN", 6, &flagRange, everyMode },
                                                  { "Knobs Midi To DIN", 7, &flagRange, everyMode },
                                                  { "Pads Midi To DIN", 8, &flagRange, everyMode },
                                                  { "Switches Midi To DIN", 9, &flagRange, everyMode } };

    //==============================================================================
    /** A word that gives its range to every name containing it that the type does not have. */
    struct NameFamily
    {
        const char* word;
        const Range* range;
    };

    // The empty word: every name answers with the character range, though only the sixteen have a byte.
    constexpr NameFamily presetNameFamilies[] = { { "", &dataByteRange } };

    // The zones share their limits, so the kind of a parameter is read from its name, in this order.
    constexpr NameFamily keybedFamilies[] = { { "Transpose", &transposeRange },
                                              { "Octave", &octaveRange },
                                              { "Curve", &keybedCurveRange },
                                              { "MIDI Channel", &channelRange } };

    constexpr NameFamily transportFamilies[] = { { "Function", &flagRange } };
    constexpr NameFamily wheelsFamilies[] = { { "Channel", &wheelChannelRange } };

    struct TypeTable
    {
        const Parameter* parameters = nullptr;
        int numParameters = 0;
        const NameFamily* families = nullptr;
        int numFamilies = 0;
    };

    template <size_t numParameters, size_t numFamilies>
    constexpr TypeTable tableOf (const Parameter (&parameters)[numParameters],
                                 const NameFamily (&families)[numFamilies])
    {
        return { parameters, (int) numParameters, families, (int) numFamilies };
    }

    template <size_t numParameters>
    constexpr TypeTable tableOf (const Parameter (&parameters)[numParameters])
    {
        return { parameters, (int) numParameters, nullptr, 0 };
    }

    constexpr TypeTable getTable (ControlType type)
    {
        switch (type)
        {
            case PresetName:
                return tableOf (presetNameParameters, presetNameFamilies);
            case Keybed:
                return tableOf (keybedParameters, keybedFamilies);
            case Transport:
                return tableOf (transportParameters, transportFamilies);
            case RollMode:
                return tableOf (rollModeParameters);
            case Wheels:
                return tableOf (wheelsParameters, wheelsFamilies);
            case Sustain:
                return tableOf (sustainParameters);
            case Switch:
                return tableOf (switchParameters);
            case Knob:
                return tableOf (knobParameters);
            case Pad:
                return tableOf (padParameters);
            case MidiToDin:
                return tableOf (midiToDinParameters);
        }

        return {};
    }

    constexpr bool everyByteLiesInItsBlock()
    {
        for (const auto& block : blocks)
        {
            const auto table = getTable (block.type);

            for (int i = 0; i < table.numParameters; ++i)
                if (table.parameters[i].byte < 0 || table.parameters[i].byte >= block.blockLength)
                    return false;
        }

        return true;
    }

    static_assert (everyByteLiesInItsBlock(), "every name addresses a byte of its own block");
} // namespace

//==============================================================================
Parameters getParameters (ControlType type)
{
    const auto table = getTable (type);
    return { table.parameters, table.numParameters };
}

const Parameter* findParameter (ControlType type, const juce::String& name)
{
    for (const auto& parameter : getParameters (type))
        if (name == parameter.name)
            return &parameter;

    return nullptr;
}

int getByte (ControlType type, const juce::String& name)
{
    const auto* parameter = findParameter (type, name);
    return parameter != nullptr ? parameter->byte : -1;
}

const Range* findRange (ControlType type, const juce::String& name)
{
    if (const auto* parameter = findParameter (type, name))
        return parameter->range;

    const auto table = getTable (type);

    for (int i = 0; i < table.numFamilies; ++i)
        if (name.contains (table.families[i].word))
            return table.families[i].range;

    return nullptr;
}

juce::uint8 getMaximum (ControlType type, const juce::String& name)
{
    const auto* range = findRange (type, name);
    return range != nullptr ? range->maximum : (juce::uint8) 0;
}

int getDisplayOffset (ControlType type, const juce::String& name)
{
    const auto* parameter = findParameter (type, name);
    return parameter != nullptr ? parameter->range->displayOffset : 0;
}

int getModeByte (ControlType type) { return getByte (type, "Mode"); }

int getNumModes (ControlType type)
{
    ModeGroup used = 0;

    for (const auto& parameter : getParameters (type))
        if (parameter.modes != everyMode)
            used |= parameter.modes;

    int numModes = 0;

    while (numModes < maximumModes && (used >> numModes) != 0)
        ++numModes;

    return numModes;
}

juce::StringArray getNamesOfMode (ControlType type, int modeValue)
{
    juce::StringArray names;
    const auto modeByte = getModeByte (type);

    if (modeByte < 0)
        return names;

    for (const auto& parameter : getParameters (type))
        if (parameter.byte != modeByte && parameter.modes != everyMode && parameter.isUsedInMode (modeValue))
            names.add (parameter.name);

    return names;
}
} // namespace PresetLayout
