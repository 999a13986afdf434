#include "widgets/DoubleParameterControllerComboBox.h"

DoubleParameterControllerComboBox::DoubleParameterControllerComboBox (ZKEditorEngine::Ptr engineToUse,
                                                                      const juce::String& name, juce::uint8 index,
                                                                      int type, const juce::StringArray& entries,
                                                                      juce::ComboBox::Listener* extraListener)
    : ComboBoxWithLabel (entries, name, extraListener)
    , DoubleParameterController (this, std::move (engineToUse), name, index, type, 0)
{
    getComboBox().addListener (this);
}

DoubleParameterControllerComboBox::~DoubleParameterControllerComboBox() = default;

void DoubleParameterControllerComboBox::comboBoxChanged (juce::ComboBox* box)
{
    // With nothing selected this is -1, which the control refuses; the list stays empty then.
    const auto shownValue = box->getSelectedId() - 1;
    updateParameter (shownValue);

    if (shownValue >= 0)
        showStoredValueIfRefused (shownValue);
}
