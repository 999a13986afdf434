#pragma once

#include "model/PresetLayout.h"
#include "views/AssignableBank.h"

/** The switches, four per bank, with the switches' MIDI-to-DIN button. */
class SwitchBank : public AssignableBank
{
public:
    SwitchBank (ZKEditorEngine::Ptr engine, int numSwitches)
        : AssignableBank (std::move (engine), ControlType::Switch, numSwitches)
    {
    }
};
