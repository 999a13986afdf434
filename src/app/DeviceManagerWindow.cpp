#include "app/DeviceManagerWindow.h"

DeviceManagerWindow::DeviceManagerWindow (const juce::String& title, MidiManager* midiManagerToUse)
    : juce::ResizableWindow (title, true)
    , midiManager (midiManagerToUse)
{
    setUsingNativeTitleBar (true);
    setResizable (false, false);

    auto* content = new DeviceManagerComponent (this); // owned by the window below

    // The names as the manager's device layer offers them now, the virtual controller included.
    content->setDeviceNames (midiManager->getAvailableInputNames(), midiManager->getAvailableOutputNames());

    setContentOwned (content, true);
    centreWithSize (content->getWidth(), content->getHeight());

    content->selectInputDevice (midiManager->getInputDeviceName());
    content->selectOutputDevice (midiManager->getOutputDeviceName());

    setAlwaysOnTop (false);
    setVisible (true);
    toFront (true);
}

DeviceManagerWindow::~DeviceManagerWindow() { clearContentComponent(); }

//==============================================================================
void DeviceManagerWindow::applyDeviceSelection()
{
    auto& content = getDeviceManagerComponent();
    midiManager->setInputDevice (content.getSelectedInputName());
    midiManager->setOutputDevice (content.getSelectedOutputName());
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
}

DeviceManagerComponent& DeviceManagerWindow::getDeviceManagerComponent() const
{
    return *static_cast<DeviceManagerComponent*> (getContentComponent());
}
