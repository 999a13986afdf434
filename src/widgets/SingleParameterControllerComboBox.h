#pragma once

#include "widgets/ComboBoxWithLabel.h"
#include "widgets/SingleParameterController.h"

/** A list bound to a parameter of the single control of a ControlType; the entry's position is the stored value. */
class SingleParameterControllerComboBox
    : public ComboBoxWithLabel
    , public SingleParameterController
    , public juce::ComboBox::Listener
{
public:
    //==============================================================================
    SingleParameterControllerComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType,
                                       const juce::StringArray& entries,
                                       juce::ComboBox::Listener* extraListener = nullptr);
    ~SingleParameterControllerComboBox() override;

    //==============================================================================
    void comboBoxChanged (juce::ComboBox* box) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SingleParameterControllerComboBox)
};
