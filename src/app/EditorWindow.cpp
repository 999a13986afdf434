#include "app/EditorWindow.h"

#include "app/AlertText.h"
#include "app/CommandIDs.h"
#include "app/PresetChange.h"
#include "engine/PresetDifferences.h"
#include "engine/SafeFileWriter.h"
#include "engine/ZKSysEx.h"
#include "model/ListenerWalk.h"
#include "views/MainSectionView.h"

namespace
{
constexpr juce::uint8 fileSlot = 0; // preset files carry slot 0

// How long the strip shows how a transfer ended.
constexpr int endMessageMs = 4000;

// Beside the "Get From Hardware" button, in the main section view.
const juce::Rectangle<int> connectionStatusArea (270, 5, 600, 35);
} // namespace

//==============================================================================
EditorWindow::EditorWindow (const juce::String& title, EditorComponent* content, ZKEditorEngine::Ptr engineToUse,
                            juce::File* lastDirectoryToShare, WindowCloseListener* closeListener)
    : juce::DocumentWindow (title, juce::Colours::grey,
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
    , askToSaveChanges (&EditorWindow::runSaveChangesQuestion)
    , askToRestore (
          [] (const juce::File& folder)
          {
              return juce::AlertWindow::showOkCancelBox (
                  juce::MessageBoxIconType::WarningIcon, "Restore All Slots",
                  "This replaces all 24 presets in the controller with the backup in\n" + folder.getFullPathName(),
                  "Restore", "Cancel");
          })
    , askToStopRestore (
          [] (int slotNumber)
          {
              return juce::AlertWindow::showOkCancelBox (
                  juce::MessageBoxIconType::QuestionIcon, "Restore All Slots",
                  AlertText::keepLinesWhole (getStopRestoreQuestion (slotNumber)), getStopRestoreAnswer (slotNumber),
                  "Wait");
          })
    , chooseCompareSlot (
          []
          {
              juce::AlertWindow box ("Compare With Slot", "Compare this window's preset with a slot of the controller.",
                                     juce::MessageBoxIconType::NoIcon);
              juce::StringArray slots;

              for (int slot = 1; slot <= ZKSysEx::numberOfSlots; ++slot)
                  slots.add (juce::String (slot));

              box.addComboBox ("Preset Slot", slots, "Preset Slot");
              box.getComboBoxComponent ("Preset Slot")->setSelectedItemIndex (0);
              box.addButton ("Compare", 1, juce::KeyPress (juce::KeyPress::returnKey));
              box.addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));

              if (box.runModalLoop() != 1)
                  return -1;

              return box.getComboBoxComponent ("Preset Slot")->getSelectedItemIndex();
          })
    , chooseFolder (
          [] (const juce::String& chooserTitle, const juce::File& startFolder)
          {
              juce::FileChooser chooser (chooserTitle, startFolder, {}, true);
              return chooser.browseForDirectory() ? chooser.getResult() : juce::File();
          })
    , askToReplaceBackup (
          [] (const juce::File& folder)
          {
              return juce::AlertWindow::showOkCancelBox (
                  juce::MessageBoxIconType::QuestionIcon, "Replace Backup",
                  folder.getFullPathName() + " holds a backup already. Replace its files?", "Replace", "Cancel");
          })
    , showSummary (
          [] (const juce::String& summaryTitle, const juce::String& message)
          { juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, summaryTitle, message, "OK"); })
    , chooseFile (&EditorWindow::runFileChooser)
    , engine (std::move (engineToUse))
    , lastDirectory (lastDirectoryToShare)
    , plainTitle (title)
{
    if (auto* mainSection = dynamic_cast<MainSectionView*> (content->getView (EditorComponent::mainView)))
        for (auto* button : mainSection->getPresetButtons())
            button->addListener (this);

    contentWidth = content->getWidth();
    contentHeight = content->getHeight();
    centreWithSize (contentWidth, contentHeight);

    transferStatusBar = std::make_unique<TransferStatusBar>();
    transferStatusBar->onCancel = [this] { engine->cancelTransfer(); };
    Component::addChildComponent (transferStatusBar.get());

    setContentOwned (content, false);
    setUsingNativeTitleBar (true);

    closeListeners.addIfNotAlreadyThere (closeListener);

    // The preset the window opens with is its unchanged state and the start of its history.
    recordedPreset = engine->createPresetData (fileSlot);
    unchangedPreset = recordedPreset;
    engine->addEditListener (this);
    juce::Desktop::getInstance().addFocusChangeListener (this);
}

EditorWindow::~EditorWindow()
{
    // Nothing is reported to a window that is gone. Its Get is of no use any more; a Send of its
    // runs to the end, so that no slot is left half written.
    engine->removeListener (this);
    slotBackup.reset(); // its reads stop; the files written so far stay
    slotRestore.reset();
    compareWindow.reset();
    connectionStatus.reset();
    engine->removeEditListener (this);
    juce::Desktop::getInstance().removeFocusChangeListener (this);
    undoManager.clearUndoHistory();
    engine->cancelGet();

    delete sendPresetWindow.get();
    delete getPresetWindow.get();
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

    markAsUnchanged();
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
        recordStep ("Load From File");
        markAsUnchanged();
        setName (getApplicationName() + " - " + file.getFileNameWithoutExtension());

        // Files that are not framed as a preset dump still open, as they always have; the strip
        // says once, without a box to answer, that this one does not look like one.
        const auto frame = engine->checkPresetFileFrame (file);

        if (frame.failed())
            showEndMessage (getNotAPresetDumpMessage (file.getFileName(), frame.getErrorMessage()));

        return true;
    }

    presetFileRejected (file.getFileName());
    return false;
}

void EditorWindow::showConnectionStatus (MidiManager& midiManager, std::function<void()> openSetup)
{
    statusMidiManager = &midiManager;
    openDeviceSetup = std::move (openSetup);
    connectionStatus = std::make_unique<ConnectionStatusLabel> (midiManager, openDeviceSetup);

    if (auto* mainSection = getEditorComponent()->getView (EditorComponent::mainView))
    {
        mainSection->addAndMakeVisible (*connectionStatus);
        connectionStatus->setBounds (connectionStatusArea);
    }
}

bool EditorWindow::save()
{
    if (currentFile.existsAsFile())
        return saveToFile (currentFile);

    return saveAs() && ! unsavedChanges;
}

bool EditorWindow::offerToSaveChanges()
{
    commitOpenEdits();

    if (! unsavedChanges)
        return true;

    const auto answer = askQuestion (askToSaveChanges, getDocumentTitle());

    if (! answer.has_value())
        return false; // the window is gone

    switch (*answer)
    {
        case SaveChangesAnswer::save:
            return save() && ! unsavedChanges;
        case SaveChangesAnswer::discard:
            return true;
        case SaveChangesAnswer::cancel:
            break;
    }

    return false;
}

EditorWindow::SaveChangesAnswer EditorWindow::runSaveChangesQuestion (const juce::String& name)
{
    juce::AlertWindow box ("Unsaved Changes", "Save changes to " + name + " before closing?",
                           juce::MessageBoxIconType::QuestionIcon);
    box.addButton ("Save", 1, juce::KeyPress (juce::KeyPress::returnKey));
    box.addButton ("Discard", 2);
    box.addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));

    switch (box.runModalLoop())
    {
        case 1:
            return SaveChangesAnswer::save;
        case 2:
            return SaveChangesAnswer::discard;
        default:
            return SaveChangesAnswer::cancel;
    }
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

void EditorWindow::showGetPresetWindow()
{
    if (getPresetWindow == nullptr)
        getPresetWindow = new GetPresetWindow (engine); // deletes itself, or this window deletes it
}

void EditorWindow::showSendPresetWindow()
{
    if (sendPresetWindow == nullptr)
        sendPresetWindow = new SendPresetWindow (engine); // deletes itself, or this window deletes it
}

//==============================================================================
juce::File EditorWindow::runFileChooser (const juce::String& title, const juce::File& startFolder,
                                         const juce::String& filePattern, bool forSaving)
{
    juce::FileChooser chooser (title, startFolder, filePattern, true);

    if (forSaving ? chooser.browseForFileToSave (true) : chooser.browseForFileToOpen())
        return chooser.getResult();

    return {};
}

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
    // the window waits for it and closes once it is over.
    if (isRestoreRunning())
    {
        const juce::Component::SafePointer<EditorWindow> self (this);

        if (! askToStopOrWaitForRestore() || self == nullptr)
            return;

        if (isRestoreRunning() && ! slotRestore->isStopping())
        {
            closeOnceRestoreEnds = true;
            return;
        }
    }

    if (! offerToSaveChanges())
        return;

    // A listener deletes this window during its call, so the list is walked in a copy and the
    // window itself is not touched again.
    const auto listeners = closeListeners;

    ListenerWalk::newestFirst (listeners, [this] (auto* listener) { listener->windowClosed (this); });
}

juce::ApplicationCommandTarget* EditorWindow::getNextCommandTarget() { return findFirstTargetParentComponent(); }

void EditorWindow::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commands.addArray ({ CommandIDs::save, CommandIDs::saveAs, CommandIDs::getPreset, CommandIDs::sendPreset,
                         CommandIDs::closeWindow, CommandIDs::setInternalSync, CommandIDs::setExternalSync,
                         CommandIDs::undo, CommandIDs::redo, CommandIDs::copyControlSettings,
                         CommandIDs::pasteControlSettings, CommandIDs::pasteControlSettingsToAll,
                         CommandIDs::numberControlsAscending, CommandIDs::backUpAllSlots, CommandIDs::restoreAllSlots,
                         CommandIDs::compareWithFile, CommandIDs::compareWithSlot });
}

void EditorWindow::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    fillCommandInfo (commandID, result);

    if (commandID == CommandIDs::backUpAllSlots || commandID == CommandIDs::restoreAllSlots)
        result.setActive ((slotBackup == nullptr || slotBackup->isFinished())
                          && (slotRestore == nullptr || ! slotRestore->isRunning()));

    // The Edit menu names the step that the command undoes or redoes.
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
    else if (commandID == CommandIDs::copyControlSettings || commandID == CommandIDs::pasteControlSettings
             || commandID == CommandIDs::pasteControlSettingsToAll || commandID == CommandIDs::numberControlsAscending)
    {
        // These entries name the control whose widget has the focus, and act on it.
        auto* settings = getFocusedControlSettings();
        result.setActive (settings != nullptr);

        if (settings == nullptr)
            return;

        if (commandID == CommandIDs::copyControlSettings)
        {
            result.shortName = settings->getCopyText();
        }
        else if (commandID == CommandIDs::pasteControlSettings)
        {
            result.shortName = settings->getPasteText();
            result.setActive (settings->canPaste());
        }
        else if (commandID == CommandIDs::pasteControlSettingsToAll)
        {
            result.shortName = settings->getPasteToAllText();
            result.setActive (settings->canPaste());
        }
        else
        {
            result.shortName = settings->getFillText();
            result.setActive (settings->getNumToFill() > 0);
        }
    }
}

bool EditorWindow::perform (const InvocationInfo& info)
{
    commitOpenEdits();

    switch (info.commandID)
    {
        case CommandIDs::closeWindow:
            userTriedToCloseWindow(); // this window is gone afterwards
            break;
        case CommandIDs::save:
            save();
            break;
        case CommandIDs::undo:
            undoManager.undo();
            break;
        case CommandIDs::redo:
            undoManager.redo();
            break;
        case CommandIDs::saveAs:
            saveAs();
            break;
        case CommandIDs::copyControlSettings:
        case CommandIDs::pasteControlSettings:
        case CommandIDs::pasteControlSettingsToAll:
        case CommandIDs::numberControlsAscending:
            if (auto* settings = getFocusedControlSettings())
                settings->perform (info.commandID == CommandIDs::copyControlSettings    ? ControlSettings::copyItem
                                   : info.commandID == CommandIDs::pasteControlSettings ? ControlSettings::pasteItem
                                   : info.commandID == CommandIDs::pasteControlSettingsToAll
                                       ? ControlSettings::pasteToAllItem
                                       : ControlSettings::fillItem);
            break;
        case CommandIDs::getPreset:
            showGetPresetWindow();
            break;
        case CommandIDs::sendPreset:
            showSendPresetWindow();
            break;
        case CommandIDs::setInternalSync:
            engine->startSync (false);
            break;
        case CommandIDs::setExternalSync:
            engine->startSync (true);
            break;
        case CommandIDs::backUpAllSlots:
            backUpAllSlots();
            break;
        case CommandIDs::restoreAllSlots:
            restoreAllSlots();
            break;
        case CommandIDs::compareWithFile:
            compareWithFile();
            break;
        case CommandIDs::compareWithSlot:
            compareWithSlot();
            break;
        default:
            break;
    }

    return true;
}

void EditorWindow::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();
    commitOpenEdits();

    if (name == "Send To Hardware")
        showSendPresetWindow();

    if (name == "Get From Hardware")
        showGetPresetWindow();

    if (name == "Save To File")
        saveAs(); // always asks for a file, unlike the Save command

    if (name == "Load From File")
        loadPreset();
}

void EditorWindow::midiCommunicationFailed (const juce::String&)
{
    if (midiErrorAlert != nullptr)
        return;

    // Without both ports nothing reached the controller: the way out is choosing them.
    const bool portsMissing =
        statusMidiManager != nullptr && ! (statusMidiManager->isInputOpen() && statusMidiManager->isOutputOpen());

    if (portsMissing && openDeviceSetup != nullptr)
        midiErrorAlert = new MidiErrorAlertWindow (openDeviceSetup); // owned by the framework's message box
    else
        midiErrorAlert = new MidiErrorAlertWindow(); // owned by the framework's message box
}

void EditorWindow::presetFileRejected (const juce::String& fileName)
{
    showFileError (FileErrorAlertWindow::getOpenErrorMessage (fileName));
}

void EditorWindow::presetFetched (juce::uint8 slot)
{
    recordStep ("Get From Hardware");

    // The fetched preset is not the one of the last Save As: Save asks again rather than write it
    // over that file unasked, as after a load, and the title names the slot instead of that file.
    currentFile = juce::File();
    markAsUnchanged();
    setName (getApplicationName() + " - Slot " + juce::String (slot + 1));
}

void EditorWindow::sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>& sentImage)
{
    // A restore sends the backup's presets, not this window's. A Send that is read back counts as
    // saved in the slot only once the read-back matches.
    if ((slotRestore != nullptr && slotRestore->ownsTransfer (send.id)) || send.verify)
        return;

    // What the slot now holds is the preset as the Send started; later edits stay unsaved.
    markAsUnchanged (sentImage);
    showEndMessage ("Sent to slot " + juce::String (send.slot + 1) + " (not verified)");
}

void EditorWindow::verificationEnded (const ZKEditorEngine::Verification& verification)
{
    // A restore sums its read-backs up at its end.
    if (slotRestore != nullptr && slotRestore->ownsTransfer (verification.sendId))
        return;

    const auto slot = verification.slot;
    const auto& sentImage = verification.sentImage;
    const auto slotText = juce::String (slot + 1);

    if (verification.matches() || verification.controllerGone)
    {
        if (verification.matches())
            markAsUnchanged (sentImage);

        showEndMessage (verification.matches() ? "Sent to slot " + slotText + " and verified"
                                               : "Sent to slot " + slotText
                                                     + "; not verified: " + ZKEditorEngine::getControllerGoneText());
        return;
    }

    if (verification.readBack.isEmpty())
    {
        lastVerifyFailure = "Slot " + slotText + " did not answer when it was read back: the Send is not verified.";
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, "Verify Failed",
                                                lastVerifyFailure, "OK");
        return;
    }

    const auto differences =
        PresetDifferences::describe (PresetDifferences::find (*engine, sentImage, verification.readBack));
    lastVerifyFailure = describeVerifyFailure (slot, differences);
    const juce::Component::SafePointer<EditorWindow> self (this);
    const auto options = juce::MessageBoxOptions()
                             .withIconType (juce::MessageBoxIconType::WarningIcon)
                             .withTitle ("Verify Failed")
                             .withMessage (lastVerifyFailure)
                             .withButton ("Send Again")
                             .withButton ("OK");

    juce::AlertWindow::showAsync (options,
                                  [self, slot, sentImage] (int button)
                                  {
                                      if (self != nullptr && button == 1) // "Send Again": the same preset as before
                                          self->engine->startSend (slot, sentImage);
                                  });
}

juce::String EditorWindow::describeVerifyFailure (juce::uint8 slot, const juce::String& differences)
{
    return "Slot " + juce::String (slot + 1) + " does not hold what was sent (sent / read back):\n" + differences;
}

bool EditorWindow::backUpAllSlots()
{
    if (slotBackup != nullptr && ! slotBackup->isFinished())
        return false;

    // The chooser and the question keep the message loop running: the window may go meanwhile.
    const juce::Component::SafePointer<EditorWindow> self (this);
    const auto folderStep = chooseFolder;
    const auto folder = folderStep ("Choose a Folder for the Backup", *lastDirectory);

    if (self == nullptr || folder == juce::File() || ! folder.isDirectory())
        return false;

    if (SlotBackup::folderHoldsBackup (folder, modelName))
    {
        const auto replace = askQuestion (askToReplaceBackup, folder);

        if (! replace.has_value() || ! *replace)
            return false;
    }

    *lastDirectory = folder;

    // Reading 24 slots takes half a minute: a folder whose files cannot be written is named now.
    juce::StringArray unwritable;

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
    {
        const auto target = SafeFileWriter::checkTarget (SlotBackup::getSlotFile (folder, modelName, slot));

        if (target.failed())
            unwritable.add (target.getErrorMessage());
    }

    if (! unwritable.isEmpty())
    {
        showSummary ("Back Up All Slots", "Nothing was read: the backup cannot be written in "
                                              + folder.getFullPathName() + ".\n" + unwritable.joinIntoString ("\n"));
        return false;
    }

    slotBackup = std::make_unique<SlotBackup> (*engine, folder, modelName);
    slotBackup->onFinished = [this]
    {
        if (slotBackup == nullptr)
            return; // the window is going

        const auto summary = slotBackup->getSummary();
        const auto step = showSummary;
        juce::MessageManager::callAsync ([step, summary] { step ("Back Up All Slots", summary); });
    };

    if (! slotBackup->start())
    {
        slotBackup.reset();
        return false;
    }

    return true;
}

bool EditorWindow::compareWithFile()
{
    const auto chosen = askForFile ("Select File to compare", false);

    if (chosen == juce::File())
        return false;

    return compareWithFile (chosen);
}

bool EditorWindow::compareWithFile (const juce::File& file)
{
    commitOpenEdits();
    const auto image = engine->readPresetFileImage (file);

    if (image.isEmpty())
    {
        presetFileRejected (file.getFileName());
        return false;
    }

    compareWindow = std::make_unique<CompareWindow> (engine, image, file.getFileName());
    compareWindow->toFront (true);
    return true;
}

bool EditorWindow::compareWithSlot()
{
    const auto slot = askQuestion (chooseCompareSlot);

    if (! slot.has_value() || ! juce::isPositiveAndBelow (*slot, (int) ZKSysEx::numberOfSlots))
        return false;

    return compareWithSlot ((juce::uint8) *slot);
}

bool EditorWindow::compareWithSlot (juce::uint8 slot)
{
    commitOpenEdits();
    return engine->startCompareRead (slot);
}

void EditorWindow::slotReadForCompare (juce::uint8 slot, const juce::Array<juce::uint8>& image)
{
    compareWindow = std::make_unique<CompareWindow> (engine, image, "Slot " + juce::String (slot + 1));
    compareWindow->toFront (true);
}

bool EditorWindow::restoreAllSlots()
{
    if ((slotRestore != nullptr && slotRestore->isRunning()) || (slotBackup != nullptr && ! slotBackup->isFinished()))
        return false;

    const juce::Component::SafePointer<EditorWindow> self (this);
    const auto folderStep = chooseFolder;
    const auto folder = folderStep ("Choose the Folder of a Backup", *lastDirectory);

    if (self == nullptr || folder == juce::File() || ! folder.isDirectory())
        return false;

    *lastDirectory = folder;

    // The restore listens to the engine from here on; the engine is held until the restore is
    // either the window's or gone, whatever happens to the window during the question.
    const ZKEditorEngine::Ptr engineOfRestore (engine);
    auto restore = std::make_unique<SlotRestore> (*engineOfRestore, folder, modelName);
    const auto problems = restore->check();

    if (! problems.isEmpty())
    {
        showSummary ("Restore All Slots", "Nothing was sent:\n" + problems.joinIntoString ("\n"));
        return false;
    }

    const auto confirmed = askQuestion (askToRestore, folder);

    if (! confirmed.has_value() || ! *confirmed)
        return false;

    slotRestore = std::move (restore);
    slotRestore->onFinished = [this]
    {
        if (slotRestore == nullptr)
            return; // the window is going

        const auto summary = slotRestore->getSummary();
        const auto step = showSummary;
        juce::MessageManager::callAsync ([step, summary] { step ("Restore All Slots", summary); });

        // The user chose to wait for the restore before the window closes.
        if (closeOnceRestoreEnds)
        {
            const juce::Component::SafePointer<EditorWindow> self (this);
            juce::MessageManager::callAsync (
                [self]
                {
                    if (self != nullptr)
                        self->closeButtonPressed();
                });
        }
    };

    if (! slotRestore->start())
    {
        slotRestore.reset();
        return false;
    }

    return true;
}

void EditorWindow::parameterEdited (const ZKEditorEngine::ParameterEdit& edit)
{
    if (! applyingHistory && editGroupDepth == 0)
        recordStep (PresetChange::describe (edit));
}

void EditorWindow::editGroupStarted() { ++editGroupDepth; }

void EditorWindow::editGroupEnded (const juce::String& actionName)
{
    editGroupDepth = juce::jmax (0, editGroupDepth - 1);

    if (! applyingHistory && editGroupDepth == 0)
        recordStep (actionName);
}

ControlSettings* EditorWindow::getFocusedControlSettings() const
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();

    if (focused != nullptr && isParentOf (focused))
        if (auto* settings = ControlSettings::findFor (focused))
            return settings;

    if (lastFocusedControl != nullptr && lastFocusedControl->isShowing())
        return ControlSettings::findFor (lastFocusedControl.getComponent());

    return nullptr;
}

void EditorWindow::globalFocusChanged (juce::Component* focusedComponent)
{
    if (focusedComponent == nullptr || ! isParentOf (focusedComponent))
        return;

    for (auto* c = focusedComponent; c != nullptr && c != this; c = c->getParentComponent())
        if (dynamic_cast<ControlSettings::Holder*> (c) != nullptr)
        {
            lastFocusedControl = c;
            return;
        }
}

void EditorWindow::setName (const juce::String& newName)
{
    plainTitle = newName;
    juce::DocumentWindow::setName (unsavedChanges ? "*" + plainTitle : plainTitle);
}

//==============================================================================
void EditorWindow::recordStep (const juce::String& name)
{
    auto current = engine->createPresetData (fileSlot);

    if (current == recordedPreset)
        return;

    undoManager.beginNewTransaction (name);
    undoManager.perform (new PresetChange (recordedPreset, current, // owned by undoManager
                                           [this] (const juce::Array<juce::uint8>& data) { applyHistoryStep (data); }));
    recordedPreset = std::move (current);
    updateUnsavedMark();
}

void EditorWindow::applyHistoryStep (const juce::Array<juce::uint8>& presetData)
{
    {
        const juce::ScopedValueSetter<bool> applying (applyingHistory, true);
        engine->loadPresetData (presetData);
    }

    recordedPreset = presetData;
    updateUnsavedMark();
}

void EditorWindow::markAsUnchanged()
{
    unchangedPreset = engine->createPresetData (fileSlot);
    updateUnsavedMark();
}

void EditorWindow::markAsUnchanged (const juce::Array<juce::uint8>& image)
{
    unchangedPreset = engine->createPresetData (fileSlot);

    for (int i = 0; i < image.size(); ++i)
        unchangedPreset.set (ZKSysEx::dumpImageOffset + i, image.getUnchecked (i));

    updateUnsavedMark();
}

void EditorWindow::updateUnsavedMark()
{
    const auto changed = engine->createPresetData (fileSlot) != unchangedPreset;

    if (changed == unsavedChanges)
        return;

    unsavedChanges = changed;
    setName (plainTitle);
}

void EditorWindow::transferProgressed (const ZKEditorEngine::TransferStatus& status)
{
    endMessageTimer.stopTimer();

    // A restore is one job of 48 transfers, its 24 Sends and then their read-backs in slot order:
    // the strip shows where it is in the whole.
    if (slotRestore != nullptr && slotRestore->ownsTransfer (status.id)
        && status.stage == ZKEditorEngine::TransferStatus::Stage::running && status.total > 0)
    {
        constexpr int slots = SlotBackup::numberOfSlots;
        const bool readingBack = status.kind == ZKEditorEngine::TransferStatus::Kind::verify;
        const auto transfersDone = (readingBack ? slots : 0) + status.slot;
        const auto slotText = juce::String (status.slot + 1) + " of " + juce::String (slots);
        transferStatusBar->showJob ((readingBack ? "Restoring: checking slot " : "Restoring: slot ") + slotText,
                                    transfersDone * status.total + status.done, 2 * slots * status.total,
                                    (readingBack ? "Checking " : "Writing ") + slotText);
    }
    else
    {
        transferStatusBar->showStatus (status);
    }

    setTransferStatusBarVisible (true);
}

void EditorWindow::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    if (status.kind == ZKEditorEngine::TransferStatus::Kind::send && status.stage == Stage::cancelled && status.done > 0
        && status.done < status.total)
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, getSendCancelledTitle(),
                                                getSendCancelledMessage (status.slot), "OK");

    if (! engine->isTransferInProgress() && ! endMessageTimer.isTimerRunning())
        setTransferStatusBarVisible (false);
}

void EditorWindow::EndMessageTimer::timerCallback()
{
    stopTimer();

    if (! window.engine->isTransferInProgress())
        window.setTransferStatusBarVisible (false);
}

void EditorWindow::showEndMessage (const juce::String& message)
{
    transferStatusBar->showMessage (message);
    setTransferStatusBarVisible (true);
    endMessageTimer.startTimer (endMessageMs);
}

juce::String EditorWindow::getNotAPresetDumpMessage (const juce::String& fileName, const juce::String& problem)
{
    return fileName + " does not look like a preset dump: " + problem;
}

bool EditorWindow::askToStopOrWaitForRestore()
{
    if (! isRestoreRunning())
        return false;

    const auto stop = askQuestion (askToStopRestore, slotRestore->getSlotUnderWay() + 1);

    if (! stop.has_value())
        return false;

    if (*stop && isRestoreRunning())
        slotRestore->stopAfterCurrentSlot();

    return true;
}

juce::String EditorWindow::getStopRestoreQuestion (int slotNumber)
{
    return "Restore All Slots is under way: stop after slot " + juce::String (slotNumber) + ", or wait?";
}

juce::String EditorWindow::getStopRestoreAnswer (int slotNumber)
{
    return "Stop After Slot " + juce::String (slotNumber);
}

juce::String EditorWindow::getSendCancelledTitle() { return "Send Cancelled"; }

juce::String EditorWindow::getSendCancelledMessage (juce::uint8 slot)
{
    return "Slot " + juce::String (slot + 1) + " now holds part of the new preset and part of the old one.";
}

juce::BorderSize<int> EditorWindow::getContentComponentBorder()
{
    auto border = juce::DocumentWindow::getContentComponentBorder();

    if (transferStatusBar != nullptr && transferStatusBar->isVisible())
        border.setBottom (border.getBottom() + TransferStatusBar::barHeight);

    return border;
}

void EditorWindow::resized()
{
    juce::DocumentWindow::resized();

    if (transferStatusBar != nullptr)
        transferStatusBar->setBounds (
            getLocalBounds()
                .withTrimmedBottom (juce::DocumentWindow::getContentComponentBorder().getBottom())
                .removeFromBottom (TransferStatusBar::barHeight));
}

//==============================================================================
void EditorWindow::setTransferStatusBarVisible (bool shouldBeVisible)
{
    if (transferStatusBar->isVisible() == shouldBeVisible)
        return;

    transferStatusBar->setVisible (shouldBeVisible);
    setContentComponentSize (contentWidth, contentHeight);
    resized();
}

//==============================================================================
juce::File EditorWindow::askForFile (const juce::String& title, bool forSaving)
{
    // The chooser keeps the message loop running, and the user can close this window meanwhile:
    // the window may be gone when the chooser returns. The step is copied because it is a member
    // of the window that may go.
    const juce::Component::SafePointer<EditorWindow> self (this);
    const auto step = chooseFile;
    const auto chosen = step (title, *lastDirectory, engine->getFilePattern(), forSaving);

    return self != nullptr ? chosen : juce::File();
}

void EditorWindow::showFileError (const juce::String& message)
{
    if (fileErrorAlert == nullptr)
        fileErrorAlert = new FileErrorAlertWindow (message); // owned by the framework's message box
}
