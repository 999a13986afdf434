#pragma once

#include "model/Control.h"

/** The pitch and modulation wheels. Their channels have a seventeenth value, 16, meaning all channels. */
class ZKWheels : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 5;

    /** The position of the block in the preset image. */
    static constexpr int fixedOffset = 46;

    //==============================================================================
    ZKWheels();
    ~ZKWheels() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKWheels)
};
