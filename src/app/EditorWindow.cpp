#include "app/EditorWindow.h"

#include "app/CommandIDs.h"
#include "app/SaveFileSuggestion.h"
#include "engine/ZKSysEx.h"
#include "model/ListenerWalk.h"
#include "views/MainSectionView.h"

//==============================================================================
EditorWindow::EditorWindow (const juce::String& title, EditorComponent* content, ZKEditorEngine::Ptr engineToUse,
                            juce::File* lastDirectoryToShare, WindowCloseListener* closeListener)
    : juce::DocumentWindow (title, juce::Colours::grey,
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
    , askToSaveChanges (&PlatformDialogs::runSaveChangesQuestion)
    , askToRestore (&RestoreCommand::runRestoreQuestion)
    , askToStopRestore (&RestoreCommand::runStopQuestion)
    , chooseCompareSlot (&CompareCommand::runSlotChooser)
    , chooseLiveEditSlot (&LiveEditCommand::runSlotChooser)
    , chooseFolder (&PlatformDialogs::runFolderChooser)
    , askToReplaceBackup (&BackupCommand::runReplaceQuestion)
    , showSummary (&PlatformDialogs::showSummary)
    , chooseFile (&PlatformDialogs::runFileChooser)
    , engine (std::move (engineToUse))
    , lastDirectory (lastDirectoryToShare)
    , plainTitle (title)
    , backup (std::make_unique<BackupCommand> (*this))
    , restore (std::make_unique<RestoreCommand> (*this, *backup))
    , compare (std::make_unique<CompareCommand> (*this))
    , live (std::make_unique<LiveEditCommand> (*this))
    , sendOutcome (std::make_unique<SendOutcomeReport> (engine))
    , controlSettingsCommands (std::make_unique<ControlSettingsCommands> (*this))
    , controllerDialogs (std::make_unique<ControllerDialogs> (engine))
{
    if (auto* mainSection = dynamic_cast<MainSectionView*> (content->getView (EditorComponent::mainView)))
        for (auto* button : mainSection->getPresetButtons())
            button->addListener (this);

    contentWidth = content->getWidth();
    contentHeight = content->getHeight();
    centreWithSize (contentWidth, contentHeight);

    // The window grows by the strip while it shows, so no part of the editor is hidden.
    transferStrip = std::make_unique<TransferStripPresenter> (engine,
                                                              [this]
                                                              {
                                                                  setContentComponentSize (contentWidth, contentHeight);
                                                                  resized();
                                                              });
    Component::addChildComponent (transferStrip->getBar());
    transferStrip->getBar().onStop = [this] { live->stop(); };

    setContentOwned (content, false);
    setUsingNativeTitleBar (true);

    closeListeners.addIfNotAlreadyThere (closeListener);

    // The preset the window opens with is its unchanged state and the start of its history; the
    // title marks when the preset differs from it.
    history = std::make_unique<DocumentHistory> (engine, [this] { setName (plainTitle); });
}

EditorWindow::~EditorWindow()
{
    // Nothing is reported to a window that is gone. Its Get is of no use any more; a Send of its
    // runs to the end, so that no slot is left half written.
    engine->removeListener (this);
    live.reset();   // nothing more is written; a write under way finishes
    backup.reset(); // its reads stop; the files written so far stay
    restore.reset();
    compare.reset();
    history.reset();
    controlSettingsCommands.reset();
    engine->cancelGet();

    controllerDialogs.reset(); // its Get and Send dialogs go with it
    setMenuBar (nullptr);
    clearContentComponent();
}

//==============================================================================
void EditorWindow::showMenuBar (juce::MenuBarModel* menuBarModel)
{
    setMenuBar (menuBarModel);

    // Where the menu bar lies inside the window it takes its height from the window; the window
    // grows by it so the editor content is never cut off at the bottom.
    setContentComponentSize (contentWidth, contentHeight);
}

bool EditorWindow::saveAs()
{
    if (! chooseSaveFile())
        return false;

    saveToFile (currentFile);
    return true;
}

bool EditorWindow::chooseSaveFile()
{
    const auto chosen = askForFile ("Select Filename to save", true);

    if (chosen == juce::File())
        return false;

    currentFile = chosen;
    documentName = chosen.getFileNameWithoutExtension();
    *lastDirectory = chosen.getParentDirectory();
    return true;
}

bool EditorWindow::saveToFile (const juce::File& file)
{
    // Only a preset file that is completely on the disk replaces the old one; a failed save keeps
    // the old file as it was.
    if (engine->savePresetFile (file).failed())
    {
        showFileError (FileErrorAlertWindow::getSaveErrorMessage (file.getFileName()));
        return false;
    }

    history->markAsUnchanged();
    setName (getApplicationName() + " - " + documentName);
    return true;
}

bool EditorWindow::loadPreset()
{
    const auto chosen = askForFile ("Select Filename to open", false);

    if (chosen == juce::File())
        return false;

    return loadFile (chosen);
}

bool EditorWindow::loadFile (const juce::File& file)
{
    if (engine->loadPresetFile (file))
    {
        // The loaded preset is not the one of the last Save As: Save asks again rather than write
        // it over that file unasked.
        currentFile = juce::File();
        history->recordStep ("Load From File");
        history->markAsUnchanged();
        setName (getApplicationName() + " - " + file.getFileNameWithoutExtension());

        // Files that are not framed as a preset dump still open, as they always have; the strip
        // says once, without a box to answer, that this one does not look like one.
        const auto frame = engine->checkPresetFileFrame (file);

        if (frame.failed())
            transferStrip->showEndMessage (getNotAPresetDumpMessage (file.getFileName(), frame.getErrorMessage()));

        return true;
    }

    presetFileRejected (file.getFileName());
    return false;
}

void EditorWindow::showConnectionStatus (MidiManager& midiManager, std::function<void()> openSetup)
{
    controllerDialogs->showConnectionStatus (getEditorComponent()->getView (EditorComponent::mainView), midiManager,
                                             std::move (openSetup));
}

bool EditorWindow::save()
{
    if (currentFile.existsAsFile())
        return saveToFile (currentFile);

    return saveAs() && ! hasUnsavedChanges();
}

bool EditorWindow::offerToSaveChanges()
{
    commitOpenEdits();

    if (! hasUnsavedChanges())
        return true;

    const auto answer = askQuestion (askToSaveChanges, getDocumentTitle());

    if (! answer.has_value())
        return false; // the window is gone

    switch (*answer)
    {
        case SaveChangesAnswer::save:
            return save() && ! hasUnsavedChanges();
        case SaveChangesAnswer::discard:
            return true;
        case SaveChangesAnswer::cancel:
            break;
    }

    return false;
}

juce::String EditorWindow::getDocumentTitle() const
{
    return plainTitle.fromFirstOccurrenceOf (getApplicationName() + " - ", false, false);
}

void EditorWindow::commitOpenEdits()
{
    if (auto* editor = getEditorComponent())
        editor->commitOpenEdits();
}

//==============================================================================
juce::String EditorWindow::getApplicationName()
{
    if (auto* application = juce::JUCEApplicationBase::getInstance())
        return application->getApplicationName();

    return JUCE_APPLICATION_NAME_STRING;
}

EditorComponent* EditorWindow::getEditorComponent() const
{
    return dynamic_cast<EditorComponent*> (getContentComponent());
}

//==============================================================================
void EditorWindow::closeButtonPressed()
{
    // A second request while the save question (or any other question) is open would ask again
    // and could delete the window under the first question's feet.
    if (isAskingQuestion())
        return;

    // A restore is never cut off in the middle of a slot: it stops after the slot under way, or
    // the window waits for it and closes once it is over. The window may be gone after the
    // question.
    if (! restore->letWindowClose())
        return;

    if (! offerToSaveChanges())
        return;

    // A listener deletes this window during its call, so the list is walked in a copy and the
    // window itself is not touched again.
    const auto listeners = closeListeners;

    ListenerWalk::newestFirst (listeners, [this] (auto* listener) { listener->windowClosed (this); });
}

juce::ApplicationCommandTarget* EditorWindow::getNextCommandTarget() { return findFirstTargetParentComponent(); }

void EditorWindow::getAllCommands (juce::Array<juce::CommandID>& commands) { commandActions.addCommandsTo (commands); }

void EditorWindow::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    fillCommandInfo (commandID, result);

    if (commandID == CommandIDs::backUpAllSlots || commandID == CommandIDs::restoreAllSlots)
        result.setActive (! backup->isRunning() && ! restore->isRunning());

    // The Edit menu names the step that the command undoes or redoes.
    auto& undoManager = history->getUndoManager();

    if (commandID == CommandIDs::undo)
    {
        if (undoManager.canUndo())
            result.shortName = "Undo " + undoManager.getUndoDescription();

        result.setActive (undoManager.canUndo());
    }
    else if (commandID == CommandIDs::redo)
    {
        if (undoManager.canRedo())
            result.shortName = "Redo " + undoManager.getRedoDescription();

        result.setActive (undoManager.canRedo());
    }
    else if (ControlSettingsCommands::handles (commandID))
    {
        controlSettingsCommands->fillInfo (commandID, result);
    }
}

bool EditorWindow::perform (const InvocationInfo& info)
{
    commitOpenEdits();

    // These use the controller's slots or replace the preset: Live Edit ends first.
    if (info.commandID == CommandIDs::backUpAllSlots || info.commandID == CommandIDs::restoreAllSlots
        || info.commandID == CommandIDs::compareWithFile || info.commandID == CommandIDs::compareWithSlot)
        live->stop();

    commandActions.perform (info.commandID);
    return true;
}

CommandActions EditorWindow::createCommandActions()
{
    const auto controlSettings = [this] (juce::CommandID commandID)
    { return [this, commandID] { controlSettingsCommands->perform (commandID); }; };

    return {
        { CommandIDs::save, [this] { save(); } },
        { CommandIDs::saveAs, [this] { saveAs(); } },
        { CommandIDs::getPreset, [this] { controllerDialogs->showGetPresetWindow(); } },
        { CommandIDs::sendPreset, [this] { controllerDialogs->showSendPresetWindow(); } },
        { CommandIDs::closeWindow, [this] { userTriedToCloseWindow(); } }, // this window is gone afterwards
        { CommandIDs::setInternalSync, [this] { engine->startSync (false); } },
        { CommandIDs::setExternalSync, [this] { engine->startSync (true); } },
        { CommandIDs::undo, [this] { history->getUndoManager().undo(); } },
        { CommandIDs::redo, [this] { history->getUndoManager().redo(); } },
        { CommandIDs::copyControlSettings, controlSettings (CommandIDs::copyControlSettings) },
        { CommandIDs::pasteControlSettings, controlSettings (CommandIDs::pasteControlSettings) },
        { CommandIDs::pasteControlSettingsToAll, controlSettings (CommandIDs::pasteControlSettingsToAll) },
        { CommandIDs::numberControlsAscending, controlSettings (CommandIDs::numberControlsAscending) },
        { CommandIDs::backUpAllSlots, [this] { backup->start(); } },
        { CommandIDs::restoreAllSlots, [this] { restore->start(); } },
        { CommandIDs::compareWithFile, [this] { compare->compareWithFile(); } },
        { CommandIDs::compareWithSlot, [this] { compare->compareWithSlot(); } },
        { CommandIDs::sendWholePreset, [this] { controllerDialogs->showSendPresetWindow (true); } },
        { CommandIDs::liveEditSlot, [this] { live->start(); } },
        { CommandIDs::checkPreset, [this] { presetCheck->perform (CommandIDs::checkPreset); } },
    };
}

void EditorWindow::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();
    commitOpenEdits();

    if (name == "Send To Hardware")
        controllerDialogs->showSendPresetWindow();

    if (name == "Get From Hardware")
        controllerDialogs->showGetPresetWindow();

    if (name == "Save To File")
        saveAs(); // always asks for a file, unlike the Save command

    if (name == "Load From File")
        loadPreset();
}

void EditorWindow::midiCommunicationFailed (const juce::String&) { controllerDialogs->showMidiError(); }

void EditorWindow::presetFileRejected (const juce::String& fileName)
{
    showFileError (FileErrorAlertWindow::getOpenErrorMessage (fileName));
}

void EditorWindow::presetFetched (juce::uint8 slot)
{
    history->recordStep ("Get From Hardware");

    // The fetched preset is not the one of the last Save As: Save asks again rather than write it
    // over that file unasked, as after a load, and the title names the slot instead of that file.
    currentFile = juce::File();
    history->markAsUnchanged();
    setName (getApplicationName() + " - Slot " + juce::String (slot + 1));
}

void EditorWindow::sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>& sentImage)
{
    // A restore sends the backup's presets, not this window's. A Send that is read back counts as
    // saved in the slot only once the read-back matches.
    if (restore->ownsTransfer (send.id) || send.verify)
        return;

    // What the slot now holds is the preset as the Send started; later edits stay unsaved.
    history->markAsUnchanged (sentImage);
    transferStrip->showEndMessage (SendOutcomeReport::describeUnverifiedSend (send));
}

void EditorWindow::verificationEnded (const ZKEditorEngine::Verification& verification)
{
    // A restore sums its read-backs up at its end.
    if (restore->ownsTransfer (verification.sendId))
        return;

    // Only a read-back that matches what was sent makes the slot hold this window's preset.
    if (verification.matches())
        history->markAsUnchanged (verification.sentImage);

    const auto endLine = sendOutcome->reportVerification (verification);

    if (endLine.isNotEmpty())
        transferStrip->showEndMessage (endLine);
}

void EditorWindow::slotReadForCompare (juce::uint8 slot, const juce::Array<juce::uint8>& image)
{
    compare->slotRead (slot, image);
}

void EditorWindow::setName (const juce::String& newName)
{
    plainTitle = newName;
    engine->setWriterName ("window " + plainTitle.quoted());
    const auto liveText = live != nullptr && live->isLive()
                              ? " [Live: slot " + juce::String (live->getLiveSlot() + 1) + "]"
                              : juce::String();
    juce::DocumentWindow::setName ((hasUnsavedChanges() ? "*" + plainTitle : plainTitle) + liveText);
}

void EditorWindow::transferProgressed (const ZKEditorEngine::TransferStatus& status)
{
    // A restore shows where it is in its whole job.
    if (! restore->showProgress (status, transferStrip->getBar()))
        transferStrip->getBar().showStatus (status);

    transferStrip->transferProgressed();
}

void EditorWindow::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    sendOutcome->reportTransferEnded (status);
    transferStrip->transferEnded();
}

juce::String EditorWindow::getNotAPresetDumpMessage (const juce::String& fileName, const juce::String& problem)
{
    return fileName + " does not look like a preset dump: " + problem;
}

juce::BorderSize<int> EditorWindow::getContentComponentBorder()
{
    auto border = juce::DocumentWindow::getContentComponentBorder();

    if (transferStrip != nullptr && transferStrip->getBar().isVisible())
        border.setBottom (border.getBottom() + TransferStatusBar::barHeight);

    return border;
}

void EditorWindow::resized()
{
    juce::DocumentWindow::resized();

    if (transferStrip != nullptr)
        transferStrip->getBar().setBounds (
            getLocalBounds()
                .withTrimmedBottom (juce::DocumentWindow::getContentComponentBorder().getBottom())
                .removeFromBottom (TransferStatusBar::barHeight));
}

//==============================================================================
juce::File EditorWindow::askForFile (const juce::String& title, bool forSaving)
{
    // The chooser keeps the message loop running: the window may be gone when it returns, and
    // the step, a member of the window, is copied.
    const juce::Component::SafePointer<EditorWindow> self (this);
    const auto step = chooseFile;
    const auto start = forSaving ? SaveFileSuggestion::suggest (*engine, *lastDirectory) : *lastDirectory;
    const auto chosen = step (title, start, engine->getFilePattern(), forSaving);

    return self != nullptr ? chosen : juce::File();
}

std::optional<juce::uint8> EditorWindow::askForSlot (const std::function<int()>& chooseSlot)
{
    const auto slot = askQuestion (chooseSlot);

    if (! slot.has_value() || ! juce::isPositiveAndBelow (*slot, (int) ZKSysEx::numberOfSlots))
        return std::nullopt;

    return (juce::uint8) *slot;
}

juce::File EditorWindow::askForFolder (const juce::String& title)
{
    const juce::Component::SafePointer<EditorWindow> self (this);
    const auto step = chooseFolder;
    const auto chosen = step (title, *lastDirectory);

    return self != nullptr && chosen.isDirectory() ? chosen : juce::File();
}

void EditorWindow::backupFolderJobEnded (const juce::String& title, const juce::String& summary,
                                         const juce::File& folder, bool folderUsed)
{
    if (folderUsed && onBackupFolderUsed != nullptr)
        onBackupFolderUsed (folder);

    const auto step = showSummary;
    juce::MessageManager::callAsync ([step, title, summary] { step (title, summary); });
}

void EditorWindow::showFileError (const juce::String& message)
{
    if (fileErrorAlert == nullptr)
        fileErrorAlert = new FileErrorAlertWindow (message); // owned by the framework's message box
}
