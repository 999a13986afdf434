#pragma once

#include "model/PresetLayout.h"
#include "widgets/ParameterNumberBox.h"

/** A number box bound to a parameter of one transport button, shown as stored. */
class TransportControllerNumberBox : public ParameterNumberBox
{
public:
    TransportControllerNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                  unsigned int transportIndex, int minimum, int maximum)
        : ParameterNumberBox (std::move (engine), parameterName, ControlType::Transport, (int) transportIndex, minimum,
                              maximum, 0)
    {
    }
};
