#include "engine/SlotRestore.h"

#include "engine/SlotBackup.h"

SlotRestore::SlotRestore (ZKEditorEngine& engineToUse, const juce::File& folderToUse,
                          const juce::String& modelNameToUse)
    : engine (engineToUse)
    , folder (folderToUse)
    , modelName (modelNameToUse)
{
    engine.addListener (this);
}

SlotRestore::~SlotRestore()
{
    cancel();
    engine.removeListener (this);
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

    // Every Send of the restore is read back, whatever the option says for the window's own Sends.
    verifyBefore = engine.getVerifyAfterSend();
    engine.setVerifyAfterSend (true);

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
    {
        if (! engine.startSend ((juce::uint8) slot, images.getReference (slot)))
        {
            started = true;
            cancel();
            return false;
        }

        started = true;
    }

    return true;
}

void SlotRestore::cancel()
{
    if (! started || finished)
        return;

    cancelled = true;
    engine.cancelTransfer();
    finish();
}

void SlotRestore::presetVerified (juce::uint8 slot, const juce::Array<juce::uint8>& sentImage,
                                  const juce::Array<juce::uint8>& readBack)
{
    if (! isRunning())
        return;

    if (readBack.isEmpty())
        unansweredSlots.add (slot);
    else if (readBack != sentImage)
        differingSlots.add (slot);
    else
        verifiedSlots.add (slot);

    slotDone();
}

void SlotRestore::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    using Kind = ZKEditorEngine::TransferStatus::Kind;
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    if (! isRunning())
        return;

    if (status.stage == Stage::cancelled && (status.kind == Kind::send || status.kind == Kind::verify))
    {
        cancelled = true;
        finish();
        return;
    }

    // A Send that failed has no read-back to wait for.
    if (status.kind == Kind::send && status.stage == Stage::failed)
    {
        failedSlots.add (status.slot);
        slotDone();
    }
}

void SlotRestore::slotDone()
{
    if (++slotsDone == SlotBackup::numberOfSlots)
        finish();
}

void SlotRestore::finish()
{
    if (finished)
        return;

    finished = true;
    engine.setVerifyAfterSend (verifyBefore);

    if (onFinished)
        onFinished();
}

juce::String SlotRestore::getSummary() const
{
    auto summary = juce::String (verifiedSlots.size()) + " of " + juce::String (SlotBackup::numberOfSlots)
                   + " slots restored and verified";

    if (! differingSlots.isEmpty())
        summary << "; " << SlotBackup::listOfSlots (differingSlots) << " did not keep what was sent";

    if (! unansweredSlots.isEmpty())
        summary << "; " << SlotBackup::listOfSlots (unansweredSlots) << " did not answer when read back";

    if (! failedSlots.isEmpty())
        summary << "; " << SlotBackup::listOfSlots (failedSlots) << " could not be sent";

    if (cancelled)
        summary << "; cancelled";

    return summary;
}
