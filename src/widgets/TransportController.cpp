#include "widgets/TransportController.h"

TransportController::TransportController (UIParameterInterface* uiToDrive, ZKEditorEngine::Ptr engineToUse,
                                          const juce::String& name, unsigned int index)
    : ParameterUpdater (uiToDrive, std::move (engineToUse), name)
    , transportIndex (index)
{
    if (auto* control = getBoundControl())
        control->addListener (this);
}

void TransportController::updateParameter (int shownValue)
{
    if (auto* control = getBoundControl())
        control->setValue (parameterName, (juce::uint8) shownValue, false);
}

Control* TransportController::getBoundControl()
{
    return engine->getControls (ControlType::Transport)[(int) transportIndex];
}
