#pragma once

#include "engine/MidiDeviceLayer.h"
#include "engine/ZKSysEx.h"

#include <algorithm>
#include <deque>
#include <set>
#include <vector>

/** An emulation of the controller, offered as a device layer with one input and one output named
    "ZKM Virtual Controller", so that Get and Send can be tried without hardware.

    It keeps 24 preset slots, each starting as the embedded default preset. It answers every
    parameter request with a parameter reply, in order and after a short delay, on a thread of its
    own; it stores every parameter write in its slot; it accepts the sync command and remembers the
    mode; it ignores anything malformed. Faults can be injected to see how the editor copes with a
    controller that misbehaves.

    Given a file, it loads its slots from there when the file exists (24 x 465 bytes, slot 0 first)
    and saves them back as a whole, at most saveDelayMs after the first unsaved write and when it
    is destroyed. An existing file that is not a slot file is left alone: the slots are then kept
    in memory only, and the standard error output says so. A failed save is said there too and
    tried again after saveRetryDelayMs; port calls never wait for the disk.

    Its ports must not outlive it. */
class VirtualController
    : public MidiDeviceLayer
    , private juce::Thread
{
public:
    static constexpr int numberOfSlots = ZKSysEx::numberOfSlots;
    static constexpr int imageLength = 465;
    static constexpr juce::uint8 deviceId = 0x40;
    static constexpr int defaultReplyDelayMs = 2;

    /** The longest a write waits before the slots are saved. */
    static constexpr int saveDelayMs = 500;

    /** How long a failed save waits before it is tried again. */
    static constexpr int saveRetryDelayMs = 2000;

    /** The name of both its input and its output. */
    static const juce::String deviceName;

    //==============================================================================
    /** Slots kept in memory only. */
    VirtualController();

    /** Slots loaded from and saved to that file. */
    explicit VirtualController (const juce::File& slotFile);

    ~VirtualController() override;

    //==============================================================================
    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<Input> openInput (int index, juce::MidiInputCallback& callback) override;
    std::unique_ptr<Output> openOutput (int index) override;

    //==============================================================================
    /** The 465 image bytes of a slot (0 to 23); empty for a slot that does not exist. */
    juce::Array<juce::uint8> getSlot (int slot) const;

    /** Replaces the image of a slot, as if it had been written byte by byte. */
    void setSlot (int slot, const juce::Array<juce::uint8>& image);

    bool isExternalSync() const;
    int getNumSyncCommands() const;

    /** Every message that reached the controller while plugged in, in order, malformed ones too. */
    std::vector<juce::MidiMessage> getReceivedMessages() const;
    void clearReceivedMessages();

    /** Replies produced but not yet delivered. */
    int getNumPendingReplies() const;

    /** Writes the slots to the slot file now; false without a usable file or when writing failed. */
    bool saveSlots();

    /** Whether the slots are kept in the file given at construction: false without a file and for
        a file that is not a slot file. */
    bool keepsSlotsInFile() const noexcept { return slotFileUsable; }

    /** How many saves were tried, successful or not. */
    int getNumSaveAttempts() const;

    //==============================================================================
    /** How long a reply takes to come back. */
    void setReplyDelayMs (int delayMs);

    /** Leaves every n-th request unanswered (counted over the controller's life); 0 answers all. */
    void setDropEveryNthReply (int n);

    /** Never answers requests for that image index. */
    void addDroppedIndex (int index);

    /** Ignores the writes to that image index in any slot: the controller keeps the old byte. */
    void addDroppedWrite (int index);

    /** Never answers requests for that slot (0 to 23). */
    void addSilentSlot (int slot);

    /** Sends every reply twice. */
    void setDuplicateReplies (bool shouldDuplicate);

    /** Sends the reply to every n-th request twice (counted over the controller's life, as the
        dropped ones are); 0 duplicates none. */
    void setDuplicateEveryNthReply (int n);

    /** Sends the replies in blocks of that size, each block in reverse order; 0 or 1 keeps the order.
        A block that stays incomplete goes out a little after its first reply was due. */
    void setReorderBlockSize (int blockSize);

    /** Puts unrelated MIDI (channel messages, real-time bytes, SysEx that is not a reply) before
        every reply. */
    void setUnrelatedMessagesBetweenReplies (bool shouldInterleave);

    /** Puts that many SysEx messages of random length and content before every reply; some start
        like a reply of this controller. The same seed gives the same garbage. */
    void setGarbageSysExBetweenReplies (int messagesPerReply, juce::int64 seed = 1);

    /** Back to a well-behaved controller. */
    void clearFaults();

    /** While unplugged its names vanish from the lists, its ports go dead and replies are lost. */
    void unplug();
    void replug();
    bool isPlugged() const;

private:
    //==============================================================================
    class VirtualInput;
    class VirtualOutput;

    struct PendingMessage
    {
        juce::MidiMessage message;
        double dueTime = 0;
    };

    using MessageGroup = std::vector<juce::MidiMessage>;

    //==============================================================================
    void run() override;

    void receive (const juce::MidiMessage& message);
    void answerRequest (int slot, int index);
    void enqueue (const MessageGroup& group, double dueTime);
    void flushReorderBatch();
    void markDirty();
    void deliver (const MessageGroup& messages);
    void addInput (VirtualInput* input);
    void removeInput (VirtualInput* input);
    bool loadSlots();
    bool isDirty() const;

    static MessageGroup createUnrelatedMessages();
    MessageGroup createGarbageSysEx();

    //==============================================================================
    const juce::File slotFile;
    bool slotFileUsable = false;

    // Held for a whole save, so that two saves never overtake each other; the state lock is held
    // only to copy the slots, never while the disk is written.
    juce::CriticalSection saveLock;

    // Guards everything below up to the delivery lock.
    juce::CriticalSection stateLock;
    std::vector<juce::Array<juce::uint8>> slots;
    bool externalSync = false;
    int numSyncCommands = 0;
    std::vector<juce::MidiMessage> receivedMessages;
    bool plugged = true;

    std::deque<PendingMessage> pending;
    std::vector<MessageGroup> reorderBatch;
    double reorderFlushTime = 0;

    bool dirty = false;
    double saveTime = 0;
    int numSaveAttempts = 0;
    bool saveFailureReported = false;

    int replyDelayMs = defaultReplyDelayMs;
    int dropEveryNth = 0;
    std::set<int> droppedIndexes;
    std::set<int> droppedWrites;
    std::set<int> silentSlots;
    bool duplicateReplies = false;
    int duplicateEveryNth = 0;
    int reorderBlockSize = 0;
    bool interleaveUnrelated = false;
    int garbagePerReply = 0;
    juce::Random garbageRandom;
    juce::int64 requestCount = 0;

    // Held while a message is handed to an input, so that a destroyed input is never called again.
    juce::CriticalSection deliveryLock;
    juce::Array<VirtualInput*> inputs;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualController)
};
