#include "app/ControllerDialogs.h"

namespace
{
// Beside the "Get From Hardware" button, in the main section view.
const juce::Rectangle<int> connectionStatusArea (270, 5, 600, 35);
} // namespace

//==============================================================================
ControllerDialogs::ControllerDialogs (ZKEditorEngine::Ptr engineToUse)
    : engine (std::move (engineToUse))
{
}

ControllerDialogs::~ControllerDialogs()
{
    connectionStatus.reset();
    delete sendPresetWindow.get();
    delete getPresetWindow.get();
}

void ControllerDialogs::showGetPresetWindow()
{
    if (getPresetWindow == nullptr)
        getPresetWindow = new GetPresetWindow (engine); // deletes itself, or the destructor deletes it
}

void ControllerDialogs::showSendPresetWindow (bool sendWhole)
{
    if (sendPresetWindow != nullptr && sendPresetWindow->sendsWholePreset() != sendWhole)
        delete sendPresetWindow.get();

    if (sendPresetWindow == nullptr)
    {
        sendPresetWindow = new SendPresetWindow (engine, sendWhole); // deletes itself, or the destructor deletes it
        sendPresetWindow->confirmSend = confirmSend;
    }
}

void ControllerDialogs::showConnectionStatus (juce::Component* view, MidiManager& midiManager,
                                              std::function<void()> openSetup)
{
    statusMidiManager = &midiManager;
    openDeviceSetup = std::move (openSetup);
    connectionStatus = std::make_unique<ConnectionStatusLabel> (midiManager, openDeviceSetup);

    if (view != nullptr)
    {
        view->addAndMakeVisible (*connectionStatus);
        connectionStatus->setBounds (connectionStatusArea);
    }
}

void ControllerDialogs::showMidiError()
{
    if (midiErrorAlert != nullptr)
        return;

    // Without both ports nothing reached the controller: the way out is choosing them.
    const bool portsMissing =
        statusMidiManager != nullptr && ! (statusMidiManager->isInputOpen() && statusMidiManager->isOutputOpen());

    if (portsMissing && openDeviceSetup != nullptr)
        midiErrorAlert = new MidiErrorAlertWindow (openDeviceSetup); // owned by the framework's message box
    else
        midiErrorAlert = new MidiErrorAlertWindow(); // owned by the framework's message box
}
