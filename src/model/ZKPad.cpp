#include "model/ZKPad.h"

namespace
{
// The five bytes of the block; the middle ones carry a different meaning in every mode.
constexpr int modeByte = 0;
constexpr int numberByte = 1;
constexpr int firstValueByte = 2;
constexpr int secondValueByte = 3;
constexpr int channelByte = 4;

constexpr juce::uint8 modeMaximum = 3;  // note, CC toggle, CC momentary, program change
constexpr juce::uint8 curveMaximum = 7; // eight velocity curves

struct NamedByte
{
    const char* name;
    int byte;
};

// In the order of the notifications of a load.
constexpr NamedByte parameters[] = { { "Mode", modeByte },
                                     { "Note", numberByte },
                                     { "CC", numberByte },
                                     { "Program", numberByte },
                                     { "Fixed", firstValueByte },
                                     { "Toggle On", firstValueByte },
                                     { "Pressed", firstValueByte },
                                     { "Bank LSB", firstValueByte },
                                     { "Toggle Off", secondValueByte },
                                     { "Released", secondValueByte },
                                     { "Bank MSB", secondValueByte },
                                     { "Curve", secondValueByte },
                                     { "MIDI Channel", channelByte } };
} // namespace

//==============================================================================
ZKPad::ZKPad (int offset)
    : Control (blockLength, offset)
{
    for (const auto& parameter : parameters)
        parameterNames.add (parameter.name);
}

//==============================================================================
juce::uint8 ZKPad::getMaximum (juce::String parameterName)
{
    if (parameterName == "Mode")
        return modeMaximum;

    // The limit belongs to the name: the curve byte takes up to 127 under its other names.
    if (parameterName == "Curve")
        return curveMaximum;

    return Control::getMaximum (parameterName);
}

int ZKPad::getIndex (juce::String parameterName)
{
    for (const auto& parameter : parameters)
        if (parameterName == parameter.name)
            return parameter.byte;

    return -1;
}
