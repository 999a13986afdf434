#pragma once

#include "model/Control.h"

/** The pitch and modulation wheels. Their channels have a seventeenth value, 16, meaning all channels. */
class ZKWheels : public Control
{
public:
    static constexpr int blockLength = 5;
    static constexpr int fixedOffset = 46;

    //==============================================================================
    ZKWheels();
    ~ZKWheels() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKWheels)
};
