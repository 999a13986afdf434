#pragma once

#include "widgets/ControlSettings.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The Edit menu's copy, paste and fill entries of one document window: they name and act on the
    control whose widget has the keyboard focus in the window, or else on the control that had it
    last and is still shown (a click on the menu bar closes an open field and takes its focus). */
class ControlSettingsCommands : private juce::FocusChangeListener
{
public:
    /** The window must outlive this. */
    explicit ControlSettingsCommands (juce::Component& window);
    ~ControlSettingsCommands() override;

    static bool handles (juce::CommandID commandID);

    /** Names the entry after the control it acts on ("Copy Knob 3 Settings") and makes it active
        only when it can act. */
    void fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const;

    void perform (juce::CommandID commandID);

    /** Those of the control described above, or nullptr. */
    ControlSettings* getFocusedControlSettings() const;

private:
    void globalFocusChanged (juce::Component* focusedComponent) override;

    juce::Component& window;
    juce::Component::SafePointer<juce::Component> lastFocusedControl;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlSettingsCommands)
};
