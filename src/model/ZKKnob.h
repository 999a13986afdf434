#pragma once

#include "model/Control.h"

/** One knob. Its mode (CC or aftertouch) decides which of its names are in use. */
class ZKKnob : public Control
{
public:
    static constexpr int blockLength = 5;

    //==============================================================================
    explicit ZKKnob (int offset);
    ~ZKKnob() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKKnob)
};
