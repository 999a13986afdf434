#include "engine/ZKEditorEngine.h"

#include "engine/ZKSysEx.h"
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

#include <chrono>
#include <iostream>
#include <thread>

namespace
{
// The image: the single controls, the six transport buttons, then the banks of knobs, pads and
// switches and last the MIDI-to-DIN flags.
constexpr int numTransports = 6;
constexpr int firstTransportOffset = 34;
constexpr int firstBankOffset = 55;
constexpr int bankBlockLength = 5;

static_assert (ZKKnob::blockLength == bankBlockLength && ZKPad::blockLength == bankBlockLength
                   && ZKSwitch::blockLength == bankBlockLength,
               "knobs, pads and switches share one block length");

// About a quarter of a second of writes at the default pacing; listing the devices takes far less.
constexpr int writesBetweenDeviceChecks = 32;

// How often a Get that waits for another window's Get asks for its turn.
constexpr int turnPollMs = 20;

double now() { return juce::Time::getMillisecondCounterHiRes(); }
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

ZKEditorEngine::~ZKEditorEngine()
{
    // Once removeListener returns, the MIDI input thread is done with this engine; only then may
    // the pending hand-over be dropped.
    midiManager->removeListener (this);
    midiManager->giveBackGetTurn (this, pacing.replyTimeoutMs); // only if its Get had the turn
    completionHandler.cancelPendingUpdate();
    stopTimer();
}

void ZKEditorEngine::createControls (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum)
{
    auto& presetName = (controls[PresetName] = {});
    presetName.add (new ZKPresetName());

    auto& keybed = (controls[Keybed] = {});
    keybed.add (new ZKKeybed (splitPointMaximum, octaveMaximum));

    auto& rollMode = (controls[RollMode] = {});
    rollMode.add (new ZKRollMode());

    auto& transports = (controls[Transport] = {});

    for (int i = 0; i < numTransports; ++i)
        transports.add (new ZKTransport (firstTransportOffset + ZKTransport::blockLength * i));

    auto& wheels = (controls[Wheels] = {});
    wheels.add (new ZKWheels());

    auto& sustain = (controls[Sustain] = {});
    sustain.add (new ZKSustain());

    auto& knobs = (controls[Knob] = {});

    for (int i = 0; i < numKnobs; ++i)
        knobs.add (new ZKKnob (firstBankOffset + bankBlockLength * i));

    auto& pads = (controls[Pad] = {});

    for (int i = 0; i < numPads; ++i)
        pads.add (new ZKPad (firstBankOffset + bankBlockLength * (numKnobs + i)));

    auto& switches = (controls[Switch] = {});

    for (int i = 0; i < numSwitches; ++i)
        switches.add (new ZKSwitch (firstBankOffset + bankBlockLength * (numKnobs + numPads + i)));

    auto& midiToDin = (controls[MidiToDin] = {});
    midiToDin.add (new ZKControlsToMidiDin (firstBankOffset + bankBlockLength * (numKnobs + numPads + numSwitches)));
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

    for (int i = editListeners.size(); --i >= 0;)
    {
        i = juce::jmin (i, editListeners.size() - 1);

        if (i < 0)
            break;

        editListeners.getUnchecked (i)->parameterEdited (edit);
    }

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

    if (!image.isEmpty())
        image.removeLast();

    for (int type = PresetName; type <= MidiToDin; ++type)
        for (auto* control : controls[type])
            control->loadFromImage (image);
}

bool ZKEditorEngine::loadPresetFile (const juce::File& file)
{
    // The size decides before anything is read, so a large file is never loaded into memory.
    if (!file.existsAsFile() || file.getSize() != dumpLength)
        return false;

    juce::FileInputStream stream (file);

    if (!stream.openedOk())
        return false;

    juce::Array<juce::uint8> data;
    data.insertMultiple (0, 0, dumpLength);

    if (stream.read (data.getRawDataPointer(), dumpLength) != dumpLength)
        return false;

    // A byte above 127 cannot travel in a SysEx message, so such a preset could never be sent.
    for (int i = ZKSysEx::dumpImageOffset; i < ZKSysEx::dumpImageOffset + imageLength; ++i)
        if (data.getUnchecked (i) > ZKSysEx::maximumDataByte)
            return false;

    loadPresetData (data);
    return true;
}

//==============================================================================
bool ZKEditorEngine::arePortsOpen() const { return midiManager->isInputOpen() && midiManager->isOutputOpen(); }

void ZKEditorEngine::getPreset (juce::uint8 slot)
{
    if (getInProgress || slot >= ZKSysEx::numberOfSlots)
        return;

    // Without both ports a Get cannot succeed; saying so at once spares the user nine timeouts.
    if (!arePortsOpen())
    {
        reportCommunicationFailure();
        return;
    }

    attemptCounter = 0;
    getSlot = slot;
    getInProgress = true;

    std::cout << "number of gets : " << attemptCounter << "\r\n"
              << "starting get"
              << "\r\n"
              << std::flush;

    // Another window's Get has the controller's replies: this one starts when that one ends.
    if (!midiManager->takeGetTurn (this))
    {
        waitingForTurn = true;
        startTimer (turnPollMs);
        return;
    }

    startRequesting();
}

void ZKEditorEngine::startRequesting()
{
    midiManager->addListener (this);
    requestPresetBytes();
}

void ZKEditorEngine::endGet (bool completed)
{
    stopTimer();
    getInProgress = false;
    attemptCounter = 0;

    // A finished Get stops listening, so that it never counts the replies of another window's Get.
    // One that ended without its replies keeps the next Get waiting for one reply timeout, in which
    // replies still on their way arrive to no one.
    midiManager->removeListener (this);
    midiManager->giveBackGetTurn (this, completed ? 0 : pacing.replyTimeoutMs);
}

void ZKEditorEngine::requestPresetBytes()
{
    {
        const juce::ScopedLock sl (receiveLock);
        receiveBuffer.clearQuick();
        receiveBuffer.insertMultiple (0, 0, imageLength);
        indexReceived.assign ((size_t) imageLength, false);
        numIndexesReceived = 0;
        collectionComplete = false;
        collecting = true;
    }

    // Paced by deadline, so that the time spent sending does not add up over 465 messages. A
    // request that finds no output is not an error of its own: the reply timeout covers it.
    const auto start = now();

    for (int index = 0; index < imageLength; ++index)
    {
        waitUntil (start + index * pacing.requestGapMs);
        midiManager->sendMessage (ZKSysEx::createParameterRequest (deviceId, getSlot, index));
    }

    waitUntil (start + imageLength * pacing.requestGapMs);
    startTimer (pacing.replyTimeoutMs);
}

void ZKEditorEngine::midiMessageReceived (const juce::MidiMessage& message)
{
    // MIDI input thread: only the receive buffer is touched here; the controls are loaded on the
    // message thread once every index has arrived.
    ZKSysEx::ParameterReply reply;

    if (!ZKSysEx::parseParameterReply (message, reply))
        return;

    bool complete = false;

    {
        const juce::ScopedLock sl (receiveLock);

        if (!collecting || !juce::isPositiveAndBelow (reply.index, imageLength))
            return;

        receiveBuffer.set (reply.index, reply.value);

        // A repeated reply does not count again: the Get is complete only when every index is in.
        if (!indexReceived[(size_t) reply.index])
        {
            indexReceived[(size_t) reply.index] = true;
            ++numIndexesReceived;
        }

        if (numIndexesReceived == imageLength)
        {
            collecting = false;
            collectionComplete = true;
            complete = true;
        }
    }

    if (complete)
        completionHandler.triggerAsyncUpdate();
}

void ZKEditorEngine::completeGet()
{
    juce::Array<juce::uint8> image;

    {
        const juce::ScopedLock sl (receiveLock);

        if (!collectionComplete)
            return;

        collectionComplete = false;
        image = receiveBuffer;
    }

    endGet (true);
    loadPresetData (createDump (ZKSysEx::presetDumpCommand, getSlot, image));

    for (int i = listeners.size(); --i >= 0;)
    {
        i = juce::jmin (i, listeners.size() - 1);

        if (i < 0)
            break;

        listeners.getUnchecked (i)->presetFetched (getSlot);
    }
}

void ZKEditorEngine::timerCallback()
{
    if (waitingForTurn)
    {
        if (!midiManager->takeGetTurn (this))
            return; // the timer keeps asking

        waitingForTurn = false;
        stopTimer();
        startRequesting();
        return;
    }

    stopTimer();

    {
        const juce::ScopedLock sl (receiveLock);

        // The last reply came in just now; the hand-over to completeGet is on its way.
        if (collectionComplete)
            return;

        collecting = false;
    }

    if (!getInProgress)
        return;

    if (attemptCounter < pacing.maxRetries)
    {
        ++attemptCounter;
        requestPresetBytes();
        return;
    }

    endGet (false);
    reportCommunicationFailure();
}

bool ZKEditorEngine::isGetInProgress() const { return getInProgress; }

//==============================================================================
bool ZKEditorEngine::sendPreset (juce::uint8 slot)
{
    if (!arePortsOpen() || slot >= ZKSysEx::numberOfSlots)
    {
        reportCommunicationFailure();
        return false;
    }

    const auto dump = createPresetData (slot);
    const auto start = now();

    for (int index = 0; index < imageLength; ++index)
    {
        waitUntil (start + index * pacing.writeGapMs);

        const auto value = dump.getUnchecked (ZKSysEx::dumpImageOffset + index);

        // An output lost halfway leaves the slot partly written: the user must hear of it. A device
        // that vanished still takes writes, so its presence is checked every so often as well.
        const bool deviceGone = index % writesBetweenDeviceChecks == writesBetweenDeviceChecks - 1
                                && !midiManager->isOutputDevicePresent();

        if (deviceGone || !midiManager->sendMessage (ZKSysEx::createParameterWrite (deviceId, slot, index, value)))
        {
            reportCommunicationFailure();
            return false;
        }
    }

    waitUntil (start + imageLength * pacing.writeGapMs);

    for (int i = listeners.size(); --i >= 0;)
    {
        i = juce::jmin (i, listeners.size() - 1);

        if (i < 0)
            break;

        listeners.getUnchecked (i)->presetSent (slot);
    }

    return true;
}

void ZKEditorEngine::setSync (bool external)
{
    if (!arePortsOpen() || !midiManager->sendMessage (ZKSysEx::createSyncCommand (deviceId, external)))
        reportCommunicationFailure();
}

void ZKEditorEngine::setPacing (const Pacing& newPacing) { pacing = newPacing; }

ZKEditorEngine::Pacing ZKEditorEngine::getPacing() const { return pacing; }

void ZKEditorEngine::waitUntil (double deadlineMs)
{
    for (;;)
    {
        const auto remaining = deadlineMs - now();

        if (remaining <= 0)
            return;

        std::this_thread::sleep_for (std::chrono::duration<double, std::milli> (remaining));
    }
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
    for (int i = listeners.size(); --i >= 0;)
    {
        i = juce::jmin (i, listeners.size() - 1);

        if (i < 0)
            break;

        listeners.getUnchecked (i)->midiCommunicationFailed ({});
    }
}
