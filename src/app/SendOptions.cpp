#include "app/SendOptions.h"

#include "app/CommandIDs.h"
#include "app/WindowManager.h"

//==============================================================================
SendOptions::SendOptions (WindowManager& windows, DeviceSettings* deviceSettings)
    : windowManager (windows)
    , settings (deviceSettings)
{
}

bool SendOptions::handles (juce::CommandID commandID)
{
    return commandID == CommandIDs::verifyAfterSend || commandID == CommandIDs::sendChangesOnly;
}

void SendOptions::fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const
{
    if (commandID == CommandIDs::verifyAfterSend)
        result.setTicked (settings == nullptr || settings->getVerifyAfterSend());
    else if (commandID == CommandIDs::sendChangesOnly)
        result.setTicked (settings == nullptr || settings->getSendChangesOnly());
}

void SendOptions::perform (juce::CommandID commandID)
{
    if (settings == nullptr)
        return;

    if (commandID == CommandIDs::verifyAfterSend)
        settings->setVerifyAfterSend (! settings->getVerifyAfterSend());
    else if (commandID == CommandIDs::sendChangesOnly)
        settings->setSendChangesOnly (! settings->getSendChangesOnly());

    for (auto* window : windowManager.getWindows())
        applyTo (*window->getEngine());
}

void SendOptions::applyTo (ZKEditorEngine& engine) const
{
    engine.setVerifyAfterSend (settings == nullptr || settings->getVerifyAfterSend());
    engine.setSendChangesOnly (settings == nullptr || settings->getSendChangesOnly());
}
