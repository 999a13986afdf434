#pragma once

#include "engine/MidiDeviceLayer.h"

#include <vector>

/** Several device layers shown as one: their lists one after the other, in the order in which the
    layers were added, so that the system's devices and the virtual controller sit side by side. */
class CompositeMidiDeviceLayer : public MidiDeviceLayer
{
public:
    CompositeMidiDeviceLayer() = default;
    ~CompositeMidiDeviceLayer() override;

    //==============================================================================
    /** Adds a layer that this one owns. */
    void addLayer (std::unique_ptr<MidiDeviceLayer> layer);

    /** Adds a layer that someone else owns; it must outlive this one. */
    void addLayer (MidiDeviceLayer& layer);

    int getNumLayers() const noexcept { return (int) layers.size(); }
    MidiDeviceLayer* getLayer (int index) const;

    //==============================================================================
    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<Input> openInput (int index, juce::MidiInputCallback& callback) override;
    std::unique_ptr<Output> openOutput (int index) override;

    /** False as soon as one of the layers misses its service. */
    bool isMidiServiceAvailable() override;

private:
    using NameList = juce::StringArray (MidiDeviceLayer::*)();

    /** The lists of all the layers, one after the other. */
    juce::StringArray joinNames (NameList listNames) const;

    /** The layer whose list holds the device at that position of the joined list, with index
        turned into the position in that layer's own list; nullptr when there is none. */
    MidiDeviceLayer* findLayer (int& index, NameList listNames) const;

    std::vector<MidiDeviceLayer*> layers;
    std::vector<std::unique_ptr<MidiDeviceLayer>> ownedLayers;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CompositeMidiDeviceLayer)
};
