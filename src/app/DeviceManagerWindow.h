#pragma once

#include "app/DeviceManagerComponent.h"
#include "engine/MidiManager.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The device setup dialog: shows the MIDI devices that can be chosen now, marks those that the
    MidiManager uses, and hands the chosen names to it on "OK" or "Apply". It deletes itself on
    "OK" and "Cancel"; the application holds it by weak reference. */
class DeviceManagerWindow
    : public juce::ResizableWindow
    , public juce::Button::Listener
{
public:
    /** The manager is not owned and must outlive the window. */
    DeviceManagerWindow (const juce::String& title, MidiManager* midiManager);
    ~DeviceManagerWindow() override;

    //==============================================================================
    /** Passes the selected input and output names to the MidiManager, the input first. An empty
        name matches no device, so the manager keeps what it has for that direction. */
    void applyDeviceSelection();

    void buttonClicked (juce::Button* button) override;
    void buttonStateChanged (juce::Button*) override {}

    DeviceManagerComponent& getDeviceManagerComponent() const;

private:
    MidiManager* midiManager;

    JUCE_DECLARE_WEAK_REFERENCEABLE (DeviceManagerWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceManagerWindow)
};
