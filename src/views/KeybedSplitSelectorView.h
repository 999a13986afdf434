#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"

#include <functional>

/** "Split Keyboard": whether the keybed is split, and where. A change of the split mode, made by the
    user or by a loaded preset, tells the keybed view which zones to show. */
class KeybedSplitSelectorView
    : public juce::Component
    , public juce::ComboBox::Listener
{
public:
    /** Told whether the keybed is split at every change of the split mode; may be empty. */
    using SplitChanged = std::function<void (bool split)>;

    KeybedSplitSelectorView (ZKEditorEngine::Ptr engine, SplitChanged onSplitChanged);
    ~KeybedSplitSelectorView() override;

    //==============================================================================
    /** Split unless the list shows exactly "Off". */
    void comboBoxChanged (juce::ComboBox* comboBox) override;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    SplitChanged splitChanged;
    std::unique_ptr<juce::Label> title;
    juce::OwnedArray<SingleParameterControllerNumberBox> numberBoxes;
    std::unique_ptr<SingleParameterControllerComboBox> splitModeBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeybedSplitSelectorView)
};
