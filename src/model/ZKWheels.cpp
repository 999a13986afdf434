#include "model/ZKWheels.h"

namespace
{
constexpr juce::uint8 channelWithOmniMaximum = 16; // 0 to 15 one channel, 16 all channels
} // namespace

//==============================================================================
ZKWheels::ZKWheels()
    : Control (blockLength, fixedOffset)
{
    parameterNames.addArray (
        { "Pitch Wheel MIDI Channel", "Mod Wheel MIDI Channel", "Mod Wheel CC", "Mod Wheel Min", "Mod Wheel Max" });
}

//==============================================================================
juce::uint8 ZKWheels::getMaximum (juce::String parameterName)
{
    if (parameterName.contains ("Channel"))
        return channelWithOmniMaximum;

    return Control::getMaximum (parameterName);
}

int ZKWheels::getIndex (juce::String parameterName) { return getIndexFromNameList (parameterName); }
