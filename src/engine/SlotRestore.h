#pragma once

#include "engine/SlotJob.h"

#include <vector>

/** Writes a backup made by SlotBackup back into the controller: every file of the folder is
    checked first, and only when all 24 are accepted as preset files are the 24 slots sent. Each
    slot is read first, only the bytes that differ are written, and a slot written is read back and
    compared afterwards, whatever the options say. The engine's controls are
    not touched. Only the transfers the restore queued itself count, told apart by their ids: a
    Send of the window that comes between is none of its business. Message thread. */
class SlotRestore : public SlotJob
{
public:
    /** The engine does the sending; it must outlive the restore. */
    SlotRestore (ZKEditorEngine& engine, const juce::File& folder, const juce::String& modelName);

    /** A restore still running stops as stopAfterCurrentSlot does, without telling onFinished,
        and its read-backs are dropped: the Send under way writes its whole slot, as a window's
        own Send does after the window closes. */
    ~SlotRestore() override;

    /** Reads and checks the 24 files; returns what is wrong with them, one line per file ("ZKM Slot
        05.zkp is missing", "ZKM Slot 07.zkp is not a preset file"), empty when every one is accepted. */
    juce::StringArray check();

    /** Queues the 24 Sends, each followed by its read-back. False, sending nothing, unless check()
        accepted every file, or when the ports are not open (which the engine reports). */
    bool start();

    /** Lets the slot under way be written whole and read back, and sends no later slot; the
        restore then ends with a summary that says where it stopped. A restore that is held stops
        after the slot it was held after. */
    void stopAfterCurrentSlot();

    /** Whether the restore was asked to stop after the slot under way. */
    bool isStopping() const noexcept { return stoppedAfterSlot >= 0; }

    /** Holds the restore before its next slot, while the user is asked whether to stop it: the
        slot under way is written whole and read back, the later ones wait out of the queue until
        resume() or stopAfterCurrentSlot(). Returns the slot (0 to 23) it holds after, the last
        one that is written unless the restore is resumed; -1 when it is not running. */
    int holdAfterCurrentSlot();

    /** Queues the Sends of a held restore again, after whatever the queue holds now. */
    void resume();

    bool isHeld() const noexcept { return held; }

    /** The slot (0 to 23) being written or read back now, or next when a transfer of another
        comes first; -1 when the restore is not running. */
    int getSlotUnderWay() const;

    bool isRunning() const noexcept { return started && ! finished; }

    /** Whether the transfer of that id (a Send or its read-back) is one of this restore's. */
    bool ownsTransfer (int transferId) const { return transferId != 0 && sendIds.contains (transferId); }

    /** "24 of 24 slots restored and verified", or what went wrong, slots counted from 1, then what
        it took: "; 24 slots checked, 3 rewritten (41 bytes)". */
    juce::String getSummary() const;

    const juce::Array<int>& getVerifiedSlots() const noexcept { return verifiedSlots; }

private:
    void sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>&) override;
    void verificationEnded (const ZKEditorEngine::Verification& verification) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;
    void slotDone (int slot);
    bool isHeldSlot (int slot) const { return heldSlots.contains (slot); }

    /** The Sends still to come stop; the one under way stops before its next write. */
    void cancelTransfers() override;

    const juce::File folder;
    const juce::String modelName;
    juce::Array<juce::Array<juce::uint8>> images;
    juce::Array<int> sendIds;   // by slot: the Sends this restore queued, and no other
    juce::Array<int> heldSlots; // the slots whose Sends were taken out of the queue by a hold
    std::vector<bool> slotWritten, slotOver;
    juce::Array<int> verifiedSlots, differingSlots, unansweredSlots, unverifiedSlots, failedSlots, unsentSlots;
    int stoppedAfterSlot = -1;
    int heldAfterSlot = -1;
    int slotsChecked = 0, slotsRewritten = 0, bytesRewritten = 0;
    bool checked = false, stopping = false, holding = false, held = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotRestore)
};
