#include "widgets/SingleParameterController.h"

SingleParameterController::SingleParameterController (UIParameterInterface* uiToDrive, ZKEditorEngine::Ptr engineToUse,
                                                      const juce::String& name, int type, int offset)
    : ParameterUpdater (uiToDrive, std::move (engineToUse), name)
    , controlType (type)
    , displayOffset (offset)
{
    observe (getBoundControl());
}

void SingleParameterController::updateParameter (int shownValue)
{
    engine->editParameter (controlType, 0, parameterName, (juce::uint8) (shownValue - displayOffset), this);
}

Control* SingleParameterController::getBoundControl() { return engine->getControls (controlType)[0]; }
