#pragma once

#include "engine/MidiDeviceLayer.h"

#include <memory>

class VirtualController;

/** The environment variable through which a user asks a program for the virtual controller. */
constexpr const char* virtualControllerVariable = "ZKM_EDITOR_VIRTUAL_CONTROLLER";

/** The device layer of a program: the system's MIDI devices, and the virtual controller beside them
    when the setting asks for it. An empty setting (after trimming) gives the system's devices only;
    "1" adds the virtual controller with its slots in memory; anything else adds it with its slots
    kept in that file, a relative path naming a file in the current working directory. A program
    passes the value of virtualControllerVariable. */
std::unique_ptr<MidiDeviceLayer> createMidiDeviceLayer (const juce::String& virtualControllerSetting);

/** The file that keeps the virtual controller's slots for that setting; File() when the setting
    asks for no virtual controller or for one with its slots in memory. */
juce::File getVirtualControllerSlotFile (const juce::String& virtualControllerSetting);

/** The virtual controller among the layers of that layer (a composite layer is searched through);
    nullptr when the layer has none. */
VirtualController* findVirtualController (MidiDeviceLayer& layer);
