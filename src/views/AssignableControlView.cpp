#include "views/AssignableControlView.h"

//==============================================================================
AssignableControlView::AssignableControlView (ZKEditorEngine::Ptr editorEngine, int controlType,
                                              juce::uint8 controlIndex)
    : GenericControlView (AssignableControlKind::of (controlType).getTitle (controlIndex))
    , kind (AssignableControlKind::of (controlType))
    , engine (std::move (editorEngine))
    , index (controlIndex)
{
    createControlGroups();
    showControlGroup (0);
    enableControlSettings (engine, kind.controlType, index);
}

AssignableControlView::~AssignableControlView() = default;

//==============================================================================
void AssignableControlView::createControlGroups()
{
    // The list has no entries of its own: each group adds its mode's name, so group k stands for mode k.
    modeBox = std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", index, kind.controlType,
                                                                   juce::StringArray());
    setModeSelector (modeBox.get());

    for (const auto& mode : kind.getModes())
    {
        juce::Array<juce::Component*> group;

        for (const auto& name : mode.parameters)
        {
            const auto range = kind.getBoxRange (name);
            group.add (numberBoxes.add (std::make_unique<DoubleParamterControllerNumberBox> (
                engine, name, index, kind.controlType, range.minimum, range.maximum, range.displayOffset)));
        }

        addControlGroup (mode.name, group);
    }
}
