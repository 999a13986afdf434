#include "model/ZKKeybed.h"

namespace
{
constexpr juce::uint8 splitModeMaximum = 1;  // 0 split ("On"), 1 whole ("Off")
constexpr juce::uint8 transposeMaximum = 24; // -12 to +12 semitones
constexpr juce::uint8 curveMaximum = 8;
constexpr juce::uint8 channelMaximum = 15;
} // namespace

//==============================================================================
ZKKeybed::ZKKeybed (juce::uint8 splitPointMax, juce::uint8 octaveMax)
    : Control (blockLength, fixedOffset)
    , splitPointMaximum (splitPointMax)
    , octaveMaximum (octaveMax)
{
    // Block order: the whole zone, the split, then the lower and the upper zone.
    parameterNames.addArray ({ "Keybed Transpose", "Keybed Octave", "Keybed MIDI Channel", "Keybed Curve", "Split Mode",
                               "Split Point", "Lower Keybed Transpose", "Lower Keybed Octave",
                               "Lower Keybed MIDI Channel", "Lower Keybed Curve", "Upper Keybed Transpose",
                               "Upper Keybed Octave", "Upper Keybed MIDI Channel", "Upper Keybed Curve" });
}

//==============================================================================
juce::uint8 ZKKeybed::getMaximum (juce::String parameterName)
{
    if (parameterName == "Split Mode")
        return splitModeMaximum;

    if (parameterName == "Split Point")
        return splitPointMaximum;

    // The zones share their limits, so the kind of a parameter is read from its name alone.
    if (parameterName.contains ("Transpose"))
        return transposeMaximum;

    if (parameterName.contains ("Octave"))
        return octaveMaximum;

    if (parameterName.contains ("Curve"))
        return curveMaximum;

    if (parameterName.contains ("MIDI Channel"))
        return channelMaximum;

    return 0;
}

int ZKKeybed::getIndex (juce::String parameterName) { return getIndexFromNameList (parameterName); }
