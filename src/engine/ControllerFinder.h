#pragma once

#include "engine/MidiDeviceLayer.h"

#include <atomic>
#include <functional>
#include <juce_events/juce_events.h>
#include <memory>
#include <vector>

/** Looks for the controller among the devices of a layer: sends one parameter request to every
    output, each for a different image index, and waits one reply timeout for a parameter reply on
    any input. The reply's index names the output that was asked, the input it arrived on names the
    input: together the pair through which the controller answers.

    It opens ports of its own on the layer, beside those of the MidiManager, so that it never
    disturbs a transfer. Ports are opened and closed on the message thread; sending and waiting run
    on a thread of the finder's own, and the result reaches the message thread. */
class ControllerFinder
    : private juce::Thread
    , private juce::AsyncUpdater
{
public:
    /** The pair that answered; both names are empty when no controller answered. */
    struct Result
    {
        juce::String inputName;
        juce::String outputName;

        bool isFound() const noexcept { return outputName.isNotEmpty(); }
    };

    /** The layer must outlive the finder. */
    ControllerFinder (MidiDeviceLayer& layer, juce::uint8 deviceId, int replyTimeoutMs);

    /** Stops a probe that still runs; its result is never reported. */
    ~ControllerFinder() override;

    //==============================================================================
    /** Starts a probe; onFinished is called on the message thread when a reply came or the time ran
        out. False, and nothing started, while a probe runs already. Message thread only. */
    bool start (std::function<void (const Result&)> onFinished);

    /** Stops a running probe without reporting it. Message thread only. */
    void cancel();

    bool isProbing() const noexcept { return probing; }

private:
    //==============================================================================
    class ProbeInput;

    void run() override;
    void handleAsyncUpdate() override;

    /** On an input's thread: a parameter reply to one of the requests names the pair. */
    void replyArrived (int inputPosition, const juce::MidiMessage& message);

    void closePorts();

    //==============================================================================
    MidiDeviceLayer& layer;
    const juce::uint8 deviceId;
    const int replyTimeoutMs;

    std::function<void (const Result&)> onFinished;
    bool probing = false;

    juce::StringArray inputNames;
    juce::StringArray outputNames;
    std::vector<std::unique_ptr<ProbeInput>> callbacks;
    std::vector<std::unique_ptr<MidiDeviceLayer::Input>> inputs;
    std::vector<std::unique_ptr<MidiDeviceLayer::Output>> outputs; // by list position, nullptr where opening failed

    // Written on the input threads, read once the probe is over.
    std::atomic<int> numProbedOutputs{ 0 };
    juce::CriticalSection answerLock;
    int answeringInput = -1;
    int answeringOutput = -1;
    juce::WaitableEvent answered;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControllerFinder)
};
