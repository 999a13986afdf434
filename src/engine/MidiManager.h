#pragma once

#include "engine/MidiDeviceLayer.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_events/juce_events.h>

/** The program's single connection to the MIDI devices: one chosen input and one chosen output,
    identified by name, reconciled with the devices present once a second. */
class MidiManager
    : public juce::MidiInputCallback
    , public juce::Timer
{
public:
    /** Hears every message of the open input, on the MIDI input thread. */
    class MidiManagerListener
    {
    public:
        virtual void midiMessageReceived (const juce::MidiMessage& message) = 0;
        virtual ~MidiManagerListener() = default;
    };

    //==============================================================================
    /** Uses the system's MIDI devices, and beside them the virtual controller when the environment
        variable ZKM_EDITOR_VIRTUAL_CONTROLLER is set. */
    MidiManager();

    /** Uses the given device layer, which must outlive the manager. */
    explicit MidiManager (MidiDeviceLayer& layer);

    ~MidiManager() override;

    //==============================================================================
    void setInputDevice (const juce::String& deviceName);
    void setOutputDevice (const juce::String& deviceName);
    juce::String getInputDeviceName() const;
    juce::String getOutputDeviceName() const;

    /** Chooses the devices by name, also when they are absent now: a present one opens at once, an
        absent one is opened by the device check once it appears. An empty name keeps the device
        chosen for that direction. Used for the devices remembered from an earlier run. */
    void restoreDevices (const juce::String& inputName, const juce::String& outputName);

    /** The layer through which the manager reaches the devices, for probes of their own. */
    MidiDeviceLayer& getDeviceLayer() noexcept { return layer; }

    /** False when the system has no MIDI service at all. */
    bool isMidiServiceAvailable();

    /** The names of the devices that can be chosen now. */
    juce::StringArray getAvailableInputNames();
    juce::StringArray getAvailableOutputNames();

    bool isInputOpen() const;
    bool isOutputOpen() const;

    /** Whether the chosen output device is listed now. A long Send asks this between writes: a
        device unplugged meanwhile takes the writes without complaint, and the periodic device check
        cannot run while the Send holds the message thread. */
    bool isOutputDevicePresent();

    /** Sends a complete message at once; false when no output is open. */
    bool sendMessage (const juce::MidiMessage& message);

    /** Replies of the controller carry no slot, so only one Get at a time may listen for them: a
        second one would take the first one's replies for its own. An owner takes the turn before it
        sends its requests and gives it back when its Get ends; false while another owner has it,
        or during the quiet time given back with it, in which replies still on their way to a Get
        that ended without them arrive to no one. Message thread only. */
    bool takeGetTurn (const void* owner);
    void giveBackGetTurn (const void* owner, int quietTimeMs = 0);

    void addListener (MidiManagerListener* listener);
    void removeListener (MidiManagerListener* listener);

    /** How many listeners are registered now. */
    int getNumListeners() const;

    //==============================================================================
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double) override {}

    /** The device check: closes ports whose device vanished and reopens chosen devices that came back. */
    void timerCallback() override;

private:
    //==============================================================================
    void openInputAt (int index);
    void openOutputAt (int index);

    // Declared first so that a layer of the manager's own outlives the ports opened on it.
    std::unique_ptr<MidiDeviceLayer> ownedLayer;
    MidiDeviceLayer& layer;

    juce::String inputDeviceName;
    juce::String outputDeviceName;

    // Held for a whole delivery: once removeListener returns, that listener is never called again.
    juce::CriticalSection listenerLock;
    juce::Array<MidiManagerListener*> listeners;

    // Replacing or deleting a port waits for the port's own thread, so neither lock is ever taken
    // on the MIDI input thread.
    juce::CriticalSection inputLock;
    std::unique_ptr<MidiDeviceLayer::Input> input;

    juce::CriticalSection outputLock;
    std::unique_ptr<MidiDeviceLayer::Output> output;

    // The Get turn; message thread only.
    const void* getTurnOwner = nullptr;
    double getTurnFreeAtMs = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiManager)
};
