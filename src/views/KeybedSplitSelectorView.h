#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"

class KeybedControlView;

/** "Split Keyboard": whether the keybed is split, and where. A change of the split mode, made by the
    user or by a loaded preset, tells the keybed view which zones to show. */
class KeybedSplitSelectorView
    : public juce::Component
    , public juce::ComboBox::Listener
{
public:
    /** The owner, which may be null, hears of every change of the split mode. */
    KeybedSplitSelectorView (ZKEditorEngine::Ptr engine, KeybedControlView* owner);
    ~KeybedSplitSelectorView() override;

    //==============================================================================
    /** Split unless the list shows exactly "Off". */
    void comboBoxChanged (juce::ComboBox* comboBox) override;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    KeybedControlView* owner = nullptr;
    std::unique_ptr<juce::Label> title;
    juce::OwnedArray<SingleParameterControllerNumberBox> numberBoxes;
    std::unique_ptr<SingleParameterControllerComboBox> splitModeBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeybedSplitSelectorView)
};
