#include "views/SwitchControlView.h"

#include "model/ControlType.h"
#include "views/ModeGroupBoxes.h"

//==============================================================================
SwitchControlView::SwitchControlView (ZKEditorEngine::Ptr editorEngine, juce::uint8 switchIndex)
    : GenericControlView ("Switch " + juce::String ((int) switchIndex + 1))
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
    modeBox = std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", index, ControlType::Switch,
                                                                   juce::StringArray());
    setModeSelector (modeBox.get());

    // The groups in the order of the "Mode" values: group k holds the widgets of mode k.
    for (const auto& mode : ParameterDescriptions::getModes (ControlType::Switch))
        addControlGroup (mode.name, ModeGroupBoxes::create (engine, index, ControlType::Switch, mode.parameters, numberBoxes));
}
