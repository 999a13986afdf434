#include "engine/SlotBackup.h"

#include "engine/PresetFileWriter.h"

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
    : engine (engineToUse)
    , folder (folderToUse)
    , modelName (modelNameToUse)
{
    engine.addListener (this);
}

SlotBackup::~SlotBackup()
{
    if (started && ! finished)
        cancel();

    engine.removeListener (this);
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

juce::File SlotBackup::getSetAsideFile (const juce::File& slotFile)
{
    return slotFile.getSiblingFile (slotFile.getFileName() + ".old");
}

bool SlotBackup::start()
{
    jassert (! started);

    // All 24 reads go into the queue at once, so that no other exchange comes between them.
    for (int slot = 0; slot < numberOfSlots; ++slot)
    {
        const auto id = engine.startBackupRead ((juce::uint8) slot);

        if (id == 0)
        {
            // Nothing was read: the folder stays as it was.
            finished = true;

            for (int i = readIds.size(); --i >= 0;)
                engine.cancelTransfer (readIds[i]);

            return false;
        }

        readIds.add (id);
        started = true;
    }

    return true;
}

void SlotBackup::cancel()
{
    if (! started || finished)
        return;

    // Only this backup's reads stop, the newest first so that none gets its turn meanwhile.
    cancelled = true;

    for (int i = readIds.size(); --i >= 0;)
        engine.cancelTransfer (readIds[i]);

    finish();
}

void SlotBackup::slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& image)
{
    if (finished || ! readIds.contains (read.id))
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
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    if (finished || ! readIds.contains (status.id))
        return;

    // One read cancelled (the strip's Cancel, say) ends the backup: the rest of it stops as well.
    if (status.stage == Stage::cancelled)
    {
        if (! cancelled)
            cancel();

        return;
    }

    if (status.stage == Stage::failed)
        failedSlots.add (status.slot);

    ++slotsDone;

    if (onProgress)
        onProgress (slotsDone);

    if (slotsDone == numberOfSlots)
        finish();
}

void SlotBackup::finish()
{
    if (finished)
        return;

    finished = true;
    setAsideFilesNotRead();

    if (onFinished)
        onFinished();
}

void SlotBackup::setAsideFilesNotRead()
{
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

    if (! failedSlots.isEmpty())
        summary << "; " << listOfSlots (failedSlots) << " did not answer";

    if (! unwrittenSlots.isEmpty())
        summary << "; " << listOfSlots (unwrittenSlots) << " could not be written";

    if (cancelled)
        summary << "; cancelled";

    return summary;
}
