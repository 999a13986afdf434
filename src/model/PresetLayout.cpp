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

    //==============================================================================
    constexpr const char* offOn[] = { "Off", "On" };
    constexpr const char* splitOnOff[] = { "On", "Off" }; // "Split Mode" 0 is split
    constexpr const char* momentaryToggle[] = { "Momentary", "Toggle" };
    constexpr const char* toggleMomentary[] = { "Toggle", "Momentary" };
    constexpr const char* timeDivisions[] = { "1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T" };
    constexpr const char* wheelChannels[] = { "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",   "9",
                                              "10", "11", "12", "13", "14", "15", "16", "Omni" };

    constexpr const char* transportButtons[] = { "Rewind", "Fast Forward", "Stop", "Play", "Loop", "Record" };

    // The entries of a mode list and what each of those modes sends, entry k for the "Mode" value k.
    constexpr const char* knobModeNames[] = { "CC", "Aftertouch" };
    constexpr ModeSends knobModeSends[] = { ModeSends::controller, ModeSends::channelPressure };

    constexpr const char* padModeNames[] = { "Note", "CC Toggle", "CC Momentary", "Program Change" };
    constexpr ModeSends padModeSends[] = { ModeSends::note, ModeSends::controllerToggle, ModeSends::controllerMomentary,
                                           ModeSends::programChange };

    // The fourth value, which a switch's "Mode" byte accepts, has no entry and sends nothing.
    constexpr const char* switchModeNames[] = { "CC Toggle", "CC Momentary", "Program Change" };
    constexpr ModeSends switchModeSends[] = { ModeSends::controllerToggle, ModeSends::controllerMomentary,
                                              ModeSends::programChange };

    constexpr ModeGroup knobModes = modesOf ({ 0, 1 });
    constexpr ModeGroup padModes = modesOf ({ 0, 1, 2, 3 });
    constexpr ModeGroup switchModes = modesOf ({ 0, 1, 2 });

    //==============================================================================
    // "Preset Name 1" addresses the first character: sixteen 7-bit character codes, no terminator.
    constexpr Parameter presetNameParameters[] = {
        { "Preset Name 1", 0, &dataByteRange },   { "Preset Name 2", 1, &dataByteRange },
        { "Preset Name 3", 2, &dataByteRange },   { "Preset Name 4", 3, &dataByteRange },
        { "Preset Name 5", 4, &dataByteRange },   { "Preset Name 6", 5, &dataByteRange },
        { "Preset Name 7", 6, &dataByteRange },   { "Preset Name 8", 7, &dataByteRange },
        { "Preset Name 9", 8, &dataByteRange },   { "Preset Name 10", 9, &dataByteRange },
        { "Preset Name 11", 10, &dataByteRange }, { "Preset Name 12", 11, &dataByteRange },
        { "Preset Name 13", 12, &dataByteRange }, { "Preset Name 14", 13, &dataByteRange },
        { "Preset Name 15", 14, &dataByteRange }, { "Preset Name 16", 15, &dataByteRange }
    };

    // The whole zone, the split ("Split Mode" 0 is split, 1 whole), then the lower and the upper zone.
    constexpr Parameter keybedParameters[] = { { "Keybed Transpose", 0, &transposeRange },
                                               { "Keybed Octave", 1, &octaveRange },
                                               { "Keybed MIDI Channel", 2, &channelRange },
                                               { "Keybed Curve", 3, &keybedCurveRange },
                                               { "Split Mode", 4, &flagRange, everyMode, wordsOf (splitOnOff) },
                                               { "Split Point", 5, &splitPointRange },
                                               { "Lower Keybed Transpose", 6, &transposeRange },
                                               { "Lower Keybed Octave", 7, &octaveRange },
                                               { "Lower Keybed MIDI Channel", 8, &channelRange },
                                               { "Lower Keybed Curve", 9, &keybedCurveRange },
                                               { "Upper Keybed Transpose", 10, &transposeRange },
                                               { "Upper Keybed Octave", 11, &octaveRange },
                                               { "Upper Keybed MIDI Channel", 12, &channelRange },
                                               { "Upper Keybed Curve", 13, &keybedCurveRange } };

    // "Function": 0 toggle, 1 momentary.
    constexpr Parameter rollModeParameters[] = { { "Function", 0, &flagRange, everyMode, wordsOf (toggleMomentary) },
                                                 { "Time Div", 1, &timeDivisionRange, everyMode,
                                                   wordsOf (timeDivisions) },
                                                 { "Gate", 2, &gateRange },
                                                 { "Swing", 3, &swingRange } };

    // "Function": 0 momentary, 1 toggle.
    constexpr Parameter transportParameters[] = { { "Function", 0, &flagRange, everyMode, wordsOf (momentaryToggle) },
                                                  { "CC", 1, &dataByteRange } };

    constexpr Parameter wheelsParameters[] = {
        { "Pitch Wheel MIDI Channel", 0, &wheelChannelRange, everyMode, wordsOf (wheelChannels) },
        { "Mod Wheel MIDI Channel", 1, &wheelChannelRange, everyMode, wordsOf (wheelChannels) },
        { "Mod Wheel CC", 2, &dataByteRange },
        { "Mod Wheel Min", 3, &dataByteRange },
        { "Mod Wheel Max", 4, &dataByteRange }
    };

    // "Pressed" and "Released" are the values sent when the pedal goes down and up.
    constexpr Parameter sustainParameters[] = { { "CC", 0, &dataByteRange },
                                                { "Pressed", 1, &dataByteRange },
                                                { "Released", 2, &dataByteRange },
                                                { "MIDI Channel", 3, &channelRange } };

    // Knobs, pads and switches share a block whose middle bytes mean something else in every mode:
    // the mode byte, the note, controller or program number, two values and the channel.
    constexpr Parameter knobParameters[] = { { "Mode", 0, &knobModeRange },
                                             { "CC", 1, &dataByteRange, modesOf ({ 0 }) },
                                             { "Min", 2, &dataByteRange, knobModes },
                                             { "Max", 3, &dataByteRange, knobModes },
                                             { "MIDI Channel", 4, &channelRange, knobModes } };

    // Modes: note, CC toggle, CC momentary, program change.
    constexpr Parameter padParameters[] = { { "Mode", 0, &padAndSwitchModeRange },
                                            { "Note", 1, &dataByteRange, modesOf ({ 0 }) },
                                            { "CC", 1, &dataByteRange, modesOf ({ 1, 2 }) },
                                            { "Program", 1, &dataByteRange, modesOf ({ 3 }) },
                                            { "Fixed", 2, &dataByteRange, modesOf ({ 0 }) },
                                            { "Toggle On", 2, &dataByteRange, modesOf ({ 1 }) },
                                            { "Pressed", 2, &dataByteRange, modesOf ({ 2 }) },
                                            { "Bank LSB", 2, &dataByteRange, modesOf ({ 3 }) },
                                            { "Toggle Off", 3, &dataByteRange, modesOf ({ 1 }) },
                                            { "Released", 3, &dataByteRange, modesOf ({ 2 }) },
                                            { "Bank MSB", 3, &dataByteRange, modesOf ({ 3 }) },
                                            { "Curve", 3, &padCurveRange, modesOf ({ 0 }) },
                                            { "MIDI Channel", 4, &channelRange, padModes } };

    // Modes: CC toggle, CC momentary, program change.
    constexpr Parameter switchParameters[] = { { "Mode", 0, &padAndSwitchModeRange },
                                               { "CC", 1, &dataByteRange, modesOf ({ 0, 1 }) },
                                               { "Program", 1, &dataByteRange, modesOf ({ 2 }) },
                                               { "Toggle On", 2, &dataByteRange, modesOf ({ 0 }) },
                                               { "Pressed", 2, &dataByteRange, modesOf ({ 1 }) },
                                               { "Bank LSB", 2, &dataByteRange, modesOf ({ 2 }) },
                                               { "Toggle Off", 3, &dataByteRange, modesOf ({ 0 }) },
                                               { "Released", 3, &dataByteRange, modesOf ({ 1 }) },
                                               { "Bank MSB", 3, &dataByteRange, modesOf ({ 2 }) },
                                               { "MIDI Channel", 4, &channelRange, switchModes } };

    // One on/off flag per group: the six transport buttons share one, as do all knobs, all pads and
    // all switches; each keybed zone has its own. The roll mode has none.
    constexpr Parameter midiToDinParameters[] = {
        { "Transport Midi To DIN", 0, &flagRange, everyMode, wordsOf (offOn) },
        { "Keybed Midi To DIN", 1, &flagRange, everyMode, wordsOf (offOn) },
        { "Lower Keybed Midi To DIN", 2, &flagRange, everyMode, wordsOf (offOn) },
        { "Upper Keybed Midi To DIN", 3, &flagRange, everyMode, wordsOf (offOn) },
        { "Pitch Wheel Midi To DIN", 4, &flagRange, everyMode, wordsOf (offOn) },
        { "Mod Wheel Midi To DIN", 5, &flagRange, everyMode, wordsOf (offOn) },
        { "Sustain Midi To DIN", 6, &flagRange, everyMode, wordsOf (offOn) },
        { "Knobs Midi To DIN", 7, &flagRange, everyMode, wordsOf (offOn) },
        { "Pads Midi To DIN", 8, &flagRange, everyMode, wordsOf (offOn) },
        { "Switches Midi To DIN", 9, &flagRange, everyMode, wordsOf (offOn) }
    };

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
        const Parameter* parameters;
        int numParameters;
        const NameFamily* families;
        int numFamilies;
        const ModeSends* modeSends = nullptr;
        int numModeSends = 0;

        /** This table with what each value of its "Mode" byte sends. */
        template <size_t size>
        constexpr TypeTable sending (const ModeSends (&sends)[size]) const
        {
            auto table = *this;
            table.modeSends = sends;
            table.numModeSends = (int) size;
            return table;
        }
    };

    template <size_t numParameters, size_t numFamilies = 1>
    constexpr TypeTable tableOf (const Parameter (&parameters)[numParameters],
                                 const NameFamily (*families)[numFamilies] = nullptr)
    {
        return { parameters,
                 (int) numParameters,
                 families != nullptr ? *families : nullptr,
                 families != nullptr ? (int) numFamilies : 0,
                 nullptr,
                 0 };
    }

    // In the order of the ControlType values.
    constexpr TypeTable tables[] = {
        tableOf (presetNameParameters, &presetNameFamilies),  tableOf (keybedParameters, &keybedFamilies),
        tableOf (transportParameters, &transportFamilies),    tableOf (rollModeParameters),
        tableOf (wheelsParameters, &wheelsFamilies),          tableOf (sustainParameters),
        tableOf (switchParameters).sending (switchModeSends), tableOf (knobParameters).sending (knobModeSends),
        tableOf (padParameters).sending (padModeSends),       tableOf (midiToDinParameters)
    };

    static_assert (std::size (tables) == numControlTypes, "one table per control type");

    constexpr const TypeTable& getTable (ControlType type) { return tables[type]; }

    // In the order of the ControlType values. The wheels are called by the wheel that a name belongs to.
    constexpr TypeNames typeNames[] = { { "Preset Name", "Preset Name" },
                                        { "Keybed", "Keybed" },
                                        { "Transport Button", "Transport Buttons", wordsOf (transportButtons) },
                                        { "Roll Mode", "Roll Mode" },
                                        { "Wheel", "Wheels" },
                                        { "Sustain Pedal", "Sustain Pedal" },
                                        { "Switch", "Switches", {}, wordsOf (switchModeNames) },
                                        { "Knob", "Knobs", {}, wordsOf (knobModeNames) },
                                        { "Pad", "Pads", {}, wordsOf (padModeNames) },
                                        { "MIDI To DIN", "MIDI To DIN" } };

    static_assert (std::size (typeNames) == numControlTypes, "names for every control type");

    constexpr bool everyModeEntrySaysWhatItSends()
    {
        for (int type = 0; type < numControlTypes; ++type)
            if (tables[type].numModeSends != typeNames[type].modes.size)
                return false;

        return true;
    }

    static_assert (everyModeEntrySaysWhatItSends(), "what each entry of a mode list sends, and no more");

} // namespace

//==============================================================================
Parameters getParameters (ControlType type)
{
    const auto table = getTable (type);
    return { table.parameters, table.numParameters };
}

const TypeNames& getTypeNames (ControlType type) { return typeNames[type]; }

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

ModeSends getModeSends (ControlType type, int modeValue)
{
    const auto& table = getTable (type);
    return juce::isPositiveAndBelow (modeValue, table.numModeSends) ? table.modeSends[modeValue] : ModeSends::nothing;
}

juce::StringArray getNamesOfMode (ControlType type, int modeValue)
{
    juce::StringArray names;
    const auto modeByte = getModeByte (type);

    if (modeByte < 0)
        return names;

    for (const auto& parameter : getParameters (type))
        if (parameter.byte != modeByte && parameter.isUsedInMode (modeValue))
            names.add (parameter.name);

    return names;
}
} // namespace PresetLayout
