#include "engine/SlotJob.h"

#include "model/ZKMModel.h"

SlotJob::SlotJob (ZKEditorEngine& engineToUse)
    : engine (engineToUse)
{
    engine.addListener (this);
}

SlotJob::~SlotJob() { engine.removeListener (this); }

void SlotJob::cancel()
{
    if (! started || finished || cancelled)
        return;

    cancelled = true;
    cancelTransfers();
    finish();
}

juce::Array<int> SlotJob::allSlots()
{
    juce::Array<int> slots;

    for (int slot = 0; slot < ZKMModel::numberOfSlots; ++slot)
        slots.add (slot);

    return slots;
}

int SlotJob::queueEach (const juce::Array<int>& slots, const std::function<int (juce::uint8)>& startOne,
                        juce::Array<int>& ids)
{
    for (auto slot : slots)
    {
        const auto id = startOne ((juce::uint8) slot);

        if (id == 0)
            break;

        ids.add (id);
        started = true;
    }

    return ids.size();
}

bool SlotJob::queueReads (const juce::Array<int>& slots, const std::function<int (juce::uint8)>& startRead)
{
    if (queueEach (slots, startRead, readIds) == slots.size())
        return true;

    cancelReads();
    readIds.clear();
    finished = true;
    return false;
}

void SlotJob::cancelReads()
{
    for (int i = readIds.size(); --i >= 0;)
        engine.cancelTransfer (readIds[i]);
}

bool SlotJob::countReadEnd (const ZKEditorEngine::TransferStatus& status)
{
    if (! isOwnRead (status.id))
        return false;

    if (status.stage == ZKEditorEngine::TransferStatus::Stage::cancelled)
    {
        cancel();
        return false;
    }

    if (status.stage == ZKEditorEngine::TransferStatus::Stage::failed)
        unansweredReads.add (status.slot);

    ++readsEnded;
    return true;
}

void SlotJob::finish()
{
    if (finished)
        return;

    finished = true;
    jobOver();

    if (onFinished)
        onFinished();
}
