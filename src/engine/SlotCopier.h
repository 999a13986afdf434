#pragma once

#include "engine/SlotJob.h"

/** Copies one slot of the controller into another, or swaps two: each slot whose content is
    needed is read whole first (what the editor remembers of a slot may be older than an edit on
    the controller), then the target is brought to the image by a slot write (the slot read unless
    the copier has just read it, the bytes that differ written, each read back). A swap writes the second slot's image
    into the first slot, then the first slot's old image into the second; stopped in between, the
    first slot's old preset is held here alone, and the summary says which slot holds what. Only
    the transfers the copier queued count, told apart by their ids: a Send of another window that
    comes between its steps is none of its business. Message thread. */
class SlotCopier : public SlotJob
{
public:
    enum class Operation
    {
        copy,
        swap
    };

    /** Slots 0 to 23; a copy goes from the first to the second. The engine must outlive the copier. */
    SlotCopier (ZKEditorEngine& engine, Operation operation, int firstSlot, int secondSlot);

    /** A copier still running cancels its reads, without telling onFinished; a write under way
        finishes, as a window's own Send does after the window closes, but nothing follows it. */
    ~SlotCopier() override;

    /** The first slot's image as the caller of this job has just read it (zkm keeps it in a file
        before a swap writes anything): the copier takes it as its own read, and reads only the
        other slot. Before start(). */
    void setFirstSlotAsRead (const juce::Array<juce::uint8>& image) { firstImage = image; }

    /** Queues the reads. False, doing nothing, for
        slots that are not two different slots of the controller or when the ports are not open
        (which the engine reports). */
    bool start();

    /** Whether every write completed and read back as written. */
    bool succeeded() const noexcept { return success; }

    /** Slots counted from 1: "Slot 3 copied to slot 7, verified (40 bytes written)", "Slot 7
        already held slot 3's preset", "Slots 3 and 7 swapped, verified (80 bytes written)", or
        what went wrong and what each slot holds now. */
    juce::String getSummary() const;

    /** A swap stopped after its first write has begun: the image of the overwritten slot's old
        preset, which no slot holds any more. Empty otherwise. */
    juce::Array<juce::uint8> getPresetNoSlotHolds() const;

    /** The slot (0 to 23) whose old preset getPresetNoSlotHolds holds; -1 otherwise. */
    int getSlotOfPresetNoSlotHolds() const;

    /** The last status of the copier's transfer under way (a read or a write). */
    ZKEditorEngine::TransferStatus getTransferStatus() const noexcept { return lastStatus; }

    /** The bytes written so far by the copier's completed writes. */
    int getBytesWritten() const noexcept { return bytesWritten; }

    /** Called when a transfer of the copier was queued, made progress or ended. */
    std::function<void()> onProgress;

private:
    struct Write
    {
        int slot = -1;
        int id = 0;
        ZKEditorEngine::TransferStatus end; // kind none until it is over
    };

    void slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& image) override;
    void transferProgressed (const ZKEditorEngine::TransferStatus& status) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;
    bool queueWrite (Write& write, const juce::Array<juce::uint8>& image);
    bool queueFirstWrite();
    void readsOver();

    /** A write under way stops before its next byte. */
    void cancelTransfers() override;
    bool isMine (int id) const;
    bool wroteAny (const Write& write) const;
    juce::String describeWrite (const Write& write) const;
    juce::String describeStop() const;

    const Operation operation;
    const int firstSlot, secondSlot;
    juce::Array<juce::uint8> firstImage, secondImage; // what each slot held before, as read by the copier
    const juce::Array<juce::uint8> noImage;
    Write firstWrite, secondWrite; // a copy has only the first
    ZKEditorEngine::TransferStatus lastStatus;
    int bytesWritten = 0;
    bool success = false, unreachable = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotCopier)
};
