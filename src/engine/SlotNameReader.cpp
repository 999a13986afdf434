#include "engine/SlotNameReader.h"

#include "engine/SlotBackup.h"

#include <algorithm>

SlotNameReader::SlotNameReader (ZKEditorEngine& engineToUse)
    : SlotJob (engineToUse)
{
    names.resize (SlotBackup::numberOfSlots);
}

SlotNameReader::~SlotNameReader()
{
    onFinished = nullptr;
    onNameRead = nullptr;
    cancel();
}

bool SlotNameReader::start()
{
    jassert (! started);
    return queueReads (allSlots(), [this] (juce::uint8 slot) { return engine.startNameRead (slot); });
}

juce::Array<juce::uint8> SlotNameReader::getNameBytes (int slot) const { return names[slot]; }

void SlotNameReader::slotNameRead (const ZKEditorEngine::TransferStatus& read,
                                   const juce::Array<juce::uint8>& nameBytes)
{
    if (! isOwnRead (read.id))
        return;

    names.set ((int) read.slot, nameBytes);

    if (onNameRead)
        onNameRead ((int) read.slot);
}

void SlotNameReader::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    if (countReadEnd (status) && readsEnded == SlotBackup::numberOfSlots)
        finish();
}

int SlotNameReader::getNumNamesRead() const
{
    return (int) std::count_if (names.begin(), names.end(), [] (const auto& name) { return ! name.isEmpty(); });
}

juce::String SlotNameReader::getSummary() const
{
    const auto numRead = getNumNamesRead();
    const auto ofAll = juce::String (numRead) + " of " + juce::String (SlotBackup::numberOfSlots) + " names read";

    if (cancelled)
        return "Cancelled: " + ofAll;

    if (numRead == SlotBackup::numberOfSlots)
        return juce::String (numRead) + " names read";

    if (! unansweredReads.isEmpty())
        return ofAll + "; " + SlotBackup::listOfSlots (unansweredReads) + " did not answer";

    return ofAll;
}
