#include "model/ZKSwitch.h"

namespace
{
// The five bytes of the block; the middle ones carry a different meaning in every mode.
constexpr int modeByte = 0;
constexpr int numberByte = 1;
constexpr int firstValueByte = 2;
constexpr int secondValueByte = 3;
constexpr int channelByte = 4;

// The switch accepts a fourth mode value that has no entry in its mode list.
constexpr juce::uint8 modeMaximum = 3;

struct NamedByte
{
    const char* name;
    int byte;
};

// In the order of the notifications of a load.
constexpr NamedByte parameters[] = { { "Mode", modeByte },
                                     { "CC", numberByte },
                                     { "Program", numberByte },
                                     { "Toggle On", firstValueByte },
                                     { "Pressed", firstValueByte },
                                     { "Bank LSB", firstValueByte },
                                     { "Toggle Off", secondValueByte },
                                     { "Released", secondValueByte },
                                     { "Bank MSB", secondValueByte },
                                     { "MIDI Channel", channelByte } };
} // namespace

//==============================================================================
ZKSwitch::ZKSwitch (int offset)
    : Control (blockLength, offset)
{
    for (const auto& parameter : parameters)
        parameterNames.add (parameter.name);
}

//==============================================================================
juce::uint8 ZKSwitch::getMaximum (juce::String parameterName)
{
    if (parameterName == "Mode")
        return modeMaximum;

    return Control::getMaximum (parameterName);
}

int ZKSwitch::getIndex (juce::String parameterName)
{
    for (const auto& parameter : parameters)
        if (parameterName == parameter.name)
            return parameter.byte;

    return -1;
}
