#include "engine/ControllerFinder.h"

#include "engine/ZKSysEx.h"

#include <atomic>
#include <memory>
#include <vector>

namespace
{
// The slot asked for; any slot answers, and reading one byte of it changes nothing.
constexpr juce::uint8 probeSlot = 0;

// Each output is asked for its own image index, so there can be no more outputs than image bytes.
constexpr int maximumProbedOutputs = ZKMModel::imageLength;

double now() { return juce::Time::getMillisecondCounterHiRes(); }
} // namespace

//==============================================================================
/** One probe, run by the transfer queue. Its ports live only while it runs, on the queue's thread;
    replies reach it on the input threads of those ports. */
class ControllerFinder::Probe : public TransferQueue::Job
{
public:
    Probe (ControllerFinder& finderToTell, juce::uint8 deviceIdToUse, int replyTimeout)
        : finder (&finderToTell)
        , manager (finderToTell.manager)
        , deviceId (deviceIdToUse)
        , replyTimeoutMs (replyTimeout)
    {
    }

    //==============================================================================
    void run (TransferQueue& queue) override
    {
        // Replies carry no slot: an earlier Get's late replies must not pass for answers.
        if (! queue.waitForQuiet (*this))
            return;

        openPorts();

        double lastRequestAt = now();
        int requestsSent = 0;

        for (int i = 0; i < (int) outputs.size() && ! isCancelled(); ++i)
        {
            if (outputs[(size_t) i] != nullptr)
            {
                outputs[(size_t) i]->sendMessageNow (ZKSysEx::createParameterRequest (deviceId, probeSlot, i));
                lastRequestAt = now();
                ++requestsSent;
            }
        }

        const auto deadline = lastRequestAt + replyTimeoutMs;

        while (! hasAnswer() && now() < deadline && waitUntil (deadline))
        {
        }

        // Closing the inputs first means that no reply arrives any more while the result is read.
        closePorts();

        // Outputs that reach the controller too may still answer: the next Get waits for them.
        queue.expectLateReplies (juce::jmax (0, requestsSent - numReplies.load()), lastRequestAt, replyTimeoutMs);

        const juce::ScopedLock sl (answerLock);

        if (answeringOutput >= 0)
        {
            result.inputName = inputNames[answeringInput];
            result.outputName = outputNames[answeringOutput];
        }
    }

    void finished() override
    {
        if (finder != nullptr)
            finder->probeFinished (result);
    }

    /** Message thread: the finder is going, or no longer wants the result. */
    void detach() { finder = nullptr; }

private:
    class ProbeInput : public juce::MidiInputCallback
    {
    public:
        ProbeInput (Probe& probeToTell, int positionInList)
            : probe (probeToTell)
            , position (positionInList)
        {
        }

        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
        {
            probe.replyArrived (position, message);
        }

    private:
        Probe& probe;
        const int position;
    };

    //==============================================================================
    void openPorts()
    {
        manager.withDeviceLayer (
            [this] (MidiDeviceLayer& layer)
            {
                inputNames = layer.getInputNames();
                outputNames = layer.getOutputNames();

                const auto numOutputs = juce::jmin (outputNames.size(), maximumProbedOutputs);

                for (int i = 0; i < numOutputs; ++i)
                    outputs.push_back (layer.openOutput (i));

                // Replies count only once the outputs to which they answer are known.
                numProbedOutputs = numOutputs;

                for (int i = 0; i < inputNames.size(); ++i)
                {
                    callbacks.push_back (std::make_unique<ProbeInput> (*this, i));

                    if (auto input = layer.openInput (i, *callbacks.back()))
                    {
                        input->start();
                        inputs.push_back (std::move (input));
                    }
                }
            });
    }

    void closePorts()
    {
        // A destroyed input is never called again, so its callback can go after it.
        manager.withDeviceLayer (
            [this] (MidiDeviceLayer&)
            {
                inputs.clear();
                callbacks.clear();
                outputs.clear();
            });

        numProbedOutputs = 0;
    }

    /** On an input's thread: a parameter reply to one of the requests names the pair; anything
        else, a reply for an index that was not asked for included, is passed over. */
    void replyArrived (int inputPosition, const juce::MidiMessage& message)
    {
        ZKSysEx::ParameterReply reply;

        if (! ZKSysEx::parseParameterReply (message, reply)
            || ! juce::isPositiveAndBelow (reply.index, numProbedOutputs.load())
            || outputs[(size_t) reply.index] == nullptr)
            return;

        ++numReplies;

        {
            const juce::ScopedLock sl (answerLock);

            // The first answer wins; later ones (the same controller seen through a second input)
            // change nothing.
            if (answeringOutput >= 0)
                return;

            answeringInput = inputPosition;
            answeringOutput = reply.index;
        }

        wake();
    }

    bool hasAnswer() const
    {
        const juce::ScopedLock sl (answerLock);
        return answeringOutput >= 0;
    }

    //==============================================================================
    ControllerFinder* finder; // message thread; null once detached
    MidiManager& manager;
    const juce::uint8 deviceId;
    const int replyTimeoutMs;

    // The queue's thread only, while the probe runs.
    juce::StringArray inputNames, outputNames;
    std::vector<std::unique_ptr<ProbeInput>> callbacks;
    std::vector<std::unique_ptr<MidiDeviceLayer::Input>> inputs;
    std::vector<std::unique_ptr<MidiDeviceLayer::Output>> outputs; // by list position, nullptr where opening failed

    // Written on the input threads.
    std::atomic<int> numProbedOutputs{ 0 };
    std::atomic<int> numReplies{ 0 };
    juce::CriticalSection answerLock;
    int answeringInput = -1;
    int answeringOutput = -1;

    Result result; // written by run(), read by finished() afterwards
};

//==============================================================================
ControllerFinder::ControllerFinder (MidiManager& managerToUse, juce::uint8 deviceIdToUse, int replyTimeout)
    : manager (managerToUse)
    , deviceId (deviceIdToUse)
    , replyTimeoutMs (replyTimeout)
{
}

ControllerFinder::~ControllerFinder() { cancel(); }

//==============================================================================
bool ControllerFinder::start (std::function<void (const Result&)> onFinishedToCall)
{
    if (probe != nullptr)
        return false;

    onFinished = std::move (onFinishedToCall);
    probe = new Probe (*this, deviceId, replyTimeoutMs); // shared with the queue
    manager.getTransferQueue().add (probe);
    return true;
}

void ControllerFinder::cancel()
{
    if (probe == nullptr)
        return;

    const auto cancelled = probe;
    probe = nullptr;
    onFinished = nullptr;
    cancelled->detach();
    manager.getTransferQueue().cancelAndWait (*cancelled);
}

void ControllerFinder::probeFinished (const Result& result)
{
    probe = nullptr;

    // Last: the caller may delete the finder from inside.
    auto callback = std::move (onFinished);

    if (callback)
        callback (result);
}
