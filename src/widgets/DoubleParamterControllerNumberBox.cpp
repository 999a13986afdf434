#include "widgets/DoubleParamterControllerNumberBox.h"

DoubleParamterControllerNumberBox::DoubleParamterControllerNumberBox (ZKEditorEngine::Ptr engineToUse,
                                                                      const juce::String& name, juce::uint8 index,
                                                                      int type, int minimum, int maximum, int offset)
    : NumberBoxWithLabel (minimum, maximum, name)
    , DoubleParameterController (this, std::move (engineToUse), name, index, type, offset)
{
    getNumberBox().addListener (this);
}

DoubleParamterControllerNumberBox::~DoubleParamterControllerNumberBox() = default;

void DoubleParamterControllerNumberBox::numberBoxValueChanged (NumberBox* box)
{
    const auto shownValue = (int) box->getValue();
    updateParameter (shownValue);
    showStoredValueIfRefused (shownValue);
}
