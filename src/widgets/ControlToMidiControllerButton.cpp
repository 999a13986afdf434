#include "widgets/ControlToMidiControllerButton.h"

ControlToMidiControllerButton::ControlToMidiControllerButton (ZKEditorEngine::Ptr engineToUse,
                                                              const juce::String& flagName)
    : ControlToMidiTextButton (flagName)
    , SingleParameterController (this, std::move (engineToUse), flagName, ControlType::MidiToDin, 0)
{
}

ControlToMidiControllerButton::~ControlToMidiControllerButton() = default;

void ControlToMidiControllerButton::buttonClicked (juce::Button* clickedButton)
{
    const auto newState = getButton().getToggleState() ? 0 : 1;
    updateParameter (newState);
    ControlToMidiTextButton::buttonClicked (clickedButton);
    showStoredValueIfRefused (newState);
}
