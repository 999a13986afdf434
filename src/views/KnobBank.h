#pragma once

#include "model/PresetLayout.h"
#include "views/AssignableBank.h"

/** The knobs, four per bank, with the knobs' MIDI-to-DIN button. */
class KnobBank : public AssignableBank
{
public:
    KnobBank (ZKEditorEngine::Ptr engine, int numKnobs)
        : AssignableBank (std::move (engine), ControlType::Knob, numKnobs)
    {
    }
};
