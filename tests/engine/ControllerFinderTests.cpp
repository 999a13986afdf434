#include "engine/CompositeMidiDeviceLayer.h"
#include "engine/ControllerFinder.h"
#include "engine/VirtualController.h"
#include "engine/ZKSysEx.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>
#include <optional>

namespace
{
constexpr int shortTimeoutMs = 150;
constexpr int waitForResultMs = 30000;

/** A device that answers every message with what only looks like the controller's answer: SysEx
    that is not a reply, a reply one byte short, and a well-formed reply for an index that was
    never asked for. */
void answerWithGarbage (FakeMidiDeviceLayer& device)
{
    device.onMessageSent = [&device] (const juce::MidiMessage&)
    {
        const juce::uint8 notAReply[] = { 0xF0, 0, 0x7E, 0x51, 0, 0x40, 0x65, 0, 3, 0, 0, 1, 0xF7 };
        const juce::uint8 tooShort[] = { 0xF0, 0, 0x7E, 0x51, 0, 0x40, 0x66, 0, 3, 0, 1, 0xF7 };
        device.deliver (juce::MidiMessage (notAReply, (int) sizeof (notAReply)));
        device.deliver (juce::MidiMessage (tooShort, (int) sizeof (tooShort)));
        device.deliver (ZKSysEx::createParameterReply (0x40, 400, 7));
    };
}

std::optional<ControllerFinder::Result> findOn (MidiDeviceLayer& layer, int timeoutMs)
{
    MidiManager manager (layer);
    ControllerFinder finder (manager, 0x40, timeoutMs);
    std::optional<ControllerFinder::Result> result;

    EXPECT_TRUE (finder.start ([&result] (const ControllerFinder::Result& r) { result = r; }));
    EXPECT_TRUE (finder.isProbing());
    EXPECT_FALSE (finder.start ([] (const ControllerFinder::Result&) {})); // one probe at a time

    pumpMessagesUntil ([&result] { return result.has_value(); }, waitForResultMs);
    EXPECT_FALSE (finder.isProbing());
    return result;
}
} // namespace

//==============================================================================
TEST (ControllerFinder, PicksThePairThroughWhichTheControllerAnswers)
{
    FakeMidiDeviceLayer silent; // takes everything, answers nothing
    silent.setInputNames ({ "Silent In" });
    silent.setOutputNames ({ "Silent Out 1", "Silent Out 2" });

    FakeMidiDeviceLayer garbage;
    garbage.setInputNames ({ "Garbage In" });
    garbage.setOutputNames ({ "Garbage Out" });
    answerWithGarbage (garbage);

    VirtualController controller;

    CompositeMidiDeviceLayer layer;
    layer.addLayer (silent);
    layer.addLayer (controller);
    layer.addLayer (garbage);

    const auto result = findOn (layer, 2000);
    ASSERT_TRUE (result.has_value());
    EXPECT_TRUE (result->isFound());
    EXPECT_EQ (result->inputName, VirtualController::deviceName);
    EXPECT_EQ (result->outputName, VirtualController::deviceName);

    // One parameter request per output, and the ports of the probe are closed again.
    EXPECT_EQ (silent.getNumSentMessages(), 2);
    EXPECT_EQ (garbage.getNumSentMessages(), 1);
    EXPECT_EQ (silent.getNumLiveOutputs() + garbage.getNumLiveOutputs(), 0);
    EXPECT_EQ (silent.getNumLiveInputs() + garbage.getNumLiveInputs(), 0);
}

TEST (ControllerFinder, SaysSoWhenNoControllerAnswers)
{
    FakeMidiDeviceLayer silent;
    silent.setInputNames ({ "Silent In" });
    silent.setOutputNames ({ "Silent Out" });

    FakeMidiDeviceLayer garbage;
    garbage.setInputNames ({ "Garbage In" });
    garbage.setOutputNames ({ "Garbage Out" });
    answerWithGarbage (garbage);

    VirtualController controller;
    controller.unplug();

    CompositeMidiDeviceLayer layer;
    layer.addLayer (silent);
    layer.addLayer (garbage);
    layer.addLayer (controller);

    const auto result = findOn (layer, shortTimeoutMs);
    ASSERT_TRUE (result.has_value());
    EXPECT_FALSE (result->isFound());
    EXPECT_TRUE (result->inputName.isEmpty());
    EXPECT_EQ (garbage.getNumSentMessages(), 1);
}

TEST (ControllerFinder, ACancelledProbeReportsNothing)
{
    FakeMidiDeviceLayer silent;
    silent.setInputNames ({ "Silent In" });
    silent.setOutputNames ({ "Silent Out" });

    bool reported = false;

    {
        MidiManager manager (silent);
        ControllerFinder finder (manager, 0x40, 10000);
        finder.start ([&reported] (const ControllerFinder::Result&) { reported = true; });
        pumpMessagesFor (20);
    } // the window that owns it closes long before the time is up

    pumpMessagesFor (50);
    EXPECT_FALSE (reported);
    EXPECT_EQ (silent.getNumLiveInputs(), 0);
}

// The probe ran beside a Get: the Get stored the probe's reply as a byte of its slot, and the
// finder took a reply of the Get for an answer and named an output that had not answered.
TEST (ControllerFinder, WaitsForTheGetUnderWayAndTakesNoneOfItsReplies)
{
    FakeMidiDeviceLayer silent;
    silent.setInputNames ({ "Silent In" });
    silent.setOutputNames ({ "Silent Out 1", "Silent Out 2" });

    VirtualController controller;
    controller.setSlot (3, TestRig::createPatternImage (3));
    ASSERT_NE (controller.getSlot (3)[2], controller.getSlot (0)[2]); // the controller is asked for index 2

    CompositeMidiDeviceLayer layer;
    layer.addLayer (silent);
    layer.addLayer (controller);

    MidiManager manager (layer);
    manager.setInputDevice (VirtualController::deviceName);
    manager.setOutputDevice (VirtualController::deviceName);
    auto pacing = TestRig::fastPacing (TestRig::patientReplyTimeoutMs);
    pacing.requestGapMs = 1;
    auto engine = TestRig::createEngine (manager, pacing);

    ASSERT_TRUE (engine->startGet (3));
    ControllerFinder finder (manager, 0x40, 2000);
    std::optional<ControllerFinder::Result> result;
    ASSERT_TRUE (finder.start ([&result] (const ControllerFinder::Result& r) { result = r; }));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return result.has_value() && ! engine->isTransferInProgress(); }, 30000));

    EXPECT_EQ (result->outputName, VirtualController::deviceName);
    EXPECT_EQ (result->inputName, VirtualController::deviceName);
    EXPECT_EQ (TestRig::getImage (*engine), controller.getSlot (3));
}
