#pragma once

#include "app/MidiMonitorComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** "MIDI Monitor": what comes in from the chosen input and goes out to the chosen output, one window
    for the program. It records from the moment it opens; closing it deletes it and stops the
    recording, and the application holds it by weak reference. */
class MidiMonitorWindow : public juce::DocumentWindow
{
public:
    explicit MidiMonitorWindow (MidiManager& manager);

    MidiMonitorComponent& getMonitor() const;

    void closeButtonPressed() override;

private:
    JUCE_DECLARE_WEAK_REFERENCEABLE (MidiMonitorWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiMonitorWindow)
};
