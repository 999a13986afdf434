#pragma once

#include "engine/ZKEditorEngine.h"

/** Makes the engine of one ZKM document, with the model's device ID, file pattern, key and control
    counts, on the given manager. */
struct ZKMEngineFactory
{
    /** A new engine with nothing loaded; the manager must outlive it. */
    static ZKEditorEngine::Ptr createEngine (MidiManager& manager);

    /** A new engine holding the embedded default preset. */
    static ZKEditorEngine::Ptr createEngineWithDefaultPreset (MidiManager& manager);
};
