#pragma once

#include "model/LayoutControl.h"

/** One switch. Its mode (CC toggle, CC momentary, program change) decides under which names its middle
    bytes are read; several names address one byte. */
class ZKSwitch : public LayoutControl
{
public:
    explicit ZKSwitch (int offset)
        : LayoutControl (Switch, offset)
    {
    }
};
