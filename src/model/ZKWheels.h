#pragma once

#include "model/LayoutControl.h"

/** The pitch and modulation wheels. Their channels have a seventeenth value, 16, meaning all channels;
    any name containing "Channel" takes it. */
class ZKWheels : public LayoutControl
{
public:
    ZKWheels()
        : LayoutControl (Wheels, PresetLayout::getFirstOffset (Wheels))
    {
    }
};
