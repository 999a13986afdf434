#include "engine/TransferQueue.h"

#include "engine/MidiManager.h"
#include "engine/ZKSysEx.h"

#include <chrono>

namespace
{
double now() { return juce::Time::getMillisecondCounterHiRes(); }

// How long the queue's thread waits for stopping when the queue goes.
constexpr int stopTimeoutMs = 10000;
} // namespace

//==============================================================================
void TransferQueue::Job::cancel()
{
    cancelled = true;
    wake();
}

void TransferQueue::Job::wake()
{
    {
        const std::lock_guard<std::mutex> guard (wakeMutex);
        woken = true;
    }

    wakeCondition.notify_all();
}

bool TransferQueue::Job::waitUntil (double deadlineMs)
{
    std::unique_lock<std::mutex> guard (wakeMutex);

    for (;;)
    {
        if (cancelled)
            return false;

        if (woken)
        {
            woken = false;
            return true;
        }

        const auto remaining = deadlineMs - now();

        if (remaining <= 0)
            return true;

        wakeCondition.wait_for (guard, std::chrono::duration<double, std::milli> (remaining));
    }
}

//==============================================================================
/** Counts the parameter replies that arrive after the Get that asked for them has ended, on the
    MIDI input thread. It watches the manager's input for the queue's whole life. */
class TransferQueue::LateReplyCounter : public MidiManager::MidiManagerListener
{
public:
    explicit LateReplyCounter (MidiManager& managerToUse)
        : manager (managerToUse)
    {
        manager.setReplyWatcher (this);
    }

    ~LateReplyCounter() override { manager.setReplyWatcher (nullptr); }

    void expect (int count, double lastActivityMs, int replyTimeoutMs)
    {
        {
            const juce::ScopedLock sl (lock);
            remaining = count;
            lastActivity = lastActivityMs;
            timeoutMs = replyTimeoutMs;
        }
    }

    /** False once every expected reply came or a reply timeout passed without one. */
    bool isExpecting()
    {
        const juce::ScopedLock sl (lock);

        if (remaining > 0 && now() >= lastActivity + timeoutMs)
            remaining = 0;

        return remaining > 0;
    }

    double getDeadline() const
    {
        const juce::ScopedLock sl (lock);
        return lastActivity + timeoutMs;
    }

    void setWaitingJob (Job* job)
    {
        const juce::ScopedLock sl (lock);
        waitingJob = job;
    }

    void midiMessageReceived (const juce::MidiMessage& message) override
    {
        ZKSysEx::ParameterReply reply;

        if (! ZKSysEx::parseParameterReply (message, reply))
            return;

        const juce::ScopedLock sl (lock);

        if (remaining <= 0)
            return;

        lastActivity = now();

        if (--remaining <= 0 && waitingJob != nullptr)
            waitingJob->wake();
    }

private:
    MidiManager& manager;
    mutable juce::CriticalSection lock;
    int remaining = 0;
    double lastActivity = 0;
    int timeoutMs = 0;
    Job* waitingJob = nullptr;
};

//==============================================================================
TransferQueue::TransferQueue (MidiManager& managerToUse)
    : juce::Thread ("ZKM Transfers")
    , manager (managerToUse)
    , lateReplies (std::make_unique<LateReplyCounter> (managerToUse))
{
}

TransferQueue::~TransferQueue()
{
    cancelAll();
    signalThreadShouldExit();
    jobAdded.signal();
    stopThread (stopTimeoutMs);
    cancelPendingUpdate();
    finishEndedJobs();
}

//==============================================================================
bool TransferQueue::add (Job::Ptr job)
{
    jassert (job != nullptr);
    bool startsAtOnce = false;

    {
        const juce::ScopedLock sl (lock);
        startsAtOnce = current == nullptr && pending.isEmpty();
        pending.add (job);
    }

    // The thread is started by the first job, so that a manager that never talks to the controller
    // has none.
    if (! isThreadRunning())
        startThread();

    jobAdded.signal();
    return startsAtOnce;
}

void TransferQueue::cancelAndWait (Job& job)
{
    Job::Ptr keep (&job);
    job.cancel();

    {
        const juce::ScopedLock sl (lock);

        if (pending.contains (&job))
        {
            pending.removeObject (&job);
            job.ended = true;
            job.endedEvent.signal();
        }
    }

    waitFor (job);
}

bool TransferQueue::cancelIfWaiting (Job& job)
{
    Job::Ptr keep (&job);

    {
        // Under the lock, so that the queue's thread cannot start it between the test and the removal.
        const juce::ScopedLock sl (lock);

        if (! pending.contains (&job))
            return false;

        job.cancel();
        pending.removeObject (&job);
        job.ended = true;
        job.endedEvent.signal();
    }

    finishNow (job);
    return true;
}

void TransferQueue::waitFor (Job& job)
{
    Job::Ptr keep (&job);
    job.endedEvent.wait();
    finishNow (job);
}

void TransferQueue::cancelAll()
{
    juce::ReferenceCountedArray<Job> jobs;

    {
        const juce::ScopedLock sl (lock);

        if (current != nullptr)
            jobs.add (current);

        jobs.addArray (pending);
    }

    for (auto* job : jobs)
        job->cancel();

    for (auto* job : jobs)
        cancelAndWait (*job);

    finishEndedJobs();
}

bool TransferQueue::hasJob (const std::function<bool (const Job&)>& test) const
{
    const juce::ScopedLock sl (lock);

    if (current != nullptr && test (*current))
        return true;

    for (auto* job : pending)
        if (test (*job))
            return true;

    return false;
}

//==============================================================================
void TransferQueue::expectLateReplies (int count, double lastActivityMs, int replyTimeoutMs)
{
    lateReplies->expect (count, lastActivityMs, replyTimeoutMs);
}

bool TransferQueue::waitForQuiet (Job& job)
{
    lateReplies->setWaitingJob (&job);
    bool stillWanted = true;

    while (lateReplies->isExpecting())
    {
        if (! job.waitUntil (lateReplies->getDeadline()))
        {
            stillWanted = false;
            break;
        }
    }

    lateReplies->setWaitingJob (nullptr);
    return stillWanted;
}

bool TransferQueue::isExpectingLateReplies() const { return lateReplies->isExpecting(); }

//==============================================================================
void TransferQueue::run()
{
    while (! threadShouldExit())
    {
        Job::Ptr job;

        {
            const juce::ScopedLock sl (lock);

            if (! pending.isEmpty())
            {
                job = pending.getFirst();
                pending.remove (0);
                current = job;
            }
        }

        if (job == nullptr)
        {
            jobAdded.wait();
            continue;
        }

        job->started = true;

        if (! job->isCancelled())
            job->run (*this);

        {
            // The reference moves to the ended list before this thread lets go of it: a job may
            // hold what must only be released on the message thread.
            const juce::ScopedLock sl (lock);
            endedJobs.add (job);
            current = nullptr;
            job->ended = true;
            job->endedEvent.signal();
            job = nullptr;
        }

        triggerAsyncUpdate();
    }
}

void TransferQueue::handleAsyncUpdate() { finishEndedJobs(); }

void TransferQueue::finishEndedJobs()
{
    juce::ReferenceCountedArray<Job> jobs;

    {
        const juce::ScopedLock sl (lock);
        jobs.swapWith (endedJobs);
    }

    for (auto* job : jobs)
        finishNow (*job);
}

void TransferQueue::finishNow (Job& job)
{
    if (! job.finishCalled.exchange (true))
        job.finished();
}
