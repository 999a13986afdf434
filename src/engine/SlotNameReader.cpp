#include "engine/SlotNameReader.h"

#include "engine/SlotBackup.h"

SlotNameReader::SlotNameReader (ZKEditorEngine& engineToUse)
    : engine (engineToUse)
{
    names.resize (SlotBackup::numberOfSlots);
    engine.addListener (this);
}

SlotNameReader::~SlotNameReader()
{
    onFinished = nullptr;
    onNameRead = nullptr;

    if (started && ! finished)
        cancel();

    engine.removeListener (this);
}

bool SlotNameReader::start()
{
    jassert (! started);

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
    {
        const auto id = engine.startNameRead ((juce::uint8) slot);

        if (id == 0)
        {
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

void SlotNameReader::cancel()
{
    if (! started || finished)
        return;

    // The newest first, so that none of the reads gets its turn meanwhile.
    cancelled = true;

    for (int i = readIds.size(); --i >= 0;)
        engine.cancelTransfer (readIds[i]);

    finish();
}

juce::Array<juce::uint8> SlotNameReader::getNameBytes (int slot) const { return names[slot]; }

void SlotNameReader::slotNameRead (const ZKEditorEngine::TransferStatus& read,
                                   const juce::Array<juce::uint8>& nameBytes)
{
    if (finished || ! readIds.contains (read.id))
        return;

    names.set ((int) read.slot, nameBytes);

    if (onNameRead)
        onNameRead ((int) read.slot);
}

void SlotNameReader::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    if (finished || ! readIds.contains (status.id))
        return;

    // One read cancelled from elsewhere (the strip's Cancel) ends them all.
    if (status.stage == Stage::cancelled)
    {
        if (! cancelled)
            cancel();

        return;
    }

    if (status.stage == Stage::failed)
        failedSlots.add (status.slot);

    if (++slotsDone == SlotBackup::numberOfSlots)
        finish();
}

void SlotNameReader::finish()
{
    if (finished)
        return;

    finished = true;

    if (onFinished)
        onFinished();
}

int SlotNameReader::getNumNamesRead() const
{
    int count = 0;

    for (const auto& name : names)
        if (! name.isEmpty())
            ++count;

    return count;
}

juce::String SlotNameReader::getSummary() const
{
    const auto numRead = getNumNamesRead();
    const auto ofAll = juce::String (numRead) + " of " + juce::String (SlotBackup::numberOfSlots) + " names read";

    if (cancelled)
        return "Cancelled: " + ofAll;

    if (numRead == SlotBackup::numberOfSlots)
        return juce::String (numRead) + " names read";

    if (! failedSlots.isEmpty())
        return ofAll + "; " + SlotBackup::listOfSlots (failedSlots) + " did not answer";

    return ofAll;
}
