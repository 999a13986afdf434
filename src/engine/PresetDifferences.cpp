#include "engine/PresetDifferences.h"

#include "engine/ParameterDescriptions.h"
#include "engine/PresetParameters.h"

juce::String PresetDifferences::Difference::toString() const
{
    return controlName + ": " + parameterName + " " + firstValue + " / " + secondValue;
}

juce::Array<PresetDifferences::Difference> PresetDifferences::find (ZKEditorEngine& layout,
                                                                    const juce::Array<juce::uint8>& first,
                                                                    const juce::Array<juce::uint8>& second)
{
    juce::Array<Difference> differences;

    // Both values are named and shown as the first image's modes name them.
    for (const auto& parameter : PresetParameters::list (layout, first))
    {
        const auto position = parameter.imageIndex;

        if (position >= second.size() || first[position] == second[position])
            continue;

        Difference difference;
        difference.controlType = parameter.controlType;
        difference.controlIndex = parameter.controlIndex;
        difference.imageIndex = position;
        difference.controlName = parameter.controlName;
        difference.parameterName = parameter.label;
        difference.firstValue = parameter.displayValue;
        difference.secondValue =
            ParameterDescriptions::getDisplayValue (parameter.controlType, parameter.name, second[position]);
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
