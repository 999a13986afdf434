#pragma once

#include "engine/MidiDeviceLayer.h"
#include "engine/VirtualControllerSlotFile.h"
#include "engine/ZKSysEx.h"
#include "model/ZKMModel.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <functional>
#include <set>
#include <vector>

/** An emulation of the controller, offered as a device layer with one input and one output named
    "ZKM Virtual Controller", so that Get and Send can be tried without hardware.

    It keeps 24 preset slots, each starting as the embedded default preset. It answers every
    parameter request with a parameter reply, in order and after a short delay, on a thread of its
    own; it stores every parameter write in its slot; it accepts the sync command and remembers the
    mode; it ignores anything malformed. Faults (see Faults) can be injected to see how the editor
    copes with a controller that misbehaves.

    Given a file, it loads its slots from there when the file exists (24 x 465 bytes, slot 0 first)
    and saves them back as a whole, at most saveDelayMs after the first unsaved write and when it
    is destroyed (see VirtualControllerSlotFile for the files it refuses and its lock). A failed
    save is said on the standard error output, and to the save failure listener, and tried again
    after saveRetryDelayMs; port calls never wait for the disk.

    Its ports must not outlive it. */
class VirtualController
    : public MidiDeviceLayer
    , private juce::Thread
{
public:
    static constexpr int numberOfSlots = ZKMModel::numberOfSlots;
    static constexpr int imageLength = ZKMModel::imageLength;
    static constexpr juce::uint8 deviceId = ZKMModel::deviceId;
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

    //==============================================================================
    /** The slot whose preset playing the controller uses (0 to 23): the one chosen last, or the
        last one that a parameter write arrived for. */
    int getActiveSlot() const noexcept { return activeSlot.load(); }

    /** Chooses the slot that playing uses; a slot that does not exist is ignored. */
    void setActiveSlot (int slot);

    /** Delivers a message to the inputs opened on the controller, as if one of its controls had
        been played: on the controller's thread, after the replies already waiting; lost while it
        is unplugged. */
    void play (const juce::MidiMessage& message);

    //==============================================================================
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

    /** Whether the file given at construction was refused because another controller, in this
        program or another, uses it. */
    bool foundSlotFileInUse() const noexcept { return slotFile.wasFoundInUse(); }

    /** How many saves were tried, successful or not. */
    int getNumSaveAttempts() const;

    /** Told once per run of failed saves, on the thread that saved (the controller's own, or the
        one that destroys it), with what the user is to read
        (VirtualControllerSlotFile::getSaveFailureMessage); told again only after a save succeeded
        in between. Once replaced or cleared, the old one is never called again. */
    void setSaveFailureListener (std::function<void (const juce::String& message)> listener);

    //==============================================================================
    /** How the controller misbehaves; as constructed, it behaves well. Counts of requests run over
        the controller's whole life. */
    struct Faults
    {
        /** How long a reply takes to come back. */
        int replyDelayMs = defaultReplyDelayMs;

        /** Leaves every n-th request unanswered; 0 answers all. */
        int dropEveryNthReply = 0;

        /** Requests for these image indexes are never answered. */
        std::set<int> droppedIndexes;

        /** Writes to these image indexes are ignored in any slot: the controller keeps the old byte. */
        std::set<int> droppedWrites;

        /** Requests for these slots (0 to 23) are never answered. */
        std::set<int> silentSlots;

        /** Sends every reply twice. */
        bool duplicateReplies = false;

        /** Sends the reply to every n-th request twice; 0 duplicates none. */
        int duplicateEveryNthReply = 0;

        /** Sends the replies in blocks of that size, each block in reverse order; 0 or 1 keeps the
            order. A block that stays incomplete goes out a little after its first reply was due. */
        int reorderBlockSize = 0;

        /** When set, makes the messages that go out before every reply, such as unrelated MIDI or
            garbage SysEx. Called with the controller's state locked, on the thread that sent the
            request. */
        std::function<std::vector<juce::MidiMessage>()> messagesBeforeEachReply;
    };

    /** Replaces every fault at once; replies held back for reordering go out. */
    void setFaults (const Faults& faults);

    Faults getFaults() const;

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
    bool isDirty() const;

    //==============================================================================
    VirtualControllerSlotFile slotFile;
    bool slotFileUsable = false;

    // Held for a whole save, so that two saves never overtake each other; the state lock is held
    // only to copy the slots, never while the disk is written.
    juce::CriticalSection saveLock;

    // Guards the listener and is held while it is told.
    juce::CriticalSection saveFailureLock;
    std::function<void (const juce::String&)> saveFailureListener;

    // Guards everything below up to the delivery lock.
    juce::CriticalSection stateLock;
    std::vector<juce::Array<juce::uint8>> slots;
    bool externalSync = false;
    int numSyncCommands = 0;
    std::vector<juce::MidiMessage> receivedMessages;
    bool plugged = true;
    std::atomic<int> activeSlot{ 0 };

    std::deque<PendingMessage> pending;
    std::vector<MessageGroup> reorderBatch;
    double reorderFlushTime = 0;

    bool dirty = false;
    double saveTime = 0;
    int numSaveAttempts = 0;

    Faults faults;
    juce::int64 requestCount = 0;

    // Held while a message is handed to an input, so that a destroyed input is never called again.
    juce::CriticalSection deliveryLock;
    juce::Array<VirtualInput*> inputs;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualController)
};
