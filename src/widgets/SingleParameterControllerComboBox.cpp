#include "widgets/SingleParameterControllerComboBox.h"

SingleParameterControllerComboBox::SingleParameterControllerComboBox (ZKEditorEngine::Ptr engineToUse,
                                                                      const juce::String& name, int type,
                                                                      const juce::StringArray& entries,
                                                                      juce::ComboBox::Listener* extraListener)
    : ComboBoxWithLabel (entries, name, extraListener)
    , SingleParameterController (this, std::move (engineToUse), name, type, 0)
{
    getComboBox().addListener (this);
}

SingleParameterControllerComboBox::~SingleParameterControllerComboBox() = default;

void SingleParameterControllerComboBox::comboBoxChanged (juce::ComboBox* box)
{
    // With nothing selected this is -1, which the control refuses; the list stays empty then.
    const auto shownValue = box->getSelectedId() - 1;
    updateParameter (shownValue);

    if (shownValue >= 0)
        showStoredValueIfRefused (shownValue);
}
