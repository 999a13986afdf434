#pragma once

#include "engine/ZKEditorEngine.h"

#include <functional>

/** What the jobs on the controller's slots (a backup, a restore, the reading of the names, a copy or
    a swap) have in common: each runs once, listens to the engine for the transfers it queued
    itself, told apart by their ids (a Send of another window that comes between is none of its
    business), and tells onFinished once when it is over or was cancelled. Message thread. */
class SlotJob : protected ZKEditorEngine::Listener
{
public:
    ~SlotJob() override;

    /** Stops the transfers of the job still to come, then ends it. */
    void cancel();

    bool isFinished() const noexcept { return finished; }
    bool wasCancelled() const noexcept { return cancelled; }

    /** Called once the job is over, or was cancelled. */
    std::function<void()> onFinished;

protected:
    /** The engine does the transfers; it must outlive the job. */
    explicit SlotJob (ZKEditorEngine& engine);

    /** Every slot of the controller, 0 to 23. */
    static juce::Array<int> allSlots();

    /** Queues a transfer of each slot in turn with startOne, adding its id to ids, up to the first
        that cannot be queued; the number of ids. */
    int queueEach (const juce::Array<int>& slots, const std::function<int (juce::uint8)>& startOne,
                   juce::Array<int>& ids);

    /** Queues a read of each slot with startRead, all at once, so that no other exchange comes
        between them. False when one could not be queued (no ports, which the engine reports): the
        reads queued already are taken back and the job is finished, without onFinished. */
    bool queueReads (const juce::Array<int>& slots, const std::function<int (juce::uint8)>& startRead);

    /** Whether the transfer of that id is one of the reads of a job still running. */
    bool isOwnRead (int id) const { return ! finished && readIds.contains (id); }

    /** Cancels the job's reads, the newest first so that none of them gets its turn meanwhile. */
    void cancelReads();

    /** For a job that reads slots: counts the end of one of its reads in readsEnded, and a slot
        that did not answer in unansweredReads. A read cancelled from elsewhere (the strip's
        Cancel) ends the whole job. False for a transfer that is not a read of the job or that
        did not count. */
    bool countReadEnd (const ZKEditorEngine::TransferStatus& status);

    /** Ends the job and tells onFinished, once. */
    void finish();

    /** What cancel() stops: the job's reads, unless the job has more. */
    virtual void cancelTransfers() { cancelReads(); }

    /** Called by finish() before onFinished is told. */
    virtual void jobOver() {}

    ZKEditorEngine& engine;
    juce::Array<int> readIds; // the reads this job queued, and no other
    juce::Array<int> unansweredReads;
    int readsEnded = 0;
    bool started = false, finished = false, cancelled = false;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotJob)
};
