#include "model/ZKPad.h"

#include "model/AssignableBlock.h"

namespace
{
using namespace AssignableBlock;

constexpr juce::uint8 modeMaximum = 3;  // note, CC toggle, CC momentary, program change
constexpr juce::uint8 curveMaximum = 7; // eight velocity curves

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
    addNames (parameters, parameterNames);
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

int ZKPad::getIndex (juce::String parameterName) { return findByte (parameters, parameterName); }
