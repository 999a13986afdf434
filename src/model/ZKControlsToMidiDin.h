#pragma once

#include "model/Control.h"

/** One on/off flag per control group: whether that group's messages are also sent to the DIN MIDI output. Flags are whole bytes, not bits. */
class ZKControlsToMidiDin : public Control
{
public:
    static constexpr int blockLength = 10;

    //==============================================================================
    explicit ZKControlsToMidiDin (int offset);
    ~ZKControlsToMidiDin() override = default;

    //==============================================================================
    juce::uint8 getMaximum (juce::String parameterName) override;
    int getIndex (juce::String parameterName) override;

private:
    JUCE_LEAK_DETECTOR (ZKControlsToMidiDin)
};
