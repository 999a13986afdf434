#pragma once

#include "widgets/ComboBoxWithLabel.h"
#include "widgets/CustomLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The content shared by the Get and Send dialogs: a slot list "1" to "24", an action button and
    "Cancel". The clicks of both buttons go to the dialog window, which tells them apart by name. */
class PresetSlotComponent
    : public juce::Component
    , public juce::ComboBox::Listener
{
public:
    PresetSlotComponent (const juce::String& actionName, juce::Button::Listener* buttonListener);
    ~PresetSlotComponent() override;

    //==============================================================================
    /** The slot number chosen, 1 to 24. */
    juce::uint8 getSelectedSlot() const noexcept { return selectedSlot; }

    ComboBoxWithLabel& getSlotChooser() noexcept { return *slotChooser; }
    juce::TextButton& getActionButton() noexcept { return *actionButton; }
    juce::TextButton& getCancelButton() noexcept { return *cancelButton; }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void comboBoxChanged (juce::ComboBox* comboBox) override;

private:
    std::unique_ptr<ComboBoxWithLabel> slotChooser;
    std::unique_ptr<juce::TextButton> actionButton;
    std::unique_ptr<juce::TextButton> cancelButton;
    CustomLook look;
    juce::uint8 selectedSlot = 1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetSlotComponent)
};
