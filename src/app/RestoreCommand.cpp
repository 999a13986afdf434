#include "app/RestoreCommand.h"

#include "app/AlertText.h"
#include "app/BackupCommand.h"
#include "app/EditorWindow.h"
#include "engine/SlotBackup.h"

//==============================================================================
RestoreCommand::RestoreCommand (EditorWindow& windowToUse, const BackupCommand& backupToWaitFor)
    : window (windowToUse)
    , backup (backupToWaitFor)
{
}

RestoreCommand::~RestoreCommand()
{
    // Reset before this goes, so that a report of the restore's end finds it gone.
    slotRestore.reset();
}

bool RestoreCommand::start()
{
    if (isRunning() || backup.isRunning())
        return false;

    // The chooser keeps the message loop running: the window, and this command with it, may go
    // meanwhile.
    const auto folder = window.askForFolder ("Choose the Folder of a Backup");

    if (folder == juce::File())
        return false;

    window.getLastDirectory() = folder;

    // The restore listens to the engine from here on; the engine is held until the restore is
    // either the window's or gone, whatever happens to the window during the question.
    const ZKEditorEngine::Ptr engineOfRestore (window.getEngine());
    auto restore = std::make_unique<SlotRestore> (*engineOfRestore, folder, window.modelName);
    const auto problems = restore->check();

    if (! problems.isEmpty())
    {
        window.showSummary ("Restore All Slots", "Nothing was sent:\n" + problems.joinIntoString ("\n"));
        return false;
    }

    const auto confirmed = window.askQuestion (window.askToRestore, folder);

    if (! confirmed.has_value() || ! *confirmed)
        return false;

    slotRestore = std::move (restore);
    slotRestore->onFinished = [this, folder]
    {
        if (slotRestore == nullptr)
            return; // the window is going

        window.backupFolderJobEnded ("Restore All Slots", slotRestore->getSummary(), folder,
                                     ! slotRestore->getVerifiedSlots().isEmpty());

        // The user chose to wait for the restore before the window closes.
        if (closeWindowOnceEnded)
        {
            const juce::Component::SafePointer<EditorWindow> windowToClose (&window);
            juce::MessageManager::callAsync (
                [windowToClose]
                {
                    if (windowToClose != nullptr)
                        windowToClose->closeButtonPressed();
                });
        }
    };

    if (slotRestore->start())
        return true;

    slotRestore.reset();
    return false;
}

bool RestoreCommand::askToStopOrWait()
{
    if (! isRunning())
        return false;

    // The restore holds after the slot under way while the question is open, so that the slot it
    // names is the last one written when the user stops it; the question's modal loop keeps the
    // queue running meanwhile.
    const auto lastSlot = slotRestore->holdAfterCurrentSlot();
    const auto stop = window.askQuestion (window.askToStopRestore, lastSlot + 1);

    if (! stop.has_value())
        return false; // the window, and this command with it, went meanwhile; the restore stopped

    if (*stop)
        slotRestore->stopAfterCurrentSlot();
    else
        slotRestore->resume();

    return true;
}

bool RestoreCommand::letWindowClose()
{
    if (! isRunning())
        return true;

    const juce::Component::SafePointer<EditorWindow> self (&window);

    if (! askToStopOrWait() || self == nullptr)
        return false;

    if (isRunning() && ! slotRestore->isStopping())
    {
        closeWindowOnceEnded = true;
        return false;
    }

    return true;
}

bool RestoreCommand::showProgress (const ZKEditorEngine::TransferStatus& status, TransferStatusBar& strip) const
{
    // A restore is one job of 48 transfers, its 24 Sends and then their read-backs in slot order:
    // the strip shows where it is in the whole.
    if (! ownsTransfer (status.id) || status.stage != ZKEditorEngine::TransferStatus::Stage::running
        || status.total <= 0)
        return false;

    constexpr int slots = SlotBackup::numberOfSlots;
    const bool readingBack = status.kind == ZKEditorEngine::TransferStatus::Kind::verify;
    const auto transfersDone = (readingBack ? slots : 0) + status.slot;
    const auto slotText = juce::String (status.slot + 1) + " of " + juce::String (slots);
    strip.showJob ((readingBack ? "Restoring: checking slot " : "Restoring: slot ") + slotText,
                   transfersDone * status.total + status.done, 2 * slots * status.total,
                   (readingBack ? "Checking " : "Writing ") + slotText);
    return true;
}

juce::String RestoreCommand::getStopQuestion (int slotNumber)
{
    return "Restore All Slots is under way: stop after slot " + juce::String (slotNumber) + ", or wait?";
}

juce::String RestoreCommand::getStopAnswer (int slotNumber) { return "Stop After Slot " + juce::String (slotNumber); }

bool RestoreCommand::runRestoreQuestion (const juce::File& folder)
{
    return juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::WarningIcon, "Restore All Slots",
                                               "This replaces all 24 presets in the controller with the backup in\n"
                                                   + folder.getFullPathName(),
                                               "Restore", "Cancel");
}

bool RestoreCommand::runStopQuestion (int slotNumber)
{
    return juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::QuestionIcon, "Restore All Slots",
                                               AlertText::keepLinesWhole (getStopQuestion (slotNumber)),
                                               getStopAnswer (slotNumber), "Wait");
}
