#include "app/FollowAndCheckOptions.h"

#include "app/CommandIDs.h"
#include "app/WindowManager.h"

//==============================================================================
FollowAndCheckOptions::FollowAndCheckOptions (MidiManager& midiManager, WindowManager& windows,
                                              DeviceSettings* deviceSettings)
    : windowManager (windows)
    , settings (deviceSettings)
    , followController (midiManager, [this] { return windowManager.getFrontWindow(); })
{
    followController.setEnabled (isFollowing());
}

FollowAndCheckOptions::~FollowAndCheckOptions() = default;

bool FollowAndCheckOptions::handles (juce::CommandID commandID)
{
    return commandID == CommandIDs::followController || commandID == CommandIDs::checkBeforeSend;
}

void FollowAndCheckOptions::fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const
{
    if (commandID == CommandIDs::followController)
        result.setTicked (isFollowing());
    else if (commandID == CommandIDs::checkBeforeSend)
        result.setTicked (isCheckingBeforeSend());
}

void FollowAndCheckOptions::perform (juce::CommandID commandID)
{
    if (settings == nullptr)
        return;

    // The option is kept even if the file cannot be written.
    if (commandID == CommandIDs::followController)
    {
        settings->setFollowController (! settings->getFollowController());
        followController.setEnabled (isFollowing());
    }
    else if (commandID == CommandIDs::checkBeforeSend)
    {
        settings->setCheckBeforeSend (! settings->getCheckBeforeSend());

        for (auto* window : windowManager.getWindows())
            applyTo (*window);
    }
}

void FollowAndCheckOptions::applyTo (EditorWindow& window) const
{
    window.getPresetCheck().setCheckBeforeSend (isCheckingBeforeSend());
}

bool FollowAndCheckOptions::isFollowing() const { return settings == nullptr || settings->getFollowController(); }

bool FollowAndCheckOptions::isCheckingBeforeSend() const
{
    return settings != nullptr && settings->getCheckBeforeSend();
}
