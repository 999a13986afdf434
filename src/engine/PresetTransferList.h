#pragma once

#include "engine/PresetTransfer.h"

/** The transfers of one engine that are not over, oldest first, each queued on the MIDI manager's
    transfer queue as it is added: found by id or kind, cancelled with a wait until they are over,
    and the progress of the first one passed on at a steady rate rather than once per message.
    Message thread. */
class PresetTransferList : private juce::Timer
{
public:
    using Kind = PresetTransfer::Kind;
    using Status = PresetTransfer::Status;

    explicit PresetTransferList (TransferQueue& queue);
    ~PresetTransferList() override;

    /** Told whenever the status of the first transfer changed since it was last told. */
    std::function<void (const Status&)> onProgress;

    //==============================================================================
    /** Adds the transfer at the end and queues it. */
    PresetTransfer& add (PresetTransfer::Ptr transfer);

    /** Takes out a transfer that is over. */
    void remove (PresetTransfer& transfer);

    /** The status of the first transfer; kind none when there is none. */
    Status getStatus() const;

    /** Tells onProgress of the first transfer's status now if it changed. */
    void reportProgress();

    /** Whether the progress is being passed on: while a transfer is queued or running. */
    using juce::Timer::isTimerRunning;

    bool isEmpty() const noexcept { return transfers.isEmpty(); }
    int size() const noexcept { return transfers.size(); }
    PresetTransfer* getLast() const noexcept { return transfers.getLast(); }

    bool containsId (int id) const;
    bool containsKind (Kind kind) const;

    //==============================================================================
    /** Stops the transfers of that kind (none: every kind), as TransferQueue::cancelAndWait does. */
    void cancelKind (Kind kind);

    /** Stops the transfers of that id, also a read-back queued meanwhile by the Send of that id. */
    void cancelId (int id);

    /** Takes the transfers of that id out of the queue if they wait for their turn. */
    void cancelWaitingWithId (int id);

    /** Tells every transfer that its owner is going. */
    void detachAll();

private:
    void timerCallback() override { reportProgress(); }

    TransferQueue& queue;
    juce::ReferenceCountedArray<PresetTransfer> transfers;
    Status lastReportedStatus;

    JUCE_DECLARE_NON_COPYABLE (PresetTransferList)
};
