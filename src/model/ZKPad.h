#pragma once

#include "model/Control.h"

/** One drum pad. Its mode (note, CC toggle, CC momentary, program change) decides under which names its middle bytes are read; several names address one byte. */
class ZKPad : public Control
{
public:
    static constexpr int blockLength = 5;

    //==============================================================================
    explicit ZKPad (int offset);
    ~ZKPad() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKPad)
};
