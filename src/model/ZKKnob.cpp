#include "model/ZKKnob.h"

namespace
{
// The five bytes of the block; the middle ones carry a different meaning in every mode.
constexpr int modeByte = 0;
constexpr int numberByte = 1;
constexpr int firstValueByte = 2;
constexpr int secondValueByte = 3;
constexpr int channelByte = 4;

constexpr juce::uint8 modeMaximum = 1; // 0 CC, 1 aftertouch

struct NamedByte
{
    const char* name;
    int byte;
};

// In the order of the notifications of a load.
constexpr NamedByte parameters[] = { { "Mode", modeByte },
                                     { "CC", numberByte },
                                     { "Min", firstValueByte },
                                     { "Max", secondValueByte },
                                     { "MIDI Channel", channelByte } };
} // namespace

//==============================================================================
ZKKnob::ZKKnob (int offset)
    : Control (blockLength, offset)
{
    for (const auto& parameter : parameters)
        parameterNames.add (parameter.name);
}

//==============================================================================
juce::uint8 ZKKnob::getMaximum (juce::String parameterName)
{
    if (parameterName == "Mode")
        return modeMaximum;

    return Control::getMaximum (parameterName);
}

int ZKKnob::getIndex (juce::String parameterName)
{
    for (const auto& parameter : parameters)
        if (parameterName == parameter.name)
            return parameter.byte;

    return -1;
}
