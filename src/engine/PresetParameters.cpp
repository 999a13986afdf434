#include "engine/PresetParameters.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"

namespace
{
/** The name under which a byte of a block is shown while the control's "Mode" byte holds that value:
    the name that the mode uses, or else the byte's first name. Every byte has a name. */
const PresetLayout::Parameter* findNameOfByte (ControlType type, int byte, int modeValue)
{
    const PresetLayout::Parameter* first = nullptr;

    for (const auto& parameter : PresetLayout::getParameters (type))
    {
        if (parameter.byte != byte)
            continue;

        if (parameter.isUsedInMode (modeValue))
            return &parameter;

        if (first == nullptr)
            first = &parameter;
    }

    return first;
}

bool isWholeNumber (const juce::String& text)
{
    const auto digits = text.startsWithChar ('-') || text.startsWithChar ('+') ? text.substring (1) : text;
    return digits.isNotEmpty() && digits.length() <= 6 && digits.containsOnly ("0123456789");
}

PresetParameters::Parameter describeByte (ControlType type, int controlIndex, int offset, int byte,
                                          const juce::Array<juce::uint8>& image)
{
    const auto modeByte = PresetLayout::getModeByte (type);
    const auto modeValue = modeByte >= 0 ? (int) image[offset + modeByte] : -1;
    const auto* named = findNameOfByte (type, byte, modeValue);
    jassert (named != nullptr);

    PresetParameters::Parameter parameter;
    parameter.controlType = type;
    parameter.controlIndex = controlIndex;
    parameter.imageIndex = offset + byte;
    parameter.value = image[parameter.imageIndex];

    const juce::String name (named->name);

    parameter.controlName = ParameterDescriptions::getControlName (type, controlIndex, name);
    parameter.shownInEditor = modeByte < 0 || byte == modeByte || named->isUsedInMode (modeValue);
    parameter.name = name;
    parameter.label = ParameterDescriptions::getParameterLabel (type, name);
    parameter.displayValue = ParameterDescriptions::getDisplayValue (type, name, parameter.value);
    parameter.listEntries = ParameterDescriptions::getListEntries (type, name);
    parameter.displayOffset = named->range->displayOffset;
    parameter.displayMinimum = parameter.displayOffset;
    parameter.displayMaximum = (int) named->range->maximum + parameter.displayOffset;
    return parameter;
}
} // namespace

int PresetParameters::getImageLength() { return PresetLayout::imageLength; }

juce::Array<PresetParameters::Parameter> PresetParameters::list (const juce::Array<juce::uint8>& image)
{
    juce::Array<Parameter> parameters;

    // The blocks in the order of the image, so the list follows it too.
    for (const auto& block : PresetLayout::blocks)
        for (int controlIndex = 0; controlIndex < block.count; ++controlIndex)
            for (int byte = 0; byte < block.blockLength; ++byte)
            {
                const auto offset = PresetLayout::getOffset (block.type, controlIndex);

                if (juce::isPositiveAndBelow (offset + byte, image.size()))
                    parameters.add (describeByte (block.type, controlIndex, offset, byte, image));
            }

    return parameters;
}

juce::Result PresetParameters::parseDisplayValue (const Parameter& parameter, const juce::String& text,
                                                  juce::uint8& storedValue)
{
    const auto where = parameter.controlName + " " + parameter.label.quoted();
    const auto trimmed = text.trim();

    if (! parameter.listEntries.isEmpty())
    {
        // A list offers its entries, as far as the control accepts them.
        auto entry = parameter.listEntries.indexOf (trimmed, true);

        if (entry < 0 && isWholeNumber (trimmed))
            entry = trimmed.getIntValue();

        const auto lowest = parameter.displayMinimum - parameter.displayOffset;
        const auto highest =
            juce::jmin (parameter.displayMaximum - parameter.displayOffset, parameter.listEntries.size() - 1);

        if (entry < lowest || entry > highest)
        {
            juce::StringArray offered;

            for (int k = juce::jmax (0, lowest); k <= highest; ++k)
                offered.add (parameter.listEntries[k].quoted());

            return juce::Result::fail (where + " takes " + offered.joinIntoString (", ") + ", not " + trimmed.quoted());
        }

        storedValue = (juce::uint8) entry;
        return juce::Result::ok();
    }

    const auto range = juce::String (parameter.displayMinimum) + " to " + juce::String (parameter.displayMaximum);

    if (! isWholeNumber (trimmed))
        return juce::Result::fail (where + " takes a whole number from " + range + ", not " + trimmed.quoted());

    const auto shown = trimmed.getIntValue();

    if (shown < parameter.displayMinimum || shown > parameter.displayMaximum)
        return juce::Result::fail (where + " takes a number from " + range + ", not " + trimmed);

    storedValue = (juce::uint8) (shown - parameter.displayOffset);
    return juce::Result::ok();
}
