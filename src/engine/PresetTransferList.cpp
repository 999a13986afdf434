#include "engine/PresetTransferList.h"

#include <algorithm>

namespace
{
// How often the progress of a transfer is passed on.
constexpr int progressIntervalMs = 30;
} // namespace

PresetTransferList::PresetTransferList (TransferQueue& queueToUse)
    : queue (queueToUse)
{
}

PresetTransferList::~PresetTransferList() { stopTimer(); }

//==============================================================================
PresetTransfer& PresetTransferList::add (PresetTransfer::Ptr transfer)
{
    transfers.add (transfer);
    queue.add (transfer.get());
    startTimer (progressIntervalMs);
    reportProgress();
    return *transfer;
}

void PresetTransferList::remove (PresetTransfer& transfer)
{
    transfers.removeObject (&transfer);

    if (transfers.isEmpty())
        stopTimer();
}

PresetTransferList::Status PresetTransferList::getStatus() const
{
    return transfers.isEmpty() ? Status() : transfers.getFirst()->getStatus();
}

void PresetTransferList::reportProgress()
{
    const auto status = getStatus();

    if (status.kind == Kind::none)
    {
        lastReportedStatus = status;
        return;
    }

    if (status.kind == lastReportedStatus.kind && status.stage == lastReportedStatus.stage
        && status.slot == lastReportedStatus.slot && status.done == lastReportedStatus.done
        && status.retries == lastReportedStatus.retries)
        return;

    lastReportedStatus = status;

    if (onProgress)
        onProgress (status);
}

bool PresetTransferList::containsId (int id) const
{
    return std::any_of (transfers.begin(), transfers.end(), [id] (auto* transfer) { return transfer->getId() == id; });
}

bool PresetTransferList::containsKind (Kind kind) const
{
    return std::any_of (transfers.begin(), transfers.end(),
                        [kind] (auto* transfer) { return transfer->getKind() == kind; });
}

//==============================================================================
void PresetTransferList::cancelKind (Kind kind)
{
    // The newest first, so that a queued one never gets its turn while an older one stops.
    const auto toCancel = transfers;

    for (int i = toCancel.size(); --i >= 0;)
        if (kind == Kind::none || toCancel[i]->getKind() == kind)
            queue.cancelAndWait (*toCancel[i]);
}

void PresetTransferList::cancelId (int id)
{
    // A Send that completes while it is cancelled queues its read-back under the same id: the
    // search goes on until none is left.
    for (;;)
    {
        PresetTransfer::Ptr newest;

        for (auto* transfer : transfers)
            if (transfer->getId() == id)
                newest = transfer;

        if (newest == nullptr)
            return;

        queue.cancelAndWait (*newest);
    }
}

void PresetTransferList::cancelWaitingWithId (int id)
{
    const auto toCancel = transfers;

    for (int i = toCancel.size(); --i >= 0;)
        if (toCancel[i]->getId() == id)
            queue.cancelIfWaiting (*toCancel[i]);
}

void PresetTransferList::detachAll()
{
    for (auto* transfer : transfers)
        transfer->detach();
}
