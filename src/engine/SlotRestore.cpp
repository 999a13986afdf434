#include "engine/SlotRestore.h"

#include "engine/SlotBackup.h"

namespace
{
// Every slot is read first and only what differs is written; every slot written is read back,
// whatever the options say for the window's own Sends.
constexpr ZKEditorEngine::SendOptions readWriteAndCheck{ true, true, true };
} // namespace

SlotRestore::SlotRestore (ZKEditorEngine& engineToUse, const juce::File& folderToUse,
                          const juce::String& modelNameToUse)
    : SlotJob (engineToUse)
    , folder (folderToUse)
    , modelName (modelNameToUse)
{
}

SlotRestore::~SlotRestore()
{
    onFinished = nullptr;

    if (isRunning())
    {
        // Cancelling the Send under way would leave its slot half written; the read-backs that
        // wait have no one left to tell.
        stopAfterCurrentSlot();
        finished = true;

        for (int slot = SlotBackup::numberOfSlots; --slot >= 0;)
            if (slotWritten[(size_t) slot] && ! slotOver[(size_t) slot])
                engine.cancelTransfer (sendIds[slot]);
    }
}

juce::StringArray SlotRestore::check()
{
    juce::StringArray problems;
    images.clear();

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
    {
        const auto file = SlotBackup::getSlotFile (folder, modelName, slot);
        auto image = engine.readPresetFileImage (file);

        if (! file.existsAsFile())
            problems.add (file.getFileName() + " is missing");
        else if (image.isEmpty())
            problems.add (file.getFileName() + " is not a preset file");

        images.add (std::move (image));
    }

    checked = problems.isEmpty();
    return problems;
}

bool SlotRestore::start()
{
    if (! checked || started)
        return false;

    slotWritten.assign ((size_t) SlotBackup::numberOfSlots, false);
    slotOver.assign ((size_t) SlotBackup::numberOfSlots, false);

    const auto numQueued = queueEach (
        allSlots(),
        [this] (juce::uint8 slot) { return engine.startSend (slot, images.getReference (slot), readWriteAndCheck); },
        sendIds);

    if (numQueued == SlotBackup::numberOfSlots)
        return true;

    // The slots not queued count as over, so that the cancel ends the restore.
    for (int rest = numQueued; rest < SlotBackup::numberOfSlots; ++rest)
        slotOver[(size_t) rest] = true;

    started = true;
    cancel();
    return false;
}

void SlotRestore::cancelTransfers()
{
    // The newest first, so that no waiting transfer of the restore gets its turn meanwhile.
    for (int slot = sendIds.size(); --slot >= 0;)
        if (! slotOver[(size_t) slot])
            engine.cancelTransfer (sendIds[slot]);
}

void SlotRestore::stopAfterCurrentSlot()
{
    if (! isRunning() || stopping || cancelled)
        return;

    stoppedAfterSlot = held ? heldAfterSlot : getSlotUnderWay();
    held = false;
    const juce::ScopedValueSetter<bool> stoppingNow (stopping, true);

    // The slots held back are out of the queue already: they are never sent.
    const auto unsent = heldSlots;
    heldSlots.clear();

    for (const auto slot : unsent)
    {
        unsentSlots.add (slot);
        slotOver[(size_t) slot] = true;
    }

    // Only Sends that have not started are taken out; a slot written already has its read-back.
    for (int slot = sendIds.size(); --slot > stoppedAfterSlot;)
        if (! slotWritten[(size_t) slot] && ! slotOver[(size_t) slot])
            engine.cancelWaitingTransfers (sendIds[slot]);

    if (! unsent.isEmpty() && isRunning())
        slotDone (unsent.getLast());
}

int SlotRestore::holdAfterCurrentSlot()
{
    if (! isRunning())
        return -1;

    if (held || stopping || cancelled)
        return held ? heldAfterSlot : getSlotUnderWay();

    heldAfterSlot = getSlotUnderWay();

    {
        const juce::ScopedValueSetter<bool> holdingNow (holding, true);

        // The newest first, so that none of them gets its turn meanwhile.
        for (int slot = sendIds.size(); --slot > heldAfterSlot;)
            if (! slotWritten[(size_t) slot] && ! slotOver[(size_t) slot])
                engine.cancelWaitingTransfers (sendIds[slot]);
    }

    // The queue's thread may have begun the next Send before its end reached this thread: that
    // slot is written whole, so the restore holds after it.
    for (int slot = sendIds.size(); --slot > heldAfterSlot;)
    {
        if (! slotWritten[(size_t) slot] && ! slotOver[(size_t) slot] && ! isHeldSlot (slot))
        {
            heldAfterSlot = slot;
            break;
        }
    }

    held = isRunning();
    return heldAfterSlot;
}

void SlotRestore::resume()
{
    if (! held)
        return;

    held = false;
    auto slots = heldSlots;
    heldSlots.clear();
    slots.sort();

    // Behind whatever was queued meanwhile (the read-backs of the slots written so far), in
    // slot order, each with an id of its own.
    bool queued = true;

    for (const auto slot : slots)
    {
        if (! isRunning())
            return;

        const auto id =
            queued ? engine.startSend ((juce::uint8) slot, images.getReference (slot), readWriteAndCheck) : 0;
        sendIds.set (slot, id);

        // Without ports (which the engine reported once) none of the rest can go either.
        if (id == 0)
        {
            queued = false;
            failedSlots.add (slot);
            slotDone (slot);
        }
    }
}

int SlotRestore::getSlotUnderWay() const
{
    if (! isRunning())
        return -1;

    // The Sends run in slot order, and the read-backs after them in the same order; the slots
    // held back are not under way.
    for (int slot = 0; slot < sendIds.size(); ++slot)
        if (! slotWritten[(size_t) slot] && ! slotOver[(size_t) slot] && ! isHeldSlot (slot))
            return slot;

    for (int slot = 0; slot < sendIds.size(); ++slot)
        if (! slotOver[(size_t) slot])
            return slot;

    return -1;
}

void SlotRestore::verificationEnded (const ZKEditorEngine::Verification& verification)
{
    const auto slot = sendIds.indexOf (verification.sendId);

    if (! isRunning() || slot < 0 || slotOver[(size_t) slot])
        return;

    if (verification.matches())
        verifiedSlots.add (slot);
    else if (verification.controllerGone)
        unverifiedSlots.add (slot);
    else if (verification.readBack.isEmpty())
        unansweredSlots.add (slot);
    else
        differingSlots.add (slot);

    slotDone (slot);
}

void SlotRestore::sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>&)
{
    const auto slot = sendIds.indexOf (send.id);

    if (! isRunning() || slot < 0 || slotOver[(size_t) slot])
        return;

    ++slotsChecked;

    if (send.total > 0)
    {
        ++slotsRewritten;
        bytesRewritten += send.total;
    }
}

void SlotRestore::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    using Kind = ZKEditorEngine::TransferStatus::Kind;
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    const auto slot = sendIds.indexOf (status.id);

    if (! isRunning() || slot < 0 || slotOver[(size_t) slot])
        return;

    if (status.stage == Stage::cancelled)
    {
        if (holding)
        {
            heldSlots.add (slot); // sent again on resume()
        }
        else if (stopping)
        {
            unsentSlots.add (slot);
            slotDone (slot);
        }
        else
        {
            // Cancelled by someone else (the strip's Cancel): the rest of the restore stops too.
            slotOver[(size_t) slot] = true;
            cancel();
        }

        return;
    }

    if (status.kind != Kind::send)
        return; // a read-back that ended was told to verificationEnded

    if (status.stage == Stage::failed)
    {
        failedSlots.add (slot);
        slotDone (slot);
        return;
    }

    slotWritten[(size_t) slot] = true;

    // The engine queues the read-back before it tells of the Send's end, or reports at once that
    // it could not: a slot with neither would keep the restore running for ever.
    if (! slotOver[(size_t) slot] && ! engine.isTransferInProgress (status.id))
    {
        unansweredSlots.add (slot);
        slotDone (slot);
    }
}

void SlotRestore::slotDone (int slot)
{
    slotOver[(size_t) slot] = true;

    for (const bool over : slotOver)
        if (! over)
            return;

    finish();
}

juce::String SlotRestore::getSummary() const
{
    auto summary = juce::String (verifiedSlots.size()) + " of " + juce::String (SlotBackup::numberOfSlots)
                   + " slots restored and verified";

    if (! differingSlots.isEmpty())
        summary << "; " << SlotBackup::listOfSlots (differingSlots) << " did not keep what was sent";

    if (! unansweredSlots.isEmpty())
        summary << "; " << SlotBackup::listOfSlots (unansweredSlots) << " did not answer when read back";

    if (! unverifiedSlots.isEmpty())
        summary << "; " << SlotBackup::listOfSlots (unverifiedSlots)
                << " not verified: " << ZKEditorEngine::getControllerGoneText();

    if (! failedSlots.isEmpty())
        summary << "; " << SlotBackup::listOfSlots (failedSlots) << " could not be sent";

    if (! unsentSlots.isEmpty())
        summary << "; stopped after slot " << juce::String (stoppedAfterSlot + 1);

    if (cancelled)
        summary << "; cancelled";

    summary << "; " << juce::String (slotsChecked) << (slotsChecked == 1 ? " slot" : " slots") << " checked, "
            << juce::String (slotsRewritten) << " rewritten (" << juce::String (bytesRewritten)
            << (bytesRewritten == 1 ? " byte)" : " bytes)");
    return summary;
}
