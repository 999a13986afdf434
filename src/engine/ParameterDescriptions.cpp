#include "engine/ParameterDescriptions.h"

#include "model/PresetLayout.h"

namespace ParameterDescriptions
{
namespace
{
    const juce::StringArray transportNames{ "Rewind", "Fast Forward", "Stop", "Play", "Loop", "Record" };

    // The entries of the mode lists of knobs, pads and switches, entry k for the "Mode" value k.
    const juce::StringArray knobModeNames{ "CC", "Aftertouch" };
    const juce::StringArray padModeNames{ "Note", "CC Toggle", "CC Momentary", "Program Change" };
    const juce::StringArray switchModeNames{ "CC Toggle", "CC Momentary", "Program Change" };

    // The keybed's curve boxes offer the eight curves, 1 to 8; a stored 8, which the model keeps, is
    // not offered.
    constexpr int keybedCurveBoxMaximum = 8;

    constexpr NumberRange storedByteRange{ 0, 127, 0 };

    NumberRange shownRange (const PresetLayout::Range& range)
    {
        return { range.displayOffset, (int) range.maximum + range.displayOffset, range.displayOffset };
    }

    /** Where a mode's box stands: the channel first, then the middle bytes in block order, but a
        program number after the bank that it lies in. */
    int boxPosition (ControlType type, const juce::String& name)
    {
        if (name == "MIDI Channel")
            return -1;

        return name == "Program" ? PresetLayout::getBlockLength (type) : PresetLayout::getByte (type, name);
    }

    std::vector<Mode> makeModes (ControlType type, const juce::StringArray& modeNames)
    {
        std::vector<Mode> modes;

        for (int value = 0; value < modeNames.size(); ++value)
        {
            auto names = PresetLayout::getNamesOfMode (type, value);
            std::stable_sort (names.begin(), names.end(),
                              [type] (const juce::String& a, const juce::String& b)
                              { return boxPosition (type, a) < boxPosition (type, b); });
            modes.push_back ({ modeNames[value], names });
        }

        return modes;
    }

    juce::StringArray wheelChannels()
    {
        juce::StringArray entries;

        for (int channel = 1; channel <= 16; ++channel)
            entries.add (juce::String (channel));

        entries.add ("Omni");
        return entries;
    }
} // namespace

juce::String getControlName (int controlType, int controlIndex, const juce::String& parameterName)
{
    switch (controlType)
    {
        case PresetName:
            return "Preset Name";
        case Keybed:
            return "Keybed";
        case Transport:
            return transportNames[controlIndex];
        case RollMode:
            return "Roll Mode";
        case Wheels:
            return parameterName.startsWith ("Pitch Wheel") ? "Pitch Wheel" : "Mod Wheel";
        case Sustain:
            return "Sustain Pedal";
        case Switch:
            return "Switch " + juce::String (controlIndex + 1);
        case Knob:
            return "Knob " + juce::String (controlIndex + 1);
        case Pad:
            return "Pad " + juce::String (controlIndex + 1);
        case MidiToDin:
            return "MIDI To DIN";
        default:
            return {};
    }
}

const std::vector<Mode>& getModes (int controlType)
{
    static const auto knobModes = makeModes (Knob, knobModeNames);
    static const auto padModes = makeModes (Pad, padModeNames);
    static const auto switchModes = makeModes (Switch, switchModeNames);
    static const std::vector<Mode> none;

    switch (controlType)
    {
        case Knob:
            return knobModes;
        case Pad:
            return padModes;
        case Switch:
            return switchModes;
        default:
            return none;
    }
}

NumberRange getModeBoxRange (const juce::String& parameterName)
{
    // Every box name is the pad's or the knob's, and has one range on every control that uses it.
    for (auto type : { Pad, Knob })
        if (const auto* parameter = PresetLayout::findParameter (type, parameterName))
            if (parameter->byte != PresetLayout::getModeByte (type))
                return shownRange (*parameter->range);

    return storedByteRange;
}

NumberRange getNumberRange (int controlType, const juce::String& parameterName)
{
    const auto type = (ControlType) controlType;

    if (type == Knob || type == Pad || type == Switch)
        return getModeBoxRange (parameterName);

    const auto* parameter = PresetLayout::findParameter (type, parameterName);

    if (parameter == nullptr)
        return storedByteRange;

    auto range = shownRange (*parameter->range);

    if (type == Keybed && parameterName.endsWith ("Curve"))
        range.maximum = keybedCurveBoxMaximum;

    return range;
}

juce::StringArray getListEntries (int controlType, const juce::String& parameterName)
{
    if (parameterName == "Mode")
    {
        juce::StringArray entries;

        for (const auto& mode : getModes (controlType))
            entries.add (mode.name);

        return entries;
    }

    if (controlType == Transport && parameterName == "Function")
        return { "Momentary", "Toggle" };

    if (controlType == RollMode && parameterName == "Function")
        return { "Toggle", "Momentary" };

    if (controlType == RollMode && parameterName == "Time Div")
        return { "1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T" };

    if (controlType == Wheels && parameterName.endsWith ("MIDI Channel"))
        return wheelChannels();

    if (controlType == Keybed && parameterName == "Split Mode")
        return { "On", "Off" };

    if (controlType == MidiToDin)
        return { "Off", "On" };

    return {};
}

juce::String getParameterLabel (int controlType, const juce::String& parameterName)
{
    if (controlType == Wheels)
        return parameterName.fromFirstOccurrenceOf ("Wheel ", false, false);

    return parameterName;
}

juce::String getDisplayValue (int controlType, const juce::String& parameterName, juce::uint8 value)
{
    const auto entries = getListEntries (controlType, parameterName);

    if (! entries.isEmpty())
        return juce::isPositiveAndBelow ((int) value, entries.size()) ? entries[value] : juce::String ((int) value);

    if (controlType == PresetName)
        return juce::String::charToString ((juce::juce_wchar) value).quoted();

    return juce::String ((int) value + getDisplayOffset (controlType, parameterName));
}

int getDisplayOffset (int controlType, const juce::String& parameterName)
{
    return PresetLayout::getDisplayOffset ((ControlType) controlType, parameterName);
}
} // namespace ParameterDescriptions
