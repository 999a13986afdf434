#pragma once

#include "model/Control.h"

/** One transport button: momentary or toggle, and the controller number it sends. */
class ZKTransport : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 2;

    //==============================================================================
    explicit ZKTransport (int offset);
    ~ZKTransport() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKTransport)
};
