#include "app/SlotJobs.h"

#include "app/SendOutcomeReport.h"
#include "engine/DeviceSettings.h"
#include "engine/PresetFileWriter.h"
#include "model/ZKMModel.h"

namespace
{
using Kind = ZKEditorEngine::TransferStatus::Kind;
using Stage = ZKEditorEngine::TransferStatus::Stage;

juce::String slotName (int slot) { return "slot " + juce::String (slot + 1); }

juce::String capitalised (const juce::String& text) { return text.substring (0, 1).toUpperCase() + text.substring (1); }

/** What a transfer of a slot job is doing now. */
juce::String describeStep (const ZKEditorEngine::TransferStatus& status)
{
    if (status.stage == Stage::waiting)
        return "Waiting for the controller";

    const auto slot = juce::String (status.slot + 1);

    switch (status.kind)
    {
        case Kind::nameRead:
            return "Reading the name of slot " + slot;
        case Kind::rename:
            return "Renaming slot " + slot;
        case Kind::slotWrite:
            return (status.readingFirst ? "Reading slot " : "Writing slot ") + slot;
        default:
            return "Reading slot " + slot;
    }
}
} // namespace

//==============================================================================
juce::File SlotJobs::getRecoveryFolder()
{
    return DeviceSettings::getDefaultFile().getParentDirectory().getChildFile ("Recovered Presets");
}

SlotJobs::SlotJobs (ZKEditorEngine::Ptr engineToUse)
    : engine (std::move (engineToUse))
{
    engine->setWriterName ("the Slots window");
    engine->addListener (this);
}

SlotJobs::~SlotJobs()
{
    onChange = nullptr;
    onFinished = nullptr;

    // A job of a window that closes stops as a cancel stops it, so that a swap stopped halfway
    // still keeps the preset it leaves in no slot.
    cancel();
    nameReader.reset();
    copier.reset();

    engine->removeListener (this);
}

//==============================================================================
template <typename Worker>
bool SlotJobs::launch (std::unique_ptr<Worker>& worker)
{
    if (! worker->start())
    {
        job = Job::none;
        worker.reset();
        return false;
    }

    changed();
    return true;
}

bool SlotJobs::readNames()
{
    if (isBusy())
        return false;

    nameReader = std::make_unique<SlotNameReader> (*engine);
    nameReader->onNameRead = [this] (int)
    {
        ++progress.done;
        changed();
    };
    nameReader->onFinished = [this]
    {
        if (nameReader != nullptr && job == Job::names)
            finish (nameReader->getSummary());
    };

    job = Job::names;
    progress = { "Reading names", 0, ZKMModel::numberOfSlots };
    return launch (nameReader);
}

bool SlotJobs::rename (int slot, const juce::Array<juce::uint8>& nameBytes)
{
    return ! isBusy()
           && begin (Job::rename, engine->startRename ((juce::uint8) slot, nameBytes), slot,
                     "Renaming " + slotName (slot));
}

bool SlotJobs::copy (int fromSlot, int toSlot)
{
    return startCopier (SlotCopier::Operation::copy, fromSlot, toSlot,
                        "Copying " + slotName (fromSlot) + " to " + slotName (toSlot));
}

bool SlotJobs::swap (int firstSlot, int secondSlot)
{
    return startCopier (SlotCopier::Operation::swap, firstSlot, secondSlot,
                        "Swapping slots " + juce::String (firstSlot + 1) + " and " + juce::String (secondSlot + 1));
}

bool SlotJobs::startCopier (SlotCopier::Operation operation, int firstSlot, int secondSlot,
                            const juce::String& firstText)
{
    if (isBusy())
        return false;

    copier = std::make_unique<SlotCopier> (*engine, operation, firstSlot, secondSlot);
    job = Job::copy;
    progress = { firstText, 0, 0 };
    copier->onProgress = [this] { changed(); };
    copier->onFinished = [this] { finishCopier(); };
    return launch (copier);
}

bool SlotJobs::write (int slot, const juce::Array<juce::uint8>& image, const juce::String& presetName)
{
    if (isBusy())
        return false;

    jobName = presetName;
    return begin (Job::write, engine->startSlotWrite ((juce::uint8) slot, image), slot,
                  "Writing " + presetName + " into " + slotName (slot));
}

bool SlotJobs::backUp (int slot, const juce::File& file)
{
    if (isBusy())
        return false;

    backupFile = file;
    fileWritten = false;
    fileError = {};
    return begin (Job::backUp, engine->startBackupRead ((juce::uint8) slot), slot, "Reading " + slotName (slot));
}

void SlotJobs::cancel()
{
    if (job == Job::names && nameReader != nullptr)
        nameReader->cancel();
    else if (job == Job::copy && copier != nullptr)
        copier->cancel();
    else if (transferId != 0)
        engine->cancelTransfer (transferId);
}

//==============================================================================
bool SlotJobs::begin (Job newJob, int newTransferId, int slot, const juce::String& firstText)
{
    if (newTransferId == 0)
        return false;

    // A transfer may have ended before its id came back; then the job is already over.
    job = newJob;
    transferId = newTransferId;
    jobSlot = slot;
    progress = { firstText, 0, 0 };
    changed();
    return true;
}

void SlotJobs::finish (const juce::String& summaryText)
{
    job = Job::none;
    transferId = 0;
    summary = summaryText;
    progress = {};
    changed();

    if (onFinished != nullptr)
        onFinished();
}

void SlotJobs::finishCopier()
{
    if (copier == nullptr || job != Job::copy)
        return;

    strandedImage = copier->getPresetNoSlotHolds();
    strandedSlot = copier->getSlotOfPresetNoSlotHolds();
    auto text = copier->getSummary();

    // A swap stopped between its writes holds one slot's old preset in memory alone: it goes into a
    // file at once, whatever happens to the window next.
    if (strandedSlot >= 0 && ! strandedImage.isEmpty())
    {
        const auto file =
            getRecoveryFolder()
                .getChildFile ("Slot " + juce::String (strandedSlot + 1).paddedLeft ('0', 2) + " before swap "
                               + juce::Time::getCurrentTime().formatted ("%Y-%m-%d %H-%M-%S"))
                .withFileExtension ("zkp")
                .getNonexistentSibling();
        const auto written =
            getRecoveryFolder().createDirectory().wasOk()
                ? PresetFileWriter (engine->getFileCodec()).write (strandedImage, file)
                : juce::Result::fail ("the folder " + getRecoveryFolder().getFullPathName() + " cannot be made");
        text << (written.wasOk() ? ". The old preset of slot " + juce::String (strandedSlot + 1) + " was saved as "
                                       + file.getFullPathName()
                                 : ". The old preset of slot " + juce::String (strandedSlot + 1)
                                       + " could not be saved: " + written.getErrorMessage());
    }

    finish (text);
}

void SlotJobs::changed()
{
    if (onChange != nullptr)
        onChange();
}

//==============================================================================
void SlotJobs::transferProgressed (const ZKEditorEngine::TransferStatus& status)
{
    if (job == Job::none || job == Job::names)
        return;

    if (transferId != 0 && status.id != transferId)
        return;

    progress.text = describeStep (status);
    progress.done = status.done;
    progress.whole = status.total;
    changed();
}

void SlotJobs::slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& image)
{
    if (job != Job::backUp || read.id != transferId)
        return;

    const auto written = PresetFileWriter (engine->getFileCodec()).write (image, backupFile);
    fileWritten = written.wasOk();
    fileError = written.getErrorMessage();
}

void SlotJobs::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    if (transferId == 0 || status.id != transferId || (job != Job::rename && job != Job::write && job != Job::backUp))
        return;

    finish (describeEnd (status));
}

juce::String SlotJobs::describeEnd (const ZKEditorEngine::TransferStatus& status) const
{
    const auto slot = slotName (jobSlot);
    const bool nothingWritten = status.done == 0 || status.readingFirst;

    // Stopped while it read back what it wrote: every byte is in the slot, only unconfirmed.
    const bool allWritten = ! nothingWritten && status.total > 0 && status.done == status.total;

    if (job == Job::backUp)
    {
        if (status.stage == Stage::completed)
            return fileWritten ? capitalised (slot) + " backed up to " + backupFile.getFileName()
                               : capitalised (slot) + " was read but not saved: " + fileError;

        return status.stage == Stage::cancelled ? "Cancelled: nothing was saved"
                                                : capitalised (slot) + " did not answer; nothing was saved";
    }

    if (job == Job::rename)
    {
        if (status.stage == Stage::completed)
            return capitalised (slot) + " renamed, verified";

        if (status.stage == Stage::cancelled)
            return nothingWritten ? "Rename cancelled: nothing was written"
                   : allWritten   ? "Rename cancelled: the name of " + slot + " was written but not verified"
                                  : "Rename cancelled: the name of " + slot + " is partly written";

        return nothingWritten ? capitalised (slot) + " was not renamed: the controller did not answer"
                              : capitalised (slot) + " was not renamed: its name did not read back as written";
    }

    if (status.stage == Stage::completed)
        return status.total == 0 ? capitalised (slot) + " already held " + jobName
                                 : capitalised (jobName) + " written into " + slot + ", verified ("
                                       + SendOutcomeReport::describeBytesWritten (status.total) + ")";

    if (status.stage == Stage::cancelled && allWritten)
        return "Cancelled: " + slot + " was written but not verified ("
               + SendOutcomeReport::describeBytesWritten (status.done) + ")";

    if (status.stage == Stage::cancelled)
        return nothingWritten ? "Cancelled: nothing was written"
                              : "Cancelled: " + slot + " is partly written ("
                                    + SendOutcomeReport::describeBytesWritten (status.done) + ")";

    return nothingWritten ? jobName + " was not written: " + slot + " did not answer"
                          : capitalised (slot) + " did not read back as written: it may be partly written";
}
