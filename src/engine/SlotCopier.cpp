#include "engine/SlotCopier.h"

#include "engine/ZKSysEx.h"

namespace
{
using Stage = ZKEditorEngine::TransferStatus::Stage;
using Kind = ZKEditorEngine::TransferStatus::Kind;

juce::String slotName (int slot) { return "slot " + juce::String (slot + 1); }

juce::String bytesWrittenText (int bytes)
{
    return "(" + juce::String (bytes) + (bytes == 1 ? " byte written)" : " bytes written)");
}
} // namespace

//==============================================================================
SlotCopier::SlotCopier (ZKEditorEngine& engineToUse, Operation operationToDo, int first, int second)
    : SlotJob (engineToUse)
    , operation (operationToDo)
    , firstSlot (first)
    , secondSlot (second)
{
}

SlotCopier::~SlotCopier()
{
    onFinished = nullptr;
    onProgress = nullptr;

    if (started && ! finished)
    {
        // The reads go; a write that has begun finishes its slot rather than leave it half
        // written, and one still waiting for its turn never starts.
        finished = true;
        cancelReads();

        for (auto* write : { &secondWrite, &firstWrite })
            if (write->id != 0)
                engine.cancelWaitingTransfers (write->id);
    }
}

bool SlotCopier::start()
{
    jassert (! started);
    const auto isSlot = [] (int slot) { return juce::isPositiveAndBelow (slot, (int) ZKSysEx::numberOfSlots); };

    if (started || ! isSlot (firstSlot) || ! isSlot (secondSlot) || firstSlot == secondSlot)
        return false;

    // A copy needs what its source holds; a swap needs both slots. Each is read now, whatever the
    // editor remembers of it: the controller may have been edited since, and a preset copied or
    // swapped from memory would put an old preset into the target and lose the new one.
    juce::Array<int> toRead;

    if (firstImage.isEmpty())
        toRead.add (firstSlot);

    if (operation == Operation::swap)
        toRead.add (secondSlot);

    if (toRead.isEmpty())
        return false;

    if (! queueReads (toRead, [this] (juce::uint8 slot) { return engine.startBackupRead (slot); }))
        return false;

    started = true;
    return true;
}

void SlotCopier::cancelTransfers()
{
    // The newest first, so that none of the copier's transfers gets its turn meanwhile.
    for (auto* write : { &secondWrite, &firstWrite })
        if (write->id != 0 && write->end.kind == Kind::none)
            engine.cancelTransfer (write->id);

    cancelReads();
}

//==============================================================================
bool SlotCopier::isMine (int id) const
{
    return id != 0 && (readIds.contains (id) || id == firstWrite.id || id == secondWrite.id);
}

bool SlotCopier::queueWrite (Write& write, const juce::Array<juce::uint8>& image)
{
    // A slot the copier read itself is not read again, unless another write came in between.
    const auto& readHere = write.slot == firstSlot ? firstImage : operation == Operation::swap ? secondImage : noImage;
    write.id = engine.startSlotWrite ((juce::uint8) write.slot, image, readHere);
    return write.id != 0;
}

bool SlotCopier::queueFirstWrite()
{
    // A copy brings the second slot to the first one's image; a swap begins the other way round.
    firstWrite.slot = operation == Operation::copy ? secondSlot : firstSlot;
    return queueWrite (firstWrite, operation == Operation::copy ? firstImage : secondImage);
}

void SlotCopier::slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& image)
{
    if (! isOwnRead (read.id))
        return;

    if ((int) read.slot == firstSlot)
        firstImage = image;
    else if ((int) read.slot == secondSlot)
        secondImage = image;
}

void SlotCopier::transferProgressed (const ZKEditorEngine::TransferStatus& status)
{
    if (finished || ! isMine (status.id))
        return;

    lastStatus = status;

    if (onProgress)
        onProgress();
}

void SlotCopier::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    if (finished || ! isMine (status.id))
        return;

    lastStatus = status;
    const auto isWrite = status.id == firstWrite.id || status.id == secondWrite.id;

    if (isWrite)
        (status.id == firstWrite.id ? firstWrite : secondWrite).end = status;

    if (isWrite && status.stage == Stage::completed)
        bytesWritten += status.total;

    // The copier may be cancelled from here: it then goes no further.
    if (onProgress)
        onProgress();

    // A transfer that ended while cancel() stops the others (its end is told then) starts nothing.
    if (finished || cancelled)
        return;

    if (status.stage == Stage::cancelled)
    {
        // Cancelled from elsewhere (the strip's Cancel): the rest stops as well.
        cancel();
        return;
    }

    if (readIds.contains (status.id))
    {
        if (countReadEnd (status) && readsEnded == readIds.size())
            readsOver();

        return;
    }

    if (status.stage != Stage::completed)
    {
        finish();
        return;
    }

    if (operation == Operation::swap && status.id == firstWrite.id)
    {
        secondWrite.slot = secondSlot;

        if (! queueWrite (secondWrite, firstImage))
        {
            unreachable = true;
            finish();
        }

        return;
    }

    success = true;
    finish();
}

void SlotCopier::readsOver()
{
    if (! unansweredReads.isEmpty())
    {
        finish();
        return;
    }

    if (! queueFirstWrite())
    {
        unreachable = true;
        finish();
    }
}

//==============================================================================
bool SlotCopier::wroteAny (const Write& write) const
{
    // A write that has not ended yet (the copier cancelled it) may have begun as well.
    return write.id != 0 && (write.end.kind == Kind::none || write.end.done > 0);
}

juce::Array<juce::uint8> SlotCopier::getPresetNoSlotHolds() const
{
    // The second slot's preset is the same as the first's old one: nothing was lost.
    if (operation != Operation::swap || success || ! wroteAny (firstWrite) || firstImage == secondImage)
        return {};

    return firstImage;
}

int SlotCopier::getSlotOfPresetNoSlotHolds() const { return getPresetNoSlotHolds().isEmpty() ? -1 : firstSlot; }

juce::String SlotCopier::describeWrite (const Write& write) const
{
    const auto& end = write.end;

    if (end.kind != Kind::none && end.total > 0 && end.done == end.total)
        return slotName (write.slot)
               + (end.stage == Stage::cancelled ? " was written but not verified" : " did not read back as written");

    return slotName (write.slot) + " is partly written";
}

juce::String SlotCopier::describeStop() const
{
    const auto how = cancelled ? juce::String (" stopped: ") : juce::String (" failed: ");
    const auto first = slotName (firstSlot), second = slotName (secondSlot);

    if (operation == Operation::copy)
        return "Copy" + how + describeWrite (firstWrite);

    const auto keptOnly = "; " + first + "'s old preset is kept only by the editor";

    if (getPresetNoSlotHolds().isEmpty())
        return "Swap" + how + describeWrite (wroteAny (secondWrite) ? secondWrite : firstWrite);

    if (! wroteAny (secondWrite))
    {
        if (firstWrite.end.stage == Stage::completed)
            return "Swap" + how + first + " now holds " + second + "'s preset, and " + second + " still holds it too"
                   + keptOnly;

        return "Swap" + how + describeWrite (firstWrite) + ", and " + second + " still holds its preset" + keptOnly;
    }

    return "Swap" + how + first + " now holds " + second + "'s preset, and " + describeWrite (secondWrite) + keptOnly;
}

juce::String SlotCopier::getSummary() const
{
    const auto first = juce::String (firstSlot + 1), second = juce::String (secondSlot + 1);

    if (success && operation == Operation::copy)
        return bytesWritten == 0
                   ? "Slot " + second + " already held slot " + first + "'s preset"
                   : "Slot " + first + " copied to slot " + second + ", verified " + bytesWrittenText (bytesWritten);

    if (success)
        return bytesWritten == 0
                   ? "Slots " + first + " and " + second + " already held the same preset"
                   : "Slots " + first + " and " + second + " swapped, verified " + bytesWrittenText (bytesWritten);

    if (! finished)
        return {};

    if (! unansweredReads.isEmpty())
        return "Slot " + juce::String (unansweredReads.getFirst() + 1) + " did not answer; nothing was written";

    if (! wroteAny (firstWrite))
    {
        if (cancelled)
            return "Cancelled: nothing was written";

        if (unreachable || firstWrite.end.kind == Kind::none)
            return "The controller could not be reached; nothing was written";

        return "Slot " + juce::String (firstWrite.slot + 1) + " did not answer; nothing was written";
    }

    const auto stop = describeStop();
    return unreachable ? stop + "; the controller could not be reached" : stop;
}
