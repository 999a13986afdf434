#include "widgets/ControlToMidiControllerButton.h"

#include "model/PresetLayout.h"

ControlToMidiControllerButton::ControlToMidiControllerButton (ZKEditorEngine::Ptr engine, const juce::String& flagName)
    : ControlToMidiTextButton (flagName)
    , binding (*this, std::move (engine), flagName, ControlType::MidiToDin, 0, 0)
{
}

ControlToMidiControllerButton::~ControlToMidiControllerButton() = default;

void ControlToMidiControllerButton::buttonClicked (juce::Button* clickedButton)
{
    const auto newState = getButton().getToggleState() ? 0 : 1;
    binding.write (newState);
    ControlToMidiTextButton::buttonClicked (clickedButton);
    binding.showStoredValueIfRefused (newState);
}
