#pragma once

#include "engine/MidiManager.h"
#include "engine/VirtualController.h"
#include "engine/ZKEditorEngine.h"
#include "engine/ZKMEngineFactory.h"
#include "engine/ZKSysEx.h"
#include "model/Control.h"
#include "model/ZKMModel.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"
#include "support/VirtualControllerFaults.h"

#include <juce_events/juce_events.h>
#include <utility>
#include <vector>

/** The set-up that every test area shares: the model's constants, the default preset and presets
    made from it, engines as the application makes them, managers on a fake layer or on the virtual
    controller, and the message-loop pump. */
namespace TestRig
{
constexpr juce::uint8 deviceId = ZKMModel::deviceId;
constexpr int numKnobs = ZKMModel::numKnobs;
constexpr int numPads = ZKMModel::numPads;
constexpr int numSwitches = ZKMModel::numSwitches;
constexpr juce::uint8 splitPointMaximum = ZKMModel::splitPointMaximum;
constexpr juce::uint8 octaveMaximum = ZKMModel::octaveMaximum;
constexpr int imageLength = ZKMModel::imageLength;
constexpr int dumpLength = ZKMModel::dumpLength;

/** The preset dump starts with ten bytes of head; the image follows. */
constexpr int imageOffset = ZKMModel::dumpHeadLength;
constexpr int dumpHeadLength = ZKMModel::dumpHeadLength;

const juce::String fakeInputName ("Fake In");
const juce::String fakeOutputName ("Fake Out");

//==============================================================================
/** Runs the message loop for a while, so that asynchronous list changes, key messages, deletions
    and repaints arrive. */
inline void pump (int milliseconds = 50) { juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds); }

//==============================================================================
inline juce::Array<juce::uint8> defaultPresetDump() { return ZKMModel::getDefaultPresetDump(); }

inline juce::Array<juce::uint8> getImageOfDump (const juce::Array<juce::uint8>& dump)
{
    juce::Array<juce::uint8> image (dump);
    image.removeRange (0, imageOffset);
    image.removeLast();
    return image;
}

/** The default preset with some image bytes replaced: pairs of (image index, value). */
inline juce::Array<juce::uint8> presetWith (std::initializer_list<std::pair<int, juce::uint8>> changes)
{
    auto dump = defaultPresetDump();

    for (const auto& change : changes)
        dump.set (dumpHeadLength + change.first, change.second);

    return dump;
}

/** An image that differs from the default preset almost everywhere, its bytes depending on the seed. */
inline juce::Array<juce::uint8> createPatternImage (int seed)
{
    juce::Array<juce::uint8> image;

    for (int i = 0; i < imageLength; ++i)
        image.add ((juce::uint8) ((i * 7 + seed * 13 + 1) % 128));

    return image;
}

//==============================================================================
/** The reply timeout of a test that waits for replies that will come: a busy machine may hold up the
    test, the transfer thread or the controller for well over a second. It costs nothing while the
    replies come, since a Get ends as soon as the last one is in. */
constexpr int patientReplyTimeoutMs = 10000;

/** The reply timeout of a test of a reply that never comes, from a controller that really drops it
    (a fake device that answers nothing, a silent slot): what such a test waits for it. Still a second,
    since the same test often waits for replies that do come, of other slots. */
constexpr int missingReplyTimeoutMs = 1000;

/** The reply timeout for a device that answers nothing at all (a fake device): no reply can come, so
    none is cut off however short it is. */
constexpr int noAnswerReplyTimeoutMs = 100;

/** No gap between messages; a reply timeout long enough for replies under a sanitizer. */
inline ZKEditorEngine::Pacing fastPacing (int replyTimeoutMs = 1000, int maxRetries = 8)
{
    ZKEditorEngine::Pacing pacing;
    pacing.requestGapMs = 0;
    pacing.writeGapMs = 0;
    pacing.replyTimeoutMs = replyTimeoutMs;
    pacing.maxRetries = maxRetries;
    return pacing;
}

/** A new engine as the application makes one, holding the default preset, with the given pacing. */
inline ZKEditorEngine::Ptr createEngine (MidiManager& manager, const ZKEditorEngine::Pacing& pacing = fastPacing())
{
    auto engine = ZKMEngineFactory::createEngineWithDefaultPreset (manager);
    engine->setPacing (pacing);
    return engine;
}

/** Loads a preset dump as a file, a fetch or the start-up would, and lets the lists catch up. */
inline void loadPreset (ZKEditorEngine& engine, const juce::Array<juce::uint8>& presetData)
{
    engine.loadPresetData (presetData);
    pump();
}

/** The engine's current preset image. */
inline juce::Array<juce::uint8> getImage (ZKEditorEngine& engine)
{
    return getImageOfDump (engine.createPresetData (0));
}

inline std::vector<juce::uint8> toBytes (const juce::MidiMessage& message)
{
    return std::vector<juce::uint8> (message.getRawData(), message.getRawData() + message.getRawDataSize());
}

/** The image indexes of the parameter writes (or, given that command, the requests) among the
    messages, in order. */
inline juce::Array<int> parameterIndexes (const std::vector<juce::MidiMessage>& messages,
                                          juce::uint8 command = ZKSysEx::parameterWriteCommand)
{
    juce::Array<int> indexes;

    for (const auto& message : messages)
    {
        const auto* bytes = message.getRawData();

        // Requests and writes carry the slot and the index's two bytes after the head.
        if (message.getRawDataSize() > ZKSysEx::headLength + 2 && bytes[ZKSysEx::commandPosition] == command)
            indexes.add (ZKSysEx::getIndex (bytes[ZKSysEx::headLength + 1], bytes[ZKSysEx::headLength + 2]));
    }

    return indexes;
}

inline juce::MidiMessage createReply (int index, juce::uint8 value)
{
    return ZKSysEx::createParameterReply (deviceId, index, value);
}

//==============================================================================
/** A manager that finds no devices. */
struct NoDevicesRig
{
    FakeMidiDeviceLayer noDevices;
    MidiManager manager{ noDevices };
};

/** The engine of one document, with nothing loaded yet, on a manager that finds no devices. */
struct Document : public NoDevicesRig
{
    void loadDefaultPreset() { engine->loadPresetData (defaultPresetDump()); }
    void load (const juce::Array<juce::uint8>& dump) { engine->loadPresetData (dump); }

    Control& control (int controlType, int index = 0) { return *engine->getControls (controlType)[index]; }

    ZKEditorEngine::Ptr engine = ZKMEngineFactory::createEngine (manager);
};

/** A manager on a fake layer with one input and one output, both open. */
struct FakeRig
{
    FakeRig()
    {
        layer.setInputNames ({ fakeInputName });
        layer.setOutputNames ({ fakeOutputName });
        manager.setInputDevice (fakeInputName);
        manager.setOutputDevice (fakeOutputName);
    }

    FakeMidiDeviceLayer layer;
    MidiManager manager{ layer };
};

/** A manager connected to the virtual controller. */
struct VirtualRig
{
    VirtualRig()
    {
        manager.setInputDevice (VirtualController::deviceName);
        manager.setOutputDevice (VirtualController::deviceName);
    }

    VirtualController controller;
    MidiManager manager{ controller };
};
} // namespace TestRig
