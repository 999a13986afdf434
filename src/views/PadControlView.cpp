#include "views/PadControlView.h"

#include "model/ControlType.h"
#include "views/ModeGroupBoxes.h"

//==============================================================================
PadControlView::PadControlView (ZKEditorEngine::Ptr editorEngine, juce::uint8 padIndex)
    : GenericControlView (ParameterDescriptions::getControlName (ControlType::Pad, padIndex))
    , engine (std::move (editorEngine))
    , index (padIndex)
{
    createControlGroups();
    showControlGroup (0);
    enableControlSettings (engine, ControlType::Pad, index);
}

PadControlView::~PadControlView() = default;

//==============================================================================
void PadControlView::createControlGroups()
{
    ModeGroupBoxes::createGroups (*this, engine, index, ControlType::Pad, modeBox, numberBoxes);
}
