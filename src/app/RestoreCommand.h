#pragma once

#include "app/TransferStatusBar.h"
#include "engine/SlotRestore.h"

#include <juce_gui_basics/juce_gui_basics.h>

class BackupCommand;
class EditorWindow;

/** "Restore All Slots..." of one document window: asks for the folder of a backup, checks every
    file (nothing is sent when one is missing or rejected, and the user is told which), asks for
    confirmation, then sends the 24 slots, each read back, with progress in the window's strip, and
    ends with a summary. The window's preset is not changed. A restore is never cut off in the
    middle of a slot: one that still runs when the window goes writes its slot under way to the
    end. Its questions are the window's replaceable steps. */
class RestoreCommand
{
public:
    /** A restore does not start while the window's backup runs. */
    RestoreCommand (EditorWindow& window, const BackupCommand& backup);
    ~RestoreCommand();

    /** False when nothing was started. */
    bool start();

    /** Its read-backs included. */
    bool isRunning() const noexcept { return slotRestore != nullptr && slotRestore->isRunning(); }

    bool ownsTransfer (int transferId) const
    {
        return slotRestore != nullptr && slotRestore->ownsTransfer (transferId);
    }

    SlotRestore* getSlotRestore() const noexcept { return slotRestore.get(); }

    /** When a restore runs: asks whether to stop it after the slot under way or to wait for it, and
        stops it if so. While the question is open the restore holds after that slot, so nothing
        later is written unless the user waits. False when no restore runs or the window went
        meanwhile. */
    bool askToStopOrWait();

    /** Before the window closes: asks as askToStopOrWait does; when the user waits, the window
        closes once the restore ends. False when the window stays, or went meanwhile. */
    bool letWindowClose();

    /** Shows a transfer of the restore in the strip as a step of the whole job and returns true;
        false for any other transfer. */
    bool showProgress (const ZKEditorEngine::TransferStatus& status, TransferStatusBar& strip) const;

    /** The texts of the stop question; slotNumber counts from 1. */
    static juce::String getStopQuestion (int slotNumber);
    static juce::String getStopAnswer (int slotNumber);

    /** The default askToRestore and askToStopRestore steps. */
    static bool runRestoreQuestion (const juce::File& folder);
    static bool runStopQuestion (int slotNumber);

private:
    EditorWindow& window;
    const BackupCommand& backup;
    std::unique_ptr<SlotRestore> slotRestore;
    bool closeWindowOnceEnded = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RestoreCommand)
};
