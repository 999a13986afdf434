#pragma once

#include "model/Control.h"

/** One transport button: momentary or toggle, and the controller number it sends. */
class ZKTransport : public Control
{
public:
    static constexpr int blockLength = 2;

    //==============================================================================
    explicit ZKTransport (int offset);
    ~ZKTransport() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKTransport)
};
