#pragma once

#include "widgets/ComboBoxWithLabel.h"
#include "widgets/ParameterBinding.h"

/** A list bound to one parameter of one control; the entry's position is the stored value, and the
    parameter's name is the label's text. */
class ParameterComboBox
    : public ComboBoxWithLabel
    , public juce::ComboBox::Listener
{
public:
    //==============================================================================
    /** The extra listener hears of every change of the list, after the binding has written it. */
    ParameterComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType, int controlIndex,
                       const juce::StringArray& entries, juce::ComboBox::Listener* extraListener = nullptr);
    ~ParameterComboBox() override;

    //==============================================================================
    void comboBoxChanged (juce::ComboBox* box) override;

    ParameterBinding& getBinding() noexcept { return binding; }
    const juce::String& getParameterName() const noexcept { return binding.getParameterName(); }
    void setParameterName (const juce::String& newName) { binding.setParameterName (newName); }

private:
    //==============================================================================
    ParameterBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterComboBox)
};
