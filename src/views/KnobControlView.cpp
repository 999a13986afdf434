#include "views/KnobControlView.h"

#include "model/ControlType.h"
#include "views/ModeGroupBoxes.h"

//==============================================================================
KnobControlView::KnobControlView (ZKEditorEngine::Ptr editorEngine, juce::uint8 knobIndex)
    : GenericControlView ("Knob " + juce::String ((int) knobIndex + 1))
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
    modeBox = std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", index, ControlType::Knob,
                                                                   juce::StringArray());
    setModeSelector (modeBox.get());

    // The groups in the order of the "Mode" values: group k holds the widgets of mode k.
    for (const auto& mode : ParameterDescriptions::getModes (ControlType::Knob))
        addControlGroup (mode.name, ModeGroupBoxes::create (engine, index, ControlType::Knob, mode.parameters, numberBoxes));
}
