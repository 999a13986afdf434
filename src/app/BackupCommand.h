#pragma once

#include "engine/SlotBackup.h"

#include <juce_gui_basics/juce_gui_basics.h>

class EditorWindow;

/** "Back Up All Slots..." of one document window: asks for a folder and, if it holds a backup
    already, whether to replace it; then reads the 24 slots through the queue into preset files
    there, with progress in the window's strip, and ends with a summary. Its questions are the
    window's replaceable steps. The backup stops with the window; the files written so far stay. */
class BackupCommand
{
public:
    explicit BackupCommand (EditorWindow& window);
    ~BackupCommand();

    /** False when nothing was started. */
    bool start();

    bool isRunning() const noexcept { return slotBackup != nullptr && ! slotBackup->isFinished(); }

    SlotBackup* getSlotBackup() const noexcept { return slotBackup.get(); }

    /** The default askToReplaceBackup step. */
    static bool runReplaceQuestion (const juce::File& folder);

private:
    EditorWindow& window;
    std::unique_ptr<SlotBackup> slotBackup;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BackupCommand)
};
