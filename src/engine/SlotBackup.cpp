#include "engine/SlotBackup.h"

#include "engine/PresetFileWriter.h"

#include <cerrno>
#include <cstring>

#if ! JUCE_WINDOWS
#include <fcntl.h>
#include <unistd.h>
#endif

juce::String SlotBackup::listOfSlots (juce::Array<int> slots)
{
    slots.sort();
    juce::StringArray numbers;

    for (auto slot : slots)
        numbers.add (juce::String (slot + 1));

    if (numbers.size() == 1)
        return "slot " + numbers[0];

    const auto last = numbers[numbers.size() - 1];
    numbers.remove (numbers.size() - 1);
    return "slots " + numbers.joinIntoString (", ") + " and " + last;
}

SlotBackup::SlotBackup (ZKEditorEngine& engineToUse, const juce::File& folderToUse, const juce::String& modelNameToUse)
    : SlotJob (engineToUse)
    , folder (folderToUse)
    , modelName (modelNameToUse)
{
}

SlotBackup::~SlotBackup()
{
    // The files read so far stay, and those of an earlier backup still go aside, but no one is told.
    onFinished = nullptr;
    onProgress = nullptr;
    cancel();
}

juce::File SlotBackup::getSlotFile (const juce::File& folder, const juce::String& modelName, int slot)
{
    return folder.getChildFile (modelName + " Slot " + juce::String (slot + 1).paddedLeft ('0', 2) + ".zkp");
}

bool SlotBackup::folderHoldsBackup (const juce::File& folder, const juce::String& modelName)
{
    for (int slot = 0; slot < numberOfSlots; ++slot)
        if (getSlotFile (folder, modelName, slot).exists())
            return true;

    return false;
}

juce::Result SlotBackup::checkFolderCanBeWritten (const juce::File& folder)
{
    const auto probe = folder.getChildFile (".zkm-write-check-" + juce::Uuid().toString());
    const auto refused = [&folder] (const juce::String& reason)
    { return juce::Result::fail ("cannot create a file in " + folder.getFullPathName() + ": " + reason); };

#if ! JUCE_WINDOWS
    const auto descriptor =
        ::open (probe.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);

    if (descriptor < 0)
        return refused (juce::String (std::strerror (errno)));

    ::close (descriptor);

    if (::unlink (probe.getFullPathName().toRawUTF8()) != 0)
        return juce::Result::fail ("cannot remove a file from " + folder.getFullPathName() + ": "
                                   + juce::String (std::strerror (errno)));
#else
    if (! probe.create())
        return refused ("the system refused");

    probe.deleteFile();
#endif

    return juce::Result::ok();
}

juce::File SlotBackup::getSetAsideFile (const juce::File& slotFile)
{
    return slotFile.getSiblingFile (slotFile.getFileName() + ".old");
}

bool SlotBackup::start()
{
    jassert (! started);

    // When a read cannot be queued, nothing is read and the folder stays as it was.
    return queueReads (allSlots(), [this] (juce::uint8 slot) { return engine.startBackupRead (slot); });
}

void SlotBackup::slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& image)
{
    if (! isOwnRead (read.id))
        return;

    const auto slot = (int) read.slot;

    // The file's name tells the slot: the file itself names slot 0, as every preset file does.
    if (PresetFileWriter (engine.getFileCodec()).write (image, getSlotFile (folder, modelName, slot)).wasOk())
        savedSlots.add (slot);
    else
        unwrittenSlots.add (slot);
}

void SlotBackup::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    // One read cancelled (the strip's Cancel, say) ends the backup: the rest of it stops as well.
    if (! countReadEnd (status))
        return;

    if (onProgress)
        onProgress (readsEnded);

    if (readsEnded == numberOfSlots)
        finish();
}

void SlotBackup::jobOver()
{
    // The folder is left holding only what this backup read.
    for (int slot = 0; slot < numberOfSlots; ++slot)
    {
        const auto file = getSlotFile (folder, modelName, slot);

        if (! savedSlots.contains (slot) && file.existsAsFile())
        {
            const auto aside = getSetAsideFile (file);

            // A file that cannot be moved aside must still not pass for this backup's.
            if (! (aside.deleteFile() && file.moveFileTo (aside)))
                file.deleteFile();
        }
    }
}

juce::String SlotBackup::getSummary() const
{
    auto summary = juce::String (savedSlots.size()) + " of " + juce::String (numberOfSlots) + " slots backed up";

    if (! unansweredReads.isEmpty())
        summary << "; " << listOfSlots (unansweredReads) << " did not answer";

    if (! unwrittenSlots.isEmpty())
        summary << "; " << listOfSlots (unwrittenSlots) << " could not be written";

    if (cancelled)
        summary << "; cancelled";

    return summary;
}
