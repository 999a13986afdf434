#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The look of a MIDI-to-DIN button: a white filled box with blue text when on, a white frame with
    white text when off. */
class MidiToDinButtonLook : public juce::LookAndFeel_V3
{
public:
    //==============================================================================
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawButtonText (juce::Graphics&, juce::TextButton&, bool shouldDrawButtonAsHighlighted,
                         bool shouldDrawButtonAsDown) override;

    //==============================================================================
    static constexpr float cornerSize = 2.0f;
    static constexpr float fontHeight = 12.0f;
};
