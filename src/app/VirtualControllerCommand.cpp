#include "app/VirtualControllerCommand.h"

#include "engine/MidiDeviceLayerFactory.h"
#include "engine/VirtualController.h"

VirtualControllerCommand::VirtualControllerCommand (MidiManager& manager)
    : controller (findVirtualController (manager.getDeviceLayer()))
{
    if (controller == nullptr)
        return;

    // The controller saves on its own thread; the notice is shown on the message thread, and not
    // at all once this command is gone.
    const juce::WeakReference<VirtualControllerCommand> self (this);
    controller->setSaveFailureListener (
        [self] (const juce::String& message)
        {
            juce::MessageManager::callAsync (
                [self, message]
                {
                    if (self != nullptr)
                        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon,
                                                                getSaveFailureTitle(), message);
                });
        });
}

VirtualControllerCommand::~VirtualControllerCommand()
{
    if (controller != nullptr)
        controller->setSaveFailureListener (nullptr);

    closeWindow();
}

void VirtualControllerCommand::showWindow()
{
    if (controller == nullptr)
        return;

    if (window == nullptr)
        window = new VirtualControllerWindow (*controller); // deletes itself when closed

    window->toFront (true);
}

void VirtualControllerCommand::closeWindow() { delete window.get(); }
