#include "widgets/DoubleParameterController.h"

DoubleParameterController::DoubleParameterController (UIParameterInterface* uiToDrive, ZKEditorEngine::Ptr engineToUse,
                                                      const juce::String& name, juce::uint8 index, int type, int offset)
    : ParameterUpdater (uiToDrive, std::move (engineToUse), name)
    , controlIndex (index)
    , controlType (type)
    , displayOffset (offset)
{
    observe (getBoundControl());
}

void DoubleParameterController::updateParameter (int shownValue)
{
    engine->editParameter (controlType, controlIndex, parameterName, (juce::uint8) (shownValue - displayOffset), this);
}

Control* DoubleParameterController::getBoundControl() { return engine->getControls (controlType)[controlIndex]; }
