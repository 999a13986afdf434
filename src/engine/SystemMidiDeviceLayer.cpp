#include "engine/SystemMidiDeviceLayer.h"

namespace
{
/** Without the ALSA sequencer device, asking for the lists only makes ALSA complain on the error
    stream, once a second with the device check: such a machine simply has no MIDI. */
bool isSequencerPresent()
{
#if JUCE_LINUX || JUCE_BSD
    return juce::File ("/dev/snd/seq").exists();
#else
    return true;
#endif
}

juce::Array<juce::MidiDeviceInfo> getInputDevices()
{
    return isSequencerPresent() ? juce::MidiInput::getAvailableDevices() : juce::Array<juce::MidiDeviceInfo>();
}

juce::Array<juce::MidiDeviceInfo> getOutputDevices()
{
    return isSequencerPresent() ? juce::MidiOutput::getAvailableDevices() : juce::Array<juce::MidiDeviceInfo>();
}

juce::StringArray getNames (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;

    for (const auto& device : devices)
        names.add (device.name);

    return names;
}

/** Passes the system's messages on as every layer does, without the JUCE input as their source. */
class SystemInput
    : public MidiDeviceLayer::Input
    , private juce::MidiInputCallback
{
public:
    SystemInput (const juce::String& identifier, juce::MidiInputCallback& callbackToUse)
        : callback (callbackToUse)
        , input (juce::MidiInput::openDevice (identifier, this))
    {
    }

    ~SystemInput() override
    {
        // Stopping and deleting the device here, before the callback reference dies, is what
        // guarantees that no message arrives afterwards.
        if (input != nullptr)
            input->stop();

        input.reset();
    }

    bool isOpen() const noexcept { return input != nullptr; }

    void start() override { input->start(); }
    void stop() override { input->stop(); }

private:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        callback.handleIncomingMidiMessage (nullptr, message);
    }

    juce::MidiInputCallback& callback;
    std::unique_ptr<juce::MidiInput> input;
};

class SystemOutput : public MidiDeviceLayer::Output
{
public:
    explicit SystemOutput (std::unique_ptr<juce::MidiOutput> outputToUse)
        : output (std::move (outputToUse))
    {
    }

    void sendMessageNow (const juce::MidiMessage& message) override { output->sendMessageNow (message); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};
} // namespace

//==============================================================================
bool SystemMidiDeviceLayer::isMidiServiceAvailable() { return isSequencerPresent(); }

juce::StringArray SystemMidiDeviceLayer::getInputNames() { return getNames (getInputDevices()); }

juce::StringArray SystemMidiDeviceLayer::getOutputNames() { return getNames (getOutputDevices()); }

std::unique_ptr<MidiDeviceLayer::Input> SystemMidiDeviceLayer::openInput (int index, juce::MidiInputCallback& callback)
{
    const auto devices = getInputDevices();

    if (! juce::isPositiveAndBelow (index, devices.size()))
        return nullptr;

    auto input = std::make_unique<SystemInput> (devices.getReference (index).identifier, callback);

    if (! input->isOpen())
        return nullptr;

    return input;
}

std::unique_ptr<MidiDeviceLayer::Output> SystemMidiDeviceLayer::openOutput (int index)
{
    const auto devices = getOutputDevices();

    if (! juce::isPositiveAndBelow (index, devices.size()))
        return nullptr;

    auto output = juce::MidiOutput::openDevice (devices.getReference (index).identifier);

    if (output == nullptr)
        return nullptr;

    return std::make_unique<SystemOutput> (std::move (output));
}
