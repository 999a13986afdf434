#include "model/PresetLayout.h"
#include "support/MessageLoop.h"
#include "support/RecordingEngineListener.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
using Bytes = std::vector<juce::uint8>;

constexpr int getWaitMs = 30000;

bool waitForGet (ZKEditorEngine& engine)
{
    return pumpMessagesUntil ([&] { return ! engine.isGetInProgress(); }, getWaitMs);
}

int countRequests (const std::vector<juce::MidiMessage>& messages)
{
    int count = 0;

    for (const auto& message : messages)
        if (message.getRawDataSize() == ZKSysEx::parameterRequestLength
            && message.getRawData()[ZKSysEx::commandPosition] == ZKSysEx::parameterRequestCommand)
            ++count;

    return count;
}

/** Remembers whether every notification of a control came on the message thread. */
class ThreadCheckingControlListener : public Control::Listener
{
public:
    void controlValueChanged (juce::String, juce::uint8) override
    {
        ++calls;
        allOnMessageThread = allOnMessageThread && juce::MessageManager::getInstance()->isThisTheMessageThread();
    }

    std::atomic<int> calls{ 0 };
    std::atomic<bool> allOnMessageThread{ true };
};
} // namespace

//==============================================================================
TEST (GetPreset, GetOfEverySlotLoadsExactlyThatSlotsBytes)
{
    VirtualRig rig;

    for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
        rig.controller.setSlot (slot, createPatternImage (slot));

    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
    {
        engine->getPreset ((juce::uint8) slot);
        ASSERT_TRUE (waitForGet (*engine)) << "slot " << slot;
        EXPECT_EQ (getImage (*engine), createPatternImage (slot)) << "slot " << slot;

        // A finished Get stops the timer and stops listening.
        EXPECT_FALSE (engine->isTimerRunning());
        EXPECT_EQ (rig.manager.getNumListeners(), 0);
    }

    EXPECT_EQ (listener.getNumFailures(), 0);
    EXPECT_EQ (countRequests (rig.controller.getReceivedMessages()), VirtualController::numberOfSlots * imageLength);
}

TEST (GetPreset, SendsOneRequestPerImageByteAndTwoDiagnosticLines)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);

    testing::internal::CaptureStdout();
    engine->getPreset (5);
    EXPECT_EQ (testing::internal::GetCapturedStdout(), "number of gets : 0\r\nstarting get\r\n");

    const auto sent = rig.layer.getSentMessages();
    ASSERT_EQ (sent.size(), (size_t) imageLength);

    for (int index = 0; index < imageLength; ++index)
        ASSERT_EQ (toBytes (sent[(size_t) index]), toBytes (ZKSysEx::createParameterRequest (deviceId, 5, index)));

    EXPECT_EQ (toBytes (sent[300]),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x65, 0x00, 0x03, 0x05, 0x02, 0x2C, 0xF7 }));
    EXPECT_EQ (toBytes (sent[464])[10], 0x03);
    EXPECT_EQ (toBytes (sent[464])[11], 0x50);

    EXPECT_TRUE (engine->isGetInProgress());
    EXPECT_TRUE (engine->isTimerRunning());
    EXPECT_EQ (rig.manager.getNumListeners(), 1);
}

TEST (GetPreset, DiagnosticLinesGoToTheSinkSetInsteadAndNowhereWithoutOne)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    juce::StringArray lines;
    engine->setDiagnosticsSink ([&lines] (const juce::String& line) { lines.add (line); });

    testing::internal::CaptureStdout();
    ASSERT_TRUE (engine->startGet (5));
    engine->cancelGet();
    engine->setDiagnosticsSink (nullptr);
    ASSERT_TRUE (engine->startGet (6));
    engine->cancelGet();

    EXPECT_EQ (testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ (lines, juce::StringArray ("number of gets : 0", "starting get"));
}

TEST (GetPreset, SlotOutsideTheControllerIsIgnored)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    testing::internal::CaptureStdout();

    for (juce::uint8 slot : { 24, 25, 127, 255 })
        engine->getPreset (slot);

    EXPECT_TRUE (testing::internal::GetCapturedStdout().empty());
    EXPECT_EQ (rig.layer.getNumSentMessages(), 0);
    EXPECT_FALSE (engine->isGetInProgress());
    EXPECT_FALSE (engine->isTimerRunning());
    EXPECT_EQ (rig.manager.getNumListeners(), 0);
    EXPECT_EQ (listener.getNumFailures(), 0);
}

TEST (GetPreset, SecondGetWhileOneWaitsIsIgnored)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);

    engine->getPreset (1);
    ASSERT_EQ (rig.layer.getNumSentMessages(), imageLength);
    rig.layer.clearSentMessages();

    engine->getPreset (1);
    engine->getPreset (2);

    EXPECT_EQ (rig.layer.getNumSentMessages(), 0);
    EXPECT_TRUE (engine->isGetInProgress());
}

TEST (GetPreset, WithoutInputOrOutputFailsAtOnce)
{
    for (bool openInput : { false, true })
    {
        FakeMidiDeviceLayer layer;
        layer.setInputNames ({ fakeInputName });
        layer.setOutputNames ({ fakeOutputName });
        MidiManager manager (layer);

        if (openInput)
            manager.setInputDevice (fakeInputName);
        else
            manager.setOutputDevice (fakeOutputName);

        auto engine = createEngine (manager);
        RecordingEngineListener first, second;
        engine->addListener (&first);
        engine->addListener (&second);

        engine->getPreset (0);

        EXPECT_EQ (first.getFailureMessages(), juce::StringArray (juce::String()));
        EXPECT_EQ (second.getNumFailures(), 1);
        EXPECT_EQ (layer.getNumSentMessages(), 0);
        EXPECT_FALSE (engine->isGetInProgress());
        EXPECT_FALSE (engine->isTimerRunning());
        EXPECT_EQ (manager.getNumListeners(), 0);
    }
}

TEST (GetPreset, UnansweredIndexFailsOncePerListenerAfterEveryRetry)
{
    VirtualRig rig;
    rig.controller.setSlot (4, createPatternImage (4));
    auto faults = rig.controller.getFaults();
    faults.droppedIndexes.insert (200);
    rig.controller.setFaults (faults);

    constexpr int maxRetries = 3;
    auto engine = createEngine (rig.manager, fastPacing (100, maxRetries));
    RecordingEngineListener first, second;
    engine->addListener (&first);
    engine->addListener (&second);
    const auto before = getImage (*engine);

    engine->getPreset (4);
    ASSERT_TRUE (waitForGet (*engine));
    pumpMessagesFor (300);

    EXPECT_EQ (first.getFailureMessages(), juce::StringArray (juce::String()));
    EXPECT_EQ (second.getFailureMessages(), juce::StringArray (juce::String()));
    EXPECT_TRUE (first.wereAllReportsOnMessageThread());
    EXPECT_EQ (countRequests (rig.controller.getReceivedMessages()), (1 + maxRetries) * imageLength);
    EXPECT_EQ (getImage (*engine), before);
    EXPECT_FALSE (engine->isTimerRunning());
    EXPECT_EQ (rig.manager.getNumListeners(), 0);
}

TEST (GetPreset, RepliesOutOfOrderDuplicatedOrAmongOtherMidiLandAtTheirIndexes)
{
    VirtualRig rig;
    rig.controller.setSlot (6, createPatternImage (6));
    auto faults = rig.controller.getFaults();
    faults.reorderBlockSize = 7;
    faults.duplicateReplies = true;
    faults.messagesBeforeEachReply = VirtualControllerFaults::unrelatedMessages();
    rig.controller.setFaults (faults);

    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    engine->getPreset (6);
    ASSERT_TRUE (waitForGet (*engine));

    EXPECT_EQ (getImage (*engine), createPatternImage (6));
    EXPECT_EQ (listener.getNumFailures(), 0);
}

TEST (GetPreset, RepeatedRepliesForOneIndexCompleteNothing)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    const auto before = getImage (*engine);
    const auto pattern = createPatternImage (2);

    engine->getPreset (0);
    rig.layer.deliverFromOtherThread (std::vector<juce::MidiMessage> ((size_t) imageLength, createReply (0, 0x11)));
    pumpMessagesFor (50);

    EXPECT_TRUE (engine->isGetInProgress());
    EXPECT_EQ (getImage (*engine), before);

    std::vector<juce::MidiMessage> rest;
    for (int index = 1; index < imageLength; ++index)
        rest.push_back (createReply (index, pattern[index]));

    rig.layer.deliverFromOtherThread (rest);
    ASSERT_TRUE (waitForGet (*engine));

    auto expected = pattern;
    expected.set (0, 0x11);
    EXPECT_EQ (getImage (*engine), expected);
}

TEST (GetPreset, RepliesBeyondTheImageAreIgnored)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    const auto pattern = createPatternImage (8);

    engine->getPreset (0);

    std::vector<juce::MidiMessage> replies{ createReply (465, 1), createReply (476, 2), createReply (16383, 3) };
    for (int index = 0; index < imageLength - 1; ++index)
        replies.push_back (createReply (index, pattern[index]));

    rig.layer.deliverFromOtherThread (replies);
    pumpMessagesFor (50);
    EXPECT_TRUE (engine->isGetInProgress());

    rig.layer.deliverFromOtherThread ({ createReply (imageLength - 1, pattern[imageLength - 1]) });
    ASSERT_TRUE (waitForGet (*engine));
    EXPECT_EQ (getImage (*engine), pattern);
}

TEST (GetPreset, LostReplyIsFetchedAgainByARetry)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager, fastPacing (100));
    RecordingEngineListener listener;
    engine->addListener (&listener);
    const auto pattern = createPatternImage (5);

    // A controller that answers at once, but misses index 100 the first time it is asked.
    int requests = 0;
    rig.layer.onMessageSent = [&] (const juce::MidiMessage& request)
    {
        const auto index = ZKSysEx::getIndex (request.getRawData()[ZKSysEx::messageIndexHighPosition],
                                              request.getRawData()[ZKSysEx::messageIndexLowPosition]);
        if (requests++ != 100)
            rig.layer.deliver (createReply (index, pattern[index]));
    };

    engine->getPreset (3);
    ASSERT_TRUE (waitForGet (*engine));

    EXPECT_EQ (requests, 2 * imageLength);
    EXPECT_EQ (getImage (*engine), pattern);
    EXPECT_EQ (listener.getNumFailures(), 0);
    rig.layer.onMessageSent = nullptr;
}

TEST (GetPreset, LoadsTheControlsOnTheMessageThreadOnly)
{
    VirtualRig rig;
    rig.controller.setSlot (0, createPatternImage (1));
    auto engine = createEngine (rig.manager);
    ThreadCheckingControlListener knobListener, nameListener;
    engine->getControls (Knob)[3]->addListener (&knobListener);
    engine->getControls (PresetName)[0]->addListener (&nameListener);

    engine->getPreset (0);
    ASSERT_TRUE (waitForGet (*engine));

    EXPECT_EQ (knobListener.calls.load(), engine->getControls (Knob)[3]->getParameterNames().size());
    EXPECT_EQ (nameListener.calls.load(), 16);
    EXPECT_TRUE (knobListener.allOnMessageThread.load());
    EXPECT_TRUE (nameListener.allOnMessageThread.load());
}

TEST (GetPreset, TwoEnginesKeepTheirOwnControlsAndReports)
{
    VirtualRig rig;
    rig.controller.setSlot (3, createPatternImage (3));
    rig.controller.setSlot (4, createPatternImage (4));

    auto first = createEngine (rig.manager, fastPacing (patientReplyTimeoutMs));
    auto second = createEngine (rig.manager, fastPacing (missingReplyTimeoutMs, 1));
    RecordingEngineListener firstListener, secondListener;
    first->addListener (&firstListener);
    second->addListener (&secondListener);

    first->getPreset (3);
    ASSERT_TRUE (waitForGet (*first));
    EXPECT_EQ (getImage (*first), createPatternImage (3));
    EXPECT_EQ (getImage (*second), getImageOfDump (defaultPresetDump()));

    // The second window's Get fails; the first, finished, hears none of its replies or reports.
    auto faults = rig.controller.getFaults();
    faults.droppedIndexes.insert (0);
    rig.controller.setFaults (faults);
    second->getPreset (4);
    ASSERT_TRUE (waitForGet (*second));

    EXPECT_EQ (secondListener.getNumFailures(), 1);
    EXPECT_EQ (firstListener.getNumFailures(), 0);
    EXPECT_EQ (getImage (*first), createPatternImage (3));
    EXPECT_EQ (getImage (*second), getImageOfDump (defaultPresetDump()));
    EXPECT_EQ (rig.manager.getNumListeners(), 0);
}

TEST (GetPreset, EngineDestroyedWhileItsGetWaitsIsNeverCalledAgain)
{
    VirtualRig rig;
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 100;
    rig.controller.setFaults (faults);
    RecordingEngineListener listener;

    {
        auto engine = createEngine (rig.manager);
        engine->addListener (&listener);
        engine->getPreset (0);
        EXPECT_EQ (rig.manager.getNumListeners(), 1);
    }

    EXPECT_EQ (rig.manager.getNumListeners(), 0);

    // The replies still come, to nobody.
    EXPECT_TRUE (pumpMessagesUntil ([&] { return rig.controller.getNumPendingReplies() == 0; }, 5000));
    pumpMessagesFor (50);
    EXPECT_EQ (listener.getNumFailures(), 0);
}

TEST (GetPreset, EngineDestroyedWithItsCompletionUnderWayIsNotTouched)
{
    FakeRig rig;
    ThreadCheckingControlListener controlListener;

    {
        auto engine = createEngine (rig.manager);
        engine->getControls (Knob)[0]->addListener (&controlListener);
        engine->getPreset (0);

        std::vector<juce::MidiMessage> replies;
        for (int index = 0; index < imageLength; ++index)
            replies.push_back (createReply (index, 1));

        rig.layer.deliverFromOtherThread (replies);
        controlListener.calls = 0;
    }

    pumpMessagesFor (50);
    EXPECT_EQ (controlListener.calls.load(), 0);
    EXPECT_EQ (rig.manager.getNumListeners(), 0);
}

TEST (GetPreset, ControllerUnpluggedDuringAGetEndsInOneFailure)
{
    VirtualRig rig;
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 1000;
    rig.controller.setFaults (faults);
    auto engine = createEngine (rig.manager, fastPacing (50, 2));
    RecordingEngineListener listener;
    engine->addListener (&listener);
    const auto before = getImage (*engine);

    engine->getPreset (0);
    rig.controller.unplug();
    rig.manager.timerCallback();
    EXPECT_FALSE (rig.manager.isInputOpen());

    ASSERT_TRUE (waitForGet (*engine));
    EXPECT_EQ (listener.getNumFailures(), 1);
    EXPECT_EQ (getImage (*engine), before);

    // Plugged in again, the next Get works: it waits for its replies as long as a busy machine needs.
    engine->setPacing (fastPacing (patientReplyTimeoutMs));
    rig.controller.replug();
    faults.replyDelayMs = 0;
    rig.controller.setFaults (faults);
    rig.manager.timerCallback();
    rig.controller.setSlot (0, createPatternImage (12));
    EXPECT_TRUE (rig.manager.isInputOpen());
    EXPECT_TRUE (rig.manager.isOutputOpen());
    engine->getPreset (0);

    ASSERT_TRUE (waitForGet (*engine));
    EXPECT_EQ (getImage (*engine), createPatternImage (12));
    EXPECT_EQ (listener.getNumFailures(), 1);
}
