#pragma once

#include "widgets/ParameterComboBox.h"

/** A list bound to a parameter of the single control of a ControlType; the entry's position is the stored value. */
class SingleParameterControllerComboBox : public ParameterComboBox
{
public:
    SingleParameterControllerComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType,
                                       const juce::StringArray& entries,
                                       juce::ComboBox::Listener* extraListener = nullptr)
        : ParameterComboBox (std::move (engine), parameterName, controlType, 0, entries, extraListener)
    {
    }
};
