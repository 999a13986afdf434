#pragma once

#include "app/PresetSlotComponent.h"

/** The content of the Send dialog: the slot list with the buttons "Send" and "Cancel". */
class SendPresetComponent : public PresetSlotComponent
{
public:
    explicit SendPresetComponent (juce::Button::Listener* buttonListener)
        : PresetSlotComponent ("Send", buttonListener)
    {
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SendPresetComponent)
};
