#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A widget that shows the value of one parameter, with a label on its left. */
class UIParameterInterface : public juce::Component
{
public:
    //==============================================================================
    /** Shows this value: a list entry's position, a number, or on (non-zero) and off. */
    virtual void setDisplayedValue (int value) = 0;

    /** The white label on a widget's left, in the place and font that every labelled widget uses. */
    static std::unique_ptr<juce::Label> createLabel (const juce::String& labelText);

    //==============================================================================
    static constexpr int labelWidth = 100;
    static constexpr int labelHeight = 16;
    static constexpr float labelFontHeight = 16.0f;
};
