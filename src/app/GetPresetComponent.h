#pragma once

#include "app/PresetSlotComponent.h"

/** The content of the Get dialog: the slot list with the buttons "Get" and "Cancel". */
class GetPresetComponent : public PresetSlotComponent
{
public:
    explicit GetPresetComponent (juce::Button::Listener* buttonListener)
        : PresetSlotComponent ("Get", buttonListener)
    {
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GetPresetComponent)
};
