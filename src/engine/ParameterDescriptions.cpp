#include "engine/ParameterDescriptions.h"

#include "model/ControlType.h"

namespace ParameterDescriptions
{
namespace
{
    const juce::StringArray transportNames{ "Rewind", "Fast Forward", "Stop", "Play", "Loop", "Record" };

    // Channels and curves count from 1 on the screen and from 0 in the preset; transpose is stored
    // 0 to 24 and shown -12 to +12.
    constexpr NumberRange midiChannelRange{ 1, 16, 1 };
    constexpr NumberRange curveRange{ 1, 8, 1 };
    constexpr NumberRange transposeRange{ -12, 12, -12 };
    constexpr NumberRange storedByteRange{ 0, 127, 0 };

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
    static const std::vector<Mode> knobModes{ { "CC", { "MIDI Channel", "CC", "Min", "Max" } },
                                              { "Aftertouch", { "MIDI Channel", "Min", "Max" } } };

    static const std::vector<Mode> padModes{ { "Note", { "MIDI Channel", "Note", "Fixed", "Curve" } },
                                             { "CC Toggle", { "MIDI Channel", "CC", "Toggle On", "Toggle Off" } },
                                             { "CC Momentary", { "MIDI Channel", "CC", "Pressed", "Released" } },
                                             { "Program Change",
                                               { "MIDI Channel", "Bank LSB", "Bank MSB", "Program" } } };

    static const std::vector<Mode> switchModes{ { "CC Toggle", { "MIDI Channel", "CC", "Toggle On", "Toggle Off" } },
                                                { "CC Momentary", { "MIDI Channel", "CC", "Pressed", "Released" } },
                                                { "Program Change",
                                                  { "MIDI Channel", "Bank LSB", "Bank MSB", "Program" } } };

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
    if (parameterName == "MIDI Channel")
        return midiChannelRange;

    if (parameterName == "Curve")
        return curveRange;

    return storedByteRange;
}

NumberRange getNumberRange (int controlType, const juce::String& parameterName)
{
    if (controlType == Knob || controlType == Pad || controlType == Switch)
        return getModeBoxRange (parameterName);

    if (parameterName.endsWith ("MIDI Channel"))
        return midiChannelRange;

    if (parameterName.endsWith ("Curve"))
        return curveRange;

    if (parameterName.endsWith ("Transpose"))
        return transposeRange;

    return storedByteRange;
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
    if (controlType == Keybed && parameterName == "Split Point")
        return 1;

    if (controlType == RollMode && parameterName == "Gate")
        return 1;

    if (controlType == RollMode && parameterName == "Swing")
        return 50;

    return getNumberRange (controlType, parameterName).displayOffset;
}
} // namespace ParameterDescriptions
