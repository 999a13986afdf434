#include "widgets/ComboBoxWithLabel.h"

#include "widgets/EditorColours.h"

namespace
{
// Entry k of a list has the identifier k + 1, since 0 means that nothing is selected.
constexpr int firstItemId = 1;
} // namespace

ComboBoxWithLabel::ComboBoxWithLabel (const juce::StringArray& entries, const juce::String& labelText,
                                      juce::ComboBox::Listener* listener)
{
    label = createLabel (labelText);

    comboBox = std::make_unique<juce::ComboBox>();
    comboBox->setEditableText (false);
    comboBox->setJustificationType (juce::Justification::centredLeft);
    comboBox->setTextWhenNothingSelected ({});
    comboBox->setTextWhenNoChoicesAvailable ({});
    comboBox->setName (labelText);
    comboBox->addItemList (entries, firstItemId);
    comboBox->setColour (juce::ComboBox::textColourId, EditorColours::blue);
    comboBox->setColour (juce::ComboBox::arrowColourId, EditorColours::blue);
    comboBox->setSelectedId (firstItemId, juce::sendNotificationAsync);
    comboBox->setBounds (listX, 0, listWidth, listHeight);

    if (listener != nullptr)
        comboBox->addListener (listener);

    addAndMakeVisible (*comboBox);
    addAndMakeVisible (*label);
}

ComboBoxWithLabel::~ComboBoxWithLabel() = default;

void ComboBoxWithLabel::setDisplayedValue (int value)
{
    comboBox->setSelectedId (value + firstItemId, juce::sendNotificationAsync);
}
