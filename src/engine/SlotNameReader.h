#pragma once

#include "engine/SlotJob.h"

/** Reads the names of all 24 slots: 24 name reads queued at once, so that no other exchange comes
    between them, each asking for the 16 name bytes of its slot alone. A slot that does not answer
    after its retries is passed over and named in the summary. Only the reads this reader queued
    count, told apart by their ids. Message thread. */
class SlotNameReader : public SlotJob
{
public:
    /** The engine does the reading; it must outlive the reader. */
    explicit SlotNameReader (ZKEditorEngine& engine);

    /** A reader still running cancels its reads, without telling onFinished. */
    ~SlotNameReader() override;

    /** Queues the 24 reads; false when nothing was queued (no ports, which the engine reports). */
    bool start();

    /** The 16 name bytes read from a slot (0 to 23); empty when it was not read. */
    juce::Array<juce::uint8> getNameBytes (int slot) const;

    /** The slots (0 to 23) that did not answer. */
    const juce::Array<int>& getFailedSlots() const noexcept { return unansweredReads; }

    /** "24 names read", "22 of 24 names read; slots 5 and 17 did not answer" or "Cancelled: 7 of
        24 names read". Slots are counted from 1. */
    juce::String getSummary() const;

    /** Called when the name of a slot (0 to 23) was read. */
    std::function<void (int slot)> onNameRead;

private:
    void slotNameRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& nameBytes) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;
    int getNumNamesRead() const;

    juce::Array<juce::Array<juce::uint8>> names;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotNameReader)
};
