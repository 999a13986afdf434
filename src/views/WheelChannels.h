#pragma once

#include <juce_core/juce_core.h>

/** The channel list of a wheel: "1" to "16" for the stored 0 to 15, and "Omni" for 16, which only
    the wheels know. */
namespace WheelChannels
{
inline juce::StringArray entries()
{
    constexpr int numChannels = 16;
    juce::StringArray channels;

    for (int channel = 1; channel <= numChannels; ++channel)
        channels.add (juce::String (channel));

    channels.add ("Omni");
    return channels;
}
} // namespace WheelChannels
