#include "views/KeybedSplitSelectorView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"

namespace
{
// Keys count from 1 on the screen and from 0 in the preset.
const int splitPointDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::Keybed, "Split Point");
} // namespace

//==============================================================================
KeybedSplitSelectorView::KeybedSplitSelectorView (ZKEditorEngine::Ptr engine, SplitChanged onSplitChanged)
    : ColumnControlView ("Split Keyboard", ControlViewSizes::titleX, keybedTitleFontHeight)
    , splitChanged (std::move (onSplitChanged))
{
    // Value 0 is "On": the first entry stands for the stored 0.
    auto* splitModeBox = own (std::make_unique<SingleParameterControllerComboBox> (
        engine, "Split Mode", ControlType::Keybed,
        ParameterDescriptions::getListEntries (ControlType::Keybed, "Split Mode"), this));

    auto* keybed = engine->getControls (ControlType::Keybed).getFirst();
    const auto minimum = (int) keybed->getMinimum ("Split Point") + splitPointDisplayOffset;
    const auto maximum = (int) keybed->getMaximum ("Split Point") + splitPointDisplayOffset;
    auto* splitPointBox = own (std::make_unique<SingleParameterControllerNumberBox> (
        engine, "Split Point", ControlType::Keybed, minimum, maximum, splitPointDisplayOffset));

    addColumn ({ splitModeBox, splitPointBox }, widgetHeight);
}

//==============================================================================
void KeybedSplitSelectorView::comboBoxChanged (juce::ComboBox* comboBox)
{
    const auto split = comboBox->getText() != "Off";

    if (splitChanged != nullptr)
        splitChanged (split);
}
