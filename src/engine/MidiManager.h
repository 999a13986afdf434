#pragma once

#include "engine/MidiDeviceLayer.h"
#include "engine/SlotHolds.h"
#include "engine/SlotMemory.h"
#include "engine/TransferQueue.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_events/juce_events.h>

/** The program's single connection to the MIDI devices: one chosen input and one chosen output,
    identified by name, reconciled with the devices present once a second. */
class MidiManager
    : public juce::MidiInputCallback
    , public juce::Timer
{
public:
    /** Hears every message of the open input, on the MIDI input thread, and, if it wishes, every
        message sent through the open output, on the sending thread. */
    class MidiManagerListener
    {
    public:
        virtual void midiMessageReceived (const juce::MidiMessage& message) = 0;

        /** Called after a message went out through the open output, on the thread that sent it (the
            message thread or a transfer's thread). Most listeners care only for the input. */
        virtual void midiMessageSent (const juce::MidiMessage& message) { juce::ignoreUnused (message); }

        virtual ~MidiManagerListener() = default;
    };

    //==============================================================================
    /** Uses the devices of the machine, as a program does: the layer of createMidiDeviceLayer for the
        setting of virtualControllerVariable. */
    MidiManager();

    /** Uses the given device layer and owns it; see createMidiDeviceLayer for the layer of a program. */
    explicit MidiManager (std::unique_ptr<MidiDeviceLayer> layer);

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

    /** Calls the operation with the device layer while the manager opens, closes and lists nothing:
        for a probe that lists the devices and opens ports of its own. */
    template <typename Operation>
    void withDeviceLayer (Operation&& operation)
    {
        const juce::ScopedLock sl (layerLock);
        operation (layer);
    }

    /** False when the system has no MIDI service at all. */
    bool isMidiServiceAvailable();

    /** The names of the devices that can be chosen now. */
    juce::StringArray getAvailableInputNames();
    juce::StringArray getAvailableOutputNames();

    bool isInputOpen() const;
    bool isOutputOpen() const;

    /** Whether the chosen output device is listed now. */
    bool isOutputDevicePresent();

    /** Whether both chosen devices are listed now. A transfer asks this between messages: a device
        unplugged meanwhile may take messages without complaint until the device check notices. */
    bool areChosenDevicesPresent();

    /** Closes both ports and keeps the chosen names, so that the device check opens them again
        once the devices are listed. A transfer that finds a device gone calls this: a port of a
        device that went away stays dead even when the device comes back. */
    void closePorts();

    /** Sends a complete message at once and tells the listeners it went out; false when no output is
        open. */
    bool sendMessage (const juce::MidiMessage& message);

    /** What the slots of the controller on these ports hold, as far as this run has seen. Opening,
        closing or losing a port forgets all of it: another controller may answer now. */
    SlotMemory& getSlotMemory() noexcept { return slotMemory; }

    /** Which slots a Live Edit holds: a write into one of them first makes its Live Edit let go. */
    SlotHolds& getSlotHolds() noexcept { return slotHolds; }

    /** The queue in which every exchange with the controller waits for its turn. */
    TransferQueue& getTransferQueue() noexcept { return *transferQueue; }

    void addListener (MidiManagerListener* listener);
    void removeListener (MidiManagerListener* listener);

    /** For the transfer queue: one more receiver of every message of the input, called before the
        listeners and not counted among them. nullptr removes it; once this returns, the previous
        one is not called again. */
    void setReplyWatcher (MidiManagerListener* watcher);

    /** How many listeners are registered now. */
    int getNumListeners() const;

    //==============================================================================
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double) override {}

    /** The device check: closes ports whose device vanished and reopens chosen devices that came back. */
    void timerCallback() override;

private:
    //==============================================================================
    /** Sets one of the chosen device names, which the transfer thread reads as well. */
    void chooseName (juce::String& chosenName, const juce::String& deviceName);
    void openInputAt (int index);
    void openOutputAt (int index);
    void closeInput();
    void closeOutput();

    // Declared first so that a layer of the manager's own outlives the ports opened on it.
    std::unique_ptr<MidiDeviceLayer> ownedLayer;
    MidiDeviceLayer& layer;

    // The chosen names are read by the transfer thread as well. The layer is asked, and its ports
    // are deleted, from both threads, one at a time (taken after a port's lock, never before).
    mutable juce::CriticalSection nameLock;
    juce::String inputDeviceName;
    juce::String outputDeviceName;
    juce::CriticalSection layerLock;

    // Held for a whole delivery: once removeListener returns, that listener is never called again.
    juce::CriticalSection listenerLock;
    juce::Array<MidiManagerListener*> listeners;
    MidiManagerListener* replyWatcher = nullptr;

    // Replacing or deleting a port waits for the port's own thread, so neither lock is ever taken
    // on the MIDI input thread.
    juce::CriticalSection inputLock;
    std::unique_ptr<MidiDeviceLayer::Input> input;

    juce::CriticalSection outputLock;
    std::unique_ptr<MidiDeviceLayer::Output> output;

    SlotMemory slotMemory;
    SlotHolds slotHolds;

    // Declared last: it goes first, while the ports and the listeners are still there.
    std::unique_ptr<TransferQueue> transferQueue;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiManager)
};
