#pragma once

#include "BinaryData.h"
#include "engine/MidiManager.h"
#include "engine/VirtualController.h"
#include "engine/ZKEditorEngine.h"
#include "engine/ZKSysEx.h"
#include "support/FakeMidiDeviceLayer.h"

#include <vector>

/** The set-up that the engine's tests share: the application's model constants, a short pacing,
    and managers wired to a fake layer or to the virtual controller. */
namespace EngineTestRig
{
constexpr juce::uint8 deviceId = 0x40;
constexpr int numKnobs = 16;
constexpr int numPads = 16;
constexpr int numSwitches = 48;
constexpr juce::uint8 splitPointMaximum = 60;
constexpr juce::uint8 octaveMaximum = 10;
constexpr int imageLength = 465;
constexpr int dumpLength = 476;
constexpr int imageOffset = 10;

const juce::String fakeInputName ("Fake In");
const juce::String fakeOutputName ("Fake Out");

/** Long enough to wait for replies under a sanitizer, short enough to keep failures quick. */
inline ZKEditorEngine::Pacing fastPacing (int replyTimeoutMs = 1000, int maxRetries = 8)
{
    ZKEditorEngine::Pacing pacing;
    pacing.requestGapMs = 0;
    pacing.writeGapMs = 0;
    pacing.replyTimeoutMs = replyTimeoutMs;
    pacing.maxRetries = maxRetries;
    return pacing;
}

inline juce::Array<juce::uint8> getDefaultDump()
{
    return juce::Array<juce::uint8> (reinterpret_cast<const juce::uint8*> (BinaryData::ZKM_DefaultPreset_zkp),
                                     BinaryData::ZKM_DefaultPreset_zkpSize);
}

inline juce::Array<juce::uint8> getImageOfDump (const juce::Array<juce::uint8>& dump)
{
    juce::Array<juce::uint8> image (dump);
    image.removeRange (0, imageOffset);
    image.removeLast();
    return image;
}

/** A new engine as the application makes one: the model constants, then the default preset. */
inline ZKEditorEngine::Ptr createEngine (MidiManager& manager, const ZKEditorEngine::Pacing& pacing = fastPacing())
{
    ZKEditorEngine::Ptr engine (new ZKEditorEngine (deviceId, &manager, "*.zkp", splitPointMaximum, octaveMaximum,
                                                    numKnobs, numPads, numSwitches));
    engine->loadPresetData (getDefaultDump());
    engine->setPacing (pacing);
    return engine;
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

/** An image that differs from the default preset almost everywhere, its bytes depending on the seed. */
inline juce::Array<juce::uint8> createPatternImage (int seed)
{
    juce::Array<juce::uint8> image;

    for (int i = 0; i < imageLength; ++i)
        image.add ((juce::uint8) ((i * 7 + seed * 13 + 1) % 128));

    return image;
}

inline juce::MidiMessage createReply (int index, juce::uint8 value)
{
    return ZKSysEx::createParameterReply (deviceId, index, value);
}

//==============================================================================
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
} // namespace EngineTestRig
