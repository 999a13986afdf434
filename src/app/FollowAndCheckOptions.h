#pragma once

#include "app/FollowController.h"
#include "engine/DeviceSettings.h"

#include <juce_gui_basics/juce_gui_basics.h>

class EditorWindow;
class WindowManager;

/** The application's part of Follow the Controller and Check Preset: the options "Follow the
    Controller" (on by default) and "Check Before Send" (off by default), remembered in the settings,
    and the one FollowController that hands the controller's messages to the front document window. */
class FollowAndCheckOptions
{
public:
    /** settings may be null (both options at their defaults then); none of the three is owned. */
    FollowAndCheckOptions (MidiManager& midiManager, WindowManager& windowManager, DeviceSettings* settings);
    ~FollowAndCheckOptions();

    static bool handles (juce::CommandID commandID);
    void fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const;

    /** Turns the option over, in every window at once. */
    void perform (juce::CommandID commandID);

    /** Gives a new window the option "Check Before Send". */
    void applyTo (EditorWindow& window) const;

    bool isFollowing() const;
    bool isCheckingBeforeSend() const;

    FollowController& getFollowController() noexcept { return followController; }

private:
    WindowManager& windowManager;
    DeviceSettings* settings;
    FollowController followController;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FollowAndCheckOptions)
};
