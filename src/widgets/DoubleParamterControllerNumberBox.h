#pragma once

#include "widgets/ParameterNumberBox.h"

/** A number box bound to a parameter of one knob, pad or switch; shown = stored + display offset. */
class DoubleParamterControllerNumberBox : public ParameterNumberBox
{
public:
    DoubleParamterControllerNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                       juce::uint8 controlIndex, int controlType, int minimum, int maximum,
                                       int displayOffset)
        : ParameterNumberBox (std::move (engine), parameterName, controlType, controlIndex, minimum, maximum,
                              displayOffset)
    {
    }
};
