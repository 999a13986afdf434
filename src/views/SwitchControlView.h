#pragma once

#include "model/PresetLayout.h"
#include "views/AssignableControlView.h"

/** One switch: its mode and the settings of that mode. */
class SwitchControlView : public AssignableControlView
{
public:
    SwitchControlView (ZKEditorEngine::Ptr engine, juce::uint8 switchIndex)
        : AssignableControlView (std::move (engine), ControlType::Switch, switchIndex)
    {
    }
};
