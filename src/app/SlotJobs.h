#pragma once

#include "engine/SlotCopier.h"
#include "engine/SlotNameReader.h"
#include "engine/ZKEditorEngine.h"

#include <functional>
#include <memory>

/** The jobs of the Slots window, run one at a time on an engine of the window's own, so that the
    document windows' controls are never touched: the 24 names read, a slot renamed, copied or
    swapped, a preset written into a slot, a slot backed up into a file. Every job goes through the
    one transfer queue behind any exchange of another window, can be cancelled, and ends with a
    summary line that says what it left in the slots. Message thread. */
class SlotJobs : private ZKEditorEngine::Listener
{
public:
    explicit SlotJobs (ZKEditorEngine::Ptr engine);

    /** A job still running stops as cancel() stops it. */
    ~SlotJobs() override;

    //==============================================================================
    /** Each returns false, starting nothing, while another job runs or when nothing could be
        queued (the engine has told the user why). Slots count from 0. */
    bool readNames();
    bool rename (int slot, const juce::Array<juce::uint8>& nameBytes);
    bool copy (int fromSlot, int toSlot);
    bool swap (int firstSlot, int secondSlot);

    /** Brings the slot to that preset image, writing only what differs; presetName names the
        preset in the summary ("the active window's preset", "\"Lead\""). */
    bool write (int slot, const juce::Array<juce::uint8>& image, const juce::String& presetName);

    /** Reads the slot and writes it as a preset file. */
    bool backUp (int slot, const juce::File& file);

    /** Stops the job; what it has written stays, and the summary says where it stopped. */
    void cancel();

    bool isBusy() const noexcept { return job != Job::none; }

    //==============================================================================
    /** What the job under way is doing: its text, and the part done as done of whole. */
    struct Progress
    {
        juce::String text;
        int done = 0;
        int whole = 0;
    };

    Progress getProgress() const { return progress; }

    /** How the last job ended. */
    juce::String getSummary() const { return summary; }

    /** A swap stopped between its two writes leaves one slot's old preset in no slot: it is saved
        at once in this folder, and the summary names the file. */
    static juce::File getRecoveryFolder();

    /** That preset's image, and the slot that held it (-1 when the last job left none so). */
    juce::Array<juce::uint8> getPresetNoSlotHolds() const { return strandedImage; }
    int getSlotOfPresetNoSlotHolds() const noexcept { return strandedSlot; }

    ZKEditorEngine& getEngine() noexcept { return *engine; }

    /** Told on every step of a job and at its end. */
    std::function<void()> onChange;

    /** Told once when a job has ended, after onChange. */
    std::function<void()> onFinished;

private:
    enum class Job
    {
        none,
        names,
        copy,
        rename,
        write,
        backUp
    };

    void transferProgressed (const ZKEditorEngine::TransferStatus& status) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;
    void slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& image) override;

    /** Starts a job's worker (the name reader or the copier); one that does not start leaves no job. */
    template <typename Worker>
    bool launch (std::unique_ptr<Worker>& worker);

    bool startCopier (SlotCopier::Operation operation, int firstSlot, int secondSlot, const juce::String& firstText);
    bool begin (Job newJob, int newTransferId, int slot, const juce::String& firstText);
    void finish (const juce::String& summaryText);
    void finishCopier();
    void changed();
    juce::String describeEnd (const ZKEditorEngine::TransferStatus& status) const;

    ZKEditorEngine::Ptr engine;
    Job job = Job::none;
    std::unique_ptr<SlotNameReader> nameReader;
    std::unique_ptr<SlotCopier> copier;

    // A job of one transfer: its id, what it does and, for a backup, the file it writes.
    int transferId = 0;
    int jobSlot = -1;
    juce::String jobName;
    juce::File backupFile;
    bool fileWritten = false;
    juce::String fileError;

    Progress progress;
    juce::String summary;
    juce::Array<juce::uint8> strandedImage;
    int strandedSlot = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotJobs)
};
