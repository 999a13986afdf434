#pragma once

#include "widgets/DoubleParameterController.h"
#include "widgets/NumberBoxWithLabel.h"

/** A number box bound to a parameter of one knob, pad or switch; shown = stored + display offset. */
class DoubleParamterControllerNumberBox
    : public NumberBoxWithLabel
    , public DoubleParameterController
    , public NumberBox::Listener
{
public:
    //==============================================================================
    DoubleParamterControllerNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                       juce::uint8 controlIndex, int controlType, int minimum, int maximum,
                                       int displayOffset);
    ~DoubleParamterControllerNumberBox() override;

    //==============================================================================
    void numberBoxValueChanged (NumberBox* box) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DoubleParamterControllerNumberBox)
};
