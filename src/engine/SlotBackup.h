#pragma once

#include "engine/SlotJob.h"
#include "model/ZKMModel.h"

/** Backs up every slot of the controller into a folder: the 24 slots are read in order through the
    transfer queue (with the requests and replies of a Get, into scratch images, so the engine's
    controls are not touched), and each one that arrives is written at once, safely, as a preset
    file "<model> Slot 01.zkp" ... "<model> Slot 24.zkp". A slot that does not answer after its
    retries is passed over and named in the summary; a cancel leaves the files written so far, each
    of them whole. The folder holds only what this backup read: the file that an earlier backup left
    for a slot not read this time is moved aside (".old" appended), so that a restore refuses the
    folder rather than write that older preset. Message thread. */
class SlotBackup : public SlotJob
{
public:
    /** "slot 5" or "slots 5, 9 and 17", as the summaries name slots (0 to 23 in, 1 to 24 out). */
    static juce::String listOfSlots (juce::Array<int> slots);

    static constexpr int numberOfSlots = ZKMModel::numberOfSlots;

    /** The engine does the reading; it must outlive the backup. */
    SlotBackup (ZKEditorEngine& engine, const juce::File& folder, const juce::String& modelName);
    ~SlotBackup() override;

    /** The file of a slot (0 to 23) in a folder. */
    static juce::File getSlotFile (const juce::File& folder, const juce::String& modelName, int slot);

    /** Whether the folder holds a file of any slot already. */
    static bool folderHoldsBackup (const juce::File& folder, const juce::String& modelName);

    /** Whether files can be made in the folder: one is created there and removed again, as what the
        system allows is what counts (root passes any permission check, yet an immutable folder or
        a read-only file system still refuses it). The failure names the folder and the system's
        reason: "cannot create a file in /backups: Operation not permitted". */
    static juce::Result checkFolderCanBeWritten (const juce::File& folder);

    /** The name that the older file of a slot not read by a backup takes: the slot file's name
        with ".old" appended. */
    static juce::File getSetAsideFile (const juce::File& slotFile);

    /** Queues the 24 reads; false when nothing was queued (no ports, which the engine reports). */
    bool start();

    /** The slots (0 to 23) saved, and those that did not answer or could not be written. */
    const juce::Array<int>& getSavedSlots() const noexcept { return savedSlots; }
    const juce::Array<int>& getFailedSlots() const noexcept { return unansweredReads; }
    const juce::Array<int>& getUnwrittenSlots() const noexcept { return unwrittenSlots; }

    /** "24 of 24 slots backed up", or with what went wrong: "22 of 24 slots backed up; slots 5 and
        17 did not answer". Slots are counted from 1. */
    juce::String getSummary() const;

    /** Called when a slot was read and written, or failed: the number of slots dealt with. */
    std::function<void (int slotsDone)> onProgress;

private:
    void slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& image) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;
    void jobOver() override;

    const juce::File folder;
    const juce::String modelName;
    juce::Array<int> savedSlots, unwrittenSlots;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotBackup)
};
