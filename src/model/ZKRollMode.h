#pragma once

#include "model/Control.h"

/** The note-repeat function: how it is switched, its time division, gate and swing. */
class ZKRollMode : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 4;

    /** The position of the block in the preset image. */
    static constexpr int fixedOffset = 30;

    //==============================================================================
    ZKRollMode();
    ~ZKRollMode() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKRollMode)
};
