#pragma once

#include "model/PresetLayout.h"
#include "views/AssignableControlView.h"

/** One drum pad: its mode and the settings of that mode. */
class PadControlView : public AssignableControlView
{
public:
    PadControlView (ZKEditorEngine::Ptr engine, juce::uint8 padIndex)
        : AssignableControlView (std::move (engine), ControlType::Pad, padIndex)
    {
    }
};
