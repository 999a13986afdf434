#include "widgets/UIParameterInterface.h"

#include "widgets/EditorColours.h"

std::unique_ptr<juce::Label> UIParameterInterface::createLabel (const juce::String& labelText)
{
    auto label = std::make_unique<juce::Label>();
    label->setText (labelText, juce::dontSendNotification);
    label->setFont (juce::Font (labelFontHeight));
    label->setJustificationType (juce::Justification::centredLeft);
    label->setColour (juce::Label::textColourId, EditorColours::white);
    label->setBounds (0, 0, labelWidth, labelHeight);
    return label;
}
