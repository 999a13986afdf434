#include "model/ZKControlsToMidiDin.h"

namespace
{
constexpr juce::uint8 flagMaximum = 1; // 0 off, 1 on
} // namespace

//==============================================================================
ZKControlsToMidiDin::ZKControlsToMidiDin (int offset)
    : Control (blockLength, offset)
{
    // One flag per group: the six transport buttons share one, as do all knobs, all pads and all
    // switches; each keybed zone has its own. The roll mode has none.
    parameterNames.addArray ({ "Transport Midi To DIN", "Keybed Midi To DIN", "Lower Keybed Midi To DIN",
                               "Upper Keybed Midi To DIN", "Pitch Wheel Midi To DIN", "Mod Wheel Midi To DIN",
                               "Sustain Midi To DIN", "Knobs Midi To DIN", "Pads Midi To DIN",
                               "Switches Midi To DIN" });
}

//==============================================================================
juce::uint8 ZKControlsToMidiDin::getMaximum (juce::String parameterName)
{
    return parameterNames.contains (parameterName) ? flagMaximum : (juce::uint8) 0;
}

int ZKControlsToMidiDin::getIndex (juce::String parameterName) { return getIndexFromNameList (parameterName); }
