#pragma once

#include "model/PresetLayout.h"
#include "widgets/ParameterComboBox.h"

/** A list bound to a parameter of one transport button; the entry's position is the stored value. */
class TransportControllerComboBox : public ParameterComboBox
{
public:
    TransportControllerComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                 unsigned int transportIndex, const juce::StringArray& entries)
        : ParameterComboBox (std::move (engine), parameterName, ControlType::Transport, (int) transportIndex, entries)
    {
    }
};
