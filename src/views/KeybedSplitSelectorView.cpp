#include "views/KeybedSplitSelectorView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "views/ColumnLayout.h"

namespace
{
// Keys count from 1 on the screen and from 0 in the preset.
const int splitPointDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::Keybed, "Split Point");
} // namespace

//==============================================================================
KeybedSplitSelectorView::KeybedSplitSelectorView (ZKEditorEngine::Ptr editorEngine, SplitChanged onSplitChanged)
    : engine (std::move (editorEngine))
    , splitChanged (std::move (onSplitChanged))
{
    title = ColumnLayout::addTitledFrame (*this, "Split Keyboard", ControlViewSizes::titleX,
                                          ColumnLayout::keybedTitleFontHeight);

    // Value 0 is "On": the first entry stands for the stored 0.
    splitModeBox = std::make_unique<SingleParameterControllerComboBox> (
        engine, "Split Mode", ControlType::Keybed,
        ParameterDescriptions::getListEntries (ControlType::Keybed, "Split Mode"), this);

    auto* keybed = engine->getControls (ControlType::Keybed).getFirst();
    const auto minimum = (int) keybed->getMinimum ("Split Point") + splitPointDisplayOffset;
    const auto maximum = (int) keybed->getMaximum ("Split Point") + splitPointDisplayOffset;
    numberBoxes.add (std::make_unique<SingleParameterControllerNumberBox> (engine, "Split Point", ControlType::Keybed,
                                                                           minimum, maximum, splitPointDisplayOffset));

    ColumnLayout::addColumn (*this, { splitModeBox.get(), numberBoxes.getFirst() }, ColumnLayout::columnTop,
                             ColumnLayout::widgetHeight);
}

KeybedSplitSelectorView::~KeybedSplitSelectorView() = default;

//==============================================================================
void KeybedSplitSelectorView::comboBoxChanged (juce::ComboBox* comboBox)
{
    const auto split = comboBox->getText() != "Off";

    if (splitChanged != nullptr)
        splitChanged (split);
}
