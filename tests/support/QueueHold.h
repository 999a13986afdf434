#pragma once

#include "engine/TransferQueue.h"

#include <atomic>

/** A job of the test's own at the head of a transfer queue: every job queued after it waits until
    the test lets go. A test that looks at a waiting job, or at a job that must still run when it
    looks, holds the queue rather than hoping that the job is still there after a pump. */
class QueueHold
{
public:
    explicit QueueHold (TransferQueue& queueToHold)
        : queue (queueToHold)
    {
        queue.add (job);
    }

    ~QueueHold() { release(); }

    /** Lets the jobs behind the hold run; returns once the hold is over. Message thread. */
    void release()
    {
        job->release();
        queue.waitFor (*job);
    }

    /** Whether the queue has reached the hold, so that nothing queued later can be running. */
    bool isHolding() const noexcept { return job->hasStarted() && ! job->hasEnded(); }

private:
    class HoldJob : public TransferQueue::Job
    {
    public:
        void run (TransferQueue&) override
        {
            while (! released.load() && waitUntil (juce::Time::getMillisecondCounterHiRes() + 1000.0))
            {
            }
        }

        void finished() override {}

        void release()
        {
            released = true;
            wake();
        }

    private:
        std::atomic<bool> released{ false };
    };

    TransferQueue& queue;
    juce::ReferenceCountedObjectPtr<HoldJob> job{ new HoldJob() };
};
