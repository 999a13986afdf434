#pragma once

#include "model/Control.h"

/** The sustain pedal input: its controller number, the values sent on press and release, its channel. */
class ZKSustain : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 4;

    /** The position of the block in the preset image. */
    static constexpr int fixedOffset = 51;

    //==============================================================================
    ZKSustain();
    ~ZKSustain() override = default;

    //==============================================================================
    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKSustain)
};
