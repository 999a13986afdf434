#pragma once

#include "engine/MidiDeviceLayer.h"

#include <functional>
#include <vector>

/** A device layer whose devices a test makes up: lists of names that can change at any time
    (plugging and unplugging), opens that can be made to fail, a record of everything sent, and
    messages delivered to the open inputs on the caller's thread or on a thread of the fake's own. */
class FakeMidiDeviceLayer : public MidiDeviceLayer
{
public:
    FakeMidiDeviceLayer() = default;
    ~FakeMidiDeviceLayer() override;

    //==============================================================================
    void setInputNames (const juce::StringArray& names);
    void setOutputNames (const juce::StringArray& names);

    /** Opening any input (output) fails while this is set. */
    void setInputOpenFails (bool shouldFail);
    void setOutputOpenFails (bool shouldFail);

    //==============================================================================
    /** How often an input (output) was opened, and at which list positions. */
    int getNumInputOpens() const;
    int getNumOutputOpens() const;
    juce::Array<int> getOpenedInputIndexes() const;
    juce::Array<int> getOpenedOutputIndexes() const;

    /** Ports that exist now (opened and not yet destroyed), and inputs that are started. */
    int getNumLiveInputs() const;
    int getNumStartedInputs() const;
    int getNumLiveOutputs() const;

    /** Every port open now goes dead, as a port of a device that was unplugged does: an output
        takes messages and loses them, an input delivers nothing. Ports opened later work. */
    void killOpenPorts();

    /** Messages sent to dead outputs. */
    int getNumLostMessages() const;

    //==============================================================================
    /** Everything sent through any output, in order. */
    std::vector<juce::MidiMessage> getSentMessages() const;

    /** When each of them was sent (juce::Time::getMillisecondCounterHiRes). */
    std::vector<double> getSentTimes() const;
    int getNumSentMessages() const;
    void clearSentMessages();

    /** Called on the sending thread after each message is recorded. It may close the very output
        that sent the message; it belongs to the layer, so it survives that. */
    std::function<void (const juce::MidiMessage&)> onMessageSent;

    //==============================================================================
    /** Hands a message to every started input, on the calling thread. */
    void deliver (const juce::MidiMessage& message);

    /** Hands the messages to every started input on a thread of the fake's own, as a device's
        input thread would, and returns once they are all delivered. */
    void deliverFromOtherThread (const std::vector<juce::MidiMessage>& messages);

    //==============================================================================
    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<Input> openInput (int index, juce::MidiInputCallback& callback) override;
    std::unique_ptr<Output> openOutput (int index) override;

private:
    class FakeInput;
    class FakeOutput;

    void record (const juce::MidiMessage& message);

    mutable juce::CriticalSection lock;
    juce::StringArray inputNames;
    juce::StringArray outputNames;
    bool inputOpenFails = false;
    bool outputOpenFails = false;
    juce::Array<int> openedInputIndexes;
    juce::Array<int> openedOutputIndexes;
    int numLiveOutputs = 0;
    int numLostMessages = 0;
    juce::Array<FakeOutput*> outputs;
    std::vector<juce::MidiMessage> sentMessages;
    std::vector<double> sentTimes;

    // Held during a delivery, so that a destroyed input is never called afterwards.
    mutable juce::CriticalSection deliveryLock;
    juce::Array<FakeInput*> inputs;

    JUCE_DECLARE_NON_COPYABLE (FakeMidiDeviceLayer)
};
