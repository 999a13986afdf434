#pragma once

#include "views/ColumnControlView.h"

#include <functional>

/** "Split Keyboard": whether the keybed is split, and where. A change of the split mode, made by the
    user or by a loaded preset, tells the keybed view which zones to show. */
class KeybedSplitSelectorView
    : public ColumnControlView
    , public juce::ComboBox::Listener
{
public:
    /** Told whether the keybed is split at every change of the split mode; may be empty. */
    using SplitChanged = std::function<void (bool split)>;

    KeybedSplitSelectorView (ZKEditorEngine::Ptr engine, SplitChanged onSplitChanged);

    //==============================================================================
    /** Split unless the list shows exactly "Off". */
    void comboBoxChanged (juce::ComboBox* comboBox) override;

private:
    //==============================================================================
    SplitChanged splitChanged;
};
