#include "engine/VirtualController.h"

#include "engine/ZKSysEx.h"

namespace
{
/** A block that never fills up goes out this long after its first reply was due. */
constexpr double reorderFlushMs = 50.0;

/** The controller's thread sleeps at most this long when it has nothing to do. */
constexpr int idleWaitMs = 1000;

double now() { return juce::Time::getMillisecondCounterHiRes(); }

juce::Array<juce::uint8> getDefaultImage()
{
    const auto dump = ZKMModel::getDefaultPresetDump();
    juce::Array<juce::uint8> image;

    for (int i = 0; i < VirtualController::imageLength; ++i)
        image.add (dump[ZKSysEx::dumpImageOffset + i]); // an index past the end reads as 0

    return image;
}

bool hasHead (const juce::uint8* data, juce::uint8 command, const juce::uint8 (&tail)[2])
{
    const auto expected = ZKSysEx::createHead (VirtualController::deviceId, command, tail);
    return std::equal (expected.begin(), expected.end(), data);
}
} // namespace

const juce::String VirtualController::deviceName ("ZKM Virtual Controller");

//==============================================================================
class VirtualController::VirtualInput : public MidiDeviceLayer::Input
{
public:
    VirtualInput (VirtualController& ownerToUse, juce::MidiInputCallback& callbackToUse)
        : owner (ownerToUse)
        , callback (callbackToUse)
    {
        owner.addInput (this);
    }

    ~VirtualInput() override { owner.removeInput (this); }

    // Both are called under the controller's delivery lock, as is the delivery itself.
    void start() override
    {
        const juce::ScopedLock sl (owner.deliveryLock);
        started = true;
    }

    void stop() override
    {
        const juce::ScopedLock sl (owner.deliveryLock);
        started = false;
    }

    void deliver (const juce::MidiMessage& message)
    {
        if (started)
            callback.handleIncomingMidiMessage (nullptr, message);
    }

private:
    VirtualController& owner;
    juce::MidiInputCallback& callback;
    bool started = false;
};

class VirtualController::VirtualOutput : public MidiDeviceLayer::Output
{
public:
    explicit VirtualOutput (VirtualController& ownerToUse)
        : owner (ownerToUse)
    {
    }

    void sendMessageNow (const juce::MidiMessage& message) override { owner.receive (message); }

private:
    VirtualController& owner;
};

//==============================================================================
VirtualController::VirtualController()
    : VirtualController (juce::File())
{
}

VirtualController::VirtualController (const juce::File& file)
    : juce::Thread ("ZKM Virtual Controller")
    , slotFile (file)
{
    slots.assign ((size_t) numberOfSlots, getDefaultImage());
    slotFileUsable = slotFile.open (slots);
    startThread();
}

VirtualController::~VirtualController()
{
    stopThread (idleWaitMs * 2);

    if (isDirty())
        saveSlots();
}

//==============================================================================
juce::StringArray VirtualController::getInputNames()
{
    const juce::ScopedLock sl (stateLock);
    return plugged ? juce::StringArray (deviceName) : juce::StringArray();
}

juce::StringArray VirtualController::getOutputNames() { return getInputNames(); }

// The controller is the only device of its lists, at position 0, while it is plugged in.
std::unique_ptr<MidiDeviceLayer::Input> VirtualController::openInput (int index, juce::MidiInputCallback& callback)
{
    return index == 0 && isPlugged() ? std::make_unique<VirtualInput> (*this, callback) : nullptr;
}

std::unique_ptr<MidiDeviceLayer::Output> VirtualController::openOutput (int index)
{
    return index == 0 && isPlugged() ? std::make_unique<VirtualOutput> (*this) : nullptr;
}

//==============================================================================
juce::Array<juce::uint8> VirtualController::getSlot (int slot) const
{
    const juce::ScopedLock sl (stateLock);
    return juce::isPositiveAndBelow (slot, numberOfSlots) ? slots[(size_t) slot] : juce::Array<juce::uint8>();
}

void VirtualController::setSlot (int slot, const juce::Array<juce::uint8>& image)
{
    if (! juce::isPositiveAndBelow (slot, numberOfSlots) || image.size() != imageLength)
        return;

    const juce::ScopedLock sl (stateLock);
    slots[(size_t) slot] = image;
    markDirty();
}

void VirtualController::setActiveSlot (int slot)
{
    if (juce::isPositiveAndBelow (slot, numberOfSlots))
        activeSlot = slot;
}

void VirtualController::play (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (stateLock);

    if (! plugged)
        return;

    enqueue ({ message }, now());
    notify();
}

bool VirtualController::isExternalSync() const
{
    const juce::ScopedLock sl (stateLock);
    return externalSync;
}

int VirtualController::getNumSyncCommands() const
{
    const juce::ScopedLock sl (stateLock);
    return numSyncCommands;
}

std::vector<juce::MidiMessage> VirtualController::getReceivedMessages() const
{
    const juce::ScopedLock sl (stateLock);
    return receivedMessages;
}

void VirtualController::clearReceivedMessages()
{
    const juce::ScopedLock sl (stateLock);
    receivedMessages.clear();
}

int VirtualController::getNumPendingReplies() const
{
    const juce::ScopedLock sl (stateLock);
    int count = (int) pending.size();

    for (const auto& group : reorderBatch)
        count += (int) group.size();

    return count;
}

//==============================================================================
void VirtualController::setFaults (const Faults& newFaults)
{
    const juce::ScopedLock sl (stateLock);
    faults = newFaults;
    faults.replyDelayMs = juce::jmax (0, faults.replyDelayMs);
    faults.dropEveryNthReply = juce::jmax (0, faults.dropEveryNthReply);
    faults.duplicateEveryNthReply = juce::jmax (0, faults.duplicateEveryNthReply);
    faults.reorderBlockSize = juce::jmax (0, faults.reorderBlockSize);
    flushReorderBatch();
}

VirtualController::Faults VirtualController::getFaults() const
{
    const juce::ScopedLock sl (stateLock);
    return faults;
}

void VirtualController::clearFaults() { setFaults ({}); }

void VirtualController::unplug()
{
    const juce::ScopedLock sl (stateLock);
    plugged = false;
    pending.clear();
    reorderBatch.clear();
}

void VirtualController::replug()
{
    const juce::ScopedLock sl (stateLock);
    plugged = true;
}

bool VirtualController::isPlugged() const
{
    const juce::ScopedLock sl (stateLock);
    return plugged;
}

//==============================================================================
void VirtualController::receive (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (stateLock);

    if (! plugged)
        return;

    receivedMessages.push_back (message);

    const auto* data = message.getRawData();
    const auto size = message.getRawDataSize();

    if (size < ZKSysEx::headLength + 1 || data[size - 1] != ZKSysEx::endOfExclusive)
        return;

    if (! ZKSysEx::areDataBytes (data + 1, data + size - 1))
        return;

    const int slot = data[ZKSysEx::messageSlotPosition];

    // Requests and writes alone carry an index, after the slot.
    const auto getIndex = [data]
    { return ZKSysEx::getIndex (data[ZKSysEx::messageIndexHighPosition], data[ZKSysEx::messageIndexLowPosition]); };

    if (size == ZKSysEx::parameterRequestLength
        && hasHead (data, ZKSysEx::parameterRequestCommand, ZKSysEx::parameterRequestTail))
    {
        if (const auto index = getIndex(); slot < numberOfSlots && index < imageLength)
            answerRequest (slot, index);
    }
    else if (size == ZKSysEx::parameterWriteLength
             && hasHead (data, ZKSysEx::parameterWriteCommand, ZKSysEx::parameterWriteTail))
    {
        const auto index = getIndex();

        if (slot < numberOfSlots && index < imageLength && faults.droppedWrites.count (index) == 0)
        {
            slots[(size_t) slot].set (index, data[ZKSysEx::writeValuePosition]);
            markDirty();
        }

        // A Send or a Live Edit selects the slot it writes, as the controller's own slot choice would.
        if (slot < numberOfSlots)
            activeSlot = slot;
    }
    else if (size == ZKSysEx::syncCommandLength && hasHead (data, ZKSysEx::syncCommand, ZKSysEx::syncTail)
             && data[ZKSysEx::headLength] == ZKSysEx::syncSubCommand)
    {
        const auto mode = data[ZKSysEx::syncModePosition];

        if (mode == ZKSysEx::internalSync || mode == ZKSysEx::externalSync)
        {
            externalSync = (mode == ZKSysEx::externalSync);
            ++numSyncCommands;
        }
    }
}

void VirtualController::answerRequest (int slot, int index)
{
    ++requestCount;

    if (faults.dropEveryNthReply > 0 && requestCount % faults.dropEveryNthReply == 0)
        return;

    if (faults.droppedIndexes.count (index) > 0 || faults.silentSlots.count (slot) > 0)
        return;

    MessageGroup group;

    if (faults.messagesBeforeEachReply != nullptr)
        group = faults.messagesBeforeEachReply();

    const auto reply = ZKSysEx::createParameterReply (deviceId, index, slots[(size_t) slot][index]);
    group.push_back (reply);

    if (faults.duplicateReplies
        || (faults.duplicateEveryNthReply > 0 && requestCount % faults.duplicateEveryNthReply == 0))
        group.push_back (reply);

    const auto dueTime = now() + faults.replyDelayMs;

    if (faults.reorderBlockSize > 1)
    {
        if (reorderBatch.empty())
            reorderFlushTime = dueTime + reorderFlushMs;

        reorderBatch.push_back (group);

        if ((int) reorderBatch.size() >= faults.reorderBlockSize)
            flushReorderBatch();
    }
    else
    {
        enqueue (group, dueTime);
    }

    notify();
}

void VirtualController::enqueue (const MessageGroup& group, double dueTime)
{
    // Never earlier than what is already waiting: replies leave in the order they were made.
    if (! pending.empty())
        dueTime = juce::jmax (dueTime, pending.back().dueTime);

    for (const auto& message : group)
        pending.push_back ({ message, dueTime });
}

void VirtualController::flushReorderBatch()
{
    const auto dueTime = now() + faults.replyDelayMs;

    for (auto group = reorderBatch.rbegin(); group != reorderBatch.rend(); ++group)
        enqueue (*group, dueTime);

    reorderBatch.clear();
    notify();
}

void VirtualController::markDirty()
{
    if (! slotFileUsable || dirty)
        return;

    // The deadline is set by the first unsaved write only: a steady stream of writes must not
    // push the save back for ever.
    dirty = true;
    saveTime = now() + saveDelayMs;
    notify();
}

bool VirtualController::isDirty() const
{
    const juce::ScopedLock sl (stateLock);
    return dirty;
}

//==============================================================================
void VirtualController::run()
{
    while (! threadShouldExit())
    {
        MessageGroup due;
        bool shouldSave = false;
        double nextWake = now() + idleWaitMs;

        {
            const juce::ScopedLock sl (stateLock);
            const auto time = now();

            if (! reorderBatch.empty() && time >= reorderFlushTime)
                flushReorderBatch();

            while (! pending.empty() && pending.front().dueTime <= time)
            {
                due.push_back (pending.front().message);
                pending.pop_front();
            }

            shouldSave = dirty && time >= saveTime;

            if (! pending.empty())
                nextWake = juce::jmin (nextWake, pending.front().dueTime);

            if (! reorderBatch.empty())
                nextWake = juce::jmin (nextWake, reorderFlushTime);

            if (dirty)
                nextWake = juce::jmin (nextWake, saveTime);
        }

        deliver (due);

        if (shouldSave)
            saveSlots(); // a failed one moves its next try saveRetryDelayMs ahead

        if (due.empty() && ! shouldSave)
        {
            const auto waitMs = nextWake - now();

            if (waitMs > 0)
                wait ((int) std::ceil (waitMs));
        }
    }
}

void VirtualController::deliver (const MessageGroup& messages)
{
    if (messages.empty())
        return;

    const juce::ScopedLock sl (deliveryLock);

    for (const auto& message : messages)
    {
        // Unplugging while replies are under way loses them.
        if (! isPlugged())
            return;

        for (auto* input : inputs)
            input->deliver (message);
    }
}

void VirtualController::addInput (VirtualInput* input)
{
    const juce::ScopedLock sl (deliveryLock);
    inputs.add (input);
}

void VirtualController::removeInput (VirtualInput* input)
{
    const juce::ScopedLock sl (deliveryLock);
    inputs.removeFirstMatchingValue (input);
}

//==============================================================================
bool VirtualController::saveSlots()
{
    if (! slotFileUsable)
        return false;

    const juce::ScopedLock saving (saveLock);
    std::vector<juce::Array<juce::uint8>> copy;

    {
        const juce::ScopedLock sl (stateLock);
        copy = slots;

        // A write from here on makes the slots dirty again, with a deadline of its own.
        dirty = false;
        ++numSaveAttempts;
    }

    juce::String firstFailure;

    if (slotFile.save (copy, &firstFailure))
        return true;

    if (firstFailure.isNotEmpty())
    {
        const juce::ScopedLock sl (saveFailureLock);

        if (saveFailureListener != nullptr)
            saveFailureListener (firstFailure);
    }

    // Tried again later, not at once: a full disk stays full for a while.
    const juce::ScopedLock sl (stateLock);
    dirty = true;
    saveTime = now() + saveRetryDelayMs;
    return false;
}

void VirtualController::setSaveFailureListener (std::function<void (const juce::String& message)> listener)
{
    const juce::ScopedLock sl (saveFailureLock);
    saveFailureListener = std::move (listener);
}

int VirtualController::getNumSaveAttempts() const
{
    const juce::ScopedLock sl (stateLock);
    return numSaveAttempts;
}
