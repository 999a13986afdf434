#pragma once

#include "widgets/ParameterNumberBox.h"

/** A number box bound to a parameter of the single control of a ControlType; shown = stored + display offset. */
class SingleParameterControllerNumberBox : public ParameterNumberBox
{
public:
    SingleParameterControllerNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType,
                                        int minimum, int maximum, int displayOffset)
        : ParameterNumberBox (std::move (engine), parameterName, controlType, 0, minimum, maximum, displayOffset)
    {
    }
};
