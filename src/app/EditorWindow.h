#pragma once

#include "app/BackupCommand.h"
#include "app/CompareCommand.h"
#include "app/ControlSettingsCommands.h"
#include "app/ControllerDialogs.h"
#include "app/DocumentHistory.h"
#include "app/FileErrorAlertWindow.h"
#include "app/PlatformDialogs.h"
#include "app/RestoreCommand.h"
#include "app/SendOutcomeReport.h"
#include "app/TransferStripPresenter.h"
#include "app/WindowCloseListener.h"
#include "engine/ZKEditorEngine.h"
#include "model/ZKMModel.h"
#include "views/EditorComponent.h"

#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>
#include <optional>

/** A document window: one preset, its editor content and its engine. It carries out the document
    commands, answers the four preset buttons of the main section, saves and loads preset files, and
    shows this document's slot dialogs and notices. The librarian commands (backup, restore, compare)
    and the report of how a Send ended are classes of their own that the window owns and hands its
    commands to; their questions stay replaceable steps of the window. */
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

    using SaveChangesAnswer = PlatformDialogs::SaveChangesAnswer;

    /** Asks the user whether the named document's unsaved changes are to be saved. */
    using SaveChangesQuestion = std::function<SaveChangesAnswer (const juce::String& documentName)>;

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

    /** Shows the connection status beside the preset buttons, and lets the "MIDI Error" notice of
        a Get or Send without open ports offer Device Setup; openDeviceSetup opens it. The manager
        must outlive the window. */
    void showConnectionStatus (MidiManager& midiManager, std::function<void()> openDeviceSetup);

    /** Takes a number that is still being typed into the preset, as Return would. Every command and
        preset button calls it first, so that the keyboard behaves as a click on a button does; a
        command added later that reads, sends or replaces the preset calls it as well. */
    void commitOpenEdits();

    /** The Save command: writes to the save target, or asks for a file when there is none. True
        when the preset was written. */
    bool save();

    //==============================================================================
    /** True while the preset differs from what was last loaded, fetched, sent or saved. The title
        then starts with an asterisk. */
    bool hasUnsavedChanges() const noexcept { return history != nullptr && history->hasUnsavedChanges(); }

    /** Before the window goes: commits an open edit and, if the preset has unsaved changes, asks
        whether to save them. True when the window may close: nothing was unsaved, the user chose
        "Discard", or "Save" wrote the preset; false on "Cancel" or when no file was written. */
    bool offerToSaveChanges();

    /** The question step, by default a message box with "Save", "Discard" and "Cancel"; replaceable
        so that a caller can answer without a dialog. */
    SaveChangesQuestion askToSaveChanges;

    /** The name of the document as the question names it: the title without the application name. */
    juce::String getDocumentTitle() const;

    //==============================================================================
    /** Asks whether all 24 presets of the controller may be replaced by the backup in that folder.
        Replaceable as chooseFile is. */
    std::function<bool (const juce::File& folder)> askToRestore;

    /** While a restore of this window runs, closing the window asks whether to stop it after the
        slot under way (true) or to wait for it (false); slotNumber counts from 1. Replaceable as
        chooseFile is. */
    std::function<bool (int slotNumber)> askToStopRestore;

    /** Asks for a slot, 0 to 23, or -1 when cancelled. Replaceable as chooseFile is. */
    std::function<int()> chooseCompareSlot;

    /** When a restore of this window runs: asks whether to stop it after the slot under way or to
        wait for it, and stops it if so. False when no restore runs or the window went meanwhile. */
    bool askToStopOrWaitForRestore() { return restore->askToStopOrWait(); }

    /** Whether a restore of this window is under way. */
    bool isRestoreRunning() const noexcept { return restore->isRunning(); }

    /** Asks the user for a folder; juce::File() when cancelled. Replaceable as chooseFile is. */
    std::function<juce::File (const juce::String& title, const juce::File& startFolder)> chooseFolder;

    /** Asks whether the backup files in a folder may be replaced. Replaceable as chooseFile is. */
    std::function<bool (const juce::File& folder)> askToReplaceBackup;

    /** Shows a message and its title when a backup or restore is over; replaceable, by default an
        alert. */
    std::function<void (const juce::String& title, const juce::String& message)> showSummary;

    /** The name of the model, which begins the name of every backup file ("ZKM"). */
    juce::String modelName{ ZKMModel::modelName };

    /** The parts of this window that carry out its librarian commands ("Back Up All Slots...",
        "Restore All Slots...", "Compare With File..." and "Compare With Slot..."), report how its
        Sends ended, own its Get and Send dialogs and notices, and show its transfers in the strip. */
    BackupCommand& getBackupCommand() const noexcept { return *backup; }
    RestoreCommand& getRestoreCommand() const noexcept { return *restore; }
    CompareCommand& getCompareCommand() const noexcept { return *compare; }
    SendOutcomeReport& getSendOutcomeReport() const noexcept { return *sendOutcome; }
    ControllerDialogs& getControllerDialogs() const noexcept { return *controllerDialogs; }
    TransferStripPresenter& getTransferStrip() const noexcept { return *transferStrip; }

    //==============================================================================
    /** The chooser step, by default the platform's file chooser; replaceable so that a caller can
        supply the file without a dialog. */
    FileChooserStep chooseFile;

    /** The name that the application reports, which begins every window title. */
    static juce::String getApplicationName();

    /** The application's shared starting folder of the choosers. */
    juce::File& getLastDirectory() const noexcept { return *lastDirectory; }

    /** Runs the chooser step; juce::File() when the user cancelled or this window was deleted
        while the chooser was open, in which case the caller must not touch the window again. */
    juce::File askForFile (const juce::String& title, bool forSaving);

    /** Runs one of this window's questions on a copy of its step (the step is a member of a window
        that may go while the question's modal loop runs). Close requests meanwhile are ignored.
        The answer, or nothing when the window went anyway: then the caller must not touch it, nor
        anything the window owns. */
    template <typename Step, typename... Args>
    auto askQuestion (const Step& step, Args&&... args) -> std::optional<decltype (step (args...))>
    {
        const juce::Component::SafePointer<EditorWindow> self (this);
        const auto stepCopy = step;
        ++openQuestions;
        auto answer = stepCopy (std::forward<Args> (args)...);

        if (self == nullptr)
            return std::nullopt;

        --openQuestions;
        return answer;
    }

    //==============================================================================
    ZKEditorEngine::Ptr getEngine() const { return engine; }
    EditorComponent* getEditorComponent() const;
    const juce::File& getCurrentFile() const noexcept { return currentFile; }
    const juce::String& getDocumentName() const noexcept { return documentName; }

    FileErrorAlertWindow* getFileErrorAlert() const { return fileErrorAlert.get(); }

    /** True while one of this window's questions is open. A close or quit request that comes
        meanwhile (the window manager delivers it even while a modal box is up) is ignored. */
    bool isAskingQuestion() const noexcept { return openQuestions > 0; }

    //==============================================================================
    /** Tells the close listeners, which delete the window during the call. Ignored while a
        question of this window is open. */
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
    void sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>& sentImage) override;
    void slotReadForCompare (juce::uint8 slot, const juce::Array<juce::uint8>& image) override;
    void verificationEnded (const ZKEditorEngine::Verification& verification) override;

    /** Sets the title; while the preset has unsaved changes it is shown with a leading asterisk. */
    void setName (const juce::String& newName) override;

    void transferProgressed (const ZKEditorEngine::TransferStatus& status) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;

    /** What the strip says after loading a file that is not framed as a preset dump. */
    static juce::String getNotAPresetDumpMessage (const juce::String& fileName, const juce::String& problem);

    /** Below the editor content lies the transfer strip while it shows. */
    juce::BorderSize<int> getContentComponentBorder() override;
    void resized() override;

private:
    /** Shows the file error notice unless this window shows one already. */
    void showFileError (const juce::String& message);

    //==============================================================================
    ZKEditorEngine::Ptr engine;
    juce::File* lastDirectory;
    juce::Array<WindowCloseListener*> closeListeners;
    juce::String documentName;
    juce::File currentFile;
    juce::WeakReference<FileErrorAlertWindow> fileErrorAlert;
    int contentWidth = 0;
    int contentHeight = 0;

    std::unique_ptr<DocumentHistory> history;
    int openQuestions = 0;
    juce::String plainTitle;
    std::unique_ptr<BackupCommand> backup;
    std::unique_ptr<RestoreCommand> restore;
    std::unique_ptr<CompareCommand> compare;
    std::unique_ptr<SendOutcomeReport> sendOutcome;
    std::unique_ptr<ControlSettingsCommands> controlSettingsCommands;
    std::unique_ptr<ControllerDialogs> controllerDialogs;
    std::unique_ptr<TransferStripPresenter> transferStrip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorWindow)
};
