#include "engine/ControllerFinder.h"

#include "engine/ZKSysEx.h"

namespace
{
// The slot asked for; any slot answers, and reading one byte of it changes nothing.
constexpr juce::uint8 probeSlot = 0;

// Each output is asked for its own image index, so there can be no more outputs than image bytes.
constexpr int maximumProbedOutputs = 465;
} // namespace

//==============================================================================
class ControllerFinder::ProbeInput : public juce::MidiInputCallback
{
public:
    ProbeInput (ControllerFinder& finderToTell, int positionInList)
        : finder (finderToTell)
        , position (positionInList)
    {
    }

    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        finder.replyArrived (position, message);
    }

private:
    ControllerFinder& finder;
    const int position;
};

//==============================================================================
ControllerFinder::ControllerFinder (MidiDeviceLayer& layerToProbe, juce::uint8 deviceIdToUse, int replyTimeout)
    : juce::Thread ("Controller finder")
    , layer (layerToProbe)
    , deviceId (deviceIdToUse)
    , replyTimeoutMs (replyTimeout)
{
}

ControllerFinder::~ControllerFinder() { cancel(); }

//==============================================================================
bool ControllerFinder::start (std::function<void (const Result&)> onFinishedToCall)
{
    if (probing)
        return false;

    onFinished = std::move (onFinishedToCall);
    probing = true;

    {
        const juce::ScopedLock sl (answerLock);
        answeringInput = -1;
        answeringOutput = -1;
    }

    answered.reset();
    numProbedOutputs = 0;

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

    startThread();
    return true;
}

void ControllerFinder::cancel()
{
    signalThreadShouldExit();
    answered.signal();
    stopThread (-1);
    cancelPendingUpdate();
    closePorts();
    probing = false;
}

//==============================================================================
void ControllerFinder::run()
{
    for (int i = 0; i < (int) outputs.size() && ! threadShouldExit(); ++i)
        if (outputs[(size_t) i] != nullptr)
            outputs[(size_t) i]->sendMessageNow (ZKSysEx::createParameterRequest (deviceId, probeSlot, i));

    if (! threadShouldExit())
        answered.wait (replyTimeoutMs);

    if (! threadShouldExit())
        triggerAsyncUpdate();
}

void ControllerFinder::handleAsyncUpdate()
{
    stopThread (-1);

    // Closing the inputs first means that no reply arrives any more while the result is read.
    closePorts();

    Result result;

    {
        const juce::ScopedLock sl (answerLock);

        if (answeringOutput >= 0)
        {
            result.inputName = inputNames[answeringInput];
            result.outputName = outputNames[answeringOutput];
        }
    }

    probing = false;

    // Last: the caller may delete the finder from inside.
    auto callback = std::move (onFinished);

    if (callback)
        callback (result);
}

void ControllerFinder::replyArrived (int inputPosition, const juce::MidiMessage& message)
{
    ZKSysEx::ParameterReply reply;

    if (! ZKSysEx::parseParameterReply (message, reply)
        || ! juce::isPositiveAndBelow (reply.index, numProbedOutputs.load())
        || outputs[(size_t) reply.index] == nullptr)
        return;

    const juce::ScopedLock sl (answerLock);

    // The first answer wins; later ones (the same controller seen through a second input) change nothing.
    if (answeringOutput >= 0)
        return;

    answeringInput = inputPosition;
    answeringOutput = reply.index;
    answered.signal();
}

void ControllerFinder::closePorts()
{
    // A destroyed input is never called again, so its callback can go after it.
    inputs.clear();
    callbacks.clear();
    outputs.clear();
    numProbedOutputs = 0;
}
