#include "widgets/TransportControllerNumberBox.h"

TransportControllerNumberBox::TransportControllerNumberBox (ZKEditorEngine::Ptr engineToUse, const juce::String& name,
                                                            unsigned int index, int minimum, int maximum)
    : NumberBoxWithLabel (minimum, maximum, name)
    , TransportController (this, std::move (engineToUse), name, index)
{
    getNumberBox().addListener (this);
}

TransportControllerNumberBox::~TransportControllerNumberBox() = default;

void TransportControllerNumberBox::numberBoxValueChanged (NumberBox* box)
{
    const auto shownValue = (int) box->getValue();
    updateParameter (shownValue);
    showStoredValueIfRefused (shownValue);
}
