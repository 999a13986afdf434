#include "widgets/SingleParameterControllerNumberBox.h"

SingleParameterControllerNumberBox::SingleParameterControllerNumberBox (ZKEditorEngine::Ptr engineToUse,
                                                                        const juce::String& name, int type, int minimum,
                                                                        int maximum, int offset)
    : NumberBoxWithLabel (minimum, maximum, name)
    , SingleParameterController (this, std::move (engineToUse), name, type, offset)
{
    getNumberBox().addListener (this);
}

SingleParameterControllerNumberBox::~SingleParameterControllerNumberBox() = default;

void SingleParameterControllerNumberBox::numberBoxValueChanged (NumberBox* box)
{
    const auto shownValue = (int) box->getValue();
    updateParameter (shownValue);
    showStoredValueIfRefused (shownValue);
}
