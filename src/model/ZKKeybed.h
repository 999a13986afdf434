#pragma once

#include "model/LayoutControl.h"

/** The keyboard: a whole zone, or a lower and an upper zone divided at a split point, each with its own
    transpose, octave, channel and velocity curve. The highest split point and octave depend on the
    size of the keyboard, so they are given to the constructor. */
class ZKKeybed : public LayoutControl
{
public:
    ZKKeybed (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum);

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

private:
    juce::uint8 splitPointMaximum;
    juce::uint8 octaveMaximum;
};
