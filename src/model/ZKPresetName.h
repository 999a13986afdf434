#pragma once

#include "model/Control.h"

/** The preset's name: sixteen 7-bit character codes, one per byte, with no length byte and no
    terminator. */
class ZKPresetName : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 16;

    /** The position of the block in the preset image. */
    static constexpr int fixedOffset = 0;

    //==============================================================================
    ZKPresetName();
    ~ZKPresetName() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKPresetName)
};
