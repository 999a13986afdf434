#pragma once

#include "app/FileErrorAlertWindow.h"
#include "app/GetPresetWindow.h"
#include "app/MidiErrorAlertWindow.h"
#include "app/SendPresetWindow.h"
#include "app/WindowCloseListener.h"
#include "engine/ZKEditorEngine.h"
#include "views/EditorComponent.h"

#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>

/** A document window: one preset, its editor content and its engine. It carries out the document
    commands, answers the four preset buttons of the main section, saves and loads preset files, and
    shows this document's slot dialogs and notices. */
class EditorWindow
    : public juce::DocumentWindow
    , public juce::ApplicationCommandTarget
    , public juce::Button::Listener
    , public ZKEditorEngine::Listener
{
public:
    /** Asks the user for a file: the chooser's title, the folder it starts in, the wildcard, and
        whether the file is to be written. Returns juce::File() when the user cancelled. */
    using FileChooserStep = std::function<juce::File (const juce::String& title, const juce::File& startFolder,
                                                      const juce::String& filePattern, bool forSaving)>;

    //==============================================================================
    /** Takes ownership of the content; lastDirectory is the application's shared starting folder. */
    EditorWindow (const juce::String& title, EditorComponent* content, ZKEditorEngine::Ptr engine,
                  juce::File* lastDirectory, WindowCloseListener* closeListener);
    ~EditorWindow() override;

    //==============================================================================
    /** Shows the menu bar and makes the window taller by its height, so that the whole editor
        content still shows below it. */
    void showMenuBar (juce::MenuBarModel* menuBarModel);

    /** Asks for a file and saves into it; false when the user cancelled or closed the window
        while the chooser was open. */
    bool saveAs();

    /** Asks for a file to save to; on a choice it becomes the save target and the shared starting
        folder moves to its folder. False when the user cancelled or the window is gone. */
    bool chooseSaveFile();

    /** Writes the preset file, replacing the old one only once the new one is completely on the
        disk; a failure is reported with the file error notice and leaves the old file and the
        title as they were. */
    bool saveToFile (const juce::File& file);

    /** Asks for a preset file and loads it; false when cancelled, rejected or the window is gone. */
    bool loadPreset();

    /** Loads a preset file into this document; a rejected file is reported with the file error
        notice. After a load, as after a Get, Save asks for a file again. */
    bool loadFile (const juce::File& file);

    /** Opens this window's Get or Send dialog unless it is open already. */
    void showGetPresetWindow();
    void showSendPresetWindow();

    //==============================================================================
    /** The chooser step, by default the platform's file chooser; replaceable so that a caller can
        supply the file without a dialog. */
    FileChooserStep chooseFile;

    /** The default chooser step: a juce::FileChooser with the platform's dialog. */
    static juce::File runFileChooser (const juce::String& title, const juce::File& startFolder,
                                      const juce::String& filePattern, bool forSaving);

    /** The name that the application reports, which begins every window title. */
    static juce::String getApplicationName();

    //==============================================================================
    ZKEditorEngine::Ptr getEngine() const { return engine; }
    EditorComponent* getEditorComponent() const;
    const juce::File& getCurrentFile() const noexcept { return currentFile; }
    const juce::String& getDocumentName() const noexcept { return documentName; }
    GetPresetWindow* getGetPresetWindow() const { return getPresetWindow.get(); }
    SendPresetWindow* getSendPresetWindow() const { return sendPresetWindow.get(); }
    MidiErrorAlertWindow* getMidiErrorAlert() const { return midiErrorAlert.get(); }
    FileErrorAlertWindow* getFileErrorAlert() const { return fileErrorAlert.get(); }

    //==============================================================================
    /** Tells the close listeners, which delete the window during the call. */
    void closeButtonPressed() override;

    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;
    bool perform (const InvocationInfo& info) override;

    void buttonClicked (juce::Button* button) override;
    void buttonStateChanged (juce::Button*) override {}

    void midiCommunicationFailed (const juce::String& text) override;
    void presetFileRejected (const juce::String& fileName) override;
    void presetFetched (juce::uint8 slot) override;

private:
    /** Runs the chooser step; juce::File() when the user cancelled or this window was deleted
        while the chooser was open, in which case the caller must not touch the window again. */
    juce::File askForFile (const juce::String& title, bool forSaving);

    /** Shows the file error notice unless this window shows one already. */
    void showFileError (const juce::String& message);

    //==============================================================================
    ZKEditorEngine::Ptr engine;
    juce::File* lastDirectory;
    juce::Array<WindowCloseListener*> closeListeners;
    juce::String documentName;
    juce::File currentFile;
    juce::WeakReference<SendPresetWindow> sendPresetWindow;
    juce::WeakReference<GetPresetWindow> getPresetWindow;
    juce::WeakReference<MidiErrorAlertWindow> midiErrorAlert;
    juce::WeakReference<FileErrorAlertWindow> fileErrorAlert;
    int contentWidth = 0;
    int contentHeight = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorWindow)
};
