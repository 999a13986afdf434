#pragma once

#include "model/LayoutControl.h"

/** One drum pad. Its mode (note, CC toggle, CC momentary, program change) decides under which names its
    middle bytes are read; several names address one byte. */
class ZKPad : public LayoutControl
{
public:
    explicit ZKPad (int offset)
        : LayoutControl (Pad, offset)
    {
    }
};
