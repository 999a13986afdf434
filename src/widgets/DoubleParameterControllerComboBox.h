#pragma once

#include "widgets/ComboBoxWithLabel.h"
#include "widgets/DoubleParameterController.h"

/** A list bound to a parameter of one knob, pad or switch; the entry's position is the stored value. */
class DoubleParameterControllerComboBox
    : public ComboBoxWithLabel
    , public DoubleParameterController
    , public juce::ComboBox::Listener
{
public:
    //==============================================================================
    DoubleParameterControllerComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                       juce::uint8 controlIndex, int controlType, const juce::StringArray& entries,
                                       juce::ComboBox::Listener* extraListener = nullptr);
    ~DoubleParameterControllerComboBox() override;

    //==============================================================================
    void comboBoxChanged (juce::ComboBox* box) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DoubleParameterControllerComboBox)
};
