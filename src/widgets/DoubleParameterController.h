#pragma once

#include "widgets/ParameterUpdater.h"

/** Binds a widget to a parameter of one instance of a ControlType: for knobs, pads and switches. */
class DoubleParameterController : public ParameterUpdater
{
public:
    //==============================================================================
    DoubleParameterController (UIParameterInterface* ui, ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                               juce::uint8 controlIndex, int controlType, int displayOffset);

    //==============================================================================
    void updateParameter (int shownValue) override;

protected:
    //==============================================================================
    Control* getBoundControl() override;
    int getDisplayOffset() const override { return displayOffset; }

    juce::uint8 controlIndex = 0;
    int controlType = 0;
    int displayOffset = 0;
};
