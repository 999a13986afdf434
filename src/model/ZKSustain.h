#pragma once

#include "model/LayoutControl.h"

/** The sustain pedal input: its controller number, the values sent on press and release, its channel. */
class ZKSustain : public LayoutControl
{
public:
    ZKSustain()
        : LayoutControl (Sustain, PresetLayout::getFirstOffset (Sustain))
    {
    }
};
