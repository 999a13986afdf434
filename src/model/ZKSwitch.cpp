#include "model/ZKSwitch.h"

#include "model/AssignableBlock.h"

namespace
{
using namespace AssignableBlock;

// The switch accepts a fourth mode value that has no entry in its mode list.
constexpr juce::uint8 modeMaximum = 3;

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
    addNames (parameters, parameterNames);
}

//==============================================================================
juce::uint8 ZKSwitch::getMaximum (juce::String parameterName)
{
    if (parameterName == "Mode")
        return modeMaximum;

    return Control::getMaximum (parameterName);
}

int ZKSwitch::getIndex (juce::String parameterName) { return findByte (parameters, parameterName); }
