#include "widgets/ControlToMidiTextButton.h"

namespace
{
const juce::String dinLabelText ("MIDI to DIN");
constexpr float dinLabelFontHeight = 12.0f;
constexpr int dinLabelWidth = 60;
constexpr int switchX = 62;
constexpr int switchWidth = 20;
} // namespace

ControlToMidiTextButton::ControlToMidiTextButton (const juce::String& buttonName, juce::Button::Listener* listener)
{
    setSize (componentWidth, componentHeight);

    label = createLabel (dinLabelText);
    label->setFont (juce::Font (dinLabelFontHeight));
    label->setBounds (0, 0, dinLabelWidth, componentHeight);

    button = std::make_unique<juce::TextButton>();
    button->setLookAndFeel (&buttonLook);
    setDisplayedValue (0);
    button->setBounds (switchX, 0, switchWidth, componentHeight);

    addAndMakeVisible (*label);
    addAndMakeVisible (*button);

    button->addListener (this);
    button->setName (buttonName);

    if (listener != nullptr)
        button->addListener (listener);
}

ControlToMidiTextButton::~ControlToMidiTextButton()
{
    // buttonLook goes before the button does.
    button->setLookAndFeel (nullptr);
}

//==============================================================================
void ControlToMidiTextButton::setDisplayedValue (int value)
{
    const auto isOn = value != 0;
    button->setButtonText (isOn ? "ON" : "OFF");
    button->setToggleState (isOn, juce::dontSendNotification);
}

void ControlToMidiTextButton::buttonClicked (juce::Button*) { setDisplayedValue (button->getToggleState() ? 0 : 1); }
