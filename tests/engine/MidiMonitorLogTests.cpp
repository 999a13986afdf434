#include "engine/MidiMonitorLog.h"
#include "support/MessageLoop.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;
using Direction = MidiMonitorLog::Direction;

namespace
{
constexpr int waitMs = 30000;

/** A different controller message for every number below 16 * 128 * 128. */
juce::MidiMessage numbered (int number)
{
    return juce::MidiMessage::controllerEvent (1 + number / (128 * 128), (number / 128) % 128, number % 128);
}

int numberOf (const juce::MidiMessage& message)
{
    return (message.getChannel() - 1) * 128 * 128 + message.getControllerNumber() * 128 + message.getControllerValue();
}

/** The messages the log holds, oldest first, the folded ones included. */
std::vector<MidiMonitorLog::Entry> heldEntries (const MidiMonitorLog& log)
{
    std::vector<MidiMonitorLog::Entry> entries;

    for (const auto& line : log.getLines())
    {
        if (! line.isJob())
            entries.push_back (line.entry);

        for (int i = 0; line.isJob() && i < line.getNumHeld(); ++i)
            entries.push_back (line.getHeld (i));
    }

    return entries;
}
} // namespace

//==============================================================================
TEST (MidiMonitorLog, KeepsTheNewestTenThousandMessagesOfBothDirectionsInOrder)
{
    FakeRig rig;
    MidiMonitorLog log (&rig.manager);
    EXPECT_EQ (log.getCapacity(), 10000);
    EXPECT_EQ (rig.manager.getNumListeners(), 1);

    // 10,500 messages from the input thread, then three sent by the editor.
    constexpr int numIncoming = 10500;
    std::vector<juce::MidiMessage> incoming;

    for (int i = 0; i < numIncoming; ++i)
        incoming.push_back (numbered (i));

    rig.layer.deliverFromOtherThread (incoming);

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE (rig.manager.sendMessage (numbered (numIncoming + i)));

    ASSERT_TRUE (pumpMessagesUntil (
        [&]
        {
            return ! log.getLines().empty() && log.getLines().back().entry.message.isController()
                   && numberOf (log.getLines().back().entry.message) == numIncoming + 2;
        },
        waitMs));

    const auto& lines = log.getLines();
    ASSERT_EQ ((int) lines.size(), 10000);
    EXPECT_EQ (log.getNumMessagesHeld(), 10000);

    // The oldest 503 went; the rest stand in the order they passed, with rising times.
    for (int i = 0; i < (int) lines.size(); ++i)
    {
        const auto& entry = lines[(size_t) i].entry;
        ASSERT_EQ (numberOf (entry.message), 503 + i) << "line " << i;
        EXPECT_EQ (entry.direction, 503 + i < numIncoming ? Direction::in : Direction::out);

        if (i > 0)
        {
            EXPECT_GE (entry.timeMs, lines[(size_t) i - 1].entry.timeMs);
        }
    }

    // Clearing forgets everything; the log goes on recording.
    log.clear();
    EXPECT_TRUE (log.getLines().empty());
    rig.layer.deliver (numbered (7));
    log.drainNow();
    ASSERT_EQ (log.getLines().size(), 1u);
    EXPECT_EQ (numberOf (log.getLines().front().entry.message), 7);
}

TEST (MidiMonitorLog, TheSysExOfAGetFoldsToOneLineWithItsCountsAndItsMessages)
{
    VirtualRig rig;
    MidiMonitorLog log (&rig.manager);
    auto engine = createEngine (rig.manager);

    engine->getPreset (5);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isGetInProgress(); }, waitMs));

    // A knob played during the next job leaves it one line; a Send of another slot is a line of
    // its own, and so is a message of nobody's job.
    log.drainNow();
    const auto afterGet = log.getLines().size();
    ASSERT_EQ (afterGet, 1u);

    log.append (Direction::out, ZKSysEx::createParameterWrite (deviceId, 7, 0, 1));
    log.append (Direction::in, juce::MidiMessage::controllerEvent (1, 74, 64));
    log.append (Direction::out, ZKSysEx::createParameterWrite (deviceId, 7, 1, 2));
    log.append (Direction::in, createReply (3, 4));
    log.drainNow();

    const auto& lines = log.getLines();
    ASSERT_EQ (lines.size(), 4u);

    const auto& get = lines[0];
    EXPECT_TRUE (get.isJob());
    EXPECT_EQ (get.job, MidiMonitorLog::JobKind::get);
    EXPECT_EQ (get.slot, 5);
    EXPECT_EQ (get.numRequests, imageLength);
    EXPECT_EQ (get.numReplies, imageLength);
    ASSERT_EQ (get.getNumHeld(), 2 * imageLength);
    EXPECT_TRUE (get.getJobSummary().startsWith ("Get slot 6: 465 requests, 465 replies, ")) << get.getJobSummary();
    EXPECT_TRUE (get.getJobSummary().endsWith (" s"));
    EXPECT_EQ (get.getHeld (0).direction, Direction::out);
    EXPECT_EQ (MidiMonitorLog::describeSysEx (get.getHeld (0).message), "Request slot 6, byte 0");
    int numHeldReplies = 0;

    for (int i = 0; i < get.getNumHeld(); ++i)
        if (get.getHeld (i).direction == Direction::in
            && MidiMonitorLog::describeSysEx (get.getHeld (i).message).startsWith ("Reply byte "))
            ++numHeldReplies;

    EXPECT_EQ (numHeldReplies, imageLength);

    EXPECT_EQ (lines[1].job, MidiMonitorLog::JobKind::send);
    EXPECT_EQ (lines[1].numWrites, 2);
    EXPECT_TRUE (lines[1].getJobSummary().startsWith ("Send slot 8: 2 writes, "));
    EXPECT_EQ (MidiMonitorLog::describeSysEx (lines[1].getHeld (1).message), "Write slot 8, byte 1 = 2");
    EXPECT_TRUE (lines[2].entry.message.isController());
    EXPECT_FALSE (lines[3].isJob());
    EXPECT_EQ (MidiMonitorLog::describeSysEx (lines[3].entry.message), "Reply byte 3 = 4");

    // Once the log is full, the job keeps its line and counts and loses its oldest messages first.
    MidiMonitorLog small (nullptr, 1000);
    const auto entries = heldEntries (log);
    ASSERT_EQ ((int) entries.size(), 2 * imageLength + 4);

    for (const auto& entry : entries)
        small.append (entry.direction, entry.message);

    for (int i = 0; i < 70; ++i)
        small.append (Direction::in, numbered (i));

    small.drainNow();
    ASSERT_EQ (small.getLines().size(), 4u + 70u);
    EXPECT_EQ (small.getNumMessagesHeld(), 1000);
    EXPECT_EQ (small.getLines().front().numRequests, get.numRequests);
    ASSERT_EQ (small.getLines().front().getNumHeld(), 2 * imageLength - 4);
    EXPECT_EQ (toBytes (small.getLines().front().getHeld (0).message), toBytes (get.getHeld (4).message));
}
