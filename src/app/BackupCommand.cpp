#include "app/BackupCommand.h"

#include "app/EditorWindow.h"
#include "engine/SafeFileWriter.h"

//==============================================================================
BackupCommand::BackupCommand (EditorWindow& windowToUse)
    : window (windowToUse)
{
}

BackupCommand::~BackupCommand()
{
    // Reset before this goes, so that a report of the backup's end finds it gone.
    slotBackup.reset(); // its reads stop; the files written so far stay
}

bool BackupCommand::start()
{
    if (isRunning())
        return false;

    // The chooser and the question keep the message loop running: the window, and this command
    // with it, may go meanwhile.
    const auto folder = window.askForFolder ("Choose a Folder for the Backup");

    if (folder == juce::File())
        return false;

    // Reading 24 slots takes half a minute: a folder whose files cannot be written is named now,
    // after a real file was made there, as permission bits say nothing to root.
    juce::StringArray unwritable;
    const auto probe = SlotBackup::checkFolderCanBeWritten (folder);

    if (probe.failed())
        unwritable.add (probe.getErrorMessage());

    for (int slot = 0; slot < SlotBackup::numberOfSlots && probe.wasOk(); ++slot)
    {
        const auto target = SafeFileWriter::checkTarget (SlotBackup::getSlotFile (folder, window.modelName, slot));

        if (target.failed())
            unwritable.add (target.getErrorMessage());
    }

    if (! unwritable.isEmpty())
    {
        window.showSummary ("Back Up All Slots", "Nothing was read: the backup cannot be written in "
                                                     + folder.getFullPathName() + ".\n"
                                                     + unwritable.joinIntoString ("\n"));
        return false;
    }

    if (SlotBackup::folderHoldsBackup (folder, window.modelName))
    {
        const auto replace = window.askQuestion (window.askToReplaceBackup, folder);

        if (! replace.has_value() || ! *replace)
            return false;
    }

    window.getLastDirectory() = folder;

    slotBackup = std::make_unique<SlotBackup> (*window.getEngine(), folder, window.modelName);
    slotBackup->onFinished = [this, folder]
    {
        if (slotBackup == nullptr)
            return; // the window is going

        window.backupFolderJobEnded ("Back Up All Slots", slotBackup->getSummary(), folder,
                                     ! slotBackup->getSavedSlots().isEmpty());
    };

    if (slotBackup->start())
        return true;

    slotBackup.reset();
    return false;
}

bool BackupCommand::runReplaceQuestion (const juce::File& folder)
{
    return juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::QuestionIcon, "Replace Backup",
                                               folder.getFullPathName() + " holds a backup already. Replace its files?",
                                               "Replace", "Cancel");
}
