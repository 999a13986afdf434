#pragma once

#include "model/Control.h"

/** The sustain pedal input: its controller number, the values sent on press and release, its channel. */
class ZKSustain : public Control
{
public:
    static constexpr int blockLength = 4;
    static constexpr int fixedOffset = 51;

    //==============================================================================
    ZKSustain();
    ~ZKSustain() override = default;

    //==============================================================================
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKSustain)
};
