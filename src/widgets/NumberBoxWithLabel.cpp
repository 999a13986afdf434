#include "widgets/NumberBoxWithLabel.h"

#include "widgets/EditorColours.h"

NumberBoxWithLabel::NumberBoxWithLabel (int minimum, int maximum, const juce::String& labelText,
                                        NumberBox::Listener* listener)
{
    label = createLabel (labelText);

    numberBox = std::make_unique<NumberBox>();
    numberBox->setColour (juce::Label::backgroundColourId, EditorColours::white);
    numberBox->setColour (juce::Label::textColourId, EditorColours::blue);
    numberBox->setColour (juce::Label::backgroundWhenEditingColourId, EditorColours::blue);
    numberBox->setColour (juce::Label::textWhenEditingColourId, EditorColours::blue);
    numberBox->minimum = minimum;
    numberBox->maximum = maximum;
    numberBox->setNumber (minimum);
    numberBox->setEditable (true, false, false);
    numberBox->setBounds (boxX, 0, boxWidth, boxHeight);
    numberBox->setName (labelText);

    addAndMakeVisible (*numberBox);
    addAndMakeVisible (*label);

    if (listener != nullptr)
        numberBox->addListener (listener);
}

NumberBoxWithLabel::~NumberBoxWithLabel() = default;

void NumberBoxWithLabel::setDisplayedValue (int value) { numberBox->showNumber (value); }
