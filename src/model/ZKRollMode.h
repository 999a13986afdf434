#pragma once

#include "model/LayoutControl.h"

/** The note-repeat function: how it is switched, its time division, gate and swing. */
class ZKRollMode : public LayoutControl
{
public:
    ZKRollMode()
        : LayoutControl (RollMode, PresetLayout::getFirstOffset (RollMode))
    {
    }
};
