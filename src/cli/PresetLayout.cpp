#include "cli/PresetLayout.h"

#include "engine/ZKMEngineFactory.h"

PresetLayout::PresetLayout()
    : manager (std::make_unique<MidiManager> (noDevices))
    , engine (ZKMEngineFactory::createEngine (*manager))
{
}

PresetLayout::~PresetLayout()
{
    // The engine unregisters from the manager, so it goes first.
    engine = nullptr;
    manager.reset();
}
