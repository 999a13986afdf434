#pragma once

#include "engine/ParameterDescriptions.h"
#include "model/ControlType.h"

#include <juce_core/juce_core.h>

/** The channel list of a wheel: "1" to "16" for the stored 0 to 15, and "Omni" for 16, which only
    the wheels know. */
namespace WheelChannels
{
inline juce::StringArray entries()
{
    return ParameterDescriptions::getListEntries (ControlType::Wheels, "Pitch Wheel MIDI Channel");
}
} // namespace WheelChannels
