#include "app/FollowController.h"

#include "app/EditorWindow.h"

//==============================================================================
FollowController::FollowController (MidiManager& manager, std::function<EditorWindow*()> findWindow)
    : midiManager (manager)
    , findFrontWindow (std::move (findWindow))
{
    midiManager.addListener (this);
}

FollowController::~FollowController()
{
    // Once removed, the input thread never calls again; only then may the update go.
    midiManager.removeListener (this);
    cancelPendingUpdate();
    stopTimer();
}

void FollowController::setEnabled (bool shouldFollow)
{
    enabled = shouldFollow;

    if (! shouldFollow)
    {
        const juce::ScopedLock sl (latestLock);
        latest.reset();
    }
}

//==============================================================================
void FollowController::midiMessageReceived (const juce::MidiMessage& message)
{
    // On the MIDI input thread: SysEx replies and system messages name no control.
    if (! enabled || message.getChannel() == 0)
        return;

    {
        const juce::ScopedLock sl (latestLock);
        latest = message;
    }

    triggerAsyncUpdate();
}

void FollowController::handleAsyncUpdate()
{
    // A follow is due already: it takes the latest message then.
    if (isTimerRunning())
        return;

    const auto sinceLast = (int) (juce::Time::getMillisecondCounter() - lastFollowMs);

    if (sinceLast < followIntervalMs)
        startTimer (followIntervalMs - sinceLast);
    else
        followLatest();
}

void FollowController::timerCallback()
{
    stopTimer();
    followLatest();
}

void FollowController::followLatest()
{
    std::optional<juce::MidiMessage> message;

    {
        const juce::ScopedLock sl (latestLock);
        std::swap (message, latest);
    }

    if (! message.has_value() || ! enabled)
        return;

    lastFollowMs = juce::Time::getMillisecondCounter();

    if (auto* window = findFrontWindow != nullptr ? findFrontWindow() : nullptr)
        window->getControlFollower().follow (*message);
}
