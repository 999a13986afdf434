#pragma once

#include "widgets/ControlToMidiTextButton.h"
#include "widgets/ParameterBinding.h"

/** A MIDI-to-DIN button bound to one flag of the routing control. */
class ControlToMidiControllerButton
    : public ControlToMidiTextButton
    , public virtual juce::Button::Listener
{
public:
    //==============================================================================
    ControlToMidiControllerButton (ZKEditorEngine::Ptr engine, const juce::String& flagName);
    ~ControlToMidiControllerButton() override;

    //==============================================================================
    /** Stores the flag without notification, then flips the display. */
    void buttonClicked (juce::Button*) override;

    ParameterBinding& getBinding() noexcept { return binding; }
    const juce::String& getParameterName() const noexcept { return binding.getParameterName(); }

private:
    //==============================================================================
    ParameterBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlToMidiControllerButton)
};
