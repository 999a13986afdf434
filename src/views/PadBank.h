#pragma once

#include "model/PresetLayout.h"
#include "views/AssignableBank.h"

/** The drum pads, four per bank, with the pads' MIDI-to-DIN button. */
class PadBank : public AssignableBank
{
public:
    PadBank (ZKEditorEngine::Ptr engine, int numPads)
        : AssignableBank (std::move (engine), ControlType::Pad, numPads)
    {
    }
};
