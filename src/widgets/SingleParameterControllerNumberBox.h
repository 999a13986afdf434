#pragma once

#include "widgets/NumberBoxWithLabel.h"
#include "widgets/SingleParameterController.h"

/** A number box bound to a parameter of the single control of a ControlType; shown = stored + display offset. */
class SingleParameterControllerNumberBox
    : public NumberBoxWithLabel
    , public SingleParameterController
    , public NumberBox::Listener
{
public:
    //==============================================================================
    SingleParameterControllerNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType,
                                        int minimum, int maximum, int displayOffset);
    ~SingleParameterControllerNumberBox() override;

    //==============================================================================
    void numberBoxValueChanged (NumberBox* box) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SingleParameterControllerNumberBox)
};
