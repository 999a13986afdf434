#pragma once

#include "widgets/MidiToDinButtonLook.h"
#include "widgets/UIParameterInterface.h"

/** A small on/off button labelled "MIDI to DIN" that shows "ON" or "OFF" and flips on a click. */
class ControlToMidiTextButton
    : public UIParameterInterface
    , public virtual juce::Button::Listener
{
public:
    //==============================================================================
    explicit ControlToMidiTextButton (const juce::String& buttonName, juce::Button::Listener* listener = nullptr);
    ~ControlToMidiTextButton() override;

    //==============================================================================
    /** Shows "ON" for any non-zero value, "OFF" for zero. */
    void setDisplayedValue (int value) override;

    void buttonClicked (juce::Button*) override;

    juce::TextButton& getButton() noexcept { return *button; }
    juce::Label& getLabel() noexcept { return *label; }

    //==============================================================================
    static constexpr int componentWidth = 100;
    static constexpr int componentHeight = 12;

private:
    //==============================================================================
    std::unique_ptr<juce::Label> label;
    std::unique_ptr<juce::TextButton> button;
    MidiToDinButtonLook buttonLook;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlToMidiTextButton)
};
