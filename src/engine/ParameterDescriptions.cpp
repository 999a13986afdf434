#include "engine/ParameterDescriptions.h"

#include "model/PresetLayout.h"

namespace ParameterDescriptions
{
namespace
{
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

    std::vector<Mode> makeModes (ControlType type)
    {
        std::vector<Mode> modes;
        const auto modeNames = PresetLayout::getTypeNames (type).modes;

        for (int value = 0; value < modeNames.size; ++value)
        {
            auto names = PresetLayout::getNamesOfMode (type, value);
            std::stable_sort (names.begin(), names.end(),
                              [type] (const juce::String& a, const juce::String& b)
                              { return boxPosition (type, a) < boxPosition (type, b); });
            modes.push_back ({ modeNames.first[value], names });
        }

        return modes;
    }
} // namespace

juce::String getControlName (int controlType, int controlIndex, const juce::String& parameterName)
{
    if (! juce::isPositiveAndBelow (controlType, (int) numControlTypes))
        return {};

    const auto type = (ControlType) controlType;

    if (type == Wheels)
        return parameterName.startsWith ("Pitch Wheel") ? "Pitch Wheel" : "Mod Wheel";

    const auto& names = PresetLayout::getTypeNames (type);

    if (juce::isPositiveAndBelow (controlIndex, names.instances.size))
        return names.instances.first[controlIndex];

    if (PresetLayout::getCount (type) > 1)
        return names.singular + (" " + juce::String (controlIndex + 1));

    return names.singular;
}

const std::vector<Mode>& getModes (int controlType)
{
    static const auto modesOfEveryType = []
    {
        std::vector<std::vector<Mode>> modes;

        for (int type = 0; type < numControlTypes; ++type)
            modes.push_back (makeModes ((ControlType) type));

        return modes;
    }();

    static const std::vector<Mode> none;
    return juce::isPositiveAndBelow (controlType, (int) numControlTypes) ? modesOfEveryType[(size_t) controlType]
                                                                         : none;
}

NumberRange getModeBoxRange (const juce::String& parameterName)
{
    // A box name has one range on every type of control with modes that uses it.
    for (int type = 0; type < numControlTypes; ++type)
        if (const auto* parameter = PresetLayout::findParameter ((ControlType) type, parameterName))
            if (PresetLayout::getModeByte ((ControlType) type) >= 0
                && parameter->byte != PresetLayout::getModeByte ((ControlType) type))
                return shownRange (*parameter->range);

    return storedByteRange;
}

NumberRange getNumberRange (int controlType, const juce::String& parameterName)
{
    const auto type = (ControlType) controlType;

    if (PresetLayout::getModeByte (type) >= 0)
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

    if (const auto* parameter = PresetLayout::findParameter ((ControlType) controlType, parameterName))
        return parameter->valueNames.toStringArray();

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
