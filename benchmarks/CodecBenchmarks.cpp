// The preset codec of a bare engine (no widgets listening): building a dump from the controls and
// loading a dump into them.
#include "engine/ZKMEngineFactory.h"
#include "support/TestRig.h"

#include <benchmark/benchmark.h>

namespace
{
void createPresetData (benchmark::State& state)
{
    TestRig::NoDevicesRig devices;
    auto& manager = devices.manager;
    auto engine = ZKMEngineFactory::createEngine (manager);
    engine->loadPresetData (TestRig::defaultPresetDump());

    for (auto _ : state)
        benchmark::DoNotOptimize (engine->createPresetData (0));
}

void loadPresetData (benchmark::State& state)
{
    TestRig::NoDevicesRig devices;
    auto& manager = devices.manager;
    auto engine = ZKMEngineFactory::createEngine (manager);
    const auto dump = TestRig::defaultPresetDump();

    for (auto _ : state)
        engine->loadPresetData (dump);
}
} // namespace

BENCHMARK (createPresetData)->Unit (benchmark::kMicrosecond);
BENCHMARK (loadPresetData)->Unit (benchmark::kMicrosecond);
