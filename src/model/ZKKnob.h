#pragma once

#include "model/Control.h"

/** One knob. Its mode (CC or aftertouch) decides which of its names are in use. */
class ZKKnob : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 5;

    //==============================================================================
    explicit ZKKnob (int offset);
    ~ZKKnob() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKKnob)
};
