#pragma once

/** The key under which the engine keeps its controls. Unscoped, so that it converts to the int that
    the engine's operations take. */
enum ControlType
{
    PresetName = 0,
    Keybed = 1,
    Transport = 2,
    RollMode = 3,
    Wheels = 4,
    Sustain = 5,
    Switch = 6,
    Knob = 7,
    Pad = 8,
    MidiToDin = 9
};
