#include "engine/MessagePacer.h"
#include "engine/PresetTransfer.h"
#include "engine/ZKSysEx.h"

// The transfers that write into a slot: a Send, a Live Edit write, a rename and the write of a
// whole slot, and the write-and-confirm step that the last three share.

namespace
{
// About a quarter of a second of writes at the default pacing; listing the devices takes far less.
constexpr int writesBetweenDeviceChecks = 32;

double now() { return MessagePacer::now(); }
} // namespace

//==============================================================================
juce::Array<int> PresetTransfer::indexesToWrite (const juce::Array<juce::uint8>& known,
                                                 const juce::Array<juce::uint8>& target) const
{
    auto indexes = firstIndexes (imageLength);

    if (known.size() == imageLength)
        indexes.removeIf ([&] (int index) { return known[index] == target[index]; });

    return indexes;
}

PresetTransfer::Stage PresetTransfer::readWholeSlot (TransferQueue& queue, juce::Array<juce::uint8>& known)
{
    readingFirst = true;
    const auto read = runGet (queue);
    readingFirst = false;
    done = 0;

    if (read == Stage::completed)
    {
        known = getCollectedImage();
        manager.getSlotMemory().remember (slot, known);
    }

    return read;
}

PresetTransfer::Stage PresetTransfer::runSend (TransferQueue& queue)
{
    const auto target = getImageToSend();
    auto& slotMemory = manager.getSlotMemory();
    auto known = changesOnly ? slotMemory.recall (slot) : juce::Array<juce::uint8>();

    if (readFirst)
    {
        known.clear();
        const auto read = readWholeSlot (queue, known);

        // A slot that does not answer is still written, whole: a controller whose replies are lost
        // may well take the writes, and the read-back says whether it did.
        if (read == Stage::cancelled || (read == Stage::failed && controllerLost))
            return read;
    }

    stage = Stage::running;
    const auto indexes = indexesToWrite (known, target);
    changesOnlyWritten = known.size() == imageLength;
    done = 0;
    total = indexes.size();

    // A slot that holds the image already is left as it is, and stays known.
    if (indexes.isEmpty())
        return Stage::completed;

    // From the first write until a read-back, the slot holds what no one has seen.
    slotMemory.forget (slot);
    return writeBytes (target, indexes);
}

PresetTransfer::Stage PresetTransfer::writeBytes (const juce::Array<juce::uint8>& target,
                                                  const juce::Array<int>& indexes)
{
    stage = Stage::running;
    MessagePacer pacer (now(), pacing.writeGapMs);

    for (int i = 0; i < indexes.size(); ++i)
    {
        if (! sleepUntil (pacer.getNextTime()))
            return Stage::cancelled;

        // A device lost halfway leaves the slot partly written: the user must hear of it.
        if (i % writesBetweenDeviceChecks == writesBetweenDeviceChecks - 1 && ! checkDevices())
        {
            controllerLost = true;
            return Stage::failed;
        }

        pacer.messageGoes();
        const auto index = indexes[i];

        if (! manager.sendMessage (ZKSysEx::createParameterWrite (deviceId, slot, index, target[index])))
        {
            manager.closePorts();
            controllerLost = true;
            return Stage::failed;
        }

        {
            const juce::ScopedLock sl (imageLock);
            writtenIndexes.add (index);
        }

        done = i + 1;
    }

    // The last writes are checked as well: a device gone by now did not take them all.
    if (! checkDevices())
    {
        controllerLost = true;
        return Stage::failed;
    }

    sleepUntil (pacer.getNextTime());
    return Stage::completed;
}

PresetTransfer::Stage PresetTransfer::writeAndConfirm (TransferQueue& queue, const juce::Array<juce::uint8>& target,
                                                       const juce::Array<int>& indexes, int readBackRetries)
{
    // From the first write until the read-back, the slot holds what no one has seen.
    manager.getSlotMemory().forget (slot);
    auto outcome = writeBytes (target, indexes);

    // Every byte written is read back, and only those; done keeps counting the writes.
    if (outcome == Stage::completed)
    {
        countingReads = false;
        outcome = runRead (queue, indexes, readBackRetries);
        countingReads = true;
    }

    const auto readBack = getCollectedImage();
    juce::Array<int> unconfirmed;

    for (auto index : indexes)
        if (outcome != Stage::completed || readBack[index] != target[index])
            unconfirmed.add (index);

    {
        const juce::ScopedLock sl (imageLock);
        unconfirmedIndexes = unconfirmed;
    }

    if (outcome == Stage::completed && unconfirmed.isEmpty())
        return Stage::completed;

    return outcome == Stage::cancelled ? Stage::cancelled : Stage::failed;
}

PresetTransfer::Stage PresetTransfer::runLiveEdit (TransferQueue& queue)
{
    // Live Edit starts from a slot that holds the window's preset; a slot that is no longer known
    // (the devices changed, another write failed) cannot be brought up to date byte by byte.
    const auto target = getImageToSend();
    const auto known = manager.getSlotMemory().recall (slot);

    if (known.size() != imageLength || target.size() != imageLength)
        return Stage::failed;

    // One read-back retry, so that a lost reply does not end Live Edit, but a silent controller
    // ends it within a few seconds.
    return writeChanges (queue, known, target, juce::jmin (1, pacing.maxRetries));
}

PresetTransfer::Stage PresetTransfer::runRename (TransferQueue& queue)
{
    const auto nameBytes = getImageToSend();

    if (nameBytes.size() != SlotMemory::nameLength)
        return Stage::failed;

    // Only the name changes: a slot known before is known after with its new name.
    const auto known = manager.getSlotMemory().recall (slot);
    auto target = known.size() == imageLength ? known : juce::Array<juce::uint8>();
    target.resize (imageLength);
    const auto indexes = firstIndexes (SlotMemory::nameLength);

    for (auto index : indexes)
        target.set (index, nameBytes[index]);

    stage = Stage::running;
    const auto outcome = writeAndConfirm (queue, target, indexes, pacing.maxRetries);

    if (outcome == Stage::completed && known.size() == imageLength)
        manager.getSlotMemory().remember (slot, target);
    else if (outcome == Stage::completed)
        manager.getSlotMemory().rememberName (slot, nameBytes);

    return outcome;
}

PresetTransfer::Stage PresetTransfer::runSlotWrite (TransferQueue& queue)
{
    const auto target = getImageToSend();

    if (target.size() != imageLength)
        return Stage::failed;

    // What the slot holds comes from a read: the caller's own, as long as the memory still holds
    // what it read (every write of this program changes or forgets the memory of its slot), or one
    // made now. Memory alone may be older than an edit made on the controller, and "already held"
    // or "verified" must not rest on it. A slot that does not answer is not written at all.
    auto known = readByCaller;

    if (known.size() != imageLength || manager.getSlotMemory().recall (slot) != known)
        if (const auto read = readWholeSlot (queue, known); read != Stage::completed)
            return read;

    stage = Stage::running;
    return writeChanges (queue, known, target, pacing.maxRetries);
}

PresetTransfer::Stage PresetTransfer::writeChanges (TransferQueue& queue, const juce::Array<juce::uint8>& known,
                                                    const juce::Array<juce::uint8>& target, int readBackRetries)
{
    const auto indexes = indexesToWrite (known, target);
    changesOnlyWritten = true;
    done = 0;
    total = indexes.size();

    if (indexes.isEmpty())
        return Stage::completed;

    const auto outcome = writeAndConfirm (queue, target, indexes, readBackRetries);

    if (outcome == Stage::completed)
        manager.getSlotMemory().remember (slot, target);

    return outcome;
}
