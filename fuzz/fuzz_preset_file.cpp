// Feeds any bytes of any length to the engine as a preset file and as a preset dump. A file is
// either accepted whole or leaves every control as it was.
#include "engine/ZKMEngineFactory.h"
#include "support/TestRig.h"

#include <cstdlib>

namespace
{
struct Fixture
{
    juce::ScopedJuceInitialiser_GUI juce;
    TestRig::NoDevicesRig devices;
    ZKEditorEngine::Ptr engine{ ZKMEngineFactory::createEngine (devices.manager) };
    juce::File file = juce::File::createTempFile (".zkp");
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Fixture fixture; // JUCE and the engine are set up once per process
    auto& engine = *fixture.engine;

    const auto before = engine.createPresetData (0);
    fixture.file.replaceWithData (data, size);
    const bool accepted = engine.loadPresetFile (fixture.file);
    const auto after = engine.createPresetData (0);

    if (! accepted && before != after)
        std::abort(); // a rejected file changed the controls

    if (accepted)
    {
        // An accepted file is taken whole: the image travels on unchanged.
        for (int i = 10; i < engine.getPresetDataSize() - 1; ++i)
            if (after[i] != data[i])
                std::abort();
    }

    // Dumps of any length load without reading outside the given bytes.
    juce::Array<juce::uint8> dump (data, (int) size);
    engine.loadPresetData (dump);
    if (engine.createPresetData (0).size() != engine.getPresetDataSize())
        std::abort();
    return 0;
}
