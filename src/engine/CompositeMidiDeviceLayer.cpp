#include "engine/CompositeMidiDeviceLayer.h"

CompositeMidiDeviceLayer::~CompositeMidiDeviceLayer()
{
    // The last layer added is the first to go, as it may rely on those before it.
    while (! ownedLayers.empty())
        ownedLayers.pop_back();
}

void CompositeMidiDeviceLayer::addLayer (std::unique_ptr<MidiDeviceLayer> layer)
{
    if (layer == nullptr)
        return;

    layers.push_back (layer.get());
    ownedLayers.push_back (std::move (layer));
}

void CompositeMidiDeviceLayer::addLayer (MidiDeviceLayer& layer) { layers.push_back (&layer); }

MidiDeviceLayer* CompositeMidiDeviceLayer::getLayer (int index) const
{
    return juce::isPositiveAndBelow (index, (int) layers.size()) ? layers[(size_t) index] : nullptr;
}

//==============================================================================
juce::StringArray CompositeMidiDeviceLayer::joinNames (NameList listNames) const
{
    juce::StringArray names;

    for (auto* layer : layers)
        names.addArray ((layer->*listNames)());

    return names;
}

MidiDeviceLayer* CompositeMidiDeviceLayer::findLayer (int& index, NameList listNames) const
{
    if (index < 0)
        return nullptr;

    for (auto* layer : layers)
    {
        const auto count = (layer->*listNames)().size();

        if (index < count)
            return layer;

        index -= count;
    }

    return nullptr;
}

juce::StringArray CompositeMidiDeviceLayer::getInputNames() { return joinNames (&MidiDeviceLayer::getInputNames); }

juce::StringArray CompositeMidiDeviceLayer::getOutputNames() { return joinNames (&MidiDeviceLayer::getOutputNames); }

std::unique_ptr<MidiDeviceLayer::Input> CompositeMidiDeviceLayer::openInput (int index,
                                                                             juce::MidiInputCallback& callback)
{
    auto* layer = findLayer (index, &MidiDeviceLayer::getInputNames);
    return layer != nullptr ? layer->openInput (index, callback) : nullptr;
}

std::unique_ptr<MidiDeviceLayer::Output> CompositeMidiDeviceLayer::openOutput (int index)
{
    auto* layer = findLayer (index, &MidiDeviceLayer::getOutputNames);
    return layer != nullptr ? layer->openOutput (index) : nullptr;
}

bool CompositeMidiDeviceLayer::isMidiServiceAvailable()
{
    for (auto* layer : layers)
        if (! layer->isMidiServiceAvailable())
            return false;

    return true;
}
