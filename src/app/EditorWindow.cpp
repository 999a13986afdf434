#include "app/EditorWindow.h"

#include "app/CommandIDs.h"
#include "engine/SafeFileWriter.h"
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

    setContentOwned (content, false);
    setUsingNativeTitleBar (true);

    closeListeners.addIfNotAlreadyThere (closeListener);
}

EditorWindow::~EditorWindow()
{
    // A Get that still waits for replies must not report to a window that is gone.
    engine->removeListener (this);

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
    const auto presetData = engine->createPresetData (fileSlot);

    // Only a preset file that is completely on the disk replaces the old one; a failed save keeps
    // the old file as it was.
    if (! SafeFileWriter::replaceWithData (file, presetData.getRawDataPointer(),
                                           static_cast<size_t> (presetData.size())))
    {
        showFileError ("Error Saving " + file.getFileName() + "\r\n" + " File Could Not Be Written");
        return false;
    }

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
            engine->setSync (false);
            break;
        case CommandIDs::setExternalSync:
            engine->setSync (true);
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

void EditorWindow::presetFetched (juce::uint8)
{
    // The fetched preset is not the one of the last Save As: Save asks again rather than write it
    // over that file unasked, as after a load.
    currentFile = juce::File();
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
