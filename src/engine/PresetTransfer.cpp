#include "engine/PresetTransfer.h"

#include "engine/MessagePacer.h"
#include "engine/ZKSysEx.h"

namespace
{
double now() { return MessagePacer::now(); }

// Transfer ids are unique in the program, so that a job never mistakes another engine's transfer
// for its own either.
std::atomic<int> lastTransferId{ 0 };
} // namespace

//==============================================================================
PresetTransfer::PresetTransfer (MidiManager& managerToUse, juce::uint8 deviceIdToUse, int imageLengthToUse,
                                const ZKEditorEngine::Pacing& pacingToUse, Request request)
    : manager (managerToUse)
    , kind (request.kind)
    , slot (request.slot)
    , id (request.id != 0 ? request.id : ++lastTransferId)
    , verify (request.verify)
    , changesOnly (request.changesOnly)
    , readFirst (request.readFirst)
    , deviceId (deviceIdToUse)
    , imageLength (imageLengthToUse)
    , pacing (pacingToUse)
    , image (std::move (request.image))
    , writtenIndexes (std::move (request.written))
    , readByCaller (std::move (request.readByCaller))
{
    changesOnlyWritten = changesOnly && kind == Kind::verify;
    total = kind == Kind::sync                               ? 1
            : kind == Kind::nameRead || kind == Kind::rename ? SlotMemory::nameLength
                                                             : imageLength;
}

//==============================================================================
void PresetTransfer::run (TransferQueue& queue)
{
    Stage outcome = Stage::failed;

    if (kind == Kind::get || kind == Kind::verify || kind == Kind::backup || kind == Kind::compare)
    {
        outcome = runGet (queue);

        if (outcome == Stage::completed)
            manager.getSlotMemory().remember (slot, getCollectedImage());
    }
    else if (kind == Kind::nameRead)
    {
        outcome = runRead (queue, firstIndexes (SlotMemory::nameLength), pacing.maxRetries);

        if (outcome == Stage::completed)
            manager.getSlotMemory().rememberName (slot, getCollectedName());
    }
    else if (kind == Kind::send)
        outcome = runSend (queue);
    else if (kind == Kind::liveEdit)
        outcome = runLiveEdit (queue);
    else if (kind == Kind::rename)
        outcome = runRename (queue);
    else if (kind == Kind::slotWrite)
        outcome = runSlotWrite (queue);
    else
        outcome =
            manager.sendMessage (ZKSysEx::createSyncCommand (deviceId, slot != 0)) ? Stage::completed : Stage::failed;

    stage = outcome;
    firstRound.signal();
}

void PresetTransfer::finished()
{
    // The owner may go with the last reference, which the function of a Send holds: it is let go last.
    const auto whenFinished = std::move (onFinished);
    onFinished = nullptr;

    if (stage == Stage::waiting || stage == Stage::running)
        stage = Stage::cancelled; // taken out of the queue before its turn

    if (whenFinished)
        whenFinished (*this);
}

PresetTransfer::Status PresetTransfer::getStatus() const
{
    Status status;
    status.kind = kind;
    status.stage = stage.load();
    status.slot = slot;
    status.done = done.load();
    status.total = total.load();
    status.changesOnly = changesOnlyWritten.load();
    status.readingFirst = readingFirst.load();
    status.retries = retries.load();
    status.id = id;
    status.verify = verify;
    return status;
}

juce::Array<juce::uint8> PresetTransfer::getImageToSend() const
{
    const juce::ScopedLock sl (imageLock);
    return image;
}

bool PresetTransfer::replaceImageWhileWaiting (const juce::Array<juce::uint8>& newImage)
{
    const juce::ScopedLock sl (imageLock);

    if (hasStarted() || isCancelled())
        return false;

    image = newImage;
    return true;
}

juce::Array<int> PresetTransfer::getWrittenIndexes() const
{
    const juce::ScopedLock sl (imageLock);
    return writtenIndexes;
}

juce::Array<int> PresetTransfer::getUnconfirmedIndexes() const
{
    const juce::ScopedLock sl (imageLock);
    return unconfirmedIndexes;
}

juce::Array<int> PresetTransfer::firstIndexes (int count)
{
    juce::Array<int> indexes;

    for (int index = 0; index < count; ++index)
        indexes.add (index);

    return indexes;
}

juce::Array<juce::uint8> PresetTransfer::getCollectedImage() const
{
    const juce::ScopedLock sl (receiveLock);
    return receiveBuffer;
}

juce::Array<juce::uint8> PresetTransfer::getCollectedName() const
{
    const juce::ScopedLock sl (receiveLock);
    return receiveBuffer.size() < SlotMemory::nameLength
               ? juce::Array<juce::uint8>()
               : juce::Array<juce::uint8> (receiveBuffer.getRawDataPointer(), SlotMemory::nameLength);
}

void PresetTransfer::midiMessageReceived (const juce::MidiMessage& message)
{
    // Only a Get listens, and only while it runs.
    ZKSysEx::ParameterReply reply;

    if (! ZKSysEx::parseParameterReply (message, reply))
        return;

    bool complete = false;

    {
        const juce::ScopedLock sl (receiveLock);
        ++repliesCounted;
        lastReplyAt = now();

        if (firstReplyAt <= 0)
            firstReplyAt = lastReplyAt;

        if (! collecting || ! juce::isPositiveAndBelow (reply.index, imageLength)
            || ! indexRequested[(size_t) reply.index])
            return;

        receiveBuffer.set (reply.index, reply.value);

        // A repeated reply does not count again: the Get is complete only when every index is in.
        if (! indexReceived[(size_t) reply.index])
        {
            indexReceived[(size_t) reply.index] = true;
            ++numIndexesReceived;

            if (countingReads)
                done = numIndexesReceived;
        }

        if (numIndexesReceived == numIndexesRequested)
        {
            collecting = false;
            collectionComplete = true;
            complete = true;
        }
    }

    if (complete)
        wake();
}

//==============================================================================
bool PresetTransfer::sleepUntil (double deadlineMs)
{
    while (now() < deadlineMs)
        if (! waitUntil (deadlineMs))
            return false;

    return ! isCancelled();
}

/** A device that went away may take messages without complaint, and its port stays dead when
    it comes back: the ports are closed so that the device check opens them again. */
bool PresetTransfer::checkDevices()
{
    if (manager.areChosenDevicesPresent())
        return true;

    manager.closePorts();
    return false;
}

PresetTransfer::Stage PresetTransfer::runRead (TransferQueue& queue, const juce::Array<int>& indexes, int maxRetries)
{
    // Replies carry no slot: this Get listens only once no reply of an earlier one can come.
    if (queue.isExpectingLateReplies())
        firstRound.signal();

    if (! queue.waitForQuiet (*this))
        return Stage::cancelled;

    stage = Stage::running;
    manager.addListener (this);

    Stage outcome = Stage::failed;
    int requestsSent = 0;
    double firstRequestAt = 0;
    double lastRequestAt = now();

    for (int attempt = 0; attempt <= maxRetries; ++attempt)
    {
        retries = attempt;

        if (isCancelled())
        {
            outcome = Stage::cancelled;
            break;
        }

        if (! manager.isInputOpen() || ! manager.isOutputOpen() || ! checkDevices())
        {
            controllerLost = true;
            break;
        }

        // A retry keeps what earlier attempts of this Get collected: one exchange runs at a time,
        // so every reply that comes in is of this slot, and a link that loses a few replies in
        // every round still brings the whole preset home. Each attempt still asks for every byte.
        if (attempt == 0)
        {
            const juce::ScopedLock sl (receiveLock);
            receiveBuffer.clearQuick();
            receiveBuffer.insertMultiple (0, 0, imageLength);
            indexReceived.assign ((size_t) imageLength, false);
            indexRequested.assign ((size_t) imageLength, false);

            for (auto index : indexes)
                indexRequested[(size_t) index] = true;

            numIndexesRequested = indexes.size();
            numIndexesReceived = 0;
            collectionComplete = false;
            collecting = true;

            if (countingReads)
                done = 0;
        }

        // A request that finds no output is not an error of its own: the reply timeout covers it.
        MessagePacer pacer (now(), pacing.requestGapMs);
        bool cancelled = false;

        for (int i = 0; i < indexes.size() && ! cancelled; ++i)
        {
            cancelled = ! sleepUntil (pacer.getNextTime());

            if (! cancelled)
            {
                pacer.messageGoes();
                manager.sendMessage (ZKSysEx::createParameterRequest (deviceId, slot, indexes[i]));
                lastRequestAt = now();

                if (requestsSent++ == 0)
                    firstRequestAt = lastRequestAt;
            }
        }

        if (cancelled || ! sleepUntil (pacer.getNextTime()))
        {
            outcome = Stage::cancelled;
            break;
        }

        if (attempt == 0)
            firstRound.signal();

        // The reply timeout runs from the last request, or from the last reply while they
        // still come in.
        for (;;)
        {
            if (isCollectionComplete())
                break;

            const auto deadline = juce::jmax (lastRequestAt, getLastReplyAt()) + pacing.replyTimeoutMs;

            if (now() >= deadline || ! waitUntil (deadline))
                break;
        }

        if (isCancelled())
        {
            outcome = Stage::cancelled;
            break;
        }

        if (isCollectionComplete())
        {
            outcome = Stage::completed;
            break;
        }
    }

    // A device pulled during the last attempt leaves no attempt after it to notice.
    if (outcome == Stage::failed
        && (! manager.isInputOpen() || ! manager.isOutputOpen() || ! manager.areChosenDevicesPresent()))
        controllerLost = true;

    // Once removeListener returns, the MIDI input thread is done with this transfer.
    manager.removeListener (this);

    {
        // The first reply of a Get answers its first request, which tells how long the
        // controller takes: the last request's reply may come that long after it was sent.
        const juce::ScopedLock sl (receiveLock);
        collecting = false;
        const auto replyTime = firstReplyAt > 0 ? juce::jmax (0.0, firstReplyAt - firstRequestAt) : 0.0;
        queue.expectLateReplies (requestsSent - repliesCounted, juce::jmax (lastRequestAt + replyTime, lastReplyAt),
                                 pacing.replyTimeoutMs);
    }

    return outcome;
}

bool PresetTransfer::isCollectionComplete() const
{
    const juce::ScopedLock sl (receiveLock);
    return collectionComplete;
}

double PresetTransfer::getLastReplyAt() const
{
    const juce::ScopedLock sl (receiveLock);
    return lastReplyAt;
}
