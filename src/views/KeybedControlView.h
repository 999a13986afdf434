#pragma once

#include "engine/ZKEditorEngine.h"
#include "images/ScalableImageComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

class KeybedSplitSelectorView;
class KeybedParameterView;

/** The keybed view: the split settings on the left, a divider, and on the right the settings of the
    whole keybed or, while the keyboard is split, of its lower and upper zones. */
class KeybedControlView : public juce::Component
{
public:
    explicit KeybedControlView (ZKEditorEngine::Ptr engine);
    ~KeybedControlView() override;

    //==============================================================================
    /** Not split shows "Keybed"; split shows "Lower Keybed" and "Upper Keybed". */
    void setSplit (bool split);

    /** The zone views "Keybed", "Lower Keybed" and "Upper Keybed", in this order. */
    const juce::OwnedArray<KeybedParameterView>& getZoneViews() const noexcept { return zoneViews; }

    KeybedSplitSelectorView& getSplitSelector() const noexcept { return *splitSelector; }

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<KeybedSplitSelectorView> splitSelector;
    juce::OwnedArray<KeybedParameterView> zoneViews;
    ScalableImageComponent divider;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeybedControlView)
};
