#pragma once

#include "engine/ParameterDescriptions.h"
#include "engine/ZKEditorEngine.h"
#include "widgets/DoubleParamterControllerNumberBox.h"
#include "widgets/GenericControlView.h"

/** The number boxes of one mode group of a knob, pad or switch view. */
namespace ModeGroupBoxes
{
using Range = ParameterDescriptions::NumberRange;

/** Channels and curves count from 1 on the screen and from 0 in the preset; every other number is
    shown as stored. */
inline Range rangeOf (const juce::String& name) { return ParameterDescriptions::getModeBoxRange (name); }

/** Creates a box per name for that control, appends them to the view's boxes and returns them in
    order. */
inline juce::Array<juce::Component*> create (ZKEditorEngine::Ptr engine, juce::uint8 controlIndex, int controlType,
                                             const juce::StringArray& names,
                                             juce::OwnedArray<DoubleParamterControllerNumberBox>& boxes)
{
    juce::Array<juce::Component*> group;

    for (const auto& name : names)
    {
        const auto range = rangeOf (name);
        group.add (boxes.add (std::make_unique<DoubleParamterControllerNumberBox> (
            engine, name, controlIndex, controlType, range.minimum, range.maximum, range.displayOffset)));
    }

    return group;
}

/** What a knob, pad or switch view creates as its control groups: its "Mode" list, which becomes the
    view's mode selector, and one group of boxes per mode, in the order of the "Mode" values (group
    k holds the boxes of mode k). The list and the boxes belong to the view. */
inline void createGroups (GenericControlView& view, ZKEditorEngine::Ptr engine, juce::uint8 controlIndex,
                          int controlType, std::unique_ptr<DoubleParameterControllerComboBox>& modeBox,
                          juce::OwnedArray<DoubleParamterControllerNumberBox>& boxes)
{
    modeBox = std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", controlIndex, controlType,
                                                                   juce::StringArray());
    view.setModeSelector (modeBox.get());

    for (const auto& mode : ParameterDescriptions::getModes (controlType))
        view.addControlGroup (mode.name, create (engine, controlIndex, controlType, mode.parameters, boxes));
}
} // namespace ModeGroupBoxes
