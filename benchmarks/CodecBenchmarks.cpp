// The preset codec of a bare engine (no widgets listening): building a dump from the controls and
// loading a dump into them.
#include "BinaryData.h"
#include "engine/MidiManager.h"
#include "engine/ZKEditorEngine.h"

#include <benchmark/benchmark.h>

namespace
{
class NoDevices : public MidiDeviceLayer
{
public:
    juce::StringArray getInputNames() override { return {}; }
    juce::StringArray getOutputNames() override { return {}; }
    std::unique_ptr<Input> openInput (int, juce::MidiInputCallback&) override { return nullptr; }
    std::unique_ptr<Output> openOutput (int) override { return nullptr; }
};

juce::Array<juce::uint8> defaultPreset()
{
    return { reinterpret_cast<const juce::uint8*> (BinaryData::ZKM_DefaultPreset_zkp), BinaryData::ZKM_DefaultPreset_zkpSize };
}

void createPresetData (benchmark::State& state)
{
    NoDevices devices;
    MidiManager manager (devices);
    ZKEditorEngine::Ptr engine = new ZKEditorEngine (0x40, &manager, "*.zkp", 60, 10, 16, 16, 48);
    engine->loadPresetData (defaultPreset());

    for (auto _ : state)
        benchmark::DoNotOptimize (engine->createPresetData (0));
}

void loadPresetData (benchmark::State& state)
{
    NoDevices devices;
    MidiManager manager (devices);
    ZKEditorEngine::Ptr engine = new ZKEditorEngine (0x40, &manager, "*.zkp", 60, 10, 16, 16, 48);
    const auto dump = defaultPreset();

    for (auto _ : state)
        engine->loadPresetData (dump);
}
} // namespace

BENCHMARK (createPresetData)->Unit (benchmark::kMicrosecond);
BENCHMARK (loadPresetData)->Unit (benchmark::kMicrosecond);
