#pragma once

#include "model/LayoutControl.h"

/** The preset's name: sixteen 7-bit character codes, one per byte, with no length byte and no
    terminator. Every name answers with the character range. */
class ZKPresetName : public LayoutControl
{
public:
    ZKPresetName()
        : LayoutControl (PresetName, PresetLayout::getFirstOffset (PresetName))
    {
    }
};
