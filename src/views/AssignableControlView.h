#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/AssignableControlKind.h"
#include "views/GenericControlView.h"
#include "widgets/DoubleParameterControllerComboBox.h"
#include "widgets/DoubleParamterControllerNumberBox.h"

/** One knob, pad or switch: its mode list and, per mode, a group of number boxes for the parameters
    that mode uses; only the group of the current mode shows. The three kinds differ only in their
    entry of AssignableControlKind. */
class AssignableControlView : public GenericControlView
{
public:
    AssignableControlView (ZKEditorEngine::Ptr engine, int controlType, juce::uint8 controlIndex);
    ~AssignableControlView() override;

    //==============================================================================
    void createControlGroups() override;

private:
    //==============================================================================
    const AssignableControlKind& kind;
    ZKEditorEngine::Ptr engine;

    // Every box of every group, in creation order; the mode list goes first when the view does.
    juce::OwnedArray<DoubleParamterControllerNumberBox> numberBoxes;
    std::unique_ptr<DoubleParameterControllerComboBox> modeBox;
    juce::uint8 index;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AssignableControlView)
};
