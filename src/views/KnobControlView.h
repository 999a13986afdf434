#pragma once

#include "model/PresetLayout.h"
#include "views/AssignableControlView.h"

/** One knob: its mode and the settings of that mode. */
class KnobControlView : public AssignableControlView
{
public:
    KnobControlView (ZKEditorEngine::Ptr engine, juce::uint8 knobIndex)
        : AssignableControlView (std::move (engine), ControlType::Knob, knobIndex)
    {
    }
};
