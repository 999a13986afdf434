#include "widgets/TransportControllerComboBox.h"

TransportControllerComboBox::TransportControllerComboBox (ZKEditorEngine::Ptr engineToUse, const juce::String& name,
                                                          unsigned int index, const juce::StringArray& entries)
    : ComboBoxWithLabel (entries, name)
    , TransportController (this, std::move (engineToUse), name, index)
{
    getComboBox().addListener (this);
}

TransportControllerComboBox::~TransportControllerComboBox() = default;

void TransportControllerComboBox::comboBoxChanged (juce::ComboBox* box)
{
    // With nothing selected this is -1, which the control refuses; the list stays empty then.
    const auto shownValue = box->getSelectedId() - 1;
    updateParameter (shownValue);

    if (shownValue >= 0)
        showStoredValueIfRefused (shownValue);
}
