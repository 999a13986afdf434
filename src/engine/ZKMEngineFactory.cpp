#include "engine/ZKMEngineFactory.h"

#include "model/ZKMModel.h"

ZKEditorEngine::Ptr ZKMEngineFactory::createEngine (MidiManager& manager)
{
    ZKEditorEngine::Ptr engine (new ZKEditorEngine (ZKMModel::deviceId, &manager, ZKMModel::filePattern,
                                                    ZKMModel::splitPointMaximum, ZKMModel::octaveMaximum,
                                                    ZKMModel::numKnobs, ZKMModel::numPads, ZKMModel::numSwitches));
    jassert (engine->getPresetDataSize() == ZKMModel::dumpLength);
    return engine;
}

ZKEditorEngine::Ptr ZKMEngineFactory::createEngineWithDefaultPreset (MidiManager& manager)
{
    auto engine = createEngine (manager);
    engine->loadPresetData (ZKMModel::getDefaultPresetDump());
    return engine;
}
