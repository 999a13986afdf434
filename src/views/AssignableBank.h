#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"

/** The knobs, the pads or the switches: one AssignableControlView per control, a few per bank, with
    the group's MIDI-to-DIN button above them. The three banks differ only in their entry of
    AssignableControlKind. */
class AssignableBank : public BankView
{
public:
    /** A view per control of that type that the engine holds, up to the number wanted: a view bound
        to a missing control would crash. */
    AssignableBank (ZKEditorEngine::Ptr engine, int controlType, int numControls);
};
