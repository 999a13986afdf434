#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

/** The MIDI devices as the MidiManager sees them: lists of names, and inputs and outputs opened by
    their position in those lists. The system layer wraps the operating system's MIDI services; the
    virtual controller and the tests' fake layers stand in for hardware. */
class MidiDeviceLayer
{
public:
    /** An open input. Once started it delivers complete messages with
        callback.handleIncomingMidiMessage (nullptr, message) on a thread of its own; once destroyed
        its callback is never called again. */
    class Input
    {
    public:
        virtual ~Input() = default;
        virtual void start() = 0;
        virtual void stop() = 0;
    };

    /** An open output. */
    class Output
    {
    public:
        virtual ~Output() = default;
        virtual void sendMessageNow (const juce::MidiMessage&) = 0;
    };

    virtual ~MidiDeviceLayer() = default;

    virtual juce::StringArray getInputNames() = 0;
    virtual juce::StringArray getOutputNames() = 0;

    /** Opens the input at that position of getInputNames(); nullptr when opening fails. */
    virtual std::unique_ptr<Input> openInput (int index, juce::MidiInputCallback& callback) = 0;

    /** Opens the output at that position of getOutputNames(); nullptr when opening fails. */
    virtual std::unique_ptr<Output> openOutput (int index) = 0;

    /** False when the MIDI service behind the layer is missing altogether (on Linux, no ALSA
        sequencer), so that empty lists can be told apart from a machine without MIDI. */
    virtual bool isMidiServiceAvailable() { return true; }
};
