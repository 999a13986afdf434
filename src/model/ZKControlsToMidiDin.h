#pragma once

#include "model/Control.h"

/** One on/off flag per control group: whether that group's messages are also sent to the DIN MIDI
    output. Flags are whole bytes, not bits. */
class ZKControlsToMidiDin : public Control
{
public:
    /** The number of bytes of the block in the preset image. */
    static constexpr int blockLength = 10;

    //==============================================================================
    explicit ZKControlsToMidiDin (int offset);
    ~ZKControlsToMidiDin() override = default;

    //==============================================================================
    /** The largest value accepted under that name. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another class. */
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKControlsToMidiDin)
};
