#include "support/FakeMidiDeviceLayer.h"

#include <thread>

//==============================================================================
class FakeMidiDeviceLayer::FakeInput : public MidiDeviceLayer::Input
{
public:
    FakeInput (FakeMidiDeviceLayer& ownerToUse, juce::MidiInputCallback& callbackToUse)
        : owner (ownerToUse)
        , callback (callbackToUse)
    {
        const juce::ScopedLock sl (owner.deliveryLock);
        owner.inputs.add (this);
    }

    ~FakeInput() override
    {
        const juce::ScopedLock sl (owner.deliveryLock);
        owner.inputs.removeFirstMatchingValue (this);
    }

    void start() override
    {
        const juce::ScopedLock sl (owner.deliveryLock);
        started = true;
    }

    void stop() override
    {
        const juce::ScopedLock sl (owner.deliveryLock);
        started = false;
    }

    bool isStarted() const noexcept { return started; }

    void kill() { dead = true; }

    void deliver (const juce::MidiMessage& message)
    {
        if (started && ! dead)
            callback.handleIncomingMidiMessage (nullptr, message);
    }

private:
    FakeMidiDeviceLayer& owner;
    juce::MidiInputCallback& callback;
    bool started = false;
    bool dead = false;
};

class FakeMidiDeviceLayer::FakeOutput : public MidiDeviceLayer::Output
{
public:
    explicit FakeOutput (FakeMidiDeviceLayer& ownerToUse)
        : owner (ownerToUse)
    {
        const juce::ScopedLock sl (owner.lock);
        ++owner.numLiveOutputs;
        owner.outputs.add (this);
    }

    ~FakeOutput() override
    {
        const juce::ScopedLock sl (owner.lock);
        --owner.numLiveOutputs;
        owner.outputs.removeFirstMatchingValue (this);
    }

    void kill() { dead = true; }

    void sendMessageNow (const juce::MidiMessage& message) override
    {
        auto& layer = owner;

        {
            const juce::ScopedLock sl (layer.lock);

            if (dead)
            {
                ++layer.numLostMessages;
                return;
            }
        }

        // Nothing of this object may be touched after record(): its hook may delete it.
        layer.record (message);
    }

private:
    FakeMidiDeviceLayer& owner;
    bool dead = false; // guarded by the owner's lock
};

//==============================================================================
FakeMidiDeviceLayer::~FakeMidiDeviceLayer()
{
    // Ports must go before their layer.
    jassert (inputs.isEmpty() && numLiveOutputs == 0);
}

void FakeMidiDeviceLayer::setInputNames (const juce::StringArray& names)
{
    const juce::ScopedLock sl (lock);
    inputNames = names;
}

void FakeMidiDeviceLayer::setOutputNames (const juce::StringArray& names)
{
    const juce::ScopedLock sl (lock);
    outputNames = names;
}

void FakeMidiDeviceLayer::setInputOpenFails (bool shouldFail)
{
    const juce::ScopedLock sl (lock);
    inputOpenFails = shouldFail;
}

void FakeMidiDeviceLayer::setOutputOpenFails (bool shouldFail)
{
    const juce::ScopedLock sl (lock);
    outputOpenFails = shouldFail;
}

int FakeMidiDeviceLayer::getNumInputOpens() const
{
    const juce::ScopedLock sl (lock);
    return openedInputIndexes.size();
}

int FakeMidiDeviceLayer::getNumOutputOpens() const
{
    const juce::ScopedLock sl (lock);
    return openedOutputIndexes.size();
}

juce::Array<int> FakeMidiDeviceLayer::getOpenedInputIndexes() const
{
    const juce::ScopedLock sl (lock);
    return openedInputIndexes;
}

juce::Array<int> FakeMidiDeviceLayer::getOpenedOutputIndexes() const
{
    const juce::ScopedLock sl (lock);
    return openedOutputIndexes;
}

int FakeMidiDeviceLayer::getNumLiveInputs() const
{
    const juce::ScopedLock sl (deliveryLock);
    return inputs.size();
}

int FakeMidiDeviceLayer::getNumStartedInputs() const
{
    const juce::ScopedLock sl (deliveryLock);
    int count = 0;

    for (auto* input : inputs)
        if (input->isStarted())
            ++count;

    return count;
}

int FakeMidiDeviceLayer::getNumLiveOutputs() const
{
    const juce::ScopedLock sl (lock);
    return numLiveOutputs;
}

void FakeMidiDeviceLayer::killOpenPorts()
{
    {
        const juce::ScopedLock sl (lock);

        for (auto* output : outputs)
            output->kill();
    }

    const juce::ScopedLock sl (deliveryLock);

    for (auto* input : inputs)
        input->kill();
}

int FakeMidiDeviceLayer::getNumLostMessages() const
{
    const juce::ScopedLock sl (lock);
    return numLostMessages;
}

//==============================================================================
std::vector<juce::MidiMessage> FakeMidiDeviceLayer::getSentMessages() const
{
    const juce::ScopedLock sl (lock);
    return sentMessages;
}

std::vector<double> FakeMidiDeviceLayer::getSentTimes() const
{
    const juce::ScopedLock sl (lock);
    return sentTimes;
}

int FakeMidiDeviceLayer::getNumSentMessages() const
{
    const juce::ScopedLock sl (lock);
    return (int) sentMessages.size();
}

void FakeMidiDeviceLayer::clearSentMessages()
{
    const juce::ScopedLock sl (lock);
    sentMessages.clear();
    sentTimes.clear();
}

void FakeMidiDeviceLayer::record (const juce::MidiMessage& message)
{
    {
        const juce::ScopedLock sl (lock);
        sentMessages.push_back (message);
        sentTimes.push_back (juce::Time::getMillisecondCounterHiRes());
    }

    if (onMessageSent)
        onMessageSent (message);
}

//==============================================================================
void FakeMidiDeviceLayer::deliver (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (deliveryLock);

    for (auto* input : inputs)
        input->deliver (message);
}

void FakeMidiDeviceLayer::deliverFromOtherThread (const std::vector<juce::MidiMessage>& messages)
{
    std::thread inputThread (
        [this, messages]
        {
            for (const auto& message : messages)
                deliver (message);
        });

    inputThread.join();
}

//==============================================================================
juce::StringArray FakeMidiDeviceLayer::getInputNames()
{
    const juce::ScopedLock sl (lock);
    return inputNames;
}

juce::StringArray FakeMidiDeviceLayer::getOutputNames()
{
    const juce::ScopedLock sl (lock);
    return outputNames;
}

std::unique_ptr<MidiDeviceLayer::Input> FakeMidiDeviceLayer::openInput (int index, juce::MidiInputCallback& callback)
{
    {
        const juce::ScopedLock sl (lock);

        if (inputOpenFails || ! juce::isPositiveAndBelow (index, inputNames.size()))
            return nullptr;

        openedInputIndexes.add (index);
    }

    return std::make_unique<FakeInput> (*this, callback);
}

std::unique_ptr<MidiDeviceLayer::Output> FakeMidiDeviceLayer::openOutput (int index)
{
    {
        const juce::ScopedLock sl (lock);

        if (outputOpenFails || ! juce::isPositiveAndBelow (index, outputNames.size()))
            return nullptr;

        openedOutputIndexes.add (index);
    }

    return std::make_unique<FakeOutput> (*this);
}
