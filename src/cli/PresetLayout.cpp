#include "cli/PresetLayout.h"

namespace
{
// The model's figures, as the editor's application gives them to each window's engine.
constexpr juce::uint8 deviceId = 0x40;
const char* const filePattern = "*.zkp";
constexpr juce::uint8 splitPointMaximum = 60;
constexpr juce::uint8 octaveMaximum = 10;
constexpr int numKnobs = 16, numPads = 16, numSwitches = 48;
} // namespace

PresetLayout::PresetLayout()
    : manager (std::make_unique<MidiManager> (noDevices))
    , engine (createEngine (*manager))
{
}

PresetLayout::~PresetLayout()
{
    // The engine unregisters from the manager, so it goes first.
    engine = nullptr;
    manager.reset();
}

ZKEditorEngine::Ptr PresetLayout::createEngine (MidiManager& midiManager)
{
    return new ZKEditorEngine (deviceId, &midiManager, filePattern, splitPointMaximum, octaveMaximum, numKnobs,
                               numPads, numSwitches);
}
