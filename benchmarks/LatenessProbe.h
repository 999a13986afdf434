#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <thread>

/** Posts a message to the message thread every 5 ms, as a user's clicks and repaints would, and
    records how late the message thread ran each one. */
class LatenessProbe
{
public:
    static constexpr int postIntervalMs = 5;

    LatenessProbe()
        : poster ([this] { post(); })
    {
    }

    ~LatenessProbe() { stop(); }

    void stop()
    {
        running = false;

        if (poster.joinable())
            poster.join();
    }

    double getWorstLatenessMs() const { return worstMs.load(); }

private:
    void post()
    {
        while (running)
        {
            const auto postedAt = juce::Time::getMillisecondCounterHiRes();
            juce::MessageManager::callAsync (
                [this, postedAt]
                {
                    const auto late = juce::Time::getMillisecondCounterHiRes() - postedAt;
                    auto worst = worstMs.load();

                    while (late > worst && ! worstMs.compare_exchange_weak (worst, late))
                    {
                    }
                });
            juce::Thread::sleep (postIntervalMs);
        }
    }

    std::atomic<bool> running{ true };
    std::atomic<double> worstMs{ 0 };
    std::thread poster;
};
