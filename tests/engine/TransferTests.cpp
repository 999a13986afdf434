// Transfers off the message thread: one conversation per MIDI manager, in the order they were asked
// for, with cancel, and with no reply ever taken by the wrong Get.
#include "support/MessageLoop.h"
#include "support/RecordingEngineListener.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
using Stage = ZKEditorEngine::TransferStatus::Stage;
using Kind = ZKEditorEngine::TransferStatus::Kind;

constexpr int transferWaitMs = 30000;

/** Remembers how the transfers of an engine ended. */
struct EndRecorder : public ZKEditorEngine::Listener
{
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override { ended.push_back (status); }
    void midiCommunicationFailed (const juce::String&) override { ++failures; }

    std::vector<ZKEditorEngine::TransferStatus> ended;
    int failures = 0;
};

bool waitUntilIdle (ZKEditorEngine& engine)
{
    return pumpMessagesUntil ([&] { return ! engine.isTransferInProgress(); }, transferWaitMs);
}

int getCommand (const juce::MidiMessage& message) { return message.getRawData()[ZKSysEx::commandPosition]; }

/** A controller lost from the system: names gone and its open ports dead. */
void pullTheCable (FakeMidiDeviceLayer& layer)
{
    layer.setInputNames ({});
    layer.setOutputNames ({});
    layer.killOpenPorts();
}
} // namespace

//==============================================================================
// A Get whose first attempt timed out completed from that attempt's late replies and handed over
// at once, while the replies to its second attempt were still coming: the next window's Get took
// them for its own and loaded the first window's slot.
TEST (TransferQueue, GetsOfTwoWindowsWithRepliesSlowerThanTheTimeoutEachLoadTheirOwnSlot)
{
    VirtualRig rig;
    rig.controller.setSlot (3, createPatternImage (3));
    rig.controller.setSlot (4, createPatternImage (4));
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 450;
    rig.controller.setFaults (faults);

    auto first = createEngine (rig.manager, fastPacing (300, 4));
    auto second = createEngine (rig.manager, fastPacing (300, 4));
    RecordingEngineListener firstListener, secondListener;
    first->addListener (&firstListener);
    second->addListener (&secondListener);

    first->getPreset (3);
    second->getPreset (4);

    ASSERT_TRUE (
        pumpMessagesUntil ([&] { return ! first->isGetInProgress() && ! second->isGetInProgress(); }, transferWaitMs));
    EXPECT_EQ (getImage (*first), createPatternImage (3));
    EXPECT_EQ (getImage (*second), createPatternImage (4));
    EXPECT_EQ (firstListener.getNumFailures() + secondListener.getNumFailures(), 0);
}

TEST (TransferQueue, AGetAfterACancelledOneWaitsForTheRepliesTheCancelledOneAskedFor)
{
    VirtualRig rig;
    rig.controller.setSlot (3, createPatternImage (3));
    rig.controller.setSlot (4, createPatternImage (4));
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 150;
    rig.controller.setFaults (faults);

    auto first = createEngine (rig.manager);
    auto second = createEngine (rig.manager);
    EndRecorder secondEnds;
    second->addListener (&secondEnds);

    first->getPreset (3); // returns with its requests out and its replies on their way
    second->getPreset (4);
    first->cancelTransfer();

    ASSERT_TRUE (waitUntilIdle (*second));
    EXPECT_EQ (getImage (*second), createPatternImage (4));
    EXPECT_EQ (getImage (*first), getImageOfDump (defaultPresetDump()));
    EXPECT_EQ (secondEnds.failures, 0);
}

//==============================================================================
// A Send that noticed its device gone left the dead port open: when the device came back before the
// next device check, the check kept the dead port and every later Send reported success in vain.
TEST (TransferQueue, ASendThatFindsTheDeviceGoneClosesThePortsSoTheDeviceCheckReopensThem)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    rig.layer.onMessageSent = [&] (const juce::MidiMessage&)
    {
        if (rig.layer.getNumSentMessages() == 100)
            pullTheCable (rig.layer);
    };

    EXPECT_FALSE (engine->sendPreset (2));
    EXPECT_EQ (listener.getNumFailures(), 1);
    rig.layer.onMessageSent = nullptr;

    // Back before the device check runs.
    rig.layer.setInputNames ({ fakeInputName });
    rig.layer.setOutputNames ({ fakeOutputName });
    rig.manager.timerCallback();
    rig.layer.clearSentMessages();

    EXPECT_TRUE (engine->sendPreset (2));
    EXPECT_EQ (rig.layer.getNumSentMessages(), imageLength);
    EXPECT_EQ (listener.getNumFailures(), 1);
}

// The device was checked every 32 writes but not after the last one.
TEST (TransferQueue, ADeviceLostDuringTheLastWritesFailsTheSend)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    rig.layer.onMessageSent = [&] (const juce::MidiMessage&)
    {
        if (rig.layer.getNumSentMessages() == imageLength - 10)
            pullTheCable (rig.layer);
    };

    EXPECT_FALSE (engine->sendPreset (2));
    EXPECT_EQ (listener.getNumFailures(), 1);
    EXPECT_FALSE (rig.manager.isOutputOpen());
    rig.layer.onMessageSent = nullptr;
}

//==============================================================================
TEST (TransferQueue, JobsOfSeveralWindowsRunOneAtATimeInTheOrderTheyWereAskedFor)
{
    FakeRig rig;
    auto pacing = fastPacing (50, 0);
    pacing.writeGapMs = 1;
    auto sending = createEngine (rig.manager, pacing);
    auto getting = createEngine (rig.manager, pacing);
    auto syncing = createEngine (rig.manager, pacing);

    ASSERT_TRUE (sending->startSend (1));
    ASSERT_TRUE (getting->startGet (2));
    syncing->startSync (true);

    // While the Send runs, the others wait for their turn.
    EXPECT_EQ (getting->getTransferStatus().kind, Kind::get);
    EXPECT_EQ (getting->getTransferStatus().stage, Stage::waiting);
    EXPECT_EQ (syncing->getTransferStatus().stage, Stage::waiting);

    ASSERT_TRUE (waitUntilIdle (*syncing));
    ASSERT_TRUE (waitUntilIdle (*getting));

    const auto sent = rig.layer.getSentMessages();
    ASSERT_EQ (sent.size(), (size_t) (2 * imageLength + 1));

    for (int i = 0; i < imageLength; ++i)
    {
        ASSERT_EQ (getCommand (sent[(size_t) i]), ZKSysEx::parameterWriteCommand) << i;
        ASSERT_EQ (getCommand (sent[(size_t) (imageLength + i)]), ZKSysEx::parameterRequestCommand) << i;
    }

    EXPECT_EQ (toBytes (sent.back()), toBytes (ZKSysEx::createSyncCommand (deviceId, true)));
}

TEST (TransferQueue, CancelledGetLoadsNothingAndReportsNoFailure)
{
    VirtualRig rig;
    rig.controller.setSlot (7, createPatternImage (7));
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 300;
    rig.controller.setFaults (faults);
    auto engine = createEngine (rig.manager);
    EndRecorder ends;
    engine->addListener (&ends);
    const auto before = getImage (*engine);

    ASSERT_TRUE (engine->startGet (7));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return engine->getTransferStatus().stage == Stage::running; }, 5000));
    engine->cancelTransfer();

    EXPECT_FALSE (engine->isGetInProgress());
    ASSERT_EQ (ends.ended.size(), 1u);
    EXPECT_EQ (ends.ended[0].stage, Stage::cancelled);

    // The replies still come, to nobody.
    pumpMessagesFor (600);
    EXPECT_EQ (getImage (*engine), before);
    EXPECT_EQ (ends.failures, 0);
    EXPECT_EQ (rig.manager.getNumListeners(), 0);
}

TEST (TransferQueue, CancelledSendStopsWritingAtOnceAndSaysHowFarItGot)
{
    FakeRig rig;
    auto pacing = fastPacing();
    pacing.writeGapMs = 2;
    auto engine = createEngine (rig.manager, pacing);
    EndRecorder ends;
    engine->addListener (&ends);

    ASSERT_TRUE (engine->startSend (12));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return rig.layer.getNumSentMessages() >= 50; }, 5000));
    engine->cancelTransfer();
    const auto written = rig.layer.getNumSentMessages();

    pumpMessagesFor (100);
    EXPECT_EQ (rig.layer.getNumSentMessages(), written);
    EXPECT_LT (written, imageLength);
    ASSERT_EQ (ends.ended.size(), 1u);
    EXPECT_EQ (ends.ended[0].kind, Kind::send);
    EXPECT_EQ (ends.ended[0].stage, Stage::cancelled);
    EXPECT_EQ (ends.ended[0].slot, 12);
    EXPECT_EQ (ends.ended[0].done, written);
    EXPECT_EQ (ends.failures, 0);
}

TEST (TransferQueue, ASendWritesThePresetAsItWasWhenItStarted)
{
    VirtualRig rig;
    auto pacing = fastPacing();
    pacing.writeGapMs = 1;
    auto engine = createEngine (rig.manager, pacing);
    const auto image = getImage (*engine);

    ASSERT_TRUE (engine->startSend (5));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return engine->getTransferStatus().done >= 20; }, 5000));

    // Edited while the Send runs: the window shows the edit, the slot gets the preset sent.
    auto dump = defaultPresetDump();
    for (int i = 0; i < imageLength; ++i)
        dump.set (imageOffset + i, createPatternImage (9)[i]);
    engine->loadPresetData (dump);

    ASSERT_TRUE (waitUntilIdle (*engine));
    EXPECT_EQ (rig.controller.getSlot (5), image);
    EXPECT_EQ (getImage (*engine), createPatternImage (9));
}

TEST (TransferQueue, ASendRunsToItsEndWhenEveryHolderOfItsEngineLetsGo)
{
    VirtualRig rig;
    auto pacing = fastPacing();
    pacing.writeGapMs = 1;
    rig.controller.setSlot (6, createPatternImage (6));
    auto engine = createEngine (rig.manager, pacing);
    const auto image = getImage (*engine);

    ASSERT_TRUE (engine->startSend (6));
    engine = nullptr; // the window closed

    auto& queue = rig.manager.getTransferQueue();
    ASSERT_TRUE (
        pumpMessagesUntil ([&] { return ! queue.hasJob ([] (const TransferQueue::Job&) { return true; }); }, 5000));
    EXPECT_EQ (rig.controller.getSlot (6), image);
}

// The messages went out on a fixed schedule: a transfer thread that woke late sent the overdue ones
// in a burst, closer together than the controller can take them.
TEST (TransferQueue, AfterALateWakeTheNextMessagesKeepTheirGapRatherThanCatchUp)
{
    FakeRig rig;
    auto pacing = fastPacing();
    pacing.writeGapMs = 6;
    auto engine = createEngine (rig.manager, pacing);
    constexpr int lateMessage = 10;
    constexpr int lastMessage = 30;

    rig.layer.onMessageSent = [&] (const juce::MidiMessage&)
    {
        const auto sent = rig.layer.getNumSentMessages();

        // On the transfer thread: it comes back ten gaps late.
        if (sent == lateMessage)
            juce::Thread::sleep (10 * pacing.writeGapMs);

        // Enough seen: the controller goes, and the Send stops.
        if (sent == lastMessage)
        {
            rig.layer.setInputNames ({});
            rig.layer.setOutputNames ({});
            rig.manager.timerCallback();
        }
    };

    EXPECT_FALSE (engine->sendPreset (0));
    rig.layer.onMessageSent = nullptr;

    const auto times = rig.layer.getSentTimes();
    ASSERT_EQ (times.size(), (size_t) lastMessage);

    // Half a gap of slack for the moment each message is recorded.
    for (size_t i = lateMessage; i < times.size(); ++i)
        EXPECT_GE (times[i] - times[i - 1], pacing.writeGapMs / 2.0) << "message " << i + 1;
}
