#include "engine/MidiManager.h"

#include "engine/MidiDeviceLayerFactory.h"
#include "model/ListenerWalk.h"

namespace
{
constexpr int deviceCheckIntervalMs = 1000;
} // namespace

//==============================================================================
MidiManager::MidiManager()
    : MidiManager (createMidiDeviceLayer (juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {})))
{
}

MidiManager::MidiManager (std::unique_ptr<MidiDeviceLayer> layerToOwn)
    : ownedLayer (std::move (layerToOwn))
    , layer (*ownedLayer)
    , transferQueue (std::make_unique<TransferQueue> (*this))
{
    startTimer (deviceCheckIntervalMs);
}

MidiManager::MidiManager (MidiDeviceLayer& layerToUse)
    : layer (layerToUse)
    , transferQueue (std::make_unique<TransferQueue> (*this))
{
    startTimer (deviceCheckIntervalMs);
}

MidiManager::~MidiManager()
{
    stopTimer();

    // A transfer still under way stops here, while the ports and the listeners are still there.
    transferQueue->cancelAll();
    transferQueue.reset();
    closePorts();
}

//==============================================================================
void MidiManager::setInputDevice (const juce::String& deviceName)
{
    if (isInputOpen() && deviceName == getInputDeviceName())
        return;

    auto index = getAvailableInputNames().indexOf (deviceName);

    if (index < 0)
        return;

    chooseName (inputDeviceName, deviceName);
    openInputAt (index);
}

void MidiManager::setOutputDevice (const juce::String& deviceName)
{
    if (isOutputOpen() && deviceName == getOutputDeviceName())
        return;

    // When several outputs bear the name, the last of them is the one used.
    const auto names = getAvailableOutputNames();
    int index = -1;

    for (int i = names.size(); --i >= 0;)
    {
        if (names[i] == deviceName)
        {
            index = i;
            break;
        }
    }

    if (index < 0)
        return;

    chooseName (outputDeviceName, deviceName);
    openOutputAt (index);
}

void MidiManager::chooseName (juce::String& chosenName, const juce::String& deviceName)
{
    const juce::ScopedLock sl (nameLock);
    chosenName = deviceName;
}

void MidiManager::openInputAt (int index)
{
    // The old port goes first: a device may refuse a second client while the first is open.
    closeInput();

    std::unique_ptr<MidiDeviceLayer::Input> newInput;

    {
        const juce::ScopedLock sl (layerLock);
        newInput = layer.openInput (index, *this);
    }

    if (newInput != nullptr)
        newInput->start();

    const juce::ScopedLock sl (inputLock);
    input = std::move (newInput);
}

void MidiManager::openOutputAt (int index)
{
    closeOutput();

    std::unique_ptr<MidiDeviceLayer::Output> newOutput;

    {
        const juce::ScopedLock sl (layerLock);
        newOutput = layer.openOutput (index);
    }

    const juce::ScopedLock sl (outputLock);
    output = std::move (newOutput);
}

void MidiManager::restoreDevices (const juce::String& inputName, const juce::String& outputName)
{
    // A remembered device that is absent keeps its name chosen, so the device check opens it when
    // it is plugged in.
    if (inputName.isNotEmpty())
    {
        setInputDevice (inputName);

        if (getInputDeviceName() != inputName)
        {
            chooseName (inputDeviceName, inputName);
            closeInput();
        }
    }

    if (outputName.isNotEmpty())
    {
        setOutputDevice (outputName);

        if (getOutputDeviceName() != outputName)
        {
            chooseName (outputDeviceName, outputName);
            closeOutput();
        }
    }
}

bool MidiManager::isMidiServiceAvailable()
{
    const juce::ScopedLock sl (layerLock);
    return layer.isMidiServiceAvailable();
}

juce::String MidiManager::getInputDeviceName() const
{
    const juce::ScopedLock sl (nameLock);
    return inputDeviceName;
}

juce::String MidiManager::getOutputDeviceName() const
{
    const juce::ScopedLock sl (nameLock);
    return outputDeviceName;
}

juce::StringArray MidiManager::getAvailableInputNames()
{
    const juce::ScopedLock sl (layerLock);
    return layer.getInputNames();
}

juce::StringArray MidiManager::getAvailableOutputNames()
{
    const juce::ScopedLock sl (layerLock);
    return layer.getOutputNames();
}

bool MidiManager::isInputOpen() const
{
    const juce::ScopedLock sl (inputLock);
    return input != nullptr;
}

bool MidiManager::isOutputOpen() const
{
    const juce::ScopedLock sl (outputLock);
    return output != nullptr;
}

//==============================================================================
bool MidiManager::isOutputDevicePresent()
{
    const auto name = getOutputDeviceName();
    return name.isNotEmpty() && getAvailableOutputNames().contains (name);
}

bool MidiManager::areChosenDevicesPresent()
{
    const auto inputName = getInputDeviceName();
    return isOutputDevicePresent() && inputName.isNotEmpty() && getAvailableInputNames().contains (inputName);
}

void MidiManager::closePorts()
{
    closeOutput();
    closeInput();
}

void MidiManager::closeOutput()
{
    slotMemory.forgetAll();
    const juce::ScopedLock sl (outputLock);
    const juce::ScopedLock layerSl (layerLock);
    output.reset();
}

void MidiManager::closeInput()
{
    slotMemory.forgetAll();
    const juce::ScopedLock sl (inputLock);
    const juce::ScopedLock layerSl (layerLock);
    input.reset();
}

bool MidiManager::sendMessage (const juce::MidiMessage& message)
{
    {
        const juce::ScopedLock sl (outputLock);

        if (output == nullptr)
            return false;

        output->sendMessageNow (message);
    }

    // Told after the output's lock is let go: a listener on the input thread may send in its turn
    // while it holds the listener lock, and the two locks must never be taken in both orders.
    const juce::ScopedLock sl (listenerLock);
    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->midiMessageSent (message); });
    return true;
}

//==============================================================================
void MidiManager::addListener (MidiManagerListener* listener)
{
    if (listener == nullptr)
        return;

    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void MidiManager::removeListener (MidiManagerListener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.removeFirstMatchingValue (listener);
}

void MidiManager::setReplyWatcher (MidiManagerListener* watcher)
{
    const juce::ScopedLock sl (listenerLock);
    replyWatcher = watcher;
}

int MidiManager::getNumListeners() const
{
    const juce::ScopedLock sl (listenerLock);
    return listeners.size();
}

//==============================================================================
void MidiManager::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (listenerLock);

    if (replyWatcher != nullptr)
        replyWatcher->midiMessageReceived (message);

    // From the most recent listener to the first; a listener that removes itself (or others) makes
    // the walk neither skip nor repeat anyone still registered.
    ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->midiMessageReceived (message); });
}

void MidiManager::timerCallback()
{
    // The same check for each direction: a chosen device that is listed again is opened, the port
    // of one that vanished is closed.
    const auto check =
        [] (const juce::String& chosenName, const auto& listNames, bool isOpen, const auto& reopen, const auto& close)
    {
        if (chosenName.isEmpty())
            return;

        const bool present = listNames().contains (chosenName);

        if (present && ! isOpen)
        {
            reopen (chosenName);
        }
        else if (! present && isOpen)
        {
            close();
        }
    };

    check (
        getOutputDeviceName(), [this] { return getAvailableOutputNames(); }, isOutputOpen(),
        [this] (const juce::String& name) { setOutputDevice (name); }, [this] { closeOutput(); });
    check (
        getInputDeviceName(), [this] { return getAvailableInputNames(); }, isInputOpen(),
        [this] (const juce::String& name) { setInputDevice (name); }, [this] { closeInput(); });
}
