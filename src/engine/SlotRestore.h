#pragma once

#include "engine/ZKEditorEngine.h"

#include <functional>

/** Writes a backup made by SlotBackup back into the controller: every file of the folder is
    checked first, and only when all 24 are accepted as preset files are the 24 slots sent, each
    read back and compared afterwards. The engine's controls are not touched. Message thread. */
class SlotRestore : private ZKEditorEngine::Listener
{
public:
    /** The engine does the sending; it must outlive the restore. */
    SlotRestore (ZKEditorEngine& engine, const juce::File& folder, const juce::String& modelName);
    ~SlotRestore() override;

    /** Reads and checks the 24 files; returns what is wrong with them, one line per file ("ZKM Slot
        05.zkp is missing", "ZKM Slot 07.zkp is not a preset file"), empty when every one is accepted. */
    juce::StringArray check();

    /** Queues the 24 Sends, each followed by its read-back. False, sending nothing, unless check()
        accepted every file, or when the ports are not open (which the engine reports). */
    bool start();

    /** Stops the Sends still to come; the one under way stops before its next write. */
    void cancel();

    bool isRunning() const noexcept { return started && ! finished; }
    bool isFinished() const noexcept { return finished; }

    /** "24 of 24 slots restored and verified", or what went wrong, slots counted from 1. */
    juce::String getSummary() const;

    const juce::Array<int>& getVerifiedSlots() const noexcept { return verifiedSlots; }

    /** Called once the last Send and read-back are over, or the restore was cancelled. */
    std::function<void()> onFinished;

private:
    void presetVerified (juce::uint8 slot, const juce::Array<juce::uint8>& sentImage,
                         const juce::Array<juce::uint8>& readBack) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;
    void slotDone();
    void finish();

    ZKEditorEngine& engine;
    const juce::File folder;
    const juce::String modelName;
    juce::Array<juce::Array<juce::uint8>> images;
    juce::Array<int> verifiedSlots, differingSlots, unansweredSlots, failedSlots;
    int slotsDone = 0;
    bool checked = false, started = false, finished = false, cancelled = false;
    bool verifyBefore = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotRestore)
};
