#include "views/KnobControlView.h"

#include "model/ControlType.h"
#include "views/ModeGroupBoxes.h"

//==============================================================================
KnobControlView::KnobControlView (ZKEditorEngine::Ptr editorEngine, juce::uint8 knobIndex)
    : GenericControlView (ParameterDescriptions::getControlName (ControlType::Knob, knobIndex))
    , engine (std::move (editorEngine))
    , index (knobIndex)
{
    createControlGroups();
    showControlGroup (0);
    enableControlSettings (engine, ControlType::Knob, index);
}

KnobControlView::~KnobControlView() = default;

//==============================================================================
void KnobControlView::createControlGroups()
{
    ModeGroupBoxes::createGroups (*this, engine, index, ControlType::Knob, modeBox, numberBoxes);
}
