#pragma once

#include "app/BackupCommand.h"
#include "app/CommandActions.h"
#include "app/CompareCommand.h"
#include "app/ControlFollower.h"
#include "app/ControlSettingsCommands.h"
#include "app/ControllerDialogs.h"
#include "app/DocumentHistory.h"
#include "app/FileErrorAlertWindow.h"
#include "app/LiveEditCommand.h"
#include "app/PlatformDialogs.h"
#include "app/PresetCheckCommand.h"
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
    /** Asks for a file (title, start folder, wildcard, whether it is to be written); juce::File()
        when cancelled. */
    using FileChooserStep = std::function<juce::File (const juce::String& title, const juce::File& startFolder,
                                                      const juce::String& filePattern, bool forSaving)>;

    using SaveChangesAnswer = PlatformDialogs::SaveChangesAnswer;

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

    /** Asks for a file and saves into it; false when cancelled or the window went meanwhile. */
    bool saveAs();

    /** Asks for a file to save to, which becomes the save target; the shared starting folder moves
        to its folder. */
    bool chooseSaveFile();

    /** A failure is reported with the file error notice and leaves the old file and the title as
        they were. */
    bool saveToFile (const juce::File& file);

    bool loadPreset();

    /** A rejected file is reported with the file error notice. After a load, as after a Get, Save
        asks for a file again. */
    bool loadFile (const juce::File& file);

    /** Shows the connection status beside the preset buttons, and lets the "MIDI Error" notice of
        a Get or Send without open ports offer Device Setup; openDeviceSetup opens it. The manager
        must outlive the window. */
    void showConnectionStatus (MidiManager& midiManager, std::function<void()> openDeviceSetup);

    /** Takes a number that is still being typed into the preset, as Return would. Every command
        that reads, sends or replaces the preset calls it first. */
    void commitOpenEdits();

    /** Writes to the save target, or asks for a file when there is none. True when written. */
    bool save();

    //==============================================================================
    /** True while the preset differs from what was last loaded, fetched, sent or saved. */
    bool hasUnsavedChanges() const noexcept { return history != nullptr && history->hasUnsavedChanges(); }

    /** Before the window goes: commits an open edit and, if the preset has unsaved changes, asks
        whether to save them. True when the window may close: nothing was unsaved, the user chose
        "Discard", or "Save" wrote the preset. */
    bool offerToSaveChanges();

    /** The name of the document as the save question names it: the title without the application
        name. */
    juce::String getDocumentTitle() const;

    //==============================================================================
    /** The steps that ask the user, by default the platform's dialogs (PlatformDialogs and the
        commands' run... functions); replaceable so that a caller can answer without a dialog. */
    SaveChangesQuestion askToSaveChanges;

    /** Whether all 24 presets of the controller may be replaced by the backup in that folder. */
    std::function<bool (const juce::File& folder)> askToRestore;

    /** Whether to stop a running restore after the slot under way (true) or to wait for it (false);
        slotNumber counts from 1. */
    std::function<bool (int slotNumber)> askToStopRestore;

    /** A slot, 0 to 23, or -1 when cancelled. */
    std::function<int()> chooseCompareSlot;

    /** The slot to edit live, 0 to 23, or -1 when cancelled. */
    std::function<int()> chooseLiveEditSlot;

    std::function<juce::File (const juce::String& title, const juce::File& startFolder)> chooseFolder;
    std::function<bool (const juce::File& folder)> askToReplaceBackup;

    /** Told when a backup was written into that folder or restored from it, so that the slots can
        be compared with its files. */
    std::function<void (const juce::File& folder)> onBackupFolderUsed;

    /** Whether to send a preset in which the check found problems; the text lists them. */
    std::function<bool (const juce::String& problems)> askToSendAnyway{ &PresetCheckCommand::runSendAnywayQuestion };

    /** Shows how a backup or restore ended. */
    std::function<void (const juce::String& title, const juce::String& message)> showSummary;

    /** Begins the name of every backup file ("ZKM"). */
    juce::String modelName{ ZKMModel::modelName };

    /** The parts that carry out the librarian commands, report how Sends ended, own the Get and
        Send dialogs and notices, and show transfers in the strip. */
    BackupCommand& getBackupCommand() const noexcept { return *backup; }
    RestoreCommand& getRestoreCommand() const noexcept { return *restore; }
    CompareCommand& getCompareCommand() const noexcept { return *compare; }
    LiveEditCommand& getLiveEditCommand() const noexcept { return *live; }
    SendOutcomeReport& getSendOutcomeReport() const noexcept { return *sendOutcome; }
    ControllerDialogs& getControllerDialogs() const noexcept { return *controllerDialogs; }
    TransferStripPresenter& getTransferStrip() const noexcept { return *transferStrip; }
    ControlFollower& getControlFollower() const noexcept { return *follower; }
    PresetCheckCommand& getPresetCheck() const noexcept { return *presetCheck; }

    FileChooserStep chooseFile;

    //==============================================================================
    /** The name that the application reports, which begins every window title. */
    static juce::String getApplicationName();

    /** The application's shared starting folder of the choosers. */
    juce::File& getLastDirectory() const noexcept { return *lastDirectory; }

    /** Runs the chooser step; juce::File() when cancelled or when this window was deleted
        meanwhile, in which case the caller must not touch the window again. */
    juce::File askForFile (const juce::String& title, bool forSaving);

    /** Runs one of the slot chooser steps; nothing when cancelled, when the answer is no slot, or
        when this window was deleted meanwhile. */
    std::optional<juce::uint8> askForSlot (const std::function<int()>& chooseSlot);

    /** Runs the folder chooser step from the shared starting folder; juce::File() when cancelled,
        when the choice is no folder, or when this window was deleted meanwhile. */
    juce::File askForFolder (const juce::String& title);

    /** The end of a backup or restore in that folder: tells onBackupFolderUsed when the job wrote
        or restored any slot, and shows the summary once the job's own call has returned. */
    void backupFolderJobEnded (const juce::String& title, const juce::String& summary, const juce::File& folder,
                               bool folderUsed);

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

    /** True while one of this window's questions is open: a close or quit request that comes
        meanwhile (the window manager delivers it even while a modal box is up) is ignored. */
    bool isAskingQuestion() const noexcept { return openQuestions > 0; }

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
    void sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>& sentImage) override;
    void slotReadForCompare (juce::uint8 slot, const juce::Array<juce::uint8>& image) override;
    void verificationEnded (const ZKEditorEngine::Verification& verification) override;

    /** While the preset has unsaved changes the title is shown with a leading asterisk; during
        Live Edit it ends with the slot: " [Live: slot 5]". */
    void setName (const juce::String& newName) override;

    /** Shows the title again, after Live Edit began or ended. */
    void refreshTitle() { setName (plainTitle); }

    void transferProgressed (const ZKEditorEngine::TransferStatus& status) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;

    /** What the strip says after loading a file that is not framed as a preset dump. */
    static juce::String getNotAPresetDumpMessage (const juce::String& fileName, const juce::String& problem);

    /** Makes room below the editor content for the transfer strip while it shows. */
    juce::BorderSize<int> getContentComponentBorder() override;
    void resized() override;

private:
    /** Unless this window shows one already. */
    void showFileError (const juce::String& message);

    /** The document commands and what each does, in the order of getAllCommands. */
    CommandActions createCommandActions();

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
    std::unique_ptr<LiveEditCommand> live;
    std::unique_ptr<SendOutcomeReport> sendOutcome;
    std::unique_ptr<ControlSettingsCommands> controlSettingsCommands;
    std::unique_ptr<ControllerDialogs> controllerDialogs;
    std::unique_ptr<TransferStripPresenter> transferStrip;

    // Made after the parts above, which they use, and gone before them.
    std::unique_ptr<ControlFollower> follower = std::make_unique<ControlFollower> (*this);
    std::unique_ptr<PresetCheckCommand> presetCheck = std::make_unique<PresetCheckCommand> (*this);
    const CommandActions commandActions = createCommandActions();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorWindow)
};
