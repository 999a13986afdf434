#include "widgets/MidiToDinButtonLook.h"

#include "widgets/EditorColours.h"

void MidiToDinButtonLook::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&, bool,
                                                bool)
{
    g.setColour (EditorColours::white);

    if (button.getToggleState())
        g.fillRoundedRectangle (button.getLocalBounds().toFloat(), cornerSize);
    else
        g.drawRect (button.getLocalBounds(), 1);
}

void MidiToDinButtonLook::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    // Blue on the white fill when on, white on the background when off.
    g.setColour (button.getToggleState() ? EditorColours::blue : EditorColours::white);
    g.setFont (juce::Font (fontHeight));
    g.drawText (button.getButtonText(), 0, 0, button.getWidth(), button.getHeight(), juce::Justification::left, false);
}
