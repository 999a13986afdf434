#include "engine/MidiManager.h"

#include "engine/CompositeMidiDeviceLayer.h"
#include "engine/SystemMidiDeviceLayer.h"
#include "engine/VirtualController.h"

namespace
{
constexpr int deviceCheckIntervalMs = 1000;
const char* const virtualControllerVariable = "ZKM_EDITOR_VIRTUAL_CONTROLLER";
const char* const virtualControllerInMemory = "1";

/** The system's devices, and the virtual controller beside them when the environment asks for it:
    "1" keeps its slots in memory, anything else names the file that keeps them. */
std::unique_ptr<MidiDeviceLayer> createDefaultLayer()
{
    auto setting = juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {}).trim();

    if (setting.isEmpty())
        return std::make_unique<SystemMidiDeviceLayer>();

    auto composite = std::make_unique<CompositeMidiDeviceLayer>();
    composite->addLayer (std::make_unique<SystemMidiDeviceLayer>());

    if (setting == virtualControllerInMemory)
        composite->addLayer (std::make_unique<VirtualController>());
    else
        composite->addLayer (
            std::make_unique<VirtualController> (juce::File::getCurrentWorkingDirectory().getChildFile (setting)));

    return composite;
}
} // namespace

//==============================================================================
MidiManager::MidiManager()
    : ownedLayer (createDefaultLayer())
    , layer (*ownedLayer)
{
    startTimer (deviceCheckIntervalMs);
}

MidiManager::MidiManager (MidiDeviceLayer& layerToUse)
    : layer (layerToUse)
{
    startTimer (deviceCheckIntervalMs);
}

MidiManager::~MidiManager()
{
    stopTimer();

    {
        const juce::ScopedLock sl (outputLock);
        output.reset();
    }

    {
        const juce::ScopedLock sl (inputLock);
        input.reset();
    }
}

//==============================================================================
void MidiManager::setInputDevice (const juce::String& deviceName)
{
    if (isInputOpen() && deviceName == inputDeviceName)
        return;

    auto index = layer.getInputNames().indexOf (deviceName);

    if (index < 0)
        return;

    inputDeviceName = deviceName;
    openInputAt (index);
}

void MidiManager::setOutputDevice (const juce::String& deviceName)
{
    if (isOutputOpen() && deviceName == outputDeviceName)
        return;

    // When several outputs bear the name, the last of them is the one used.
    const auto names = layer.getOutputNames();
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

    outputDeviceName = deviceName;
    openOutputAt (index);
}

void MidiManager::openInputAt (int index)
{
    // The old port goes first: a device may refuse a second client while the first is open.
    {
        const juce::ScopedLock sl (inputLock);
        input.reset();
    }

    auto newInput = layer.openInput (index, *this);

    if (newInput != nullptr)
        newInput->start();

    const juce::ScopedLock sl (inputLock);
    input = std::move (newInput);
}

void MidiManager::openOutputAt (int index)
{
    {
        const juce::ScopedLock sl (outputLock);
        output.reset();
    }

    auto newOutput = layer.openOutput (index);

    const juce::ScopedLock sl (outputLock);
    output = std::move (newOutput);
}

void MidiManager::restoreDevices (const juce::String& inputName, const juce::String& outputName)
{
    if (inputName.isNotEmpty())
    {
        setInputDevice (inputName);

        if (inputDeviceName != inputName)
        {
            inputDeviceName = inputName;
            const juce::ScopedLock sl (inputLock);
            input.reset();
        }
    }

    if (outputName.isNotEmpty())
    {
        setOutputDevice (outputName);

        if (outputDeviceName != outputName)
        {
            outputDeviceName = outputName;
            const juce::ScopedLock sl (outputLock);
            output.reset();
        }
    }
}

bool MidiManager::isMidiServiceAvailable() { return layer.isMidiServiceAvailable(); }

juce::String MidiManager::getInputDeviceName() const { return inputDeviceName; }

juce::String MidiManager::getOutputDeviceName() const { return outputDeviceName; }

juce::StringArray MidiManager::getAvailableInputNames() { return layer.getInputNames(); }

juce::StringArray MidiManager::getAvailableOutputNames() { return layer.getOutputNames(); }

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
    return outputDeviceName.isNotEmpty() && layer.getOutputNames().contains (outputDeviceName);
}

bool MidiManager::sendMessage (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (outputLock);

    if (output == nullptr)
        return false;

    output->sendMessageNow (message);
    return true;
}

//==============================================================================
bool MidiManager::takeGetTurn (const void* owner)
{
    if (getTurnOwner == owner)
        return true;

    if (getTurnOwner != nullptr || juce::Time::getMillisecondCounterHiRes() < getTurnFreeAtMs)
        return false;

    getTurnOwner = owner;
    return true;
}

void MidiManager::giveBackGetTurn (const void* owner, int quietTimeMs)
{
    if (getTurnOwner != owner || owner == nullptr)
        return;

    getTurnOwner = nullptr;
    getTurnFreeAtMs = juce::Time::getMillisecondCounterHiRes() + juce::jmax (0, quietTimeMs);
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

int MidiManager::getNumListeners() const
{
    const juce::ScopedLock sl (listenerLock);
    return listeners.size();
}

//==============================================================================
void MidiManager::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (listenerLock);

    // From the most recent listener to the first; the position is clamped before every call, so a
    // listener that removes itself (or others) makes the walk neither skip nor repeat anyone.
    for (int i = listeners.size(); --i >= 0;)
    {
        i = juce::jmin (i, listeners.size() - 1);

        if (i < 0)
            break;

        listeners.getUnchecked (i)->midiMessageReceived (message);
    }
}

void MidiManager::timerCallback()
{
    if (outputDeviceName.isNotEmpty())
    {
        const bool present = layer.getOutputNames().contains (outputDeviceName);

        if (present && !isOutputOpen())
        {
            setOutputDevice (outputDeviceName);
        }
        else if (!present && isOutputOpen())
        {
            const juce::ScopedLock sl (outputLock);
            output.reset();
        }
    }

    if (inputDeviceName.isNotEmpty())
    {
        const bool present = layer.getInputNames().contains (inputDeviceName);

        if (present && !isInputOpen())
        {
            setInputDevice (inputDeviceName);
        }
        else if (!present && isInputOpen())
        {
            const juce::ScopedLock sl (inputLock);
            input.reset();
        }
    }
}
