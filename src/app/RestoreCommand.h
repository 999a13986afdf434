#pragma once

#include "app/TransferStatusBar.h"
#include "engine/SlotRestore.h"

#include <juce_gui_basics/juce_gui_basics.h>

class BackupCommand;
class EditorWindow;

/** "Restore All Slots..." of one document window: asks for the folder of a backup, checks every
    file (nothing is sent when one is missing or rejected, and the user is told which), asks for
    confirmation, then sends the 24 slots, each read back, with progress in the window's strip, and
    ends with a summary. The window's preset is not changed.

    A restore is never cut off in the middle of a slot: closing the window or quitting asks whether
    to stop it after the slot under way or to wait for it. Its questions are the window's
    replaceable steps (chooseFolder, askToRestore, askToStopRestore, showSummary). Owned by the
    window; a restore that still runs when the window goes writes its slot under way to the end. */
class RestoreCommand
{
public:
    /** A restore does not start while the window's backup runs. */
    RestoreCommand (EditorWindow& window, const BackupCommand& backup);
    ~RestoreCommand();

    /** Runs the command; false when nothing was started. */
    bool start();

    /** Whether a restore is under way, its read-backs included. */
    bool isRunning() const noexcept { return slotRestore != nullptr && slotRestore->isRunning(); }

    /** Whether the transfer is one of the restore's Sends or their read-backs. */
    bool ownsTransfer (int transferId) const
    {
        return slotRestore != nullptr && slotRestore->ownsTransfer (transferId);
    }

    SlotRestore* getSlotRestore() const noexcept { return slotRestore.get(); }

    /** When a restore runs: asks whether to stop it after the slot under way or to wait for it, and
        stops it if so. False when no restore runs or the window went meanwhile. */
    bool askToStopOrWait();

    /** Before the window closes: while a restore runs, asks whether to stop it after the slot
        under way or to wait, and when the user waits the window closes once the restore ends. True
        when the window may close now; false when it stays, or went meanwhile (the caller must then
        not touch it). */
    bool letWindowClose();

    /** Shows a transfer of the restore in the strip as a step of the whole job and returns true;
        false for any other transfer. */
    bool showProgress (const ZKEditorEngine::TransferStatus& status, TransferStatusBar& strip) const;

    /** The texts of the question whether to stop after the slot under way; slotNumber counts
        from 1. */
    static juce::String getStopQuestion (int slotNumber);
    static juce::String getStopAnswer (int slotNumber);

    /** The default questions: whether all 24 presets may be replaced by the backup in a folder,
        and whether to stop after the slot under way (true) or to wait (false). */
    static bool runRestoreQuestion (const juce::File& folder);
    static bool runStopQuestion (int slotNumber);

private:
    EditorWindow& window;
    const BackupCommand& backup;
    std::unique_ptr<SlotRestore> slotRestore;
    bool closeWindowOnceEnded = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RestoreCommand)
};
