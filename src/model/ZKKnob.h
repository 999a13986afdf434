#pragma once

#include "model/LayoutControl.h"

/** One knob. Its mode (CC or aftertouch) decides which of its names are in use. */
class ZKKnob : public LayoutControl
{
public:
    explicit ZKKnob (int offset)
        : LayoutControl (Knob, offset)
    {
    }
};
