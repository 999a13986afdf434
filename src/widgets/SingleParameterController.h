#pragma once

#include "widgets/ParameterUpdater.h"

/** Binds a widget to a parameter of the first control of a ControlType: for the controls of which
    there is one. */
class SingleParameterController : public ParameterUpdater
{
public:
    //==============================================================================
    SingleParameterController (UIParameterInterface* ui, ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                               int controlType, int displayOffset);

    //==============================================================================
    void updateParameter (int shownValue) override;

protected:
    //==============================================================================
    Control* getBoundControl() override;
    int getDisplayOffset() const override { return displayOffset; }

    int controlType = 0;
    int displayOffset = 0;
};
