#include "views/PadControlView.h"

#include "model/ControlType.h"
#include "views/ModeGroupBoxes.h"

//==============================================================================
PadControlView::PadControlView (ZKEditorEngine::Ptr editorEngine, juce::uint8 padIndex)
    : GenericControlView ("Pad " + juce::String ((int) padIndex + 1))
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
    modeBox = std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", index, ControlType::Pad,
                                                                   juce::StringArray());
    setModeSelector (modeBox.get());

    // The groups in the order of the "Mode" values: group k holds the widgets of mode k.
    for (const auto& mode : ParameterDescriptions::getModes (ControlType::Pad))
        addControlGroup (mode.name, ModeGroupBoxes::create (engine, index, ControlType::Pad, mode.parameters, numberBoxes));
}
