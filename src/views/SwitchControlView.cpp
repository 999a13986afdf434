#include "views/SwitchControlView.h"

#include "model/ControlType.h"
#include "views/ModeGroupBoxes.h"

//==============================================================================
SwitchControlView::SwitchControlView (ZKEditorEngine::Ptr editorEngine, juce::uint8 switchIndex)
    : GenericControlView (ParameterDescriptions::getControlName (ControlType::Switch, switchIndex))
    , engine (std::move (editorEngine))
    , index (switchIndex)
{
    createControlGroups();
    showControlGroup (0);
    enableControlSettings (engine, ControlType::Switch, index);
}

SwitchControlView::~SwitchControlView() = default;

//==============================================================================
void SwitchControlView::createControlGroups()
{
    ModeGroupBoxes::createGroups (*this, engine, index, ControlType::Switch, modeBox, numberBoxes);
}
