#pragma once

#include "model/Control.h"

/** The keyboard: a whole zone, or a lower and an upper zone divided at a split point, each with its own transpose, octave, channel and velocity curve. */
class ZKKeybed : public Control
{
public:
    static constexpr int blockLength = 14;
    static constexpr int fixedOffset = 16;

    //==============================================================================
    ZKKeybed (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum);
    ~ZKKeybed() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    juce::uint8 splitPointMaximum;
    juce::uint8 octaveMaximum;

    JUCE_LEAK_DETECTOR (ZKKeybed)
};
