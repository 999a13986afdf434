#include "model/ZKKnob.h"

#include "model/AssignableBlock.h"

namespace
{
using namespace AssignableBlock;

constexpr juce::uint8 modeMaximum = 1; // 0 CC, 1 aftertouch

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
    addNames (parameters, parameterNames);
}

//==============================================================================
juce::uint8 ZKKnob::getMaximum (juce::String parameterName)
{
    if (parameterName == "Mode")
        return modeMaximum;

    return Control::getMaximum (parameterName);
}

int ZKKnob::getIndex (juce::String parameterName) { return findByte (parameters, parameterName); }
