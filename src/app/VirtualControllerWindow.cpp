#include "app/VirtualControllerWindow.h"

#include "app/ContentWindow.h"
#include "app/VirtualControllerColours.h"

VirtualControllerWindow::VirtualControllerWindow (VirtualController& controller)
    : juce::DocumentWindow (getTitle(), VirtualControllerColours::background, juce::DocumentWindow::closeButton)
{
    ContentWindow::show (*this, new VirtualControllerPanel (controller), false);
}

VirtualControllerPanel& VirtualControllerWindow::getPanel() const
{
    return *static_cast<VirtualControllerPanel*> (getContentComponent());
}

void VirtualControllerWindow::closeButtonPressed()
{
    // Keys and pads held at this moment get no release; the controller's own panel would not either.
    delete this;
}
