#include "engine/MidiDeviceLayerFactory.h"
#include "support/MessageLoop.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>
#include <thread>

using namespace TestRig;

namespace
{
/** Keeps the messages that the manager's listeners hear, and whether one came on the calling thread. */
class PlayedMessages : public MidiManager::MidiManagerListener
{
public:
    void midiMessageReceived (const juce::MidiMessage& message) override
    {
        const juce::ScopedLock sl (lock);
        messages.push_back (message);
        onCallerThread = onCallerThread || std::this_thread::get_id() == callerThread;
    }

    std::vector<juce::MidiMessage> get() const
    {
        const juce::ScopedLock sl (lock);
        return messages;
    }

    bool waitFor (int count) const
    {
        return pumpMessagesUntil ([&] { return (int) get().size() >= count; }, 5000);
    }

    bool heardOnCallerThread() const
    {
        const juce::ScopedLock sl (lock);
        return onCallerThread;
    }

private:
    juce::CriticalSection lock;
    std::vector<juce::MidiMessage> messages;
    bool onCallerThread = false;
    const std::thread::id callerThread = std::this_thread::get_id();
};
} // namespace

//==============================================================================
TEST (VirtualControllerPlay, PlayedMessagesReachTheListenersInOrderOnTheInputThreadAndNotWhileUnplugged)
{
    VirtualRig rig;
    PlayedMessages heard;
    rig.manager.addListener (&heard);

    rig.controller.play (juce::MidiMessage::controllerEvent (3, 74, 64));
    rig.controller.play (juce::MidiMessage::noteOn (10, 38, (juce::uint8) 101));
    ASSERT_TRUE (heard.waitFor (2));

    const auto messages = heard.get();
    ASSERT_EQ (messages.size(), 2u);
    EXPECT_TRUE (messages[0].isControllerOfType (74));
    EXPECT_EQ (messages[0].getChannel(), 3);
    EXPECT_EQ (messages[0].getControllerValue(), 64);
    EXPECT_TRUE (messages[1].isNoteOn());
    EXPECT_EQ (messages[1].getNoteNumber(), 38);
    EXPECT_EQ (messages[1].getChannel(), 10);
    EXPECT_FALSE (heard.heardOnCallerThread());

    // Nothing that is played reaches the editor through the ports of a controller that is gone.
    rig.controller.unplug();
    rig.controller.play (juce::MidiMessage::controllerEvent (1, 20, 5));
    rig.controller.replug();
    pumpMessagesFor (100);
    EXPECT_EQ (heard.get().size(), 2u);

    rig.manager.removeListener (&heard);
}

TEST (VirtualControllerPlay, ASendToSlotFiveMakesSlotFiveActiveAndAGetChangesNothing)
{
    VirtualRig rig;
    auto engine = createEngine (rig.manager);
    const auto ccIndex = PresetLayout::getOffset (Knob, 2) + 1;
    engine->setSendChangesOnly (false);

    EXPECT_EQ (rig.controller.getActiveSlot(), 0);
    rig.controller.setActiveSlot (2);
    rig.controller.setActiveSlot (VirtualController::numberOfSlots); // no such slot: ignored
    EXPECT_EQ (rig.controller.getActiveSlot(), 2);

    // Reading a slot is no choice of it: only writes select a slot. The Get loads slot 8 into the
    // engine when it ends, so the preset to send is loaded only once it is over: a Send started
    // while the end of the Get might already be on its way would send slot 8.
    ASSERT_TRUE (engine->startGet (7));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, 20000));
    EXPECT_GE ((int) rig.controller.getReceivedMessages().size(), VirtualController::imageLength);
    EXPECT_EQ (rig.controller.getActiveSlot(), 2);

    loadPreset (*engine, presetWith ({ { ccIndex, 74 } }));
    ASSERT_GT (engine->startSend (4), 0);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return rig.controller.getSlot (4)[ccIndex] == 74; }, 20000));
    EXPECT_EQ (rig.controller.getActiveSlot(), 4);
}

TEST (VirtualControllerPlay, TheProgramsLayerFindsItsVirtualControllerOnlyWhenAskedForOne)
{
    auto withController = createMidiDeviceLayer ("1");
    auto* controller = findVirtualController (*withController);
    ASSERT_NE (controller, nullptr);
    EXPECT_TRUE (withController->getInputNames().contains (VirtualController::deviceName));

    VirtualController alone;
    EXPECT_EQ (findVirtualController (alone), &alone);

    FakeMidiDeviceLayer fake;
    EXPECT_EQ (findVirtualController (fake), nullptr);
}
