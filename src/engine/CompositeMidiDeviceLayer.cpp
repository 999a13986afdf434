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
juce::StringArray CompositeMidiDeviceLayer::getInputNames()
{
    juce::StringArray names;

    for (auto* layer : layers)
        names.addArray (layer->getInputNames());

    return names;
}

juce::StringArray CompositeMidiDeviceLayer::getOutputNames()
{
    juce::StringArray names;

    for (auto* layer : layers)
        names.addArray (layer->getOutputNames());

    return names;
}

std::unique_ptr<MidiDeviceLayer::Input> CompositeMidiDeviceLayer::openInput (int index,
                                                                             juce::MidiInputCallback& callback)
{
    if (index < 0)
        return nullptr;

    for (auto* layer : layers)
    {
        const auto count = layer->getInputNames().size();

        if (index < count)
            return layer->openInput (index, callback);

        index -= count;
    }

    return nullptr;
}

std::unique_ptr<MidiDeviceLayer::Output> CompositeMidiDeviceLayer::openOutput (int index)
{
    if (index < 0)
        return nullptr;

    for (auto* layer : layers)
    {
        const auto count = layer->getOutputNames().size();

        if (index < count)
            return layer->openOutput (index);

        index -= count;
    }

    return nullptr;
}

bool CompositeMidiDeviceLayer::isMidiServiceAvailable()
{
    for (auto* layer : layers)
        if (! layer->isMidiServiceAvailable())
            return false;

    return true;
}
