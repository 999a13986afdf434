#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class MidiManager;

/** The one conversation with the controller: every exchange (a Get, a Send, a sync command) is a
    job, and the jobs run one at a time, first come first served, on a thread of the queue's own.
    A job paces itself by deadline and checks for a cancel before every message; it never touches
    a control or a component. Its end is handed to the message thread, where the job's finished()
    runs exactly once.

    The queue also guards the controller's replies, which carry no slot: once a Get has ended, the
    replies it asked for and that did not come yet may still arrive. The next Get listens only once
    every one of them has arrived or can no longer arrive (a reply timeout has passed since the last
    of them was due, and since the last reply). */
class TransferQueue
    : private juce::Thread
    , private juce::AsyncUpdater
{
public:
    /** One exchange with the controller. */
    class Job : public juce::ReferenceCountedObject
    {
    public:
        using Ptr = juce::ReferenceCountedObjectPtr<Job>;

        ~Job() override = default;

        /** The exchange itself, on the queue's thread. */
        virtual void run (TransferQueue& queue) = 0;

        /** Called once on the message thread after run() has returned, or instead of it for a job
            that was cancelled before its turn. */
        virtual void finished() = 0;

        /** True for a job that writes into the controller's memory: stopped halfway, it leaves
            part of the old content there. */
        virtual bool writesToTheController() const { return false; }

        /** Asks the job to stop before its next message and wakes it from any wait. */
        void cancel();
        bool isCancelled() const noexcept { return cancelled.load(); }

        /** Whether run() has begun, and whether the job is over (run() returned or never will). */
        bool hasStarted() const noexcept { return started.load(); }
        bool hasEnded() const noexcept { return ended.load(); }

        /** For run(): sleeps until that time (juce::Time::getMillisecondCounterHiRes), a wake()
            or a cancel; false when the job was cancelled. */
        bool waitUntil (double deadlineMs);

        /** Ends a wait of run() early, for example when the replies it waits for are all in. */
        void wake();

    private:
        friend class TransferQueue;

        std::mutex wakeMutex;
        std::condition_variable wakeCondition;
        bool woken = false;

        std::atomic<bool> cancelled{ false };
        std::atomic<bool> started{ false };
        std::atomic<bool> ended{ false };
        std::atomic<bool> finishCalled{ false };
        juce::WaitableEvent endedEvent{ true };
    };

    //==============================================================================
    explicit TransferQueue (MidiManager& manager);

    /** Cancels every job and waits for the queue's thread to stop. */
    ~TransferQueue() override;

    //==============================================================================
    /** Puts a job at the end of the queue; true when it is the only one and starts at once. */
    bool add (Job::Ptr job);

    /** Stops a job: one that waits for its turn is taken out, the running one stops before its
        next message. Returns once the queue's thread is done with it and its finished() has been
        called. Message thread. */
    void cancelAndWait (Job& job);

    /** Takes a job out of the queue if it still waits for its turn, and calls its finished() now;
        false, changing nothing, when it has started or is over. Message thread. */
    bool cancelIfWaiting (Job& job);

    /** Waits until the job is over and calls its finished() now if that has not happened yet.
        Message thread. */
    void waitFor (Job& job);

    /** Cancels every job and waits as cancelAndWait does, the running one first. */
    void cancelAll();

    /** Whether any job is queued or running that satisfies the test. */
    bool hasJob (const std::function<bool (const Job&)>& test) const;

    //==============================================================================
    /** For the job of a Get, on the queue's thread: the replies it asked for and did not get. The
        next Get waits for them until a reply timeout has passed with none, counted from
        lastActivityMs (when the last one was due or the last reply came, whichever is later). */
    void expectLateReplies (int count, double lastActivityMs, int replyTimeoutMs);

    /** For the job of a Get, on the queue's thread: waits until no reply of an earlier Get can
        still arrive; false when the job was cancelled meanwhile. */
    bool waitForQuiet (Job& job);

    /** Whether replies of an earlier Get may still arrive. */
    bool isExpectingLateReplies() const;

private:
    class LateReplyCounter;

    //==============================================================================
    void run() override;
    void handleAsyncUpdate() override;
    void finishNow (Job& job);
    void finishEndedJobs();

    //==============================================================================
    MidiManager& manager;

    mutable juce::CriticalSection lock;
    juce::ReferenceCountedArray<Job> pending;
    Job::Ptr current;
    juce::ReferenceCountedArray<Job> endedJobs;
    juce::WaitableEvent jobAdded;

    std::unique_ptr<LateReplyCounter> lateReplies;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TransferQueue)
};
