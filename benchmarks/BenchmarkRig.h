#pragma once

#include "engine/MidiDeviceLayer.h"
#include "model/ZKMModel.h"

/** What the benchmarks of the codec and of the window share: they measure the editor's own work,
    with no MIDI port open, on the embedded default preset. */
namespace BenchmarkRig
{
/** A device layer without devices. */
class NoDevices : public MidiDeviceLayer
{
public:
    juce::StringArray getInputNames() override { return {}; }
    juce::StringArray getOutputNames() override { return {}; }
    std::unique_ptr<Input> openInput (int, juce::MidiInputCallback&) override { return nullptr; }
    std::unique_ptr<Output> openOutput (int) override { return nullptr; }
};

/** The embedded default preset dump. */
inline juce::Array<juce::uint8> defaultPreset() { return ZKMModel::getDefaultPresetDump(); }
} // namespace BenchmarkRig
