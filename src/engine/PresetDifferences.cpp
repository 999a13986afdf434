#include "engine/PresetDifferences.h"

#include "engine/ParameterDescriptions.h"
#include "model/ControlType.h"

namespace
{
/** The name under which the byte at that position of the control's block is shown in that mode. */
juce::String nameOfByte (Control& control, int controlType, int byteIndex, int mode)
{
    const auto& modes = ParameterDescriptions::getModes (controlType);

    if (juce::isPositiveAndBelow (mode, (int) modes.size()))
        for (const auto& name : modes[(size_t) mode].parameters)
            if (control.getIndex (name) == byteIndex)
                return name;

    for (const auto& name : control.getParameterNames())
        if (control.getIndex (name) == byteIndex)
            return name;

    return "Byte " + juce::String (byteIndex + 1);
}
} // namespace

juce::String PresetDifferences::Difference::toString() const
{
    return controlName + ": " + parameterName + " " + firstValue + " / " + secondValue;
}

juce::Array<PresetDifferences::Difference> PresetDifferences::find (ZKEditorEngine& layout,
                                                                    const juce::Array<juce::uint8>& first,
                                                                    const juce::Array<juce::uint8>& second)
{
    juce::Array<Difference> differences;

    for (int type = PresetName; type <= MidiToDin; ++type)
    {
        auto& controls = layout.getControls (type);

        for (int controlIndex = 0; controlIndex < controls.size(); ++controlIndex)
        {
            auto& control = *controls.getUnchecked (controlIndex);
            const auto blockLength = control.getValues().size();
            const auto modeIndex = control.getOffset() + juce::jmax (0, control.getIndex ("Mode"));
            const auto hasModes = ! ParameterDescriptions::getModes (type).empty();
            const int mode = hasModes ? (int) first[modeIndex] : -1;

            for (int byte = 0; byte < blockLength; ++byte)
            {
                const auto position = control.getOffset() + byte;

                if (! juce::isPositiveAndBelow (position, juce::jmin (first.size(), second.size()))
                    || first[position] == second[position])
                    continue;

                const auto name = nameOfByte (control, type, byte, mode);

                Difference difference;
                difference.controlType = type;
                difference.controlIndex = controlIndex;
                difference.imageIndex = position;
                difference.controlName = ParameterDescriptions::getControlName (type, controlIndex, name);
                difference.parameterName = ParameterDescriptions::getParameterLabel (type, name);
                difference.firstValue = ParameterDescriptions::getDisplayValue (type, name, first[position]);
                difference.secondValue = ParameterDescriptions::getDisplayValue (type, name, second[position]);
                differences.add (difference);
            }
        }
    }

    // Controls are visited by type; the image order is easier to follow in a list.
    std::sort (differences.begin(), differences.end(),
               [] (const Difference& a, const Difference& b) { return a.imageIndex < b.imageIndex; });
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
