// The preset codec of a bare engine (no widgets listening): building a dump from the controls and
// loading a dump into them.
#include "BenchmarkRig.h"
#include "engine/MidiManager.h"
#include "engine/ZKMEngineFactory.h"

#include <benchmark/benchmark.h>

using namespace BenchmarkRig;

namespace
{
void createPresetData (benchmark::State& state)
{
    NoDevices devices;
    MidiManager manager (devices);
    auto engine = ZKMEngineFactory::createEngine (manager);
    engine->loadPresetData (defaultPreset());

    for (auto _ : state)
        benchmark::DoNotOptimize (engine->createPresetData (0));
}

void loadPresetData (benchmark::State& state)
{
    NoDevices devices;
    MidiManager manager (devices);
    auto engine = ZKMEngineFactory::createEngine (manager);
    const auto dump = defaultPreset();

    for (auto _ : state)
        engine->loadPresetData (dump);
}
} // namespace

BENCHMARK (createPresetData)->Unit (benchmark::kMicrosecond);
BENCHMARK (loadPresetData)->Unit (benchmark::kMicrosecond);
