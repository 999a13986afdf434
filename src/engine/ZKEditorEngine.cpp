#include "engine/ZKEditorEngine.h"

#include "engine/PresetFileWriter.h"
#include "engine/PresetTransferList.h"
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

/** The default sink of the diagnostic lines: the standard output, a line at a time. */
void printLine (const juce::String& line) { std::cout << line << "\r\n" << std::flush; }
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
    , codec (deviceIdToUse, imageLength)
    , transfers (std::make_unique<PresetTransferList> (midiManagerToUse->getTransferQueue()))
    , diagnostics (printLine)
{
    jassert (midiManager != nullptr);
    createControls (splitPointMaximum, octaveMaximum);

    transfers->onProgress = [this] (const TransferStatus& status)
    { ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->transferProgressed (status); }); };
}

ZKEditorEngine::~ZKEditorEngine()
{
    // Only a Get can be left here (a Send keeps its engine alive): it is cancelled, and once the
    // queue is done with it the MIDI input thread no longer reaches it.
    transfers->detachAll();
    transfers->cancelKind (TransferStatus::Kind::none);
}

void ZKEditorEngine::createControls (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum)
{
    // The blocks follow one another in the order of the layout; the banks have as many controls as
    // this engine was given. A type without a class of its own is a plain control of the layout.
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
            default:
                return new LayoutControl (type, offset);
        }
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

//==============================================================================
juce::Array<juce::uint8> ZKEditorEngine::getPresetImage()
{
    juce::Array<juce::uint8> image;
    image.insertMultiple (0, 0, imageLength);

    // Every block goes to its own offset; together they cover the image without gaps.
    for (auto& typeAndControls : controls)
    {
        for (auto* control : typeAndControls.second)
        {
            const auto block = control->getValues();

            for (int i = 0; i < block.size(); ++i)
                if (juce::isPositiveAndBelow (control->getOffset() + i, imageLength))
                    image.set (control->getOffset() + i, block.getUnchecked (i));
        }
    }

    return image;
}

juce::Array<juce::uint8> ZKEditorEngine::createPresetData (juce::uint8 slot)
{
    return codec.createDump (slot, getPresetImage());
}

void ZKEditorEngine::loadPresetData (const juce::Array<juce::uint8>& presetData)
{
    loadImage (PresetFileCodec::getImageOfDump (presetData));
}

void ZKEditorEngine::loadImage (const juce::Array<juce::uint8>& image)
{
    for (int type = 0; type < numControlTypes; ++type)
        for (auto* control : controls[type])
            control->loadFromImage (image);
}

bool ZKEditorEngine::loadPresetFile (const juce::File& file)
{
    const auto image = codec.readPresetFileImage (file);

    if (image.isEmpty())
        return false;

    loadImage (image);
    return true;
}

juce::Result ZKEditorEngine::savePresetFile (const juce::File& file)
{
    return PresetFileWriter (codec).write (getPresetImage(), file);
}

void ZKEditorEngine::setDiagnosticsSink (std::function<void (const juce::String&)> sink)
{
    diagnostics = std::move (sink);
}

//==============================================================================
bool ZKEditorEngine::arePortsOpen() const { return midiManager->isInputOpen() && midiManager->isOutputOpen(); }

bool ZKEditorEngine::canReach (juce::uint8 slot, bool requestIsValid)
{
    if (arePortsOpen() && slot < ZKSysEx::numberOfSlots && requestIsValid)
        return true;

    reportCommunicationFailure();
    return false;
}

PresetTransfer& ZKEditorEngine::queueTransfer (TransferStatus::Kind kind, juce::uint8 slot,
                                               juce::Array<juce::uint8> image, int id, SendOptions options,
                                               juce::Array<int> written)
{
    PresetTransfer::Ptr transfer (new PresetTransfer (*midiManager, deviceId, imageLength, pacing,
                                                      { kind, slot, std::move (image), id, options.verify,
                                                        options.changesOnly, options.readFirst, std::move (written) }));

    // A Send or a Live Edit write holds its engine, so that closing the window does not leave a
    // slot half written; a Get is cancelled with its engine.
    Ptr keepAlive (kind == TransferStatus::Kind::send || kind == TransferStatus::Kind::liveEdit ? this : nullptr);
    transfer->onFinished = [this, keepAlive] (PresetTransfer& over) { transferFinished (over); };

    return transfers->add (transfer);
}

PresetTransfer& ZKEditorEngine::queueTransfer (TransferStatus::Kind kind, juce::uint8 slot,
                                               juce::Array<juce::uint8> image)
{
    return queueTransfer (kind, slot, std::move (image), 0, SendOptions(), {});
}

bool ZKEditorEngine::startGet (juce::uint8 slot)
{
    if (isGetInProgress() || slot >= ZKSysEx::numberOfSlots)
        return false;

    // Without both ports a Get cannot succeed; saying so at once spares the user a reply timeout
    // for the first attempt and for every retry the pacing allows.
    if (! canReach (slot))
        return false;

    if (diagnostics)
    {
        diagnostics ("number of gets : " + juce::String (0));
        diagnostics ("starting get");
    }

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
        transfers->getLast()->waitForFirstRound();
}

int ZKEditorEngine::startSend (juce::uint8 slot) { return canReach (slot) ? startSend (slot, getPresetImage()) : 0; }

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image)
{
    return startSend (slot, image, verifyAfterSend);
}

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image, bool verify)
{
    return startSend (slot, image, SendOptions{ verify, sendChangesOnly, false });
}

int ZKEditorEngine::startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image, SendOptions options)
{
    if (! canReach (slot, image.size() == imageLength))
        return 0;

    return queueTransfer (TransferStatus::Kind::send, slot, image, 0, options, {}).getId();
}

bool ZKEditorEngine::isSlotKnown (juce::uint8 slot) const { return midiManager->getSlotMemory().isKnown (slot); }

juce::Array<juce::uint8> ZKEditorEngine::getKnownSlotImage (juce::uint8 slot) const
{
    return midiManager->getSlotMemory().recall (slot);
}

int ZKEditorEngine::startLiveWrite (juce::uint8 slot)
{
    const auto image = getPresetImage();

    // Only the newest write can still be waiting: each one is queued behind the one before.
    if (auto* last = transfers->getLast(); last != nullptr && last->getKind() == TransferStatus::Kind::liveEdit
                                           && last->getStatus().slot == slot && last->replaceImageWhileWaiting (image))
        return last->getId();

    if (! canReach (slot))
        return 0;

    return queueTransfer (TransferStatus::Kind::liveEdit, slot, image).getId();
}

bool ZKEditorEngine::sendPreset (juce::uint8 slot)
{
    if (startSend (slot) == 0)
        return false;

    PresetTransfer::Ptr transfer (transfers->getLast());
    midiManager->getTransferQueue().waitFor (*transfer);
    return transfer->getStage() == TransferStatus::Stage::completed;
}

int ZKEditorEngine::startBackupRead (juce::uint8 slot)
{
    // A slot the controller does not have is the caller's mistake, not a failure to tell.
    if (slot >= ZKSysEx::numberOfSlots || ! canReach (slot))
        return 0;

    return queueTransfer (TransferStatus::Kind::backup, slot, {}).getId();
}

bool ZKEditorEngine::startCompareRead (juce::uint8 slot)
{
    if (! canReach (slot))
        return false;

    queueTransfer (TransferStatus::Kind::compare, slot, {});
    return true;
}

void ZKEditorEngine::startSync (bool external)
{
    // A sync command names no slot: the ports alone decide.
    if (canReach (0))
        queueTransfer (TransferStatus::Kind::sync, external ? 1 : 0, {});
}

void ZKEditorEngine::setSync (bool external)
{
    const auto numBefore = transfers->size();
    startSync (external);

    if (transfers->size() > numBefore)
    {
        PresetTransfer::Ptr transfer (transfers->getLast());
        midiManager->getTransferQueue().waitFor (*transfer);
    }
}

void ZKEditorEngine::cancelTransfer() { transfers->cancelKind (TransferStatus::Kind::none); }
void ZKEditorEngine::cancelGet() { transfers->cancelKind (TransferStatus::Kind::get); }
void ZKEditorEngine::cancelTransfer (int transferId) { transfers->cancelId (transferId); }
void ZKEditorEngine::cancelWaitingTransfers (int transferId) { transfers->cancelWaitingWithId (transferId); }
bool ZKEditorEngine::isTransferInProgress (int transferId) const { return transfers->containsId (transferId); }
bool ZKEditorEngine::isGetInProgress() const { return transfers->containsKind (TransferStatus::Kind::get); }
bool ZKEditorEngine::isSendInProgress() const { return transfers->containsKind (TransferStatus::Kind::send); }
bool ZKEditorEngine::isTransferInProgress() const { return ! transfers->isEmpty(); }

ZKEditorEngine::TransferStatus ZKEditorEngine::getTransferStatus() const { return transfers->getStatus(); }
bool ZKEditorEngine::isTimerRunning() const { return transfers->isTimerRunning(); }

void ZKEditorEngine::transferFinished (PresetTransfer& transfer)
{
    PresetTransfer::Ptr keep (&transfer);
    transfers->remove (transfer);

    const auto status = transfer.getStatus();
    const auto completed = status.stage == TransferStatus::Stage::completed;
    using Kind = TransferStatus::Kind;

    if (status.kind == Kind::get && completed)
    {
        loadImage (transfer.getCollectedImage());

        ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->presetFetched (status.slot); });
    }

    if (status.kind == Kind::send && completed)
    {
        ListenerWalk::newestFirst (listeners, [&] (auto* listener)
                                   { listener->presetSent (status.slot, transfer.getImageToSend()); });
        ListenerWalk::newestFirst (listeners, [&] (auto* listener)
                                   { listener->sendCompleted (status, transfer.getImageToSend()); });

        // The controller does not acknowledge writes: the slot is read back, into a scratch image.
        // Queued before transferEnded is told, so that the window never looks idle in between. A
        // read-back that cannot even start is reported as such, never passed over in silence.
        // A slot that was read just before and held the preset already has nothing to check.
        const auto readAndFoundEqual = transfer.readsFirst() && status.changesOnly && status.total == 0;
        const SendOptions readBackOptions{ false, status.changesOnly, false };

        if (status.verify && readAndFoundEqual)
            reportVerification (
                { status.id, status.slot, transfer.getImageToSend(), transfer.getImageToSend(), false, true, {} });
        else if (status.verify && arePortsOpen())
            queueTransfer (Kind::verify, status.slot, transfer.getImageToSend(), status.id, readBackOptions,
                           transfer.getWrittenIndexes());
        else if (status.verify)
            reportVerification ({ status.id,
                                  status.slot,
                                  transfer.getImageToSend(),
                                  {},
                                  true,
                                  status.changesOnly,
                                  transfer.getWrittenIndexes() });
    }

    if (status.kind == Kind::verify && (completed || status.stage == TransferStatus::Stage::failed))
        reportVerification ({ status.id, status.slot, transfer.getImageToSend(),
                              completed ? transfer.getCollectedImage() : juce::Array<juce::uint8>(),
                              ! completed && transfer.lostTheController(), status.changesOnly,
                              transfer.getWrittenIndexes() });

    if (status.kind == Kind::liveEdit && status.stage == TransferStatus::Stage::failed)
        ListenerWalk::newestFirst (listeners, [&, bytes = transfer.getUnconfirmedIndexes()] (auto* listener)
                                   { listener->liveEditFailed (status.slot, bytes); });

    if (status.kind == Kind::backup && completed)
        ListenerWalk::newestFirst (listeners, [&, image = transfer.getCollectedImage()] (auto* listener)
                                   { listener->slotRead (status, image); });

    if (status.kind == Kind::compare && completed)
        ListenerWalk::newestFirst (listeners, [&, image = transfer.getCollectedImage()] (auto* listener)
                                   { listener->slotReadForCompare (status.slot, image); });

    // A read for a verify or a backup that fails is summed up by whoever asked for it.
    if (status.stage == TransferStatus::Stage::failed && status.kind != Kind::verify && status.kind != Kind::backup
        && status.kind != Kind::liveEdit)
        reportCommunicationFailure();

    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->transferEnded (status); });

    transfers->reportProgress();
}

void ZKEditorEngine::reportVerification (const Verification& verification)
{
    ListenerWalk::newestFirst (
        listeners, [&] (auto* listener)
        { listener->presetVerified (verification.slot, verification.sentImage, verification.readBack); });
    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->verificationEnded (verification); });
}

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

//==============================================================================
juce::Array<int> ZKEditorEngine::Verification::getBytesChangedUnseen() const
{
    juce::Array<int> bytes;

    if (! changesOnly || readBack.size() != sentImage.size())
        return bytes;

    for (int index = 0; index < sentImage.size(); ++index)
        if (readBack[index] != sentImage[index] && ! writtenBytes.contains (index))
            bytes.add (index);

    return bytes;
}
