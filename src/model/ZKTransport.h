#pragma once

#include "model/LayoutControl.h"

/** One transport button: momentary or toggle, and the controller number it sends. Any name containing
    "Function" is a flag. */
class ZKTransport : public LayoutControl
{
public:
    explicit ZKTransport (int offset)
        : LayoutControl (Transport, offset)
    {
    }
};
