// Feeds any bytes as the JSON document of "zkm import". A document is either refused with a reason
// or read into an image that the editor accepts and that reads back the same from its own document.
#include "cli/NoDeviceEngine.h"
#include "cli/PresetJson.h"
#include "engine/PresetParameters.h"

#include <cstdlib>

namespace
{
// One object, so that JUCE is shut down after the engine and before JUCE's own statics go.
struct Fixture
{
    juce::ScopedJuceInitialiser_GUI juce;
    NoDeviceEngine layout;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Fixture fixture; // JUCE and the engine are set up once per process
    auto& engine = fixture.layout.getEngine();

    juce::Array<juce::uint8> image;
    const auto result = PresetJson::fromJsonData (engine, juce::MemoryBlock (data, size), image);

    if (result.failed())
    {
        if (result.getErrorMessage().isEmpty() || ! image.isEmpty())
            std::abort(); // a refusal without a reason, or with an image after all

        return 0;
    }

    if (image.size() != PresetParameters::getImageLength (engine))
        std::abort();

    // Every value of an accepted document lies within the range the editor accepts.
    for (const auto& parameter : PresetParameters::list (engine, image))
    {
        juce::uint8 stored = 0;

        if (parameter.controlType != 0
            && PresetParameters::parseDisplayValue (parameter, parameter.displayValue, stored).failed())
            std::abort();
    }

    juce::Array<juce::uint8> again;

    if (PresetJson::fromJsonText (engine, PresetJson::toJsonText (engine, image), again).failed() || again != image)
        std::abort(); // the document of an accepted image does not read back to it

    return 0;
}
