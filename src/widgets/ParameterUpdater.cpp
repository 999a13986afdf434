#include "widgets/ParameterUpdater.h"

ParameterUpdater::ParameterUpdater (UIParameterInterface* uiToDrive, ZKEditorEngine::Ptr engineToUse,
                                    const juce::String& name)
    : ui (uiToDrive)
    , engine (std::move (engineToUse))
    , parameterName (name)
{
}

// Controls offer no way to unregister: a controller lives as long as the window whose engine it holds.
ParameterUpdater::~ParameterUpdater() = default;

//==============================================================================
void ParameterUpdater::controlValueChanged (juce::String changedParameterName, juce::uint8 value)
{
    if (changedParameterName == parameterName)
        ui->setDisplayedValue (value + getDisplayOffset());
}

void ParameterUpdater::setParameterName (const juce::String& newParameterName) { parameterName = newParameterName; }

//==============================================================================
void ParameterUpdater::showStoredValueIfRefused (int shownValue)
{
    auto* control = getBoundControl();

    if (control == nullptr)
        return;

    const auto stored = control->getValue (parameterName);

    // Compared in 8 bits, as the value was written.
    if (stored != (juce::uint8) (shownValue - getDisplayOffset()))
        ui->setDisplayedValue (stored + getDisplayOffset());
}
