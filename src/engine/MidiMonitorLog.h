#pragma once

#include "engine/MidiManager.h"

#include <deque>
#include <functional>
#include <vector>

/** The record behind the MIDI monitor: every message that comes in from the chosen input or goes out
    to the chosen output, newest last, at most `capacity` of them.

    Messages are appended on any thread (the MIDI input thread, a transfer's thread) and only wait
    for a short lock that hands them over; the message thread picks them up and arranges them in
    lines. The editor's own SysEx conversation with the controller is folded: the consecutive
    requests and replies of a Get of one slot make one line, and so do the writes of a Send. */
class MidiMonitorLog
    : public MidiManager::MidiManagerListener
    , private juce::AsyncUpdater
{
public:
    enum class Direction
    {
        in,
        out
    };

    /** One message as it passed: when (ms since the log began), which way, and its bytes. */
    struct Entry
    {
        Entry() = default;
        Entry (double time, Direction way, const juce::MidiMessage& bytes)
            : timeMs (time)
            , direction (way)
            , message (bytes)
        {
        }

        Entry (const Entry&) = default;
        Entry (Entry&&) = default;
        Entry& operator= (const Entry&) = default;

        /** juce::MidiMessage's move assignment does not free the bytes of a long message (a SysEx)
            that it replaces: the message is copied instead, which frees them. Trimming the log
            assigns entries over one another. */
        Entry& operator= (Entry&& other)
        {
            timeMs = other.timeMs;
            direction = other.direction;
            message = other.message;
            return *this;
        }

        double timeMs = 0;
        Direction direction = Direction::in;
        juce::MidiMessage message;
    };

    enum class JobKind
    {
        none,
        get,
        send
    };

    /** A line of the log: a single message, or the folded messages of one job. */
    struct Line
    {
        juce::int64 id = 0;

        /** The message of a single line; the first message of a job. */
        Entry entry;

        JobKind job = JobKind::none;
        int slot = 0;
        int numRequests = 0;
        int numReplies = 0;
        int numWrites = 0;
        double lastTimeMs = 0;

        bool isJob() const noexcept { return job != JobKind::none; }

        /** The messages of a job still held, oldest first (the oldest go once the log is full). */
        int getNumHeld() const noexcept { return (int) messages.size() - firstHeld; }
        const Entry& getHeld (int index) const { return messages[(size_t) (firstHeld + index)]; }

        /** "Get slot 6: 465 requests, 465 replies, 1.40 s", "Send slot 6: 465 writes, 1.20 s". */
        juce::String getJobSummary() const;

    private:
        friend class MidiMonitorLog;
        std::vector<Entry> messages;
        int firstHeld = 0;
    };

    static constexpr int defaultCapacity = 10000;

    /** A pause longer than this between two messages of a job starts a new job: a Get of the same
        slot a moment later is a job of its own. */
    static constexpr double jobGapMs = 1000.0;

    //==============================================================================
    /** Listens to the manager (when given) until destroyed. */
    explicit MidiMonitorLog (MidiManager* managerToWatch = nullptr, int capacity = defaultCapacity);
    ~MidiMonitorLog() override;

    /** Records a message now; any thread. */
    void append (Direction direction, const juce::MidiMessage& message);

    //==============================================================================
    // The rest is for the message thread.

    /** Arranges the messages handed over so far at once, rather than at the next turn of the loop. */
    void drainNow();

    const std::deque<Line>& getLines() const noexcept { return lines; }
    int getNumMessagesHeld() const noexcept { return numHeld; }
    int getCapacity() const noexcept { return capacity; }

    /** Forgets every line, and the messages handed over but not yet arranged. */
    void clear();

    /** Called on the message thread after new messages were arranged or the log was cleared. */
    std::function<void()> onChange;

    //==============================================================================
    /** What one of the editor's own SysEx messages is ("Request slot 6, byte 12", "Reply byte 12 =
        64", "Write slot 6, byte 12 = 64"); empty for any other message. */
    static juce::String describeSysEx (const juce::MidiMessage& message);

    void midiMessageReceived (const juce::MidiMessage& message) override { append (Direction::in, message); }
    void midiMessageSent (const juce::MidiMessage& message) override { append (Direction::out, message); }

private:
    //==============================================================================
    void handleAsyncUpdate() override;
    void arrange (Entry&& entry);
    Line* findOpenJob();
    void addLine (Entry&& entry);
    void dropOldest();

    MidiManager* manager = nullptr;
    const int capacity;
    const double startMs;

    // Filled by any thread, swapped out by the message thread; never waited on for longer than a push.
    juce::CriticalSection pendingLock;
    std::vector<Entry> pending;
    std::vector<Entry> draining;

    std::deque<Line> lines;
    juce::int64 nextId = 0;
    juce::int64 openJobId = -1;
    int numHeld = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiMonitorLog)
};
