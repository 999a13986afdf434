#pragma once

#include <functional>
#include <juce_events/juce_events.h>

/** Runs the message loop in small steps until the predicate holds or the time is up; true when
    the predicate held. For tests that wait for asynchronous work on the message thread. */
inline bool pumpMessagesUntil (const std::function<bool()>& predicate, int timeoutMs)
{
    constexpr int stepMs = 2;
    const auto deadline = juce::Time::getMillisecondCounterHiRes() + timeoutMs;

    while (! predicate())
    {
        if (juce::Time::getMillisecondCounterHiRes() >= deadline)
            return predicate();

        juce::MessageManager::getInstance()->runDispatchLoopUntil (stepMs);
    }

    return true;
}

/** Runs the message loop for that long, for tests that must show that nothing happens. */
inline void pumpMessagesFor (int durationMs)
{
    pumpMessagesUntil ([] { return false; }, durationMs);
}
