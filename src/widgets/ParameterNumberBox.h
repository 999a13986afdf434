#pragma once

#include "widgets/NumberBoxWithLabel.h"
#include "widgets/ParameterBinding.h"

/** A number box bound to one parameter of one control; shown = stored + display offset, and the
    parameter's name is the label's text. */
class ParameterNumberBox
    : public NumberBoxWithLabel
    , public NumberBox::Listener
{
public:
    //==============================================================================
    ParameterNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName, int controlType,
                        int controlIndex, int minimum, int maximum, int displayOffset);
    ~ParameterNumberBox() override;

    //==============================================================================
    void numberBoxValueChanged (NumberBox* box) override;

    ParameterBinding& getBinding() noexcept { return binding; }
    const juce::String& getParameterName() const noexcept { return binding.getParameterName(); }
    void setParameterName (const juce::String& newName) { binding.setParameterName (newName); }

private:
    //==============================================================================
    ParameterBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterNumberBox)
};
