#pragma once

#include "model/Control.h"

/** One switch. Its mode (CC toggle, CC momentary, program change) decides under which names its middle
    bytes are read; several names address one byte. */
class ZKSwitch : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 5;

    //==============================================================================
    explicit ZKSwitch (int offset);
    ~ZKSwitch() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKSwitch)
};
