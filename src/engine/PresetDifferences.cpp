#include "engine/PresetDifferences.h"

#include "engine/ParameterDescriptions.h"
#include "engine/PresetParameters.h"
#include "model/PresetLayout.h"

#include <map>

namespace
{
constexpr int firstPrintable = 32, lastPrintable = 126;

/** The preset's name as text, up to its first zero byte; a character that is not printable ASCII
    shows as its code ("\x05"), so that two names that differ never look the same. */
juce::String nameOf (const juce::Array<PresetParameters::Parameter>& parameters)
{
    juce::String name;

    for (const auto& parameter : parameters)
    {
        if (parameter.controlType != PresetName)
            continue;

        if (parameter.value == 0)
            break;

        const auto code = (int) parameter.value;
        name += (code >= firstPrintable && code <= lastPrintable)
                    ? juce::String::charToString ((juce::juce_wchar) code)
                    : "\\x" + juce::String::toHexString (code).paddedLeft ('0', 2);
    }

    return name;
}
} // namespace

juce::String PresetDifferences::Difference::describeValues() const
{
    const auto firstPart = parameterName.isEmpty() ? firstValue : parameterName + " " + firstValue;

    if (secondParameterName.isNotEmpty() && secondParameterName != parameterName)
        return firstPart + " / " + secondParameterName + " " + secondValue;

    return firstPart + " / " + secondValue;
}

juce::String PresetDifferences::Difference::toString() const { return controlName + ": " + describeValues(); }

juce::Array<PresetDifferences::Difference> PresetDifferences::find (const juce::Array<juce::uint8>& first,
                                                                    const juce::Array<juce::uint8>& second)
{
    juce::Array<Difference> differences;
    const auto firstParameters = PresetParameters::list (first);
    const auto secondParameters = PresetParameters::list (second);
    std::map<int, const PresetParameters::Parameter*> secondByPosition;

    for (const auto& parameter : secondParameters)
        secondByPosition[parameter.imageIndex] = &parameter;

    bool nameDiffers = false;

    for (const auto& parameter : firstParameters)
    {
        const auto position = parameter.imageIndex;

        if (position >= second.size() || first[position] == second[position])
            continue;

        Difference difference;
        difference.controlType = parameter.controlType;
        difference.controlIndex = parameter.controlIndex;
        difference.imageIndex = position;
        difference.controlName = parameter.controlName;

        // The name is one value, not sixteen characters.
        if (parameter.controlType == PresetName)
        {
            if (nameDiffers)
                continue;

            nameDiffers = true;
            difference.firstValue = nameOf (firstParameters);
            difference.secondValue = nameOf (secondParameters);
            differences.add (difference);
            continue;
        }

        difference.parameterName = parameter.label;
        difference.firstValue = parameter.displayValue;

        // Where the two modes give the byte different meanings, each side is named by its own.
        const auto found = secondByPosition.find (position);

        if (found != secondByPosition.end() && found->second->label != parameter.label)
        {
            difference.secondParameterName = found->second->label;
            difference.secondValue = found->second->displayValue;
        }
        else
        {
            difference.secondValue =
                ParameterDescriptions::getDisplayValue (parameter.controlType, parameter.name, second[position]);
        }

        differences.add (difference);
    }

    return differences;
}

juce::String PresetDifferences::describe (const juce::Array<Difference>& differences, int maxLines)
{
    juce::StringArray lines;

    for (int i = 0; i < differences.size() && i < maxLines; ++i)
        lines.add (differences.getReference (i).toString());

    if (differences.size() > maxLines)
        lines.add ("and " + juce::String (differences.size() - maxLines) + " more");

    return lines.joinIntoString ("\n");
}
