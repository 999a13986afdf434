#include "widgets/DoubleParameterController.h"

DoubleParameterController::DoubleParameterController (UIParameterInterface* uiToDrive, ZKEditorEngine::Ptr engineToUse,
                                                      const juce::String& name, juce::uint8 index, int type, int offset)
    : ParameterUpdater (uiToDrive, std::move (engineToUse), name)
    , controlIndex (index)
    , controlType (type)
    , displayOffset (offset)
{
    if (auto* control = getBoundControl())
        control->addListener (this);
}

void DoubleParameterController::updateParameter (int shownValue)
{
    if (auto* control = getBoundControl())
        control->setValue (parameterName, (juce::uint8) (shownValue - displayOffset), false);
}

Control* DoubleParameterController::getBoundControl() { return engine->getControls (controlType)[controlIndex]; }
