#include "widgets/SingleParameterController.h"

SingleParameterController::SingleParameterController (UIParameterInterface* uiToDrive, ZKEditorEngine::Ptr engineToUse,
                                                      const juce::String& name, int type, int offset)
    : ParameterUpdater (uiToDrive, std::move (engineToUse), name)
    , controlType (type)
    , displayOffset (offset)
{
    if (auto* control = getBoundControl())
        control->addListener (this);
}

void SingleParameterController::updateParameter (int shownValue)
{
    engine->setParameter (controlType, parameterName, (juce::uint8) (shownValue - displayOffset));
}

Control* SingleParameterController::getBoundControl() { return engine->getControls (controlType)[0]; }
