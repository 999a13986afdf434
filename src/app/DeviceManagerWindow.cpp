#include "app/DeviceManagerWindow.h"

#include "app/ContentWindow.h"

const juce::String DeviceManagerWindow::searchingText ("Looking for the controller...");
const juce::String DeviceManagerWindow::foundText ("Found: ");
const juce::String DeviceManagerWindow::noAnswerText ("No controller answered");

//==============================================================================
DeviceManagerWindow::DeviceManagerWindow (const juce::String& title, MidiManager* midiManagerToUse,
                                          DeviceSettings* settingsToUse, juce::uint8 deviceId, int findTimeoutMs)
    : juce::ResizableWindow (title, true)
    , midiManager (midiManagerToUse)
    , settings (settingsToUse)
    , finder (*midiManagerToUse, deviceId, findTimeoutMs)
{
    auto* content = new DeviceManagerComponent (this); // owned by the window below

    // The names as the manager's device layer offers them now, the virtual controller included.
    content->setDeviceNames (midiManager->getAvailableInputNames(), midiManager->getAvailableOutputNames());
    content->setMidiServiceMissing (! midiManager->isMidiServiceAvailable());

    content->selectInputDevice (midiManager->getInputDeviceName());
    content->selectOutputDevice (midiManager->getOutputDeviceName());

    ContentWindow::show (*this, content, false);
    toFront (true);
}

DeviceManagerWindow::~DeviceManagerWindow()
{
    finder.cancel();
    clearContentComponent();
}

//==============================================================================
void DeviceManagerWindow::applyDeviceSelection()
{
    auto& content = getDeviceManagerComponent();
    midiManager->setInputDevice (content.getSelectedInputName());
    midiManager->setOutputDevice (content.getSelectedOutputName());

    if (settings != nullptr)
        settings->setDeviceNames (midiManager->getInputDeviceName(), midiManager->getOutputDeviceName());
}

void DeviceManagerWindow::findController()
{
    // The finder calls back on the message thread, and never once it is cancelled with the window.
    if (! finder.start ([this] (const ControllerFinder::Result& result) { controllerSearchFinished (result); }))
        return;

    auto& content = getDeviceManagerComponent();
    content.getFindButton().setEnabled (false);
    content.setFinderStatus (searchingText);
}

void DeviceManagerWindow::controllerSearchFinished (const ControllerFinder::Result& result)
{
    auto& content = getDeviceManagerComponent();
    content.getFindButton().setEnabled (true);

    if (! result.isFound())
    {
        content.setFinderStatus (noAnswerText);
        return;
    }

    // The controller may have been plugged in after the lists were filled.
    content.setDeviceNames (midiManager->getAvailableInputNames(), midiManager->getAvailableOutputNames());
    content.selectInputDevice (result.inputName);
    content.selectOutputDevice (result.outputName);
    content.setFinderStatus (foundText + result.outputName);
}

void DeviceManagerWindow::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "OK")
    {
        applyDeviceSelection();
        delete this; // nothing of this window is touched after this
    }
    else if (name == "Apply")
    {
        applyDeviceSelection();
    }
    else if (name == "Cancel")
    {
        delete this;
    }
    else if (name == "Find Controller")
    {
        findController();
    }
}

DeviceManagerComponent& DeviceManagerWindow::getDeviceManagerComponent() const
{
    return *static_cast<DeviceManagerComponent*> (getContentComponent());
}
