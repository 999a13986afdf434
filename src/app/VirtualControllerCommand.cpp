#include "app/VirtualControllerCommand.h"

#include "engine/MidiDeviceLayerFactory.h"

VirtualControllerCommand::VirtualControllerCommand (MidiManager& manager)
    : controller (findVirtualController (manager.getDeviceLayer()))
{
}

VirtualControllerCommand::~VirtualControllerCommand() { closeWindow(); }

void VirtualControllerCommand::showWindow()
{
    if (controller == nullptr)
        return;

    if (window == nullptr)
        window = new VirtualControllerWindow (*controller); // deletes itself when closed

    window->toFront (true);
}

void VirtualControllerCommand::closeWindow() { delete window.get(); }
