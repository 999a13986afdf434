#include "widgets/TransportController.h"

TransportController::TransportController (UIParameterInterface* uiToDrive, ZKEditorEngine::Ptr engineToUse,
                                          const juce::String& name, unsigned int index)
    : ParameterUpdater (uiToDrive, std::move (engineToUse), name)
    , transportIndex (index)
{
    observe (getBoundControl());
}

void TransportController::updateParameter (int shownValue)
{
    engine->editParameter (ControlType::Transport, (int) transportIndex, parameterName, (juce::uint8) shownValue, this);
}

Control* TransportController::getBoundControl()
{
    return engine->getControls (ControlType::Transport)[(int) transportIndex];
}
