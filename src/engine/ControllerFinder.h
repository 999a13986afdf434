#pragma once

#include "engine/MidiManager.h"

#include <functional>
#include <juce_events/juce_events.h>

/** Looks for the controller among the devices of a MIDI manager's layer: sends one parameter
    request to every output, each for a different image index, and waits one reply timeout for a
    parameter reply on any input. The reply's index names the output that was asked, the input it
    arrived on names the input: together the pair through which the controller answers.

    The probe is a job of the manager's transfer queue: it waits for the exchange under way and for
    the late replies of an earlier Get, so that neither takes the other's replies, and it opens and
    closes ports of its own beside the manager's under the manager's layer lock. The result reaches
    the message thread. */
class ControllerFinder
{
public:
    /** The pair that answered; both names are empty when no controller answered. */
    struct Result
    {
        juce::String inputName;
        juce::String outputName;

        bool isFound() const noexcept { return outputName.isNotEmpty(); }
    };

    /** The manager must outlive the finder. */
    ControllerFinder (MidiManager& manager, juce::uint8 deviceId, int replyTimeoutMs);

    /** Stops a probe that still runs or waits; its result is never reported. */
    ~ControllerFinder();

    //==============================================================================
    /** Queues a probe; onFinished is called on the message thread when a reply came or the time ran
        out. False, and nothing started, while a probe runs or waits already. Message thread only. */
    bool start (std::function<void (const Result&)> onFinished);

    /** Stops a probe without reporting it. Message thread only. */
    void cancel();

    bool isProbing() const noexcept { return probe != nullptr; }

private:
    class Probe;

    void probeFinished (const Result& result);

    MidiManager& manager;
    const juce::uint8 deviceId;
    const int replyTimeoutMs;

    std::function<void (const Result&)> onFinished;
    juce::ReferenceCountedObjectPtr<Probe> probe;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControllerFinder)
};
