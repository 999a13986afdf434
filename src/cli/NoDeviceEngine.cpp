#include "cli/NoDeviceEngine.h"

#include "engine/ZKMEngineFactory.h"

NoDeviceEngine::NoDeviceEngine()
    : manager (std::make_unique<MidiManager> (noDevices))
    , engine (ZKMEngineFactory::createEngine (*manager))
{
}

NoDeviceEngine::~NoDeviceEngine()
{
    // The engine unregisters from the manager, so it goes first.
    engine = nullptr;
    manager.reset();
}
