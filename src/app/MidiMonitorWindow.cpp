#include "app/MidiMonitorWindow.h"

MidiMonitorWindow::MidiMonitorWindow (MidiManager& manager)
    : juce::DocumentWindow ("MIDI Monitor", juce::Colour (0xff16181b), juce::DocumentWindow::closeButton)
{
    setUsingNativeTitleBar (true);
    setContentOwned (new MidiMonitorComponent (manager), true);
    setResizable (true, false);
    setResizeLimits (560, 260, 2400, 1600);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

MidiMonitorWindow::~MidiMonitorWindow() = default;

MidiMonitorComponent& MidiMonitorWindow::getMonitor() const
{
    return *static_cast<MidiMonitorComponent*> (getContentComponent());
}

void MidiMonitorWindow::closeButtonPressed() { delete this; }
