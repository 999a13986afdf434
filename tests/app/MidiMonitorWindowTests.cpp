#include "app/CommandIDs.h"
#include "app/MidiMonitorWindow.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"

using apptest::FakeDeviceTest;
using namespace TestRig;

namespace
{
constexpr int waitMs = 10000;

juce::MidiMessage numbered (int number)
{
    return juce::MidiMessage::controllerEvent (1 + number / (128 * 128), (number / 128) % 128, number % 128);
}

juce::String bytesOf (const juce::MidiMessage& message)
{
    return juce::String::toHexString (message.getRawData(), message.getRawDataSize()).toUpperCase();
}

/** A child of the monitor by its name (a button's name is its text), clicked as the user would. */
void click (MidiMonitorComponent& monitor, const juce::String& name)
{
    for (auto* child : monitor.getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child); button != nullptr && button->getName() == name)
        {
            button->triggerClick();
            apptest::pump();
            return;
        }

    FAIL() << "no button " << name;
}
} // namespace

//==============================================================================
TEST_F (FakeDeviceTest, MidiMonitorCommandOpensOneWindowThatDescribesByTheFrontPreset)
{
    const auto listenersBefore = application->getMidiManager().getNumListeners();
    juce::ApplicationCommandTarget::InvocationInfo info (CommandIDs::midiMonitor);
    ASSERT_TRUE (application->perform (info));
    auto* monitorWindow = application->getMidiMonitorWindow();
    ASSERT_NE (monitorWindow, nullptr);
    EXPECT_EQ (monitorWindow->getName(), juce::String ("MIDI Monitor"));
    EXPECT_TRUE (monitorWindow->isVisible());
    EXPECT_EQ (application->getMidiManager().getNumListeners(), listenersBefore + 1);

    // Asked again, the same window comes to the front.
    ASSERT_TRUE (application->perform (info));
    EXPECT_EQ (application->getMidiMonitorWindow(), monitorWindow);
    EXPECT_EQ (apptest::countWindows<MidiMonitorWindow>(), 1);

    // What the first knob sends in the front document's preset is told as that knob's.
    auto& monitor = monitorWindow->getMonitor();
    const PresetMessages preset (window (0).getEngine()->getPresetImage());
    const auto knob = preset.play ({ Knob, 0 }, { PresetMessages::Gesture::Kind::turn, 64 });
    ASSERT_FALSE (knob.empty());
    monitor.getLog().append (MidiMonitorLog::Direction::in, knob.front());
    monitor.refresh();
    ASSERT_EQ (monitor.getNumShownRows(), 1);
    EXPECT_EQ (monitor.getRowTexts (0)[3], preset.describe (knob.front()));
    EXPECT_TRUE (monitor.getRowTexts (0)[3].startsWith ("Knob 1")) << monitor.getRowTexts (0)[3];

    // Closing it stops the recording.
    monitorWindow->closeButtonPressed();
    EXPECT_EQ (application->getMidiMonitorWindow(), nullptr);
    EXPECT_EQ (application->getMidiManager().getNumListeners(), listenersBefore);
}

TEST_F (FakeDeviceTest, MessagesOfTheInputThreadAndTheOutputShowInOrderAndTheListFollowsTheNewest)
{
    auto monitorWindow = std::make_unique<MidiMonitorWindow> (manager);
    auto& monitor = monitorWindow->getMonitor();

    std::vector<juce::MidiMessage> incoming;

    for (int i = 0; i < 300; ++i)
        incoming.push_back (numbered (i));

    layer.deliverFromOtherThread (incoming);
    ASSERT_TRUE (manager.sendMessage (numbered (300)));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return monitor.getNumShownRows() == 301; }, waitMs));

    for (int i = 0; i < 301; ++i)
    {
        const auto texts = monitor.getRowTexts (i);
        ASSERT_EQ (texts[2], bytesOf (numbered (i))) << "row " << i;
        EXPECT_EQ (texts[1], i < 300 ? "In" : "Out");
    }

    apptest::pump();
    EXPECT_TRUE (monitor.isScrolledToBottom());

    // A Get's conversation is one line that opens to its messages; Hide SysEx leaves it out.
    for (int index = 0; index < 3; ++index)
    {
        ASSERT_TRUE (manager.sendMessage (ZKSysEx::createParameterRequest (deviceId, 2, index)));
        layer.deliver (createReply (index, (juce::uint8) (10 + index)));
    }

    ASSERT_TRUE (pumpMessagesUntil ([&] { return monitor.getNumShownRows() == 302; }, waitMs));
    EXPECT_TRUE (monitor.getRowTexts (301)[3].startsWith ("Get slot 3: 3 requests, 3 replies, "));
    EXPECT_TRUE (monitor.isScrolledToBottom());
    ASSERT_TRUE (monitor.toggleJob (301));
    ASSERT_EQ (monitor.getNumShownRows(), 308);
    EXPECT_EQ (monitor.getRowTexts (307)[3], "Reply byte 2 = 12");
    monitor.setSysExHidden (true);
    EXPECT_EQ (monitor.getNumShownRows(), 301);
    monitor.setSysExHidden (false);

    // Scrolled up, the list stays where the user put it while lines come in.
    monitor.getList().getViewport()->setViewPosition (0, 0);
    layer.deliverFromOtherThread ({ numbered (1000), numbered (1001) });
    ASSERT_TRUE (pumpMessagesUntil ([&] { return monitor.getNumShownRows() == 310; }, waitMs));
    EXPECT_EQ (monitor.getList().getViewport()->getViewPositionY(), 0);
    EXPECT_FALSE (monitor.isScrolledToBottom());
}

TEST_F (FakeDeviceTest, PauseHoldsTheMonitorStillWhileItRecordsAndClearEmptiesIt)
{
    auto monitorWindow = std::make_unique<MidiMonitorWindow> (manager);
    auto& monitor = monitorWindow->getMonitor();

    layer.deliverFromOtherThread ({ numbered (0), numbered (1), numbered (2) });
    ASSERT_TRUE (pumpMessagesUntil ([&] { return monitor.getNumShownRows() == 3; }, waitMs));
    const auto shownBefore = monitor.getShownText();
    EXPECT_EQ (juce::StringArray::fromLines (shownBefore).size(), 3);
    EXPECT_TRUE (shownBefore.contains (bytesOf (numbered (2))));

    click (monitor, "Pause");
    EXPECT_TRUE (monitor.isPaused());
    layer.deliverFromOtherThread ({ numbered (3), numbered (4) });
    ASSERT_TRUE (pumpMessagesUntil ([&] { return monitor.getLog().getNumMessagesHeld() == 5; }, waitMs));
    apptest::pump();
    EXPECT_EQ (monitor.getNumShownRows(), 3);
    EXPECT_EQ (monitor.getShownText(), shownBefore);

    // Resumed, the list shows what came meanwhile.
    click (monitor, "Pause");
    EXPECT_FALSE (monitor.isPaused());
    EXPECT_EQ (monitor.getNumShownRows(), 5);
    EXPECT_EQ (monitor.getRowTexts (4)[2], bytesOf (numbered (4)));

    click (monitor, "Clear");
    EXPECT_EQ (monitor.getNumShownRows(), 0);
    EXPECT_EQ (monitor.getLog().getNumMessagesHeld(), 0);
    EXPECT_TRUE (monitor.getShownText().isEmpty());

    layer.deliverFromOtherThread ({ numbered (5) });
    ASSERT_TRUE (pumpMessagesUntil ([&] { return monitor.getNumShownRows() == 1; }, waitMs));
    EXPECT_EQ (monitor.getRowTexts (0)[2], bytesOf (numbered (5)));
}

TEST_F (FakeDeviceTest, RowsOfLinesThatLeftAFullLogShowNothingUntilTheListIsRebuilt)
{
    auto monitorWindow = std::make_unique<MidiMonitorWindow> (manager);
    auto& monitor = monitorWindow->getMonitor();
    const auto capacity = monitor.getLog().getCapacity();
    std::vector<juce::MidiMessage> messages;

    for (int i = 0; i < capacity; ++i)
        messages.push_back (numbered (i));

    layer.deliverFromOtherThread (messages);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return monitor.getNumShownRows() == capacity; }, waitMs));
    const auto newest = monitor.getRowTexts (capacity - 1);

    // Three more lines push the three oldest out of the log before the list's rows are rebuilt,
    // as happens between two of its refreshes (a repaint may come in between).
    layer.deliverFromOtherThread ({ numbered (capacity), numbered (capacity + 1), numbered (capacity + 2) });
    // Taken in without running the message loop, so that the list's refresh cannot come first.
    const auto newestIn = [&]
    {
        monitor.getLog().drainNow();
        const auto& lines = monitor.getLog().getLines();
        return ! lines.empty() && bytesOf (lines.back().entry.message) == bytesOf (numbered (capacity + 2));
    };

    for (const auto giveUp = juce::Time::getMillisecondCounter() + (juce::uint32) waitMs;
         ! newestIn() && juce::Time::getMillisecondCounter() < giveUp;)
        juce::Thread::sleep (5);

    ASSERT_TRUE (newestIn());
    ASSERT_EQ (monitor.getNumShownRows(), capacity) << "not rebuilt yet";

    EXPECT_EQ (monitor.getRowTexts (0).joinIntoString (""), "") << "its line left the log";
    EXPECT_EQ (monitor.getRowTexts (capacity - 1), newest) << "a row still shows its own line";

    ASSERT_TRUE (pumpMessagesUntil (
        [&] { return monitor.getRowTexts (capacity - 1)[2] == bytesOf (numbered (capacity + 2)); }, waitMs));
    EXPECT_EQ (monitor.getNumShownRows(), capacity);
}
