#include "app/MidiMonitorWindow.h"

#include "app/ContentWindow.h"

MidiMonitorWindow::MidiMonitorWindow (MidiManager& manager)
    : juce::DocumentWindow ("MIDI Monitor", juce::Colour (0xff16181b), juce::DocumentWindow::closeButton)
{
    setResizeLimits (560, 260, 2400, 1600);
    ContentWindow::show (*this, new MidiMonitorComponent (manager), true);
}

MidiMonitorComponent& MidiMonitorWindow::getMonitor() const
{
    return *static_cast<MidiMonitorComponent*> (getContentComponent());
}

void MidiMonitorWindow::closeButtonPressed() { delete this; }
