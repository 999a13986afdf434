#include "widgets/ParameterComboBox.h"

ParameterComboBox::ParameterComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType,
                                      int controlIndex, const juce::StringArray& entries,
                                      juce::ComboBox::Listener* extraListener)
    : ComboBoxWithLabel (entries, parameterName, extraListener)
    , binding (*this, std::move (engine), parameterName, controlType, controlIndex, 0)
{
    getComboBox().addListener (this);
}

ParameterComboBox::~ParameterComboBox() = default;

void ParameterComboBox::comboBoxChanged (juce::ComboBox* box)
{
    // With nothing selected this is -1, which the control refuses; the list stays empty then.
    const auto shownValue = box->getSelectedId() - 1;
    binding.write (shownValue);

    if (shownValue >= 0)
        binding.showStoredValueIfRefused (shownValue);
}
