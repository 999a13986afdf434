#include "app/DeviceManagerWindow.h"
#include "support/AppTestHelpers.h"
#include "support/FakeMidiDeviceLayer.h"

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
    EXPECT_EQ (window->getContentComponent()->getHeight(), 425);
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
    EXPECT_EQ (picture.getHeight(), 425);
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
