#pragma once

#include "engine/MidiManager.h"
#include "engine/TransferQueue.h"
#include "engine/ZKEditorEngine.h"

#include <functional>
#include <vector>

/** One exchange of a preset with the controller, run by the MIDI manager's transfer queue: a Get
    (also the read of a slot for a Send's read-back, a backup or a comparison, or of its name
    alone), a Send, the write of a Live Edit, a rename or a whole slot, or a sync command, with the requests, writes, pacing and retries of the protocol.
    What it reads from a slot, and what it writes and reads back, goes into the manager's
    SlotMemory; a write that may have left a slot unknown forgets it.

    Everything it sends is fixed when it is made: the slot, the pacing and, for a Send, a copy of
    the image. On the queue's thread it only sends, waits and collects; while a Get listens, the
    replies reach it on the MIDI input thread. Its end is told on the message thread through
    onFinished, where its owner loads what it collected. The reads live in PresetTransfer.cpp, the
    writes into a slot in PresetTransferWrites.cpp. */
class PresetTransfer
    : public TransferQueue::Job
    , private MidiManager::MidiManagerListener
{
public:
    using Ptr = juce::ReferenceCountedObjectPtr<PresetTransfer>;
    using Status = ZKEditorEngine::TransferStatus;
    using Kind = Status::Kind;
    using Stage = Status::Stage;

    /** What a transfer does. */
    struct Request
    {
        Kind kind = Kind::none;
        juce::uint8 slot = 0;                  // for a sync command: 1 external, 0 internal
        juce::Array<juce::uint8> image;        // a Send, a slot write: what it writes; a read-back: what was
                                               // sent; a rename: the 16 name bytes
        int id = 0;                            // 0: a new id, unique in the program
        bool verify = false;                   // a Send: read back once written
        bool changesOnly = false;              // a Send: write only what differs from the slot as known
        bool readFirst = false;                // a Send: read the slot first, to write only what differs
        juce::Array<int> written;              // a read-back: the indexes its Send wrote, when changesOnly
        juce::Array<juce::uint8> readByCaller; // a slot write: the slot as its caller read it just before
    };

    PresetTransfer (MidiManager& manager, juce::uint8 deviceId, int imageLength, const ZKEditorEngine::Pacing& pacing,
                    Request request);

    /** Told once on the message thread when the transfer is over (completed, failed or cancelled).
        What the function holds is let go only after it has returned: a Send's owner keeps itself
        alive through it, so that closing its window does not leave a slot half written. */
    std::function<void (PresetTransfer&)> onFinished;

    //==============================================================================
    void run (TransferQueue& queue) override;
    void finished() override;
    bool writesToTheController() const override { return writesToTheController (kind); }

    /** Whether transfers of that kind write into a slot. */
    static bool writesToTheController (Kind kind)
    {
        return kind == Kind::send || kind == Kind::liveEdit || kind == Kind::rename || kind == Kind::slotWrite;
    }

    /** Message thread: the owner is going; the transfer no longer reports to it. */
    void detach() { onFinished = nullptr; }

    /** Returns once the first round of requests of a Get is out, or once it waits for an earlier
        Get's replies, or is over. */
    void waitForFirstRound() { firstRound.wait(); }

    Kind getKind() const noexcept { return kind; }
    bool readsFirst() const noexcept { return readFirst; }
    Stage getStage() const noexcept { return stage.load(); }
    int getId() const noexcept { return id; }

    /** Whether a failed Get found the ports closed or the devices gone rather than a silent slot. */
    bool lostTheController() const noexcept { return controllerLost.load(); }

    Status getStatus() const;

    /** The image a Send writes: the preset as it was when the Send started; for a read-back, the
        image that was sent. */
    juce::Array<juce::uint8> getImageToSend() const;

    /** Live Edit, message thread: the image to bring the slot to, replacing the one given before,
        while this write waits for its turn (the last value of a byte wins). False once it has
        started: the new image then needs a write of its own. */
    bool replaceImageWhileWaiting (const juce::Array<juce::uint8>& newImage);

    /** The image indexes a Send or a Live Edit wrote, in the order written. */
    juce::Array<int> getWrittenIndexes() const;

    /** Live Edit, a rename, a slot write: the written bytes whose read-back did not come or did not match. */
    juce::Array<int> getUnconfirmedIndexes() const;

    /** The image collected by a completed Get. */
    juce::Array<juce::uint8> getCollectedImage() const;

    /** The 16 name bytes collected by a completed name read. */
    juce::Array<juce::uint8> getCollectedName() const;

private:
    //==============================================================================
    /** MIDI input thread: one message while this Get listens. */
    void midiMessageReceived (const juce::MidiMessage& message) override;

    bool sleepUntil (double deadlineMs);
    bool checkDevices();
    Stage runGet (TransferQueue& queue) { return runRead (queue, firstIndexes (imageLength), pacing.maxRetries); }
    Stage runRead (TransferQueue& queue, const juce::Array<int>& indexes, int maxRetries);
    Stage runSend (TransferQueue& queue);
    Stage runLiveEdit (TransferQueue& queue);
    Stage runRename (TransferQueue& queue);
    Stage runSlotWrite (TransferQueue& queue);

    /** Reads the whole slot before a write, into known; a completed read is remembered. */
    Stage readWholeSlot (TransferQueue& queue, juce::Array<juce::uint8>& known);

    Stage writeBytes (const juce::Array<juce::uint8>& target, const juce::Array<int>& indexes);

    /** Writes those bytes of the target and reads each of them back: completed only when every
        one reads back as written. The slot is forgotten from the first write; its caller
        remembers what a confirmed write leaves there. */
    Stage writeAndConfirm (TransferQueue& queue, const juce::Array<juce::uint8>& target,
                           const juce::Array<int>& indexes, int readBackRetries);

    /** Writes and confirms the bytes of the target that differ from what the slot is known to
        hold, and remembers the target once it is confirmed. */
    Stage writeChanges (TransferQueue& queue, const juce::Array<juce::uint8>& known,
                        const juce::Array<juce::uint8>& target, int readBackRetries);

    /** The indexes 0 to count - 1: a whole image, or the name at its start. */
    static juce::Array<int> firstIndexes (int count);

    /** The bytes a write sends: those that differ from what the slot holds, all when that is unknown. */
    juce::Array<int> indexesToWrite (const juce::Array<juce::uint8>& known,
                                     const juce::Array<juce::uint8>& target) const;
    bool isCollectionComplete() const;
    double getLastReplyAt() const;

    //==============================================================================
    MidiManager& manager;
    const Kind kind;
    const juce::uint8 slot;
    const int id;
    const bool verify;
    const bool changesOnly;
    const bool readFirst;
    const juce::uint8 deviceId;
    const int imageLength;
    const ZKEditorEngine::Pacing pacing;

    // Fixed once run() starts; before that, Live Edit may replace it on the message thread.
    mutable juce::CriticalSection imageLock;
    juce::Array<juce::uint8> image;
    juce::Array<int> writtenIndexes, unconfirmedIndexes;
    const juce::Array<juce::uint8> readByCaller;
    std::atomic<int> total{ 0 };
    std::atomic<bool> changesOnlyWritten{ false };
    std::atomic<bool> readingFirst{ false };
    std::atomic<bool> countingReads{ true }; // false while a write reads back: done counts the writes

    std::atomic<Stage> stage{ Stage::waiting };
    std::atomic<int> done{ 0 };
    std::atomic<int> retries{ 0 };
    std::atomic<bool> controllerLost{ false };
    juce::WaitableEvent firstRound{ true };

    // Filled on the MIDI input thread, reset on the transfer thread.
    juce::CriticalSection receiveLock;
    juce::Array<juce::uint8> receiveBuffer;
    std::vector<bool> indexReceived, indexRequested;
    int numIndexesReceived = 0;
    int numIndexesRequested = 0;
    bool collecting = false;
    bool collectionComplete = false;
    int repliesCounted = 0;
    double firstReplyAt = 0;
    double lastReplyAt = 0;

    JUCE_DECLARE_NON_COPYABLE (PresetTransfer)
};
