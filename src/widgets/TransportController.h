#pragma once

#include "widgets/ParameterUpdater.h"

/** Binds a widget to a parameter of one transport button, shown as stored. */
class TransportController : public ParameterUpdater
{
public:
    //==============================================================================
    TransportController (UIParameterInterface* ui, ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                         unsigned int transportIndex);

    //==============================================================================
    void updateParameter (int shownValue) override;

protected:
    //==============================================================================
    Control* getBoundControl() override;

    unsigned int transportIndex = 0;
};
