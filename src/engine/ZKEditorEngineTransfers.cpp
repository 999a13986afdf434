#include "engine/ZKEditorEngine.h"

#include "engine/PresetTransferList.h"
#include "engine/ZKSysEx.h"
#include "model/ListenerWalk.h"

// The engine's exchanges with the controller: each one a PresetTransfer queued on the MIDI
// manager's transfer queue, and what its end means for the document and the listeners.

//==============================================================================
bool ZKEditorEngine::arePortsOpen() const { return midiManager->isInputOpen() && midiManager->isOutputOpen(); }

bool ZKEditorEngine::canReach (juce::uint8 slot, bool requestIsValid)
{
    if (arePortsOpen() && slot < ZKSysEx::numberOfSlots && requestIsValid)
        return true;

    reportCommunicationFailure();
    return false;
}

PresetTransfer& ZKEditorEngine::queueTransfer (TransferStatus::Kind kind, juce::uint8 slot,
                                               juce::Array<juce::uint8> image, int id, SendOptions options,
                                               juce::Array<int> written, juce::Array<juce::uint8> readByCaller)
{
    takeOverHeldSlot (kind, slot);

    PresetTransfer::Ptr transfer (
        new PresetTransfer (*midiManager, deviceId, imageLength, pacing,
                            { kind, slot, std::move (image), id, options.verify, options.changesOnly, options.readFirst,
                              std::move (written), std::move (readByCaller) }));

    // A write holds its engine, so that closing the window does not leave a slot half written; a
    // Get is cancelled with its engine.
    Ptr keepAlive (PresetTransfer::writesToTheController (kind) ? this : nullptr);
    transfer->onFinished = [this, keepAlive] (PresetTransfer& over) { transferFinished (over); };

    return transfers->add (transfer);
}

PresetTransfer& ZKEditorEngine::queueTransfer (TransferStatus::Kind kind, juce::uint8 slot,
                                               juce::Array<juce::uint8> image)
{
    return queueTransfer (kind, slot, std::move (image), 0, SendOptions(), {});
}

int ZKEditorEngine::queueIfReachable (TransferStatus::Kind kind, juce::uint8 slot, juce::Array<juce::uint8> image)
{
    // A slot the controller does not have is the caller's mistake, not a failure to tell.
    if (slot >= ZKSysEx::numberOfSlots || ! canReach (slot))
        return 0;

    return queueTransfer (kind, slot, std::move (image)).getId();
}

bool ZKEditorEngine::startGet (juce::uint8 slot)
{
    if (isGetInProgress() || slot >= ZKSysEx::numberOfSlots)
        return false;

    // Without both ports a Get cannot succeed; saying so at once spares the user a reply timeout
    // for the first attempt and for every retry the pacing allows.
    if (! canReach (slot))
        return false;

    if (diagnostics)
    {
        diagnostics ("number of gets : " + juce::String (0));
        diagnostics ("starting get");
    }

    queueTransfer (TransferStatus::Kind::get, slot, {});
    return true;
}

void ZKEditorEngine::getPreset (juce::uint8 slot)
{
    const bool queueWasIdle =
        ! midiManager->getTransferQueue().hasJob ([] (const TransferQueue::Job&) { return true; });

    if (! startGet (slot))
        return;

    // Behind another exchange, the call does not wait for its turn.
    if (queueWasIdle)
        transfers->getLast()->waitForFirstRound();
}

int ZKEditorEngine::startSend (juce::uint8 slot) { return canReach (slot) ? startSend (slot, getPresetImage()) : 0; }

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image)
{
    return startSend (slot, image, verifyAfterSend);
}

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image, bool verify)
{
    return startSend (slot, image, SendOptions{ verify, sendChangesOnly, false });
}

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image, SendOptions options)
{
    if (! canReach (slot, image.size() == imageLength))
        return 0;

    return queueTransfer (TransferStatus::Kind::send, slot, image, 0, options, {}).getId();
}

bool ZKEditorEngine::isSlotKnown (juce::uint8 slot) const { return midiManager->getSlotMemory().isKnown (slot); }

juce::Array<juce::uint8> ZKEditorEngine::getKnownSlotImage (juce::uint8 slot) const
{
    return midiManager->getSlotMemory().recall (slot);
}

int ZKEditorEngine::startLiveWrite (juce::uint8 slot)
{
    const auto image = getPresetImage();

    // Only the newest write can still be waiting: each one is queued behind the one before.
    if (auto* last = transfers->getLast(); last != nullptr && last->getKind() == TransferStatus::Kind::liveEdit
                                           && last->getStatus().slot == slot && last->replaceImageWhileWaiting (image))
        return last->getId();

    if (! canReach (slot))
        return 0;

    return queueTransfer (TransferStatus::Kind::liveEdit, slot, image).getId();
}

bool ZKEditorEngine::sendPreset (juce::uint8 slot)
{
    if (startSend (slot) == 0)
        return false;

    PresetTransfer::Ptr transfer (transfers->getLast());
    midiManager->getTransferQueue().waitFor (*transfer);
    return transfer->getStage() == TransferStatus::Stage::completed;
}

int ZKEditorEngine::startBackupRead (juce::uint8 slot) { return queueIfReachable (TransferStatus::Kind::backup, slot); }

bool ZKEditorEngine::startCompareRead (juce::uint8 slot)
{
    if (! canReach (slot))
        return false;

    queueTransfer (TransferStatus::Kind::compare, slot, {});
    return true;
}

int ZKEditorEngine::startNameRead (juce::uint8 slot) { return queueIfReachable (TransferStatus::Kind::nameRead, slot); }

int ZKEditorEngine::startRename (juce::uint8 slot, const juce::Array<juce::uint8>& nameBytes)
{
    // Names that the protocol cannot carry are the caller's mistake, not a failure to tell.
    if (nameBytes.size() != SlotMemory::nameLength || ! ZKSysEx::areDataBytes (nameBytes.begin(), nameBytes.end()))
        return 0;

    return queueIfReachable (TransferStatus::Kind::rename, slot, nameBytes);
}

int ZKEditorEngine::startSlotWrite (juce::uint8 slot, const juce::Array<juce::uint8>& image,
                                    const juce::Array<juce::uint8>& readByCaller)
{
    if (image.size() != imageLength || ! ZKSysEx::areDataBytes (image.begin(), image.end()))
        return 0;

    if (slot >= ZKSysEx::numberOfSlots || ! canReach (slot))
        return 0;

    return queueTransfer (TransferStatus::Kind::slotWrite, slot, image, 0, SendOptions(), {}, readByCaller).getId();
}

void ZKEditorEngine::holdSlot (juce::uint8 slot, SlotHolds::Holder& holder)
{
    midiManager->getSlotHolds().hold (slot, holder);
}

void ZKEditorEngine::releaseSlot (SlotHolds::Holder& holder) { midiManager->getSlotHolds().release (holder); }

void ZKEditorEngine::takeOverHeldSlot (TransferStatus::Kind kind, juce::uint8 slot)
{
    // Live Edit's own writes are what the hold is for; reads and sync commands change no slot.
    if (kind != TransferStatus::Kind::send && kind != TransferStatus::Kind::rename
        && kind != TransferStatus::Kind::slotWrite)
        return;

    const auto what = kind == TransferStatus::Kind::send ? juce::String ("a Send")
                      : kind == TransferStatus::Kind::rename
                          ? juce::String ("a rename")
                          : juce::String ("a copy, a swap or a preset written whole");
    const auto who = writerName.isNotEmpty() ? writerName : juce::String ("another window");
    midiManager->getSlotHolds().takeOver (slot, what + " from " + who, this);
}

juce::Array<juce::uint8> ZKEditorEngine::getKnownSlotName (juce::uint8 slot) const
{
    return midiManager->getSlotMemory().recallName (slot);
}

juce::Time ZKEditorEngine::getWhenSlotSeen (juce::uint8 slot) const
{
    return midiManager->getSlotMemory().getWhenSeen (slot);
}

void ZKEditorEngine::startSync (bool external)
{
    // A sync command names no slot: the ports alone decide.
    if (canReach (0))
        queueTransfer (TransferStatus::Kind::sync, external ? 1 : 0, {});
}

void ZKEditorEngine::setSync (bool external)
{
    const auto numBefore = transfers->size();
    startSync (external);

    if (transfers->size() > numBefore)
    {
        PresetTransfer::Ptr transfer (transfers->getLast());
        midiManager->getTransferQueue().waitFor (*transfer);
    }
}

void ZKEditorEngine::cancelTransfer() { transfers->cancelKind (TransferStatus::Kind::none); }
void ZKEditorEngine::cancelGet() { transfers->cancelKind (TransferStatus::Kind::get); }
void ZKEditorEngine::cancelTransfer (int transferId) { transfers->cancelId (transferId); }
void ZKEditorEngine::cancelWaitingTransfers (int transferId) { transfers->cancelWaitingWithId (transferId); }
bool ZKEditorEngine::isTransferInProgress (int transferId) const { return transfers->containsId (transferId); }
bool ZKEditorEngine::isGetInProgress() const { return transfers->containsKind (TransferStatus::Kind::get); }
bool ZKEditorEngine::isSendInProgress() const { return transfers->containsKind (TransferStatus::Kind::send); }
bool ZKEditorEngine::isTransferInProgress() const { return ! transfers->isEmpty(); }

ZKEditorEngine::TransferStatus ZKEditorEngine::getTransferStatus() const { return transfers->getStatus(); }
bool ZKEditorEngine::isTimerRunning() const { return transfers->isTimerRunning(); }

void ZKEditorEngine::transferFinished (PresetTransfer& transfer)
{
    PresetTransfer::Ptr keep (&transfer);
    transfers->remove (transfer);

    const auto status = transfer.getStatus();
    const auto completed = status.stage == TransferStatus::Stage::completed;
    using Kind = TransferStatus::Kind;

    if (status.kind == Kind::get && completed)
    {
        loadImage (transfer.getCollectedImage());

        ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->presetFetched (status.slot); });
    }

    if (status.kind == Kind::send && completed)
    {
        ListenerWalk::newestFirst (listeners, [&] (auto* listener)
                                   { listener->presetSent (status.slot, transfer.getImageToSend()); });
        ListenerWalk::newestFirst (listeners, [&] (auto* listener)
                                   { listener->sendCompleted (status, transfer.getImageToSend()); });

        // The controller does not acknowledge writes: the slot is read back, into a scratch image.
        // Queued before transferEnded is told, so that the window never looks idle in between. A
        // read-back that cannot even start is reported as such, never passed over in silence.
        // A slot that was read just before and held the preset already has nothing to check.
        const auto readAndFoundEqual = transfer.readsFirst() && status.changesOnly && status.total == 0;
        const SendOptions readBackOptions{ false, status.changesOnly, false };

        if (status.verify && readAndFoundEqual)
            reportVerification (
                { status.id, status.slot, transfer.getImageToSend(), transfer.getImageToSend(), false, true, {} });
        else if (status.verify && arePortsOpen())
            queueTransfer (Kind::verify, status.slot, transfer.getImageToSend(), status.id, readBackOptions,
                           transfer.getWrittenIndexes());
        else if (status.verify)
            reportVerification ({ status.id,
                                  status.slot,
                                  transfer.getImageToSend(),
                                  {},
                                  true,
                                  status.changesOnly,
                                  transfer.getWrittenIndexes() });
    }

    if (status.kind == Kind::verify && (completed || status.stage == TransferStatus::Stage::failed))
        reportVerification ({ status.id, status.slot, transfer.getImageToSend(),
                              completed ? transfer.getCollectedImage() : juce::Array<juce::uint8>(),
                              ! completed && transfer.lostTheController(), status.changesOnly,
                              transfer.getWrittenIndexes() });

    if (status.kind == Kind::liveEdit && status.stage == TransferStatus::Stage::failed)
        ListenerWalk::newestFirst (listeners, [&, bytes = transfer.getUnconfirmedIndexes()] (auto* listener)
                                   { listener->liveEditFailed (status.slot, bytes); });

    if (status.kind == Kind::backup && completed)
        ListenerWalk::newestFirst (listeners, [&, image = transfer.getCollectedImage()] (auto* listener)
                                   { listener->slotRead (status, image); });

    if (status.kind == Kind::nameRead && completed)
        ListenerWalk::newestFirst (listeners, [&, name = transfer.getCollectedName()] (auto* listener)
                                   { listener->slotNameRead (status, name); });

    if (status.kind == Kind::compare && completed)
        ListenerWalk::newestFirst (listeners, [&, image = transfer.getCollectedImage()] (auto* listener)
                                   { listener->slotReadForCompare (status.slot, image); });

    // A read for a verify, a backup or a name that fails is summed up by whoever asked for it; a
    // rename or a slot write that is not confirmed says so in its end, and is a failure of the
    // communication only when the controller is gone.
    const auto reportedByCaller =
        status.kind == Kind::verify || status.kind == Kind::backup || status.kind == Kind::liveEdit
        || status.kind == Kind::nameRead
        || ((status.kind == Kind::rename || status.kind == Kind::slotWrite) && ! transfer.lostTheController());

    if (status.stage == TransferStatus::Stage::failed && ! reportedByCaller)
        reportCommunicationFailure();

    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->transferEnded (status); });

    transfers->reportProgress();
}

void ZKEditorEngine::reportVerification (const Verification& verification)
{
    ListenerWalk::newestFirst (
        listeners, [&] (auto* listener)
        { listener->presetVerified (verification.slot, verification.sentImage, verification.readBack); });
    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->verificationEnded (verification); });
}

//==============================================================================
void ZKEditorEngine::reportCommunicationFailure()
{
    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->midiCommunicationFailed ({}); });
}

//==============================================================================
juce::Array<int> ZKEditorEngine::Verification::getBytesChangedUnseen() const
{
    juce::Array<int> bytes;

    if (! changesOnly || readBack.size() != sentImage.size())
        return bytes;

    for (int index = 0; index < sentImage.size(); ++index)
        if (readBack[index] != sentImage[index] && ! writtenBytes.contains (index))
            bytes.add (index);

    return bytes;
}
