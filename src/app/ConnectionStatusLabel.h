#pragma once

#include "engine/MidiManager.h"

#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>

/** The line of a document window that tells whether the editor can reach the controller:
    "Controller: <output name>" while both ports are open, otherwise "No controller chosen - Device
    Setup...", which opens Device Setup when clicked. It follows the ports by looking at the manager
    a few times a second, so that it shows what the device check opened or closed, whoever asked. */
class ConnectionStatusLabel
    : public juce::Label
    , private juce::Timer
{
public:
    /** The manager is not owned and must outlive the label. */
    ConnectionStatusLabel (MidiManager& midiManager, std::function<void()> openDeviceSetup);
    ~ConnectionStatusLabel() override;

    /** Shows the state of the ports now. */
    void refresh();

    bool isConnected() const noexcept { return connected; }

    static const juce::String connectedPrefix;
    static const juce::String notConnectedText;

    //==============================================================================
    void mouseUp (const juce::MouseEvent& event) override;

private:
    void timerCallback() override { refresh(); }

    MidiManager& midiManager;
    std::function<void()> openDeviceSetup;
    bool connected = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ConnectionStatusLabel)
};
