#include "widgets/ParameterNumberBox.h"

ParameterNumberBox::ParameterNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType,
                                        int controlIndex, int minimum, int maximum, int displayOffset)
    : NumberBoxWithLabel (minimum, maximum, parameterName)
    , binding (*this, std::move (engine), parameterName, controlType, controlIndex, displayOffset)
{
    getNumberBox().addListener (this);
}

ParameterNumberBox::~ParameterNumberBox() = default;

void ParameterNumberBox::numberBoxValueChanged (NumberBox* box) { binding.writeFromUser ((int) box->getValue()); }
