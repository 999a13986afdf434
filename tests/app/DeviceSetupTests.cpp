#include "app/DeviceManagerWindow.h"
#include "engine/CompositeMidiDeviceLayer.h"
#include "engine/VirtualController.h"
#include "support/AppTestHelpers.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"

using apptest::ApplicationTest;
using apptest::countWindows;
using apptest::pump;

namespace
{
class DeviceSetupTest : public ::testing::Test
{
protected:
    DeviceSetupTest()
    {
        layer.setInputNames ({ "In A", "In B", "In C" });
        layer.setOutputNames ({ "Out A", "Out B" });
    }

    void TearDown() override
    {
        delete window.get();
        pump();
    }

    DeviceManagerWindow& open()
    {
        window = new DeviceManagerWindow ("ZK61 Editor Device Manager", &manager); // deletes itself
        return *window;
    }

    DeviceManagerComponent& content() { return window->getDeviceManagerComponent(); }

    FakeMidiDeviceLayer layer;
    MidiManager manager{ layer };
    juce::WeakReference<DeviceManagerWindow> window;
};
} // namespace

//==============================================================================
TEST_F (DeviceSetupTest, ListsTheDevicesAndPreselectsThoseInUse)
{
    manager.setInputDevice ("In B");
    manager.setOutputDevice ("Out A");
    open();

    EXPECT_EQ (window->getName(), juce::String ("ZK61 Editor Device Manager"));
    EXPECT_EQ (window->getContentComponent()->getWidth(), 360);
    EXPECT_EQ (window->getContentComponent()->getHeight(), 465); // the artwork and the Find Controller row
    EXPECT_FALSE (window->isResizable());

    auto& inputs = content().getInputList();
    auto& outputs = content().getOutputList();
    EXPECT_EQ (inputs.getName(), juce::String ("Input Devices"));
    EXPECT_EQ (outputs.getName(), juce::String ("Output Devices"));
    ASSERT_NE (inputs.getModel(), nullptr);
    EXPECT_EQ (inputs.getModel()->getNumRows(), 3);
    EXPECT_EQ (outputs.getModel()->getNumRows(), 2);

    EXPECT_EQ (inputs.getSelectedRow(), 1);
    EXPECT_EQ (inputs.getNumSelectedRows(), 1);
    EXPECT_EQ (outputs.getSelectedRow(), 0);
    EXPECT_EQ (content().getSelectedInputName(), juce::String ("In B"));
    EXPECT_EQ (content().getSelectedOutputName(), juce::String ("Out A"));
}

TEST_F (DeviceSetupTest, NoDeviceInUseSelectsNoRow)
{
    open();
    EXPECT_EQ (content().getInputList().getNumSelectedRows(), 0);
    EXPECT_EQ (content().getOutputList().getNumSelectedRows(), 0);
    EXPECT_TRUE (content().getSelectedInputName().isEmpty());

    // OK with nothing selected changes nothing and closes the window.
    window->buttonClicked (&content().getOkButton());
    EXPECT_EQ (window.get(), nullptr);
    EXPECT_TRUE (manager.getInputDeviceName().isEmpty());
    EXPECT_TRUE (manager.getOutputDeviceName().isEmpty());
}

TEST_F (DeviceSetupTest, SelectionAloneChangesNothingAndCancelLeavesTheManagerAlone)
{
    manager.setInputDevice ("In A");
    open();

    content().getInputList().selectRow (2);
    content().getOutputList().selectRow (1);
    pump();
    EXPECT_EQ (manager.getInputDeviceName(), juce::String ("In A"));
    EXPECT_TRUE (manager.getOutputDeviceName().isEmpty());

    window->buttonClicked (&content().getCancelButton());
    EXPECT_EQ (window.get(), nullptr);
    EXPECT_EQ (manager.getInputDeviceName(), juce::String ("In A"));
    EXPECT_TRUE (manager.getOutputDeviceName().isEmpty());
}

TEST_F (DeviceSetupTest, ApplyHandsTheChoiceOverAndKeepsTheWindow)
{
    manager.setOutputDevice ("Out B");
    open();

    // Only an input chosen: the output stays as it was.
    content().getOutputList().deselectAllRows();
    content().getInputList().selectRow (2);
    window->buttonClicked (&content().getApplyButton());
    ASSERT_NE (window.get(), nullptr);
    EXPECT_EQ (manager.getInputDeviceName(), juce::String ("In C"));
    EXPECT_EQ (manager.getOutputDeviceName(), juce::String ("Out B"));
    EXPECT_TRUE (manager.isInputOpen());

    content().getOutputList().selectRow (0);
    window->buttonClicked (&content().getOkButton());
    EXPECT_EQ (window.get(), nullptr);
    EXPECT_EQ (manager.getOutputDeviceName(), juce::String ("Out A"));
}

TEST_F (DeviceSetupTest, ButtonsAndListsSitInTheirPlaces)
{
    open();
    EXPECT_EQ (content().getInputList().getBounds(), juce::Rectangle<int> (15, 69, 327, 123));
    EXPECT_EQ (content().getOutputList().getBounds(), juce::Rectangle<int> (15, 240, 327, 123));
    EXPECT_EQ (content().getOkButton().getBounds(), juce::Rectangle<int> (16, 381, 72, 32));
    EXPECT_EQ (content().getCancelButton().getBounds(), juce::Rectangle<int> (120, 381, 88, 30));
    EXPECT_EQ (content().getApplyButton().getBounds(), juce::Rectangle<int> (248, 381, 88, 30));
    EXPECT_EQ (content().getOkButton().getName(), juce::String ("OK"));
    EXPECT_EQ (content().getApplyButton().getName(), juce::String ("Apply"));
    EXPECT_EQ (content().getCancelButton().getName(), juce::String ("Cancel"));

    // The captions show whole: the boxes are wide enough for the words at their font.
    const juce::Font captionFont (15.0f);
    EXPECT_LE (captionFont.getStringWidth ("INPUT"), 49);
    EXPECT_LE (captionFont.getStringWidth ("OUTPUT"), 65);

    const auto picture = content().createComponentSnapshot (content().getLocalBounds());
    EXPECT_EQ (picture.getWidth(), 360);
    EXPECT_EQ (picture.getHeight(), 465);
}

TEST_F (ApplicationTest, DeviceSetupCommandOpensOneWindowTitledForTheModel)
{
    juce::ApplicationCommandTarget::InvocationInfo info (0x200310);
    EXPECT_TRUE (application->perform (info));
    auto* setup = application->getDeviceSetupWindow();
    ASSERT_NE (setup, nullptr);
    EXPECT_EQ (setup->getName(), juce::String ("ZK61 Editor Device Manager"));

    EXPECT_TRUE (application->perform (info));
    EXPECT_EQ (application->getDeviceSetupWindow(), setup);
    EXPECT_EQ (countWindows<DeviceManagerWindow>(), 1);

    setup->buttonClicked (&setup->getDeviceManagerComponent().getCancelButton());
    EXPECT_EQ (application->getDeviceSetupWindow(), nullptr);
}

//==============================================================================
namespace
{
/** A system without any MIDI service: no devices, and it says so. */
class NoMidiServiceLayer : public FakeMidiDeviceLayer
{
public:
    bool isMidiServiceAvailable() override { return false; }
};

/** The application, and beside it a manager on fake devices that outlives its windows. */
class ConnectionStatusTest : public ApplicationTest
{
protected:
    ConnectionStatusTest()
    {
        devices.setInputNames ({ "Controller In" });
        devices.setOutputNames ({ "Controller Out" });
    }

    FakeMidiDeviceLayer devices;
    MidiManager manager{ devices };
};
} // namespace

TEST_F (DeviceSetupTest, AppliedDevicesAreRememberedAndReopenedAtTheNextStartAndOnPlugging)
{
    apptest::ScratchFolder scratch;
    const auto file = scratch.getFolder ("config").getChildFile ("zkm-editor/settings.xml");

    {
        DeviceSettings settings (file);
        window = new DeviceManagerWindow ("ZK61 Editor Device Manager", &manager, &settings); // deletes itself
        content().getInputList().selectRow (1);
        content().getOutputList().selectRow (0);
        window->buttonClicked (&content().getOkButton());
    }

    ASSERT_TRUE (file.existsAsFile());

    // The next start: the input is there, the output is plugged in later.
    FakeMidiDeviceLayer nextLayer;
    nextLayer.setInputNames ({ "In B" });
    MidiManager nextManager (nextLayer);

    DeviceSettings remembered (file);
    EXPECT_EQ (remembered.getInputName(), juce::String ("In B"));
    EXPECT_EQ (remembered.getOutputName(), juce::String ("Out A"));
    nextManager.restoreDevices (remembered.getInputName(), remembered.getOutputName());
    EXPECT_TRUE (nextManager.isInputOpen());
    EXPECT_FALSE (nextManager.isOutputOpen());

    nextLayer.setOutputNames ({ "Out Z", "Out A" });
    nextManager.timerCallback(); // the device check
    EXPECT_TRUE (nextManager.isOutputOpen());
    EXPECT_EQ (nextLayer.getOpenedOutputIndexes(), juce::Array<int> ({ 1 }));
    EXPECT_EQ (nextManager.getOutputDeviceName(), juce::String ("Out A"));
}

TEST (DeviceSettings, ADamagedFileIsPassedOverAndKeptAndAnUnwritableOneStopsNothing)
{
    apptest::ScratchFolder scratch;
    const auto damaged = scratch.getFile ("settings.xml");
    ASSERT_TRUE (damaged.replaceWithText ("<PROPERTIES><VALUE name=\"midiInput\" val"));

    DeviceSettings settings (damaged);
    EXPECT_TRUE (settings.getInputName().isEmpty());
    EXPECT_TRUE (settings.getOutputName().isEmpty());

    // A new choice is written, and the damaged file is kept beside it.
    EXPECT_TRUE (settings.setDeviceNames ("In A", "Out A"));
    EXPECT_EQ (DeviceSettings (damaged).getOutputName(), juce::String ("Out A"));
    EXPECT_EQ (scratch.getFile ("settings.xml.damaged").loadFileAsString(),
               juce::String ("<PROPERTIES><VALUE name=\"midiInput\" val"));

    // A folder that cannot be made (its parent is a file): reading finds nothing, writing fails.
    const auto blocker = scratch.getFile ("not a folder");
    ASSERT_TRUE (blocker.replaceWithText ("x"));
    DeviceSettings unwritable (blocker.getChildFile ("zkm-editor/settings.xml"));
    EXPECT_TRUE (unwritable.getInputName().isEmpty());
    EXPECT_FALSE (unwritable.setDeviceNames ("In A", "Out A"));
    EXPECT_EQ (unwritable.getInputName(), juce::String ("In A")); // still used for this run
}

TEST_F (DeviceSetupTest, FindControllerSelectsTheAnsweringPairOrSaysNoneAnswered)
{
    // The fake's ports never answer; the virtual controller sits after them.
    VirtualController controller;
    controller.unplug();
    CompositeMidiDeviceLayer devices;
    devices.addLayer (layer);
    devices.addLayer (controller);
    MidiManager managerOfAll (devices);

    window = new DeviceManagerWindow ("ZK61 Editor Device Manager", &managerOfAll, nullptr, TestRig::deviceId,
                                      100); // deletes itself
    content().getInputList().selectRow (0);

    window->buttonClicked (&content().getFindButton());
    EXPECT_TRUE (window->isFindingController());
    EXPECT_EQ (content().getFinderStatus(), DeviceManagerWindow::searchingText);
    EXPECT_FALSE (content().getFindButton().isEnabled());

    ASSERT_TRUE (pumpMessagesUntil ([this] { return ! window->isFindingController(); }, 5000));
    EXPECT_EQ (content().getFinderStatus(), juce::String ("No controller answered"));
    EXPECT_EQ (content().getSelectedInputName(), juce::String ("In A")); // the selection is left alone
    EXPECT_TRUE (content().getFindButton().isEnabled());

    // Plugged in while the dialog is open: it is found, listed and selected, but not yet applied.
    controller.replug();
    window->buttonClicked (&content().getFindButton());
    ASSERT_TRUE (pumpMessagesUntil ([this] { return ! window->isFindingController(); }, 5000));
    EXPECT_EQ (content().getFinderStatus(), DeviceManagerWindow::foundText + VirtualController::deviceName);
    EXPECT_EQ (content().getSelectedInputName(), VirtualController::deviceName);
    EXPECT_EQ (content().getSelectedOutputName(), VirtualController::deviceName);
    EXPECT_FALSE (managerOfAll.isOutputOpen());

    window->buttonClicked (&content().getOkButton());
    EXPECT_EQ (managerOfAll.getOutputDeviceName(), VirtualController::deviceName);
    EXPECT_TRUE (managerOfAll.isInputOpen() && managerOfAll.isOutputOpen());
}

TEST (DeviceSetup, ListsSayWhenTheSystemHasNoMidiService)
{
    NoMidiServiceLayer noService;
    MidiManager manager (noService);
    juce::WeakReference<DeviceManagerWindow> window (new DeviceManagerWindow ("ZK61 Editor Device Manager", &manager));
    EXPECT_EQ (window->getDeviceManagerComponent().getEmptyListText(),
               juce::String ("No MIDI system found: is ALSA's sequencer loaded?"));
    delete window.get();

    FakeMidiDeviceLayer noDevices; // a MIDI service, only without devices
    MidiManager managerWithService (noDevices);
    window = new DeviceManagerWindow ("ZK61 Editor Device Manager", &managerWithService);
    EXPECT_TRUE (window->getDeviceManagerComponent().getEmptyListText().isEmpty());
    delete window.get();
    pump();
}

TEST_F (ConnectionStatusTest, FollowsThePortsAndOffersDeviceSetup)
{
    auto engine = makeQuickEngine (manager);
    auto& document = openDocumentOn (engine);

    int setupRequests = 0;
    document.showConnectionStatus (manager, [&setupRequests] { ++setupRequests; });
    auto* status = document.getControllerDialogs().getConnectionStatus();
    ASSERT_NE (status, nullptr);
    EXPECT_TRUE (status->isShowing());
    EXPECT_EQ (status->getText(), juce::String ("No controller chosen - Device Setup..."));

    status->mouseUp (apptest::makeMouseUp (*status));
    EXPECT_EQ (setupRequests, 1);

    // A Get without ports: the notice offers Device Setup.
    engine->getPreset (0);
    pump();
    juce::Button* setupButton = nullptr;
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* alert = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
            if (alert->getName() == "MIDI Error")
                for (auto* child : alert->getChildren())
                    if (auto* button = dynamic_cast<juce::Button*> (child))
                        if (button->getButtonText() == "Device Setup...")
                            setupButton = button;

    ASSERT_NE (setupButton, nullptr);
    setupButton->triggerClick();
    pump();
    EXPECT_EQ (setupRequests, 2);
    EXPECT_EQ (apptest::countAlerts ("MIDI Error"), 0);

    manager.setInputDevice ("Controller In");
    manager.setOutputDevice ("Controller Out");
    pumpMessagesUntil ([status] { return status->isConnected(); }, 2000);
    EXPECT_EQ (status->getText(), juce::String ("Controller: Controller Out"));
    status->mouseUp (apptest::makeMouseUp (*status));
    EXPECT_EQ (setupRequests, 2);

    devices.setOutputNames ({});
    manager.timerCallback(); // the device check finds the output gone
    pumpMessagesUntil ([status] { return ! status->isConnected(); }, 2000);
    EXPECT_EQ (status->getText(), juce::String ("No controller chosen - Device Setup..."));
}
