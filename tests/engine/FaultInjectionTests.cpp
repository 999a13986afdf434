// The conversation with a misbehaving controller: in every case the Get either loads the whole
// slot or leaves the controls as they were, a failure is reported once, and the next Get works.
#include "support/MessageLoop.h"
#include "support/RecordingEngineListener.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>
#include <thread>

using namespace TestRig;

namespace
{
constexpr int getWaitMs = 30000;

bool waitForGet (ZKEditorEngine& engine)
{
    return pumpMessagesUntil ([&] { return ! engine.isGetInProgress(); }, getWaitMs);
}

class FaultInjectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rig.controller.setSlot (slot, createPatternImage (slot));
        engine->addListener (&listener);
    }

    void TearDown() override { engine->removeListener (&listener); }

    /** A Get of the slot after the faults are gone loads exactly that slot. */
    void expectALaterGetToSucceed()
    {
        engine->setPacing (fastPacing (patientReplyTimeoutMs));
        rig.controller.clearFaults();
        const auto failuresBefore = listener.getNumFailures();
        engine->getPreset (slot);
        ASSERT_TRUE (waitForGet (*engine));
        EXPECT_EQ (getImage (*engine), createPatternImage (slot));
        EXPECT_EQ (listener.getNumFailures(), failuresBefore);
    }

    static constexpr juce::uint8 slot = 5;
    VirtualRig rig;
    ZKEditorEngine::Ptr engine = createEngine (rig.manager, fastPacing (patientReplyTimeoutMs));
    RecordingEngineListener listener;
    const juce::Array<juce::uint8> before = getImage (*engine);
};
} // namespace

//==============================================================================
TEST_F (FaultInjectionTest, AFloodOfGarbageSysExAmongTheRepliesLeavesTheFetchIntact)
{
    auto faults = rig.controller.getFaults();
    faults.messagesBeforeEachReply = VirtualControllerFaults::garbageSysEx (20);
    rig.controller.setFaults (faults);

    engine->getPreset (slot);
    ASSERT_TRUE (waitForGet (*engine));

    EXPECT_EQ (getImage (*engine), createPatternImage (slot));
    EXPECT_EQ (listener.getNumFailures(), 0);
}

TEST_F (FaultInjectionTest, EveryHarmlessFaultAtOnceStillLoadsTheWholeSlot)
{
    auto faults = rig.controller.getFaults();
    faults.duplicateReplies = true;
    faults.reorderBlockSize = 7;
    faults.messagesBeforeEachReply = VirtualControllerFaults::unrelatedMessagesThenGarbageSysEx (3, 42);
    rig.controller.setFaults (faults);

    engine->getPreset (slot);
    ASSERT_TRUE (waitForGet (*engine));

    EXPECT_EQ (getImage (*engine), createPatternImage (slot));
    EXPECT_EQ (listener.getNumFailures(), 0);
}

TEST_F (FaultInjectionTest, RepliesLaterThanTheTimeoutFailOnceAndChangeNothingWhenTheyArrive)
{
    // Three attempts of 500 ms each; every reply comes 3 s late.
    engine->setPacing (fastPacing (500, 2));
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 3000;
    rig.controller.setFaults (faults);

    engine->getPreset (slot);
    ASSERT_TRUE (waitForGet (*engine));
    EXPECT_EQ (listener.getNumFailures(), 1);
    EXPECT_EQ (getImage (*engine), before);

    // The late replies of all three attempts arrive now, to an engine that no longer listens.
    pumpMessagesFor (3500);
    EXPECT_EQ (rig.manager.getNumListeners(), 0);
    EXPECT_EQ (listener.getNumFailures(), 1);
    EXPECT_EQ (getImage (*engine), before);

    expectALaterGetToSucceed();
}

TEST_F (FaultInjectionTest, AnIndexThatNeverComesFailsOnceWithoutLoadingTheRest)
{
    engine->setPacing (fastPacing (missingReplyTimeoutMs, 2));
    auto faults = rig.controller.getFaults();
    faults.droppedIndexes.insert (464);
    rig.controller.setFaults (faults);

    engine->getPreset (slot);
    ASSERT_TRUE (waitForGet (*engine));

    EXPECT_EQ (listener.getNumFailures(), 1);
    EXPECT_EQ (getImage (*engine), before); // 464 of 465 bytes arrived, none was loaded

    expectALaterGetToSucceed();
}

TEST_F (FaultInjectionTest, ControllerUnpluggedDuringASendFailsOnceAndASendAfterReplugWritesTheSlot)
{
    auto pacing = engine->getPacing();
    pacing.writeGapMs = 2; // about a second for the whole Send
    engine->setPacing (pacing);
    const auto image = getImage (*engine);

    // The Send holds the message thread, as it does in the editor; the cable is pulled meanwhile.
    std::thread unplugger (
        [this]
        {
            juce::Thread::sleep (300);
            rig.controller.unplug();
        });
    const bool sent = engine->sendPreset (slot);
    unplugger.join();

    EXPECT_FALSE (sent);
    EXPECT_EQ (listener.getNumFailures(), 1);
    EXPECT_NE (rig.controller.getSlot (slot), image);

    rig.controller.replug();
    rig.manager.timerCallback(); // the periodic device check reopens the ports
    ASSERT_TRUE (rig.manager.isOutputOpen());

    EXPECT_TRUE (engine->sendPreset (slot));
    EXPECT_EQ (rig.controller.getSlot (slot), image);
    EXPECT_EQ (listener.getNumFailures(), 1);

    rig.controller.setSlot (slot, createPatternImage (slot));
    expectALaterGetToSucceed();
}

//==============================================================================
// Replies carry no slot: two windows fetching at once must not take each other's replies.
TEST (TwoGetsAtOnce, EachEngineLoadsItsOwnSlotOneAfterTheOther)
{
    VirtualRig rig;
    rig.controller.setSlot (3, createPatternImage (3));
    rig.controller.setSlot (4, createPatternImage (4));
    auto first = createEngine (rig.manager, fastPacing (1000, 2));
    auto second = createEngine (rig.manager, fastPacing (1000, 2));
    RecordingEngineListener firstListener, secondListener;
    first->addListener (&firstListener);
    second->addListener (&secondListener);

    first->getPreset (3);
    second->getPreset (4); // while the first one's replies are on their way
    EXPECT_TRUE (second->isGetInProgress());

    ASSERT_TRUE (
        pumpMessagesUntil ([&] { return ! first->isGetInProgress() && ! second->isGetInProgress(); }, getWaitMs));
    EXPECT_EQ (getImage (*first), createPatternImage (3));
    EXPECT_EQ (getImage (*second), createPatternImage (4));
    EXPECT_EQ (firstListener.getNumFailures() + secondListener.getNumFailures(), 0);
    EXPECT_EQ (rig.manager.getNumListeners(), 0);

    first->removeListener (&firstListener);
    second->removeListener (&secondListener);
}

TEST (TwoGetsAtOnce, AWaitingGetStartsWhenTheWindowAheadOfItCloses)
{
    VirtualRig rig;
    rig.controller.setSlot (4, createPatternImage (4));
    // Replies that take seconds: the first Get is surely still waiting for them when its window
    // closes, however slowly the test runs.
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 3000;
    rig.controller.setFaults (faults);
    auto second = createEngine (rig.manager, fastPacing (5000, 2));

    {
        auto first = createEngine (rig.manager, fastPacing (5000, 2));
        first->getPreset (3);
        second->getPreset (4);
        pumpMessagesFor (50);
        EXPECT_TRUE (second->isGetInProgress());
    } // the first window closes while its Get waits

    // The first Get's replies still come in: the controller answers in order, so they all arrive
    // before any reply to the second Get, which therefore loads its own slot alone.
    faults.replyDelayMs = 0;
    rig.controller.setFaults (faults);
    ASSERT_TRUE (waitForGet (*second));
    EXPECT_EQ (getImage (*second), createPatternImage (4));
}

TEST_F (FaultInjectionTest, AControllerThatLosesOneReplyInFiftyStillDeliversTheWholeSlot)
{
    // Every round of 465 requests loses about nine replies, never the same ones: the Get is
    // complete once the rounds together have brought every byte.
    engine->setPacing (fastPacing (missingReplyTimeoutMs));
    auto faults = rig.controller.getFaults();
    faults.dropEveryNthReply = 50;
    rig.controller.setFaults (faults);

    engine->getPreset (slot);
    ASSERT_TRUE (waitForGet (*engine));

    EXPECT_EQ (getImage (*engine), createPatternImage (slot));
    EXPECT_EQ (listener.getNumFailures(), 0);
}
