#pragma once

#include "widgets/ComboBoxWithLabel.h"
#include "widgets/TransportController.h"

/** A list bound to a parameter of one transport button; the entry's position is the stored value. */
class TransportControllerComboBox
    : public ComboBoxWithLabel
    , public TransportController
    , public juce::ComboBox::Listener
{
public:
    //==============================================================================
    TransportControllerComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                 unsigned int transportIndex, const juce::StringArray& entries);
    ~TransportControllerComboBox() override;

    //==============================================================================
    void comboBoxChanged (juce::ComboBox* box) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TransportControllerComboBox)
};
