#pragma once

#include "model/Control.h"

/** The note-repeat function: how it is switched, its time division, gate and swing. */
class ZKRollMode : public Control
{
public:
    static constexpr int blockLength = 4;
    static constexpr int fixedOffset = 30;

    //==============================================================================
    ZKRollMode();
    ~ZKRollMode() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKRollMode)
};
