#include "engine/MidiMonitorLog.h"

#include "engine/ZKSysEx.h"

namespace
{
/** Which of the editor's own SysEx messages a message is. */
enum class SysExKind
{
    notOurs,
    request,
    reply,
    write
};

SysExKind classify (const juce::MidiMessage& message)
{
    const auto size = message.getRawDataSize();
    const auto* data = message.getRawData();

    if (size <= ZKSysEx::commandPosition || data[0] != ZKSysEx::startOfExclusive)
        return SysExKind::notOurs;

    for (size_t i = 0; i < std::size (ZKSysEx::manufacturerId); ++i)
        if (data[1 + i] != ZKSysEx::manufacturerId[i])
            return SysExKind::notOurs;

    const auto command = data[ZKSysEx::commandPosition];

    if (command == ZKSysEx::parameterRequestCommand && size == ZKSysEx::parameterRequestLength)
        return SysExKind::request;

    if (command == ZKSysEx::parameterReplyCommand && size == ZKSysEx::parameterReplyLength)
        return SysExKind::reply;

    if (command == ZKSysEx::parameterWriteCommand && size == ZKSysEx::parameterWriteLength)
        return SysExKind::write;

    return SysExKind::notOurs;
}

int slotOf (const juce::MidiMessage& message) { return message.getRawData()[ZKSysEx::messageSlotPosition]; }

int indexOf (const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();
    return ZKSysEx::getIndex (data[ZKSysEx::messageIndexHighPosition], data[ZKSysEx::messageIndexLowPosition]);
}

/** Slots are numbered from 1 wherever the editor names them. */
juce::String slotName (int slot) { return "slot " + juce::String (slot + 1); }

juce::String countOf (int count, const char* singular, const char* plural)
{
    return juce::String (count) + " " + (count == 1 ? singular : plural);
}
} // namespace

//==============================================================================
juce::String MidiMonitorLog::Line::getJobSummary() const
{
    const auto seconds = juce::String ((lastTimeMs - entry.timeMs) / 1000.0, 2) + " s";

    if (job == JobKind::get)
        return "Get " + slotName (slot) + ": " + countOf (numRequests, "request", "requests") + ", "
               + countOf (numReplies, "reply", "replies") + ", " + seconds;

    if (job == JobKind::send)
        return "Send " + slotName (slot) + ": " + countOf (numWrites, "write", "writes") + ", " + seconds;

    return {};
}

//==============================================================================
MidiMonitorLog::MidiMonitorLog (MidiManager* managerToWatch, int capacityToUse)
    : manager (managerToWatch)
    , capacity (juce::jmax (1, capacityToUse))
    , startMs (juce::Time::getMillisecondCounterHiRes())
{
    pending.reserve ((size_t) capacity);
    draining.reserve ((size_t) capacity);

    if (manager != nullptr)
        manager->addListener (this);
}

MidiMonitorLog::~MidiMonitorLog()
{
    // Once this returns, neither the input thread nor a sending thread calls the log again.
    if (manager != nullptr)
        manager->removeListener (this);

    cancelPendingUpdate();
}

void MidiMonitorLog::append (Direction direction, const juce::MidiMessage& message)
{
    {
        const juce::ScopedLock sl (pendingLock);

        // Taken under the lock, so that the times of the two directions stay in the order of the list.
        pending.push_back ({ juce::Time::getMillisecondCounterHiRes() - startMs, direction, message });

        // A message thread held up for long finds only the newest messages, as the lines would keep.
        if ((int) pending.size() >= 2 * capacity)
            pending.erase (pending.begin(), pending.begin() + capacity);
    }

    triggerAsyncUpdate();
}

//==============================================================================
void MidiMonitorLog::drainNow() { handleUpdateNowIfNeeded(); }

void MidiMonitorLog::handleAsyncUpdate()
{
    {
        const juce::ScopedLock sl (pendingLock);
        pending.swap (draining);
    }

    if (draining.empty())
        return;

    for (auto& entry : draining)
        arrange (std::move (entry));

    draining.clear();

    if (onChange)
        onChange();
}

void MidiMonitorLog::clear()
{
    {
        const juce::ScopedLock sl (pendingLock);
        pending.clear();
    }

    lines.clear();
    openJobId = -1;
    numHeld = 0;

    if (onChange)
        onChange();
}

//==============================================================================
void MidiMonitorLog::arrange (Entry&& entry)
{
    const auto kind = classify (entry.message);

    if (kind == SysExKind::notOurs)
    {
        // Played messages between the messages of a job leave it open; any other SysEx ends it.
        if (entry.message.isSysEx())
            openJobId = -1;

        addLine (std::move (entry));
        return;
    }

    auto* job = findOpenJob();

    if (job != nullptr && entry.timeMs - job->lastTimeMs > jobGapMs)
        job = nullptr;

    const auto wantedJob = kind == SysExKind::write ? JobKind::send : JobKind::get;

    if (job != nullptr && job->job != wantedJob)
        job = nullptr;

    // A reply carries no slot: it belongs to the Get under way.
    if (job != nullptr && kind != SysExKind::reply && job->slot != slotOf (entry.message))
        job = nullptr;

    if (job == nullptr)
    {
        if (kind == SysExKind::reply)
        {
            openJobId = -1;
            addLine (std::move (entry));
            return;
        }

        Line line;
        line.id = nextId++;
        line.entry = entry;
        line.job = wantedJob;
        line.slot = slotOf (entry.message);
        lines.push_back (std::move (line));
        openJobId = lines.back().id;
        job = &lines.back();
    }

    job->numRequests += kind == SysExKind::request ? 1 : 0;
    job->numReplies += kind == SysExKind::reply ? 1 : 0;
    job->numWrites += kind == SysExKind::write ? 1 : 0;
    job->lastTimeMs = entry.timeMs;
    job->messages.push_back (std::move (entry));
    ++numHeld;
    dropOldest();
}

MidiMonitorLog::Line* MidiMonitorLog::findOpenJob()
{
    if (openJobId < 0 || lines.empty())
        return nullptr;

    // Ids are consecutive from the front line on: lines only leave at the front.
    const auto index = openJobId - lines.front().id;

    if (! juce::isPositiveAndBelow (index, (juce::int64) lines.size()))
        return nullptr;

    return &lines[(size_t) index];
}

void MidiMonitorLog::addLine (Entry&& entry)
{
    Line line;
    line.id = nextId++;
    line.lastTimeMs = entry.timeMs;
    line.entry = std::move (entry);
    lines.push_back (std::move (line));
    ++numHeld;
    dropOldest();
}

void MidiMonitorLog::dropOldest()
{
    while (numHeld > capacity && ! lines.empty())
    {
        auto& front = lines.front();

        if (front.isJob() && front.getNumHeld() > 1)
        {
            // The job's line stays with its counts; only its oldest message goes.
            front.messages[(size_t) front.firstHeld] = {};
            ++front.firstHeld;

            if (front.firstHeld * 2 > (int) front.messages.size())
            {
                front.messages.erase (front.messages.begin(), front.messages.begin() + front.firstHeld);
                front.firstHeld = 0;
            }
        }
        else
        {
            if (front.id == openJobId)
                openJobId = -1;

            lines.pop_front();
        }

        --numHeld;
    }
}

//==============================================================================
juce::String MidiMonitorLog::describeSysEx (const juce::MidiMessage& message)
{
    switch (classify (message))
    {
        case SysExKind::request:
            return "Request " + slotName (slotOf (message)) + ", byte " + juce::String (indexOf (message));
        case SysExKind::write:
            return "Write " + slotName (slotOf (message)) + ", byte " + juce::String (indexOf (message)) + " = "
                   + juce::String (message.getRawData()[ZKSysEx::writeValuePosition]);
        case SysExKind::reply:
        {
            ZKSysEx::ParameterReply reply;
            ZKSysEx::parseParameterReply (message, reply);
            return "Reply byte " + juce::String (reply.index) + " = " + juce::String (reply.value);
        }
        case SysExKind::notOurs:
        default:
            return {};
    }
}
