#include "engine/ZKEditorEngine.h"

#include "engine/ZKSysEx.h"
#include "model/ListenerWalk.h"
#include "model/ZKControlsToMidiDin.h"
#include "model/ZKKeybed.h"
#include "model/ZKKnob.h"
#include "model/ZKPad.h"
#include "model/ZKPresetName.h"
#include "model/ZKRollMode.h"
#include "model/ZKSustain.h"
#include "model/ZKSwitch.h"
#include "model/ZKTransport.h"
#include "model/ZKWheels.h"

#include <iostream>
#include <iterator>

namespace
{
// The image ends with the banks of knobs, pads and switches, whose sizes an engine is given, and the
// MIDI-to-DIN flags.
constexpr int firstBankOffset = PresetLayout::getFirstOffset (Knob);
constexpr int bankBlockLength = PresetLayout::getBlockLength (Knob);

static_assert (PresetLayout::getBlockLength (Pad) == bankBlockLength
                   && PresetLayout::getBlockLength (Switch) == bankBlockLength,
               "knobs, pads and switches share one block length");
static_assert (PresetLayout::getFirstOffset (MidiToDin)
                   == PresetLayout::getOffset (Switch, PresetLayout::getCount (Switch)),
               "the MIDI-to-DIN flags follow the last switch");

// About a quarter of a second of writes at the default pacing; listing the devices takes far less.
constexpr int writesBetweenDeviceChecks = 32;

// How often the listeners hear of a transfer's progress.
constexpr int progressIntervalMs = 30;

double now() { return juce::Time::getMillisecondCounterHiRes(); }

/** When the next of a series of messages may go: a gap after the last one went out (measured as
    it began to go, so the time spent sending does not add up over 465 messages). A thread that
    wakes late moves the rest of the series on from there rather than catching up in a burst that
    the controller cannot take. */
class MessagePacer
{
public:
    MessagePacer (double startMs, int gapMs)
        : next (startMs)
        , gap (gapMs)
    {
    }

    double getNextTime() const noexcept { return next; }

    /** Just before a message goes out. */
    void messageGoes() { next = juce::jmax (next, now()) + gap; }

private:
    double next;
    const int gap;
};

// Transfer ids are unique in the program, so that a job never mistakes another engine's transfer
// for its own either.
std::atomic<int> lastTransferId{ 0 };
} // namespace

//==============================================================================
ZKEditorEngine::ZKEditorEngine (juce::uint8 deviceIdToUse, MidiManager* midiManagerToUse, juce::String filePatternToUse,
                                juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum, int numKnobsToUse,
                                int numPadsToUse, int numSwitchesToUse)
    : deviceId (deviceIdToUse)
    , midiManager (midiManagerToUse)
    , filePattern (filePatternToUse)
    , numKnobs (numKnobsToUse)
    , numPads (numPadsToUse)
    , numSwitches (numSwitchesToUse)
    , imageLength (firstBankOffset + bankBlockLength * (numKnobsToUse + numPadsToUse + numSwitchesToUse)
                   + ZKControlsToMidiDin::blockLength)
    , dumpLength (imageLength + ZKSysEx::dumpFrameLength)
{
    jassert (midiManager != nullptr);
    createControls (splitPointMaximum, octaveMaximum);
}

void ZKEditorEngine::createControls (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum)
{
    // The blocks follow one another in the order of the layout; the banks have as many controls as
    // this engine was given.
    auto createControl = [&] (ControlType type, int offset) -> Control*
    {
        switch (type)
        {
            case PresetName:
                return new ZKPresetName();
            case Keybed:
                return new ZKKeybed (splitPointMaximum, octaveMaximum);
            case Transport:
                return new ZKTransport (offset);
            case RollMode:
                return new ZKRollMode();
            case Wheels:
                return new ZKWheels();
            case Sustain:
                return new ZKSustain();
            case Switch:
                return new ZKSwitch (offset);
            case Knob:
                return new ZKKnob (offset);
            case Pad:
                return new ZKPad (offset);
            case MidiToDin:
                return new ZKControlsToMidiDin (offset);
        }

        return nullptr;
    };

    int offset = 0;

    for (const auto& block : PresetLayout::blocks)
    {
        const auto type = block.type;
        const auto count = type == Knob ? numKnobs : type == Pad ? numPads : type == Switch ? numSwitches : block.count;
        auto& group = (controls[type] = {});

        for (int i = 0; i < count; ++i, offset += block.blockLength)
            group.add (createControl (type, offset));
    }
}

//==============================================================================
juce::OwnedArray<Control>& ZKEditorEngine::getControls (int controlType) { return controls[controlType]; }

void ZKEditorEngine::setParameter (int controlType, juce::String parameterName, juce::uint8 value)
{
    auto found = controls.find (controlType);

    if (found == controls.end() || found->second.isEmpty())
        return;

    found->second.getFirst()->setValue (parameterName, value, false);
}

bool ZKEditorEngine::editParameter (int controlType, int controlIndex, const juce::String& parameterName,
                                    juce::uint8 value, Control::Listener* writer)
{
    auto* control = getControls (controlType)[controlIndex];

    if (control == nullptr)
        return false;

    const auto oldValue = control->getValue (parameterName);

    // An unchanged byte (a list answering a load with the entry it was given) is no edit, and no
    // one needs to hear of it.
    if (oldValue == value)
        return true;

    if (! control->setValueFromUser (parameterName, value, writer))
        return false;

    const ParameterEdit edit{ controlType, controlIndex, parameterName, oldValue, value };

    ListenerWalk::newestFirst (editListeners, [&] (auto* listener) { listener->parameterEdited (edit); });

    return true;
}

int ZKEditorEngine::editParameters (const juce::String& actionName, const juce::Array<ParameterEdit>& edits)
{
    const auto listenersAtStart = editListeners;

    for (auto* listener : listenersAtStart)
        if (editListeners.contains (listener))
            listener->editGroupStarted();

    int numChanged = 0;

    for (const auto& edit : edits)
    {
        auto* control = getControls (edit.controlType)[edit.controlIndex];

        if (control == nullptr || control->getValue (edit.parameterName) == edit.newValue)
            continue;

        if (editParameter (edit.controlType, edit.controlIndex, edit.parameterName, edit.newValue, nullptr))
            ++numChanged;
    }

    for (auto* listener : listenersAtStart)
        if (editListeners.contains (listener))
            listener->editGroupEnded (actionName);

    return numChanged;
}

void ZKEditorEngine::addEditListener (EditListener* listener)
{
    if (listener != nullptr)
        editListeners.addIfNotAlreadyThere (listener);
}

void ZKEditorEngine::removeEditListener (EditListener* listener) { editListeners.removeFirstMatchingValue (listener); }

juce::String ZKEditorEngine::getFilePattern() const { return filePattern; }

int ZKEditorEngine::getPresetDataSize() const noexcept { return dumpLength; }

//==============================================================================
juce::Array<juce::uint8> ZKEditorEngine::createDump (juce::uint8 command, juce::uint8 slot,
                                                     const juce::Array<juce::uint8>& image) const
{
    auto dump = ZKSysEx::createHead (deviceId, command, ZKSysEx::presetDumpTail[0], ZKSysEx::presetDumpTail[1]);
    dump.add (slot);
    dump.addArray (image);
    dump.add (ZKSysEx::endOfExclusive);
    return dump;
}

juce::Array<juce::uint8> ZKEditorEngine::createPresetData (juce::uint8 slot)
{
    juce::Array<juce::uint8> image;
    image.insertMultiple (0, 0, imageLength);

    // Every block goes to its own offset; together they cover the image without gaps.
    for (auto& [type, controlsOfType] : controls)
    {
        juce::ignoreUnused (type);

        for (auto* control : controlsOfType)
        {
            const auto block = control->getValues();

            for (int i = 0; i < block.size(); ++i)
                if (juce::isPositiveAndBelow (control->getOffset() + i, imageLength))
                    image.set (control->getOffset() + i, block.getUnchecked (i));
        }
    }

    return createDump (ZKSysEx::presetDumpCommand, slot, image);
}

void ZKEditorEngine::loadPresetData (const juce::Array<juce::uint8>& presetData)
{
    // The head and the closing byte are dropped unseen: a file is judged by its size alone.
    juce::Array<juce::uint8> image (presetData);
    image.removeRange (0, ZKSysEx::dumpImageOffset);

    if (! image.isEmpty())
        image.removeLast();

    for (int type = PresetName; type <= MidiToDin; ++type)
        for (auto* control : controls[type])
            control->loadFromImage (image);
}

juce::Array<juce::uint8> ZKEditorEngine::readPresetFileImage (const juce::File& file) const
{
    // The size decides before anything is read, so a large file is never loaded into memory.
    if (! file.existsAsFile() || file.getSize() != dumpLength)
        return {};

    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        return {};

    juce::Array<juce::uint8> data;
    data.insertMultiple (0, 0, dumpLength);

    if (stream.read (data.getRawDataPointer(), dumpLength) != dumpLength)
        return {};

    // A byte above 127 cannot travel in a SysEx message, so such a preset could never be sent.
    for (int i = ZKSysEx::dumpImageOffset; i < ZKSysEx::dumpImageOffset + imageLength; ++i)
        if (data.getUnchecked (i) > ZKSysEx::maximumDataByte)
            return {};

    data.removeRange (0, ZKSysEx::dumpImageOffset);
    data.removeLast();
    return data;
}

juce::Result ZKEditorEngine::checkPresetFileFrame (const juce::File& file) const
{
    juce::MemoryBlock data;

    if (! file.existsAsFile() || file.getSize() != dumpLength || ! file.loadFileAsData (data)
        || (int) data.getSize() != dumpLength)
        return juce::Result::fail ("it is not a file of " + juce::String (dumpLength) + " bytes");

    const auto* bytes = static_cast<const juce::uint8*> (data.getData());
    const auto head = ZKSysEx::createHead (deviceId, ZKSysEx::presetDumpCommand, ZKSysEx::presetDumpTail[0],
                                           ZKSysEx::presetDumpTail[1]);
    const auto hexOf = [&head] (int start, int end)
    {
        juce::StringArray hex;

        for (int i = start; i < end; ++i)
            hex.add (juce::String::toHexString ((int) head[i]).paddedLeft ('0', 2).toUpperCase());

        return hex.joinIntoString (" ");
    };

    constexpr int makerStart = 1;
    const auto makerEnd = makerStart + (int) std::size (ZKSysEx::manufacturerId);

    if (bytes[0] != ZKSysEx::startOfExclusive)
        return juce::Result::fail ("it does not begin with F0");

    if (! std::equal (head.begin() + makerStart, head.begin() + makerEnd, bytes + makerStart))
        return juce::Result::fail ("its maker's bytes are not " + hexOf (makerStart, makerEnd));

    // The embedded default preset carries another command byte; files made from it are presets too.
    auto modelBytes = juce::Array<juce::uint8> (bytes + makerEnd, head.size() - makerEnd);
    const auto commandIndex = ZKSysEx::commandPosition - makerEnd;

    if (modelBytes[commandIndex] == ZKSysEx::defaultPresetDumpCommand)
        modelBytes.set (commandIndex, ZKSysEx::presetDumpCommand);

    if (! std::equal (head.begin() + makerEnd, head.end(), modelBytes.begin()))
        return juce::Result::fail ("its model's bytes are not " + hexOf (makerEnd, head.size())
                                   + " (those of this model's preset dump)");

    if (bytes[dumpLength - 1] != ZKSysEx::endOfExclusive)
        return juce::Result::fail ("it does not end with F7");

    return juce::Result::ok();
}

bool ZKEditorEngine::loadPresetFile (const juce::File& file)
{
    const auto image = readPresetFileImage (file);

    if (image.isEmpty())
        return false;

    loadPresetData (createDump (ZKSysEx::presetDumpCommand, 0, image));
    return true;
}

juce::Array<juce::uint8> ZKEditorEngine::createPresetData (juce::uint8 slot,
                                                           const juce::Array<juce::uint8>& image) const
{
    return createDump (ZKSysEx::presetDumpCommand, slot, image);
}

//==============================================================================
/** One exchange of this engine with the controller, run by the MIDI manager's transfer queue.

    Everything it sends is fixed when it is made: the slot, the pacing and, for a Send, a copy of
    the image. On the queue's thread it only sends, waits and collects; the controls are loaded by
    the engine on the message thread once the transfer is over. A Send holds its engine, so that
    closing the window does not leave a slot half written; a Get is cancelled with its engine. */
class ZKEditorEngine::Transfer : public TransferQueue::Job
{
public:
    using Ptr = juce::ReferenceCountedObjectPtr<Transfer>;
    using Kind = TransferStatus::Kind;
    using Stage = TransferStatus::Stage;

    Transfer (ZKEditorEngine& engineToUse, Kind kindToUse, juce::uint8 slotToUse, juce::Array<juce::uint8> imageToSend,
              int idToUse, bool verifyToUse)
        : owner (&engineToUse)
        , engine (engineToUse)
        , manager (*engineToUse.midiManager)
        , kind (kindToUse)
        , slot (slotToUse)
        , id (idToUse)
        , verify (verifyToUse)
        , deviceId (engineToUse.deviceId)
        , imageLength (engineToUse.imageLength)
        , pacing (engineToUse.pacing)
        , image (std::move (imageToSend))
    {
        if (kind == Kind::send)
            keepAlive = &engineToUse;
    }

    //==============================================================================
    void run (TransferQueue& queue) override
    {
        Stage outcome = Stage::failed;

        if (kind == Kind::get || kind == Kind::verify || kind == Kind::backup || kind == Kind::compare)
            outcome = runGet (queue);
        else if (kind == Kind::send)
            outcome = runSend();
        else
            outcome = manager.sendMessage (ZKSysEx::createSyncCommand (deviceId, slot != 0)) ? Stage::completed
                                                                                             : Stage::failed;

        stage = outcome;
        firstRound.signal();
    }

    void finished() override
    {
        // The engine may go with the last reference, which a Send holds: it is let go last.
        ZKEditorEngine::Ptr engineToRelease (keepAlive);
        keepAlive = nullptr;

        if (stage == Stage::waiting || stage == Stage::running)
            stage = Stage::cancelled; // taken out of the queue before its turn

        if (owner != nullptr)
            owner->transferFinished (*this);
    }

    //==============================================================================
    bool writesToTheController() const override { return kind == Kind::send; }

    /** Message thread: the engine is going; the transfer no longer reports to it. */
    void detach() { owner = nullptr; }

    /** Returns once the first round of requests of a Get is out, or once it waits for an earlier
        Get's replies, or is over. */
    void waitForFirstRound() { firstRound.wait(); }

    Kind getKind() const noexcept { return kind; }
    Stage getStage() const noexcept { return stage.load(); }
    int getId() const noexcept { return id; }

    /** Whether a failed Get found the ports closed or the devices gone rather than a silent slot. */
    bool lostTheController() const noexcept { return controllerLost.load(); }

    TransferStatus getStatus() const
    {
        TransferStatus status;
        status.kind = kind;
        status.stage = stage.load();
        status.slot = slot;
        status.done = done.load();
        status.total = kind == Kind::sync ? 1 : imageLength;
        status.retries = retries.load();
        status.id = id;
        status.verify = verify;
        return status;
    }

    /** The image a Send writes: the preset as it was when the Send started; for a verify, the
        image that was sent. */
    const juce::Array<juce::uint8>& getImageToSend() const noexcept { return image; }

    /** The image collected by a completed Get. */
    juce::Array<juce::uint8> getCollectedImage() const
    {
        const juce::ScopedLock sl (receiveLock);
        return receiveBuffer;
    }

    /** MIDI input thread: one message while this Get listens. */
    void replyReceived (const juce::MidiMessage& message)
    {
        ZKSysEx::ParameterReply reply;

        if (! ZKSysEx::parseParameterReply (message, reply))
            return;

        bool complete = false;

        {
            const juce::ScopedLock sl (receiveLock);
            ++repliesCounted;
            lastReplyAt = now();

            if (firstReplyAt <= 0)
                firstReplyAt = lastReplyAt;

            if (! collecting || ! juce::isPositiveAndBelow (reply.index, imageLength))
                return;

            receiveBuffer.set (reply.index, reply.value);

            // A repeated reply does not count again: the Get is complete only when every index is in.
            if (! indexReceived[(size_t) reply.index])
            {
                indexReceived[(size_t) reply.index] = true;
                ++numIndexesReceived;
                done = numIndexesReceived;
            }

            if (numIndexesReceived == imageLength)
            {
                collecting = false;
                collectionComplete = true;
                complete = true;
            }
        }

        if (complete)
            wake();
    }

private:
    //==============================================================================
    /** Sleeps until the deadline whatever wakes it meanwhile; false when cancelled. */
    bool sleepUntil (double deadlineMs)
    {
        while (now() < deadlineMs)
            if (! waitUntil (deadlineMs))
                return false;

        return ! isCancelled();
    }

    /** A device that went away may take messages without complaint, and its port stays dead when
        it comes back: the ports are closed so that the device check opens them again. */
    bool checkDevices()
    {
        if (manager.areChosenDevicesPresent())
            return true;

        manager.closePorts();
        return false;
    }

    Stage runGet (TransferQueue& queue)
    {
        // Replies carry no slot: this Get listens only once no reply of an earlier one can come.
        if (queue.isExpectingLateReplies())
            firstRound.signal();

        if (! queue.waitForQuiet (*this))
            return Stage::cancelled;

        stage = Stage::running;
        engine.listeningGet = this;
        manager.addListener (&engine);

        Stage outcome = Stage::failed;
        int requestsSent = 0;
        double firstRequestAt = 0;
        double lastRequestAt = now();

        for (int attempt = 0; attempt <= pacing.maxRetries; ++attempt)
        {
            retries = attempt;

            if (isCancelled())
            {
                outcome = Stage::cancelled;
                break;
            }

            if (! manager.isInputOpen() || ! manager.isOutputOpen() || ! checkDevices())
            {
                controllerLost = true;
                break;
            }

            // A retry keeps what earlier attempts of this Get collected: one exchange runs at a time,
            // so every reply that comes in is of this slot, and a link that loses a few replies in
            // every round still brings the whole preset home. Each attempt still asks for every byte.
            if (attempt == 0)
            {
                const juce::ScopedLock sl (receiveLock);
                receiveBuffer.clearQuick();
                receiveBuffer.insertMultiple (0, 0, imageLength);
                indexReceived.assign ((size_t) imageLength, false);
                numIndexesReceived = 0;
                collectionComplete = false;
                collecting = true;
                done = 0;
            }

            // A request that finds no output is not an error of its own: the reply timeout covers it.
            MessagePacer pacer (now(), pacing.requestGapMs);
            bool cancelled = false;

            for (int index = 0; index < imageLength && ! cancelled; ++index)
            {
                cancelled = ! sleepUntil (pacer.getNextTime());

                if (! cancelled)
                {
                    pacer.messageGoes();
                    manager.sendMessage (ZKSysEx::createParameterRequest (deviceId, slot, index));
                    lastRequestAt = now();

                    if (requestsSent++ == 0)
                        firstRequestAt = lastRequestAt;
                }
            }

            if (cancelled || ! sleepUntil (pacer.getNextTime()))
            {
                outcome = Stage::cancelled;
                break;
            }

            if (attempt == 0)
                firstRound.signal();

            // The reply timeout runs from the last request, or from the last reply while they
            // still come in.
            for (;;)
            {
                if (isCollectionComplete())
                    break;

                const auto deadline = juce::jmax (lastRequestAt, getLastReplyAt()) + pacing.replyTimeoutMs;

                if (now() >= deadline || ! waitUntil (deadline))
                    break;
            }

            if (isCancelled())
            {
                outcome = Stage::cancelled;
                break;
            }

            if (isCollectionComplete())
            {
                outcome = Stage::completed;
                break;
            }
        }

        // A device pulled during the last attempt leaves no attempt after it to notice.
        if (outcome == Stage::failed
            && (! manager.isInputOpen() || ! manager.isOutputOpen() || ! manager.areChosenDevicesPresent()))
            controllerLost = true;

        // Once removeListener returns, the MIDI input thread is done with this transfer.
        manager.removeListener (&engine);
        engine.listeningGet = nullptr;

        {
            // The first reply of a Get answers its first request, which tells how long the
            // controller takes: the last request's reply may come that long after it was sent.
            const juce::ScopedLock sl (receiveLock);
            collecting = false;
            const auto replyTime = firstReplyAt > 0 ? juce::jmax (0.0, firstReplyAt - firstRequestAt) : 0.0;
            queue.expectLateReplies (requestsSent - repliesCounted, juce::jmax (lastRequestAt + replyTime, lastReplyAt),
                                     pacing.replyTimeoutMs);
        }

        return outcome;
    }

    Stage runSend()
    {
        stage = Stage::running;
        MessagePacer pacer (now(), pacing.writeGapMs);

        for (int index = 0; index < imageLength; ++index)
        {
            if (! sleepUntil (pacer.getNextTime()))
                return Stage::cancelled;

            // A device lost halfway leaves the slot partly written: the user must hear of it.
            if (index % writesBetweenDeviceChecks == writesBetweenDeviceChecks - 1 && ! checkDevices())
                return Stage::failed;

            pacer.messageGoes();

            if (! manager.sendMessage (ZKSysEx::createParameterWrite (deviceId, slot, index, image[index])))
            {
                manager.closePorts();
                return Stage::failed;
            }

            done = index + 1;
        }

        // The last writes are checked as well: a device gone by now did not take them all.
        if (! checkDevices())
            return Stage::failed;

        sleepUntil (pacer.getNextTime());
        return Stage::completed;
    }

    bool isCollectionComplete() const
    {
        const juce::ScopedLock sl (receiveLock);
        return collectionComplete;
    }

    double getLastReplyAt() const
    {
        const juce::ScopedLock sl (receiveLock);
        return lastReplyAt;
    }

    //==============================================================================
    ZKEditorEngine* owner;         // message thread; null once the engine is going
    ZKEditorEngine& engine;        // transfer thread; the engine outlives run()
    ZKEditorEngine::Ptr keepAlive; // a Send's engine, let go on the message thread
    MidiManager& manager;
    const Kind kind;
    const juce::uint8 slot; // for a sync command: 1 external, 0 internal
    const int id;
    const bool verify; // a Send: read back once written
    const juce::uint8 deviceId;
    const int imageLength;
    const Pacing pacing;
    const juce::Array<juce::uint8> image;

    std::atomic<Stage> stage{ Stage::waiting };
    std::atomic<int> done{ 0 };
    std::atomic<int> retries{ 0 };
    std::atomic<bool> controllerLost{ false };
    juce::WaitableEvent firstRound{ true };

    // Filled on the MIDI input thread, reset on the transfer thread.
    juce::CriticalSection receiveLock;
    juce::Array<juce::uint8> receiveBuffer;
    std::vector<bool> indexReceived;
    int numIndexesReceived = 0;
    bool collecting = false;
    bool collectionComplete = false;
    int repliesCounted = 0;
    double firstReplyAt = 0;
    double lastReplyAt = 0;
};

//==============================================================================
ZKEditorEngine::~ZKEditorEngine()
{
    // Only a Get can be left here (a Send keeps its engine alive): it is cancelled, and once the
    // queue is done with it the MIDI input thread no longer reaches this engine.
    stopTimer();

    for (auto* transfer : transfers)
        transfer->detach();

    cancelTransfers (TransferStatus::Kind::none);
    midiManager->removeListener (this);
}

//==============================================================================
bool ZKEditorEngine::arePortsOpen() const { return midiManager->isInputOpen() && midiManager->isOutputOpen(); }

ZKEditorEngine::Transfer* ZKEditorEngine::queueTransfer (TransferStatus::Kind kind, juce::uint8 slot,
                                                         juce::Array<juce::uint8> image, int id, bool verify)
{
    if (id == 0)
        id = ++lastTransferId;

    auto* transfer = new Transfer (*this, kind, slot, std::move (image), id, verify); // held by the array below
    transfers.add (transfer);
    midiManager->getTransferQueue().add (transfer);
    startTimer (progressIntervalMs);
    reportProgress();
    return transfer;
}

bool ZKEditorEngine::startGet (juce::uint8 slot)
{
    if (isGetInProgress() || slot >= ZKSysEx::numberOfSlots)
        return false;

    // Without both ports a Get cannot succeed; saying so at once spares the user nine timeouts.
    if (! arePortsOpen())
    {
        reportCommunicationFailure();
        return false;
    }

    std::cout << "number of gets : " << 0 << "\r\n"
              << "starting get"
              << "\r\n"
              << std::flush;

    queueTransfer (TransferStatus::Kind::get, slot, {});
    return true;
}

void ZKEditorEngine::getPreset (juce::uint8 slot)
{
    const bool queueWasIdle =
        ! midiManager->getTransferQueue().hasJob ([] (const TransferQueue::Job&) { return true; });

    if (! startGet (slot))
        return;

    // Behind another exchange, the call does not wait for its turn.
    if (queueWasIdle)
        transfers.getLast()->waitForFirstRound();
}

int ZKEditorEngine::startSend (juce::uint8 slot)
{
    if (! arePortsOpen() || slot >= ZKSysEx::numberOfSlots)
    {
        reportCommunicationFailure();
        return false;
    }

    auto image = createPresetData (slot);
    image.removeRange (0, ZKSysEx::dumpImageOffset);
    image.removeLast();
    return startSend (slot, image);
}

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image)
{
    return startSend (slot, image, verifyAfterSend);
}

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image, bool verify)
{
    if (! arePortsOpen() || slot >= ZKSysEx::numberOfSlots || image.size() != imageLength)
    {
        reportCommunicationFailure();
        return 0;
    }

    return queueTransfer (TransferStatus::Kind::send, slot, image, 0, verify)->getId();
}

bool ZKEditorEngine::sendPreset (juce::uint8 slot)
{
    if (startSend (slot) == 0)
        return false;

    Transfer::Ptr transfer (transfers.getLast());
    midiManager->getTransferQueue().waitFor (*transfer);
    return transfer->getStage() == TransferStatus::Stage::completed;
}

int ZKEditorEngine::startBackupRead (juce::uint8 slot)
{
    if (! arePortsOpen() || slot >= ZKSysEx::numberOfSlots)
    {
        if (! arePortsOpen())
            reportCommunicationFailure();

        return 0;
    }

    return queueTransfer (TransferStatus::Kind::backup, slot, {})->getId();
}

bool ZKEditorEngine::startCompareRead (juce::uint8 slot)
{
    if (! arePortsOpen() || slot >= ZKSysEx::numberOfSlots)
    {
        reportCommunicationFailure();
        return false;
    }

    queueTransfer (TransferStatus::Kind::compare, slot, {});
    return true;
}

void ZKEditorEngine::setVerifyAfterSend (bool shouldVerify) { verifyAfterSend = shouldVerify; }

juce::String ZKEditorEngine::getControllerGoneText() { return "the controller is gone"; }

void ZKEditorEngine::startSync (bool external)
{
    if (! arePortsOpen())
    {
        reportCommunicationFailure();
        return;
    }

    queueTransfer (TransferStatus::Kind::sync, external ? 1 : 0, {});
}

void ZKEditorEngine::setSync (bool external)
{
    const auto numBefore = transfers.size();
    startSync (external);

    if (transfers.size() > numBefore)
    {
        Transfer::Ptr transfer (transfers.getLast());
        midiManager->getTransferQueue().waitFor (*transfer);
    }
}

void ZKEditorEngine::cancelTransfer() { cancelTransfers (TransferStatus::Kind::none); }

void ZKEditorEngine::cancelGet() { cancelTransfers (TransferStatus::Kind::get); }

void ZKEditorEngine::cancelBackupReads() { cancelTransfers (TransferStatus::Kind::backup); }

void ZKEditorEngine::cancelTransfer (int transferId)
{
    // A Send that completes while it is cancelled queues its read-back under the same id: the
    // search goes on until none is left.
    for (;;)
    {
        Transfer::Ptr newest;

        for (auto* transfer : transfers)
            if (transfer->getId() == transferId)
                newest = transfer;

        if (newest == nullptr)
            return;

        midiManager->getTransferQueue().cancelAndWait (*newest);
    }
}

void ZKEditorEngine::cancelWaitingTransfers (int transferId)
{
    const auto toCancel = transfers;

    for (int i = toCancel.size(); --i >= 0;)
        if (toCancel[i]->getId() == transferId)
            midiManager->getTransferQueue().cancelIfWaiting (*toCancel[i]);
}

bool ZKEditorEngine::isTransferInProgress (int transferId) const
{
    for (auto* transfer : transfers)
        if (transfer->getId() == transferId)
            return true;

    return false;
}

void ZKEditorEngine::cancelTransfers (TransferStatus::Kind onlyKind)
{
    // The newest first, so that a queued one never gets its turn while an older one stops.
    const auto toCancel = transfers;

    for (int i = toCancel.size(); --i >= 0;)
        if (onlyKind == TransferStatus::Kind::none || toCancel[i]->getKind() == onlyKind)
            midiManager->getTransferQueue().cancelAndWait (*toCancel[i]);
}

void ZKEditorEngine::transferFinished (Transfer& transfer)
{
    Transfer::Ptr keep (&transfer);
    transfers.removeObject (&transfer);

    if (transfers.isEmpty())
        stopTimer();

    const auto status = transfer.getStatus();

    if (status.kind == TransferStatus::Kind::get && status.stage == TransferStatus::Stage::completed)
    {
        loadPresetData (createDump (ZKSysEx::presetDumpCommand, status.slot, transfer.getCollectedImage()));

        ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->presetFetched (status.slot); });
    }

    if (status.kind == TransferStatus::Kind::send && status.stage == TransferStatus::Stage::completed)
    {
        ListenerWalk::newestFirst (listeners, [&] (auto* listener)
                                   { listener->presetSent (status.slot, transfer.getImageToSend()); });
        ListenerWalk::newestFirst (listeners, [&] (auto* listener)
                                   { listener->sendCompleted (status, transfer.getImageToSend()); });

        // The controller does not acknowledge writes: the slot is read back, into a scratch image.
        // Queued before transferEnded is told, so that the window never looks idle in between. A
        // read-back that cannot even start is reported as such, never passed over in silence.
        if (status.verify && arePortsOpen())
            queueTransfer (TransferStatus::Kind::verify, status.slot, transfer.getImageToSend(), status.id);
        else if (status.verify)
            reportVerification ({ status.id, status.slot, transfer.getImageToSend(), {}, true });
    }

    if (status.kind == TransferStatus::Kind::verify
        && (status.stage == TransferStatus::Stage::completed || status.stage == TransferStatus::Stage::failed))
    {
        const bool completed = status.stage == TransferStatus::Stage::completed;
        reportVerification ({ status.id, status.slot, transfer.getImageToSend(),
                              completed ? transfer.getCollectedImage() : juce::Array<juce::uint8>(),
                              ! completed && transfer.lostTheController() });
    }

    if (status.kind == TransferStatus::Kind::backup && status.stage == TransferStatus::Stage::completed)
    {
        const auto image = transfer.getCollectedImage();

        ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->slotRead (status, image); });
    }

    if (status.kind == TransferStatus::Kind::compare && status.stage == TransferStatus::Stage::completed)
    {
        const auto image = transfer.getCollectedImage();

        ListenerWalk::newestFirst (listeners,
                                   [&] (auto* listener) { listener->slotReadForCompare (status.slot, image); });
    }

    // A read for a verify or a backup that fails is summed up by whoever asked for it.
    if (status.stage == TransferStatus::Stage::failed && status.kind != TransferStatus::Kind::verify
        && status.kind != TransferStatus::Kind::backup)
        reportCommunicationFailure();

    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->transferEnded (status); });

    reportProgress();
}

void ZKEditorEngine::reportVerification (const Verification& verification)
{
    ListenerWalk::newestFirst (
        listeners, [&] (auto* listener)
        { listener->presetVerified (verification.slot, verification.sentImage, verification.readBack); });
    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->verificationEnded (verification); });
}

bool ZKEditorEngine::isGetInProgress() const
{
    for (auto* transfer : transfers)
        if (transfer->getKind() == TransferStatus::Kind::get)
            return true;

    return false;
}

bool ZKEditorEngine::isSendInProgress() const
{
    for (auto* transfer : transfers)
        if (transfer->getKind() == TransferStatus::Kind::send)
            return true;

    return false;
}

bool ZKEditorEngine::isTransferInProgress() const { return ! transfers.isEmpty(); }

ZKEditorEngine::TransferStatus ZKEditorEngine::getTransferStatus() const
{
    if (transfers.isEmpty())
        return {};

    return transfers.getFirst()->getStatus();
}

void ZKEditorEngine::reportProgress()
{
    const auto status = getTransferStatus();

    if (status.kind == TransferStatus::Kind::none)
    {
        lastReportedStatus = status;
        return;
    }

    if (status.kind == lastReportedStatus.kind && status.stage == lastReportedStatus.stage
        && status.slot == lastReportedStatus.slot && status.done == lastReportedStatus.done
        && status.retries == lastReportedStatus.retries)
        return;

    lastReportedStatus = status;

    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->transferProgressed (status); });
}

void ZKEditorEngine::timerCallback() { reportProgress(); }

void ZKEditorEngine::midiMessageReceived (const juce::MidiMessage& message)
{
    // MIDI input thread: the reply goes to the Get that listens; nothing else is touched here.
    if (auto* get = listeningGet.load())
        get->replyReceived (message);
}

void ZKEditorEngine::setPacing (const Pacing& newPacing) { pacing = newPacing; }

ZKEditorEngine::Pacing ZKEditorEngine::getPacing() const { return pacing; }

//==============================================================================
void ZKEditorEngine::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void ZKEditorEngine::removeListener (Listener* listener) { listeners.removeFirstMatchingValue (listener); }

void ZKEditorEngine::reportCommunicationFailure()
{
    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->midiCommunicationFailed ({}); });
}
