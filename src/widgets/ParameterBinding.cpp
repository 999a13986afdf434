#include "widgets/ParameterBinding.h"

ParameterBinding::ParameterBinding (UIParameterInterface& widgetToDrive, ZKEditorEngine::Ptr engineToUse,
                                    const juce::String& name, int type, int index, int offset)
    : widget (widgetToDrive)
    , engine (std::move (engineToUse))
    , parameterName (name)
    , controlType (type)
    , controlIndex (index)
    , displayOffset (offset)
    , control (engine->getControls (controlType)[controlIndex])
{
    if (control != nullptr)
        control->addListener (this);
}

ParameterBinding::~ParameterBinding()
{
    if (control != nullptr)
        control->removeListener (this);
}

//==============================================================================
void ParameterBinding::write (int shownValue)
{
    engine->editParameter (controlType, controlIndex, parameterName, (juce::uint8) (shownValue - displayOffset), this);
}

void ParameterBinding::showStoredValueIfRefused (int shownValue)
{
    if (control == nullptr)
        return;

    const auto stored = control->getValue (parameterName);

    // Compared in 8 bits, as the value was written.
    if (stored != (juce::uint8) (shownValue - displayOffset))
        widget.setDisplayedValue (stored + displayOffset);
}

void ParameterBinding::writeFromUser (int shownValue)
{
    write (shownValue);
    showStoredValueIfRefused (shownValue);
}

//==============================================================================
void ParameterBinding::controlValueChanged (juce::String changedParameterName, juce::uint8 value)
{
    if (changedParameterName == parameterName)
        widget.setDisplayedValue (value + displayOffset);
}
