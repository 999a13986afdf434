#pragma once

#include "widgets/ParameterComboBox.h"

/** A list bound to a parameter of one knob, pad or switch; the entry's position is the stored value. */
class DoubleParameterControllerComboBox : public ParameterComboBox
{
public:
    DoubleParameterControllerComboBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                       juce::uint8 controlIndex, int controlType, const juce::StringArray& entries,
                                       juce::ComboBox::Listener* extraListener = nullptr)
        : ParameterComboBox (std::move (engine), parameterName, controlType, controlIndex, entries, extraListener)
    {
    }
};
