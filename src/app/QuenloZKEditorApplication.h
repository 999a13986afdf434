#pragma once

#include "app/AboutWindow.h"
#include "app/CommandActions.h"
#include "app/DeviceManagerWindow.h"
#include "app/EditorWindow.h"
#include "app/FolderSettings.h"
#include "app/FollowAndCheckOptions.h"
#include "app/MainMenuModel.h"
#include "app/MidiMonitorCommand.h"
#include "app/QuitCoordinator.h"
#include "app/RunningInstance.h"
#include "app/SendOptions.h"
#include "app/SlotsWindow.h"
#include "app/VirtualControllerCommand.h"
#include "app/WindowManager.h"
#include "app/WindowZoom.h"
#include "engine/DeviceSettings.h"
#include "engine/MidiManager.h"
#include "model/ZKMModel.h"
#include "views/ViewSelector.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The application of a controller of the ZK family: owns the MIDI manager, the command manager,
    the menu bar model and the window manager, and carries out the commands that belong to no single
    document window. A subclass per model supplies the model's pieces. */
class QuenloZKEditorApplication : public juce::JUCEApplication
{
public:
    explicit QuenloZKEditorApplication (juce::String filePattern);
    ~QuenloZKEditorApplication() override;

    //==============================================================================
    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    /** True: RunningInstance keeps one editor per user and display. The framework's own lock would
        end a second start before initialise, and cannot hand it a file on every platform. */
    bool moreThanOneInstanceAllowed() override;
    void initialise (const juce::String& commandLine) override;
    void shutdown() override;

    /** Not used: a second start hands its file over through RunningInstance. */
    void anotherInstanceStarted (const juce::String&) override {}

    /** Asks every document window with unsaved changes whether to save them (after QuitCoordinator
        lets the quit through); unless the user cancels, closes the dialogs and stops the message
        loop. The document windows go at shutdown. */
    void systemRequestedQuit() override;

    bool isSendUnderWay() const { return quitCoordinator.isSendUnderWay(); }

    /** The notice shown at start when the settings file was damaged and set aside. */
    static juce::String getDamagedSettingsTitle() { return "Settings Reset"; }

    void suspended() override {}
    void resumed() override {}

    //==============================================================================
    /** A new product picture selector, placed at the top of the editor; the caller owns it. */
    virtual ViewSelector* createProductImageSelector() = 0;
    virtual const juce::String& getUserGuideFileName() = 0;
    virtual const juce::Image& getAboutImage() = 0;
    virtual const void* getDefaultPresetData() = 0;
    virtual int getDefaultPresetSize() = 0;

    virtual void showUserGuide();

    /** Open the window unless it is open already. */
    virtual void showAboutWindow();
    virtual void showDeviceSetupWindow();

    /** Brings the Slots window to the front, opening it first when it is not open. */
    void showSlotsWindow();

    //==============================================================================
    /** Opens one more document window with the default preset. */
    EditorWindow* openNewWindow();

    /** Opens a preset file in a new window, brought to the front; juce::File() opens the default
        preset. A file that is refused opens no window: the "File Error" notice alone tells of it,
        and the result is nullptr. */
    EditorWindow* openFileInNewWindow (const juce::File& file);

    /** Asks for a preset file and opens it in a new window. */
    void openPresetFile();

    /** The chooser step of openPresetFile, replaceable as the windows' steps are. */
    EditorWindow::FileChooserStep chooseFile;

    //==============================================================================
    juce::ApplicationCommandTarget* getNextCommandTarget() override { return nullptr; }
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;

    bool perform (const InvocationInfo& info) override;

    //==============================================================================
    WindowManager* getWindowManager() const noexcept { return windowManager.get(); }
    juce::ApplicationCommandManager* getCommandManager() const noexcept { return commandManager.get(); }
    MainMenuModel* getMainMenuModel() const noexcept { return mainMenuModel.get(); }
    MidiManager& getMidiManager() noexcept { return midiManager; }
    const juce::File& getLastDirectory() const noexcept { return lastDirectory; }
    AboutWindow* getAboutWindow() const { return aboutWindow.get(); }
    DeviceManagerWindow* getDeviceSetupWindow() const { return deviceSetupWindow.get(); }
    SlotsWindow* getSlotsWindow() const { return slotsWindow.get(); }
    VirtualControllerCommand& getVirtualControllerCommand() noexcept { return virtualControllerCommand; }
    FollowAndCheckOptions* getFollowAndCheckOptions() const noexcept { return followAndCheck.get(); }
    WindowZoom* getWindowZoom() const noexcept { return zoom.get(); }
    MidiMonitorWindow* getMidiMonitorWindow() const
    {
        return midiMonitor != nullptr ? midiMonitor->getWindow() : nullptr;
    }

    bool isQuitRequested() const noexcept { return quitRequested; }

protected:
    //==============================================================================
    int deviceId = ZKMModel::deviceId;
    juce::File lastDirectory;
    MidiManager midiManager;
    VirtualControllerCommand virtualControllerCommand{ midiManager };
    std::unique_ptr<WindowManager> windowManager;
    std::unique_ptr<juce::ApplicationCommandManager> commandManager;
    std::unique_ptr<MainMenuModel> mainMenuModel;
    int numKnobs = ZKMModel::numKnobs;
    int numPads = ZKMModel::numPads;
    int numSwitches = ZKMModel::numSwitches;
    juce::uint8 numKeys = ZKMModel::numKeys;
    juce::uint8 octaveLimit = ZKMModel::octaveMaximum;
    juce::WeakReference<AboutWindow> aboutWindow;
    juce::WeakReference<DeviceManagerWindow> deviceSetupWindow;
    juce::WeakReference<SlotsWindow> slotsWindow;
    juce::String filePattern;
    std::unique_ptr<DeviceSettings> deviceSettings;

    /** Where the settings keep the folder of the last backup written or restored. */
    static constexpr const char* backupFolderKey = "backupFolder";

private:
    /** A new document window on that engine, with the default preset loaded into it. */
    EditorWindow* openWindowOn (ZKEditorEngine::Ptr engine);

    void closeDialogs();
    void closeDocuments();

    /** The application's commands and what each does, in the order of getAllCommands. */
    CommandActions createCommandActions();

    std::unique_ptr<FolderSettings> folderSettings;
    std::unique_ptr<FollowAndCheckOptions> followAndCheck;
    std::unique_ptr<SendOptions> sendOptions;
    std::unique_ptr<WindowZoom> zoom;
    std::unique_ptr<MidiMonitorCommand> midiMonitor;
    bool quitRequested = false;
    QuitCoordinator quitCoordinator;
    std::unique_ptr<juce::Component> firstPaintProbe;
    std::unique_ptr<juce::TooltipWindow> tooltipWindow;
    /** Opens the file a later start of the editor names, in a new window of this one. */
    std::unique_ptr<RunningInstance> runningInstance;
    const CommandActions commandActions = createCommandActions();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QuenloZKEditorApplication)
};
