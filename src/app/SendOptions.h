#pragma once

#include "engine/DeviceSettings.h"
#include "engine/ZKEditorEngine.h"

#include <juce_gui_basics/juce_gui_basics.h>

class WindowManager;

/** The options "Verify After Send" and "Send Changes Only" (both on unless the user turned them
    off), remembered in the settings and given to the engine of every document window. */
class SendOptions
{
public:
    /** settings may be null (both options on then); neither is owned. */
    SendOptions (WindowManager& windowManager, DeviceSettings* settings);

    static bool handles (juce::CommandID commandID);
    void fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const;

    /** Turns the option over, in every window at once; the option is kept for this run even if the
        settings file cannot be written. */
    void perform (juce::CommandID commandID);

    /** Gives a window's engine both options. */
    void applyTo (ZKEditorEngine& engine) const;

private:
    WindowManager& windowManager;
    DeviceSettings* settings;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SendOptions)
};
