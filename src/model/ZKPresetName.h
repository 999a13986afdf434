#pragma once

#include "model/Control.h"

/** The preset's name: sixteen 7-bit character codes, one per byte, with no length byte and no terminator. */
class ZKPresetName : public Control
{
public:
    static constexpr int blockLength = 16;
    static constexpr int fixedOffset = 0;

    //==============================================================================
    ZKPresetName();
    ~ZKPresetName() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKPresetName)
};
