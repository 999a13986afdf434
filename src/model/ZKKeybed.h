#pragma once

#include "model/Control.h"

/** The keyboard: a whole zone, or a lower and an upper zone divided at a split point, each with its own
    transpose, octave, channel and velocity curve. */
class ZKKeybed : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 14;

    /** The position of the block in the preset image. */
    static constexpr int fixedOffset = 16;

    //==============================================================================
    ZKKeybed (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum);
    ~ZKKeybed() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    juce::uint8 splitPointMaximum;
    juce::uint8 octaveMaximum;

    JUCE_LEAK_DETECTOR (ZKKeybed)
};
