// Sends any stream of MIDI messages (SysEx or not, of any length and content) into the engine while
// a Get waits. Unless every index of the preset arrived in a well-formed reply, the controls keep
// what they had: never a mix.
#include "engine/MidiManager.h"
#include "engine/ZKMEngineFactory.h"
#include "model/ZKMModel.h"

#include <bitset>
#include <cstdlib>

namespace
{
constexpr int imageLength = ZKMModel::imageLength;

/** One input and one output that go nowhere; the fuzzer plays the input thread itself. */
class LoopbackDevices : public MidiDeviceLayer
{
public:
    class SilentInput : public Input
    {
    public:
        void start() override {}
        void stop() override {}
    };

    class DiscardingOutput : public Output
    {
    public:
        void sendMessageNow (const juce::MidiMessage&) override {}
    };

    juce::StringArray getInputNames() override { return { "Fuzz" }; }
    juce::StringArray getOutputNames() override { return { "Fuzz" }; }
    std::unique_ptr<Input> openInput (int, juce::MidiInputCallback&) override
    {
        return std::make_unique<SilentInput>();
    }
    std::unique_ptr<Output> openOutput (int) override { return std::make_unique<DiscardingOutput>(); }
};

struct Fixture
{
    juce::ScopedJuceInitialiser_GUI juce;
    LoopbackDevices devices;
    MidiManager manager{ devices };

    Fixture()
    {
        manager.setInputDevice ("Fuzz");
        manager.setOutputDevice ("Fuzz");
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Fixture fixture;

    auto engine = ZKMEngineFactory::createEngine (fixture.manager);
    ZKEditorEngine::Pacing pacing;
    pacing.requestGapMs = 0;
    pacing.writeGapMs = 0;
    pacing.replyTimeoutMs = 60000;
    engine->setPacing (pacing);

    const auto before = engine->createPresetData (0);
    engine->getPreset (0);

    // The stream: a length byte, then that many message bytes, again and again.
    std::bitset<imageLength> indexesSeen;
    size_t position = 0;
    while (position < size)
    {
        const int length = juce::jmax (1, (int) data[position++]);
        const int available = (int) juce::jmin ((size_t) length, size - position);
        if (available <= 0)
            break;

        const juce::MidiMessage message (data + position, available);
        if (available == 13 && data[position] == 0xF0 && data[position + 6] == 0x66)
        {
            const int index = data[position + 9] * 128 + data[position + 10];
            if (index < imageLength)
                indexesSeen.set ((size_t) index);
        }
        position += (size_t) available;
        fixture.manager.handleIncomingMidiMessage (nullptr, message);
    }

    juce::MessageManager::getInstance()->runDispatchLoopUntil (2);

    if (! indexesSeen.all() && engine->createPresetData (0) != before)
        std::abort(); // a partial collection reached the controls

    engine = nullptr;
    juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
    return 0;
}
