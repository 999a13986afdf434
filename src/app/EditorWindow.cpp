#include "app/EditorWindow.h"

#include "app/CommandIDs.h"
#include "views/MainSectionView.h"

namespace
{
constexpr juce::uint8 fileSlot = 0; // preset files carry slot 0
} // namespace

//==============================================================================
EditorWindow::EditorWindow (const juce::String& title, EditorComponent* content, ZKEditorEngine::Ptr engineToUse,
                            juce::File* lastDirectoryToShare, WindowCloseListener* closeListener)
    : juce::DocumentWindow (title, juce::Colours::grey,
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
    , chooseFile (&EditorWindow::runFileChooser)
    , engine (std::move (engineToUse))
    , lastDirectory (lastDirectoryToShare)
{
    if (auto* mainSection = dynamic_cast<MainSectionView*> (content->getView (0)))
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
}

EditorWindow::~EditorWindow()
{
    // Nothing is reported to a window that is gone. Its Get is of no use any more; a Send of its
    // runs to the end, so that no slot is left half written.
    engine->removeListener (this);
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
    const auto chosen = chooseFile ("Select Filename to save", *lastDirectory, engine->getFilePattern(), true);

    if (chosen == juce::File())
        return false;

    currentFile = chosen;
    documentName = chosen.getFileNameWithoutExtension();
    *lastDirectory = chosen.getParentDirectory();
    return true;
}

bool EditorWindow::saveToFile (const juce::File& file)
{
    const auto presetData = engine->createPresetData (fileSlot);

    // replaceWithData writes a temporary file beside the target and moves it over the target, so
    // a failed write never leaves a half-written preset file.
    if (! file.replaceWithData (presetData.getRawDataPointer(), static_cast<size_t> (presetData.size())))
    {
        showFileError ("Error Saving " + file.getFileName() + "\r\n" + " File Could Not Be Written");
        return false;
    }

    setName (getApplicationName() + " - " + documentName);
    return true;
}

bool EditorWindow::loadPreset()
{
    const auto chosen = chooseFile ("Select Filename to open", *lastDirectory, engine->getFilePattern(), false);

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
        setName (getApplicationName() + " - " + file.getFileNameWithoutExtension());
        return true;
    }

    presetFileRejected (file.getFileName());
    return false;
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
    // A listener deletes this window during its call, so the list is walked in a copy and the
    // window itself is not touched again.
    const auto listeners = closeListeners;

    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->windowClosed (this);
}

juce::ApplicationCommandTarget* EditorWindow::getNextCommandTarget() { return findFirstTargetParentComponent(); }

void EditorWindow::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commands.addArray ({ CommandIDs::save, CommandIDs::saveAs, CommandIDs::getPreset, CommandIDs::sendPreset,
                         CommandIDs::closeWindow, CommandIDs::setInternalSync, CommandIDs::setExternalSync });
}

void EditorWindow::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    fillCommandInfo (commandID, result);
}

bool EditorWindow::perform (const InvocationInfo& info)
{
    switch (info.commandID)
    {
        case CommandIDs::closeWindow:
            userTriedToCloseWindow(); // this window is gone afterwards
            break;
        case CommandIDs::save:
            if (currentFile.existsAsFile())
                saveToFile (currentFile);
            else
                saveAs();
            break;
        case CommandIDs::saveAs:
            saveAs();
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
        default:
            break;
    }

    return true;
}

void EditorWindow::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

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
    if (midiErrorAlert == nullptr)
        midiErrorAlert = new MidiErrorAlertWindow(); // owned by the framework's message box
}

void EditorWindow::presetFileRejected (const juce::String& fileName)
{
    showFileError ("Error Opening " + fileName + "\r\n" + " Invalid Preset Data");
}

void EditorWindow::transferProgressed (const ZKEditorEngine::TransferStatus& status)
{
    transferStatusBar->showStatus (status);
    setTransferStatusBarVisible (true);
}

void EditorWindow::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    if (status.kind == ZKEditorEngine::TransferStatus::Kind::send && status.stage == Stage::cancelled && status.done > 0
        && status.done < status.total)
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, getSendCancelledTitle(),
                                                getSendCancelledMessage (status.slot), "OK");

    if (! engine->isTransferInProgress())
        setTransferStatusBarVisible (false);
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

void EditorWindow::showFileError (const juce::String& message)
{
    if (fileErrorAlert == nullptr)
        fileErrorAlert = new FileErrorAlertWindow (message); // owned by the framework's message box
}
