#pragma once

#include "engine/SlotBackup.h"

#include <juce_gui_basics/juce_gui_basics.h>

class EditorWindow;

/** "Back Up All Slots..." of one document window: asks for a folder and, if it holds a backup
    already, whether to replace it; then reads the 24 slots through the queue into preset files
    there, with progress in the window's strip, and ends with a summary. Its questions are the
    window's replaceable steps (chooseFolder, askToReplaceBackup, showSummary). Owned by the window;
    the backup stops with it, and the files written so far stay. */
class BackupCommand
{
public:
    explicit BackupCommand (EditorWindow& window);
    ~BackupCommand();

    /** Runs the command; false when nothing was started. */
    bool start();

    /** Whether a backup is reading the slots. */
    bool isRunning() const noexcept { return slotBackup != nullptr && ! slotBackup->isFinished(); }

    /** The backup under way or last run; null before the first. */
    SlotBackup* getSlotBackup() const noexcept { return slotBackup.get(); }

    /** The default question whether the backup files in a folder may be replaced. */
    static bool runReplaceQuestion (const juce::File& folder);

private:
    EditorWindow& window;
    std::unique_ptr<SlotBackup> slotBackup;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BackupCommand)
};
