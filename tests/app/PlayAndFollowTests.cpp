// The controller talks back, on the application's own windows: a knob turned on the virtual
// controller's panel is found in the document window and named in the MIDI monitor.
#include "app/CommandIDs.h"
#include "app/VirtualControllerWindow.h"
#include "engine/MidiDeviceLayerFactory.h"
#include "engine/VirtualController.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

namespace
{
constexpr int waitMs = 5000;

class PlayAndFollowTest : public apptest::ApplicationTest
{
protected:
    void SetUp() override
    {
        const auto previous = juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {});
        ::setenv (virtualControllerVariable, "1", 1);
        startApplication();

        if (previous.isEmpty())
            ::unsetenv (virtualControllerVariable);
        else
            ::setenv (virtualControllerVariable, previous.toRawUTF8(), 1);
    }

    void perform (juce::CommandID command)
    {
        application->perform (juce::ApplicationCommandTarget::InvocationInfo (command));
        TestRig::pump();
    }

    /** Presses Knob 3 of the panel and drags it upwards. */
    static void turn (juce::Component& knob)
    {
        const auto now = juce::Time::getCurrentTime();
        const auto from = knob.getLocalBounds().getCentre().toFloat();
        auto event = [&] (juce::Point<float> position)
        {
            return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position,
                                     juce::ModifierKeys::leftButtonModifier, juce::MouseInputSource::defaultPressure,
                                     juce::MouseInputSource::defaultOrientation,
                                     juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                                     juce::MouseInputSource::defaultTiltY, &knob, &knob, now, from, now, 1, false);
        };

        knob.mouseDown (event (from));
        knob.mouseDrag (event (from.translated (0, -60)));
        knob.mouseUp (event (from.translated (0, -60)));
    }
};
} // namespace

TEST_F (PlayAndFollowTest, AKnobTurnedOnThePanelFlashesKnobThreeAndIsNamedInTheMonitor)
{
    auto& manager = application->getMidiManager();
    manager.setInputDevice (VirtualController::deviceName);
    manager.setOutputDevice (VirtualController::deviceName);

    // The controller's active slot holds the window's preset: knob 3 sends what the window shows.
    auto* document = windowManager().getWindows()[0];
    VirtualController* controller = nullptr;
    manager.withDeviceLayer ([&] (MidiDeviceLayer& layer) { controller = findVirtualController (layer); });
    ASSERT_NE (controller, nullptr);
    controller->setSlot (controller->getActiveSlot(), document->getEngine()->getPresetImage());
    document->toFront (true);

    perform (CommandIDs::midiMonitor);
    perform (CommandIDs::virtualControllerPanel);
    auto* panelWindow = application->getVirtualControllerCommand().getWindow();
    auto* monitor = application->getMidiMonitorWindow();
    ASSERT_NE (panelWindow, nullptr);
    ASSERT_NE (monitor, nullptr);

    juce::Component* knob = nullptr;

    for (auto* child : panelWindow->getPanel().getChildren())
        if (child->getName() == "Knob 3")
            knob = child;

    ASSERT_NE (knob, nullptr);
    turn (*knob);

    auto* editor = document->getEditorComponent();
    EXPECT_TRUE (pumpMessagesUntil ([&] { return editor->isFlashing (ControlType::Knob, 2); }, waitMs));
    EXPECT_FALSE (editor->isFlashing (ControlType::Knob, 3));
    EXPECT_TRUE (
        pumpMessagesUntil ([&] { return monitor->getMonitor().getShownText().contains ("Knob 3: CC 22"); }, waitMs))
        << monitor->getMonitor().getShownText();
}
