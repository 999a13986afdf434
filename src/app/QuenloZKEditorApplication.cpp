#include "app/QuenloZKEditorApplication.h"

#include "app/CommandIDs.h"
#include "app/FirstPaintProbe.h"
#include "app/UserGuide.h"
#include "engine/MidiDeviceLayerFactory.h"
#include "engine/ZKMEngineFactory.h"
#include "views/EditorComponent.h"
#include "views/TabSelectorButtons.h"

//==============================================================================
QuenloZKEditorApplication::QuenloZKEditorApplication (juce::String filePatternToUse)
    : chooseFile (&PlatformDialogs::runFileChooser)
    , midiManager (createMidiDeviceLayer (juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {})))
    , filePattern (std::move (filePatternToUse))
    , quitCoordinator (
          midiManager, [this] { return windowManager.get(); }, [this] { systemRequestedQuit(); })
{
}

QuenloZKEditorApplication::~QuenloZKEditorApplication()
{
    // Normally done at shutdown already; an application that never ran still tidies up.
    closeDialogs();
    closeDocuments();
    commandManager.reset();
}

//==============================================================================
const juce::String QuenloZKEditorApplication::getApplicationName() { return JUCE_APPLICATION_NAME_STRING; }

const juce::String QuenloZKEditorApplication::getApplicationVersion()
{
    // The build's own version: the project VERSION in the top CMakeLists.txt.
    return JUCE_APPLICATION_VERSION_STRING;
}

bool QuenloZKEditorApplication::moreThanOneInstanceAllowed() { return true; }

void QuenloZKEditorApplication::initialise (const juce::String& commandLine)
{
    runningInstance = std::make_unique<RunningInstance> (
        [this] (const juce::File& file) { return quitRequested ? nullptr : openFileInNewWindow (file); });

    if (isStandaloneApp() && ! runningInstance->claim (commandLine))
        return quit(); // handed over: nothing of this start is made

    commandManager = std::make_unique<juce::ApplicationCommandManager>();
    mainMenuModel = std::make_unique<MainMenuModel> (commandManager.get());
    commandManager->registerAllCommandsForTarget (this);
    windowManager = std::make_unique<WindowManager> (&lastDirectory, commandManager.get(), mainMenuModel.get());
    midiMonitor = std::make_unique<MidiMonitorCommand> (
        midiManager, [this] { return windowManager.get(); }, numKeys);

    // The devices applied in an earlier run: opened now when present, by the device check when
    // they are plugged in later.
    deviceSettings = std::make_unique<DeviceSettings> (DeviceSettings::getDefaultFile());
    midiManager.restoreDevices (deviceSettings->getInputName(), deviceSettings->getOutputName());
    folderSettings =
        std::make_unique<FolderSettings> (deviceSettings.get(), juce::StringArray{ PresetFolderPanel::settingsKey });
    followAndCheck = std::make_unique<FollowAndCheckOptions> (midiManager, *windowManager, deviceSettings.get());
    sendOptions = std::make_unique<SendOptions> (*windowManager, deviceSettings.get());
    zoom = WindowZoom::createForDesktop (deviceSettings.get());

    // The first start always shows a window: a file named on its command line that is refused
    // leaves the default preset there, below the notice, as a start without a file would.
    if (auto* window = openNewWindow(); window != nullptr)
    {
        if (const auto file = RunningInstance::getNamedFile (commandLine); file != juce::File())
        {
            window->toFront (true);
            window->loadFile (file);
        }
    }

    juce::LookAndFeel::getDefaultLookAndFeel().setUsingNativeAlertWindows (true);

    // A damaged settings file would otherwise stop every start; it was set aside, and the user
    // hears of it once, without a box to answer first.
    if (deviceSettings->wasDamagedFileSetAside())
        juce::AlertWindow::showMessageBoxAsync (
            juce::MessageBoxIconType::WarningIcon, getDamagedSettingsTitle(),
            "The settings file " + DeviceSettings::getDefaultFile().getFullPathName()
                + " was damaged. It was kept aside as settings.xml.damaged, and the default settings are used.");

    // Shows the tooltips of every window, such as the range of a box whose number lies outside it.
    tooltipWindow = std::make_unique<juce::TooltipWindow>();
}

void QuenloZKEditorApplication::shutdown()
{
    tooltipWindow.reset();
    closeDialogs();
    closeDocuments();
}

void QuenloZKEditorApplication::systemRequestedQuit()
{
    // A question of a window, a restore or a Send holds the quit back; it is asked for again
    // once they are over.
    if (! quitCoordinator.mayQuitNow())
        return;

    // Every window with unsaved changes asks first; "Cancel", or a save that wrote nothing, keeps
    // the program and all its windows open. Each question runs a modal loop in which windows may
    // close, so the windows are walked through safe pointers taken before the first question. A
    // request that comes while any window's question is open is ignored: that question goes on.
    if (windowManager != nullptr)
    {
        juce::Array<juce::Component::SafePointer<EditorWindow>> windows;

        for (auto* window : windowManager->getWindows())
            windows.add (window);

        for (auto& window : windows)
            if (window != nullptr && ! window->offerToSaveChanges() && window != nullptr)
                return;
    }

    closeDialogs();
    quitRequested = true;

    // Only a running program has a message loop to stop; an application object that is driven
    // from outside (as in the tests) must not stop its caller's loop.
    if (juce::JUCEApplicationBase::isStandaloneApp())
        juce::JUCEApplicationBase::quit();
}

//==============================================================================
void QuenloZKEditorApplication::showUserGuide() { UserGuide (numKeys, getUserGuideFileName()).show(); }

void QuenloZKEditorApplication::showAboutWindow()
{
    if (aboutWindow == nullptr)
        aboutWindow = new AboutWindow (getAboutImage()); // deletes itself when clicked
}

void QuenloZKEditorApplication::showDeviceSetupWindow()
{
    if (deviceSetupWindow == nullptr)
        deviceSetupWindow = new DeviceManagerWindow (
            "ZK" + juce::String (numKeys) + " Editor Device Manager", &midiManager, deviceSettings.get(),
            static_cast<juce::uint8> (deviceId)); // deletes itself on OK or Cancel
}

void QuenloZKEditorApplication::showSlotsWindow()
{
    if (slotsWindow != nullptr)
    {
        slotsWindow->toFront (true);
        return;
    }

    slotsWindow = new SlotsWindow (ZKMEngineFactory::createEngine (midiManager), *folderSettings); // deletes itself
    auto& slots = slotsWindow->getSlotsComponent();
    slots.onOpenSlot = [this] (int slot)
    {
        if (auto* window = openNewWindow())
            window->getEngine()->startGet ((juce::uint8) slot);
    };
    slots.onOpenFile = [this] (const juce::File& file) { openFileInNewWindow (file); };
    slots.getActiveWindowImage = [this]
    {
        auto* window = windowManager->getFrontWindow();
        return window != nullptr ? window->getEngine()->getPresetImage() : juce::Array<juce::uint8>();
    };
    slots.getBackupFolder = [this] { return deviceSettings->getFolder (backupFolderKey); };
    slots.refreshBackup();
}

//==============================================================================
EditorWindow* QuenloZKEditorApplication::openNewWindow()
{
    return openWindowOn (ZKMEngineFactory::createEngine (midiManager));
}

EditorWindow* QuenloZKEditorApplication::openWindowOn (ZKEditorEngine::Ptr engine)
{
    auto* content = new EditorComponent (std::make_unique<TabSelectorButtons>(),
                                         std::unique_ptr<ViewSelector> (createProductImageSelector()), engine, numKnobs,
                                         numPads, numSwitches); // passes to the window below

    const auto* defaultData = static_cast<const juce::uint8*> (getDefaultPresetData());
    const juce::Array<juce::uint8> defaultPreset (defaultData, getDefaultPresetSize());

    if (defaultPreset.size() == engine->getPresetDataSize())
        engine->loadPresetData (defaultPreset);

    if (FirstPaintProbe::isRequested())
    {
        auto* probe = new FirstPaintProbe(); // owned by the content through firstPaintProbe
        firstPaintProbe.reset (probe);
        content->addAndMakeVisible (probe);
        probe->setBounds (content->getLocalBounds());
    }

    if (sendOptions != nullptr)
        sendOptions->applyTo (*engine);
    auto* window = windowManager->createWindow (content, engine);

    if (window != nullptr)
    {
        window->showConnectionStatus (midiManager, [this] { showDeviceSetupWindow(); });

        if (followAndCheck != nullptr)
            followAndCheck->applyTo (*window);

        if (const auto note = zoom != nullptr ? zoom->fitWindow (*window) : juce::String(); note.isNotEmpty())
            window->getTransferStrip().showEndMessage (note);

        window->onBackupFolderUsed = [this] (const juce::File& folder)
        {
            deviceSettings->setFolder (backupFolderKey, folder);

            if (slotsWindow != nullptr)
                slotsWindow->getSlotsComponent().refreshBackup();
        };
    }

    return window;
}

void QuenloZKEditorApplication::openPresetFile()
{
    const auto chosen = chooseFile ("Select Filename to open", lastDirectory, filePattern, false);

    if (chosen != juce::File())
        openFileInNewWindow (chosen);
}

EditorWindow* QuenloZKEditorApplication::openFileInNewWindow (const juce::File& file)
{
    if (file == juce::File())
        return openNewWindow();

    // A refused file is told before any window is made, so that it leaves no empty window behind.
    auto engine = ZKMEngineFactory::createEngine (midiManager);

    if (engine->readPresetFileImage (file).isEmpty())
    {
        new FileErrorAlertWindow (FileErrorAlertWindow::getOpenErrorMessage (file.getFileName())); // owned by its box
        return nullptr;
    }

    auto* window = openWindowOn (engine);

    if (window != nullptr)
    {
        // In front before the file loads, so that a notice about it shows above it.
        window->toFront (true);
        window->loadFile (file);
    }

    return window;
}

//==============================================================================
void QuenloZKEditorApplication::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commandActions.addCommandsTo (commands);
}

void QuenloZKEditorApplication::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    fillCommandInfo (commandID, result);

    if (SendOptions::handles (commandID) && sendOptions != nullptr)
        sendOptions->fillInfo (commandID, result);

    if (commandID == CommandIDs::virtualControllerPanel)
        result.setActive (virtualControllerCommand.isAvailable());

    if (FollowAndCheckOptions::handles (commandID) && followAndCheck != nullptr)
        followAndCheck->fillInfo (commandID, result);

    if (WindowZoom::handles (commandID) && zoom != nullptr)
        zoom->fillInfo (commandID, result);
}

bool QuenloZKEditorApplication::perform (const InvocationInfo& info)
{
    commandActions.perform (info.commandID);
    return true;
}

CommandActions QuenloZKEditorApplication::createCommandActions()
{
    // The menus show the options as ticks: they look again after a change.
    const auto changeOption = [this] (auto& options, juce::CommandID commandID)
    {
        return [this, &options, commandID]
        {
            if (options != nullptr)
                options->perform (commandID);

            commandManager->commandStatusChanged();
        };
    };

    return {
        { CommandIDs::about, [this] { showAboutWindow(); } },
        { CommandIDs::newWindow, [this] { openNewWindow(); } },
        { CommandIDs::open, [this] { openPresetFile(); } },
        { CommandIDs::deviceSetup, [this] { showDeviceSetupWindow(); } },
        { CommandIDs::closeWindow, [] {} }, // there is no document window to close
        { CommandIDs::minimise,
          [this]
          {
              if (auto* window = windowManager->getActiveWindow())
                  window->setMinimised (true);
          } },
        { CommandIDs::bringAllToFront,
          [this]
          {
              for (auto* window : windowManager->getWindows())
              {
                  window->setMinimised (false);
                  window->toFront (true);
              }
          } },
        { CommandIDs::openUserGuide, [this] { showUserGuide(); } },
        { CommandIDs::quit, [this] { systemRequestedQuit(); } },
        { CommandIDs::verifyAfterSend, changeOption (sendOptions, CommandIDs::verifyAfterSend) },
        { CommandIDs::sendChangesOnly, changeOption (sendOptions, CommandIDs::sendChangesOnly) },
        // For a controller edited out of the editor's sight: every Send writes whole until the slot
        // is read again.
        { CommandIDs::forgetSlotMemory, [this] { midiManager.getSlotMemory().forgetAll(); } },
        { CommandIDs::showSlots, [this] { showSlotsWindow(); } },
        { CommandIDs::slotsWindow, [this] { showSlotsWindow(); } },
        { CommandIDs::midiMonitor, [this] { midiMonitor->show(); } },
        { CommandIDs::virtualControllerPanel, [this] { virtualControllerCommand.showWindow(); } },
        { CommandIDs::followController, changeOption (followAndCheck, CommandIDs::followController) },
        { CommandIDs::checkBeforeSend, changeOption (followAndCheck, CommandIDs::checkBeforeSend) },
        { CommandIDs::zoomIn, changeOption (zoom, CommandIDs::zoomIn) },
        { CommandIDs::zoomOut, changeOption (zoom, CommandIDs::zoomOut) },
        { CommandIDs::actualSize, changeOption (zoom, CommandIDs::actualSize) },
    };
}

//==============================================================================
void QuenloZKEditorApplication::closeDialogs()
{
    delete slotsWindow.get();
    virtualControllerCommand.closeWindow();

    if (midiMonitor != nullptr)
        midiMonitor->close();

    delete aboutWindow.get();
    delete deviceSetupWindow.get();
}

void QuenloZKEditorApplication::closeDocuments()
{
    // The windows show the menu bar model: they go before it does. Following stops before them.
    followAndCheck.reset();
    windowManager.reset();
    mainMenuModel.reset();
}
