#pragma once

#include "engine/CompositeMidiDeviceLayer.h"
#include "engine/ZKEditorEngine.h"

/** An engine with no MIDI devices behind it, for the commands that only read, name and write
    preset files: its controls give the layout of the preset image. */
class NoDeviceEngine
{
public:
    NoDeviceEngine();
    ~NoDeviceEngine();

    ZKEditorEngine& getEngine() noexcept { return *engine; }

private:
    CompositeMidiDeviceLayer noDevices;
    std::unique_ptr<MidiManager> manager;
    ZKEditorEngine::Ptr engine;

    JUCE_DECLARE_NON_COPYABLE (NoDeviceEngine)
};
