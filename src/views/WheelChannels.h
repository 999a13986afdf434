#pragma once

#include "engine/ParameterDescriptions.h"
#include "engine/ZKEditorEngine.h"
#include "model/PresetLayout.h"
#include "widgets/SingleParameterControllerComboBox.h"

#include <juce_core/juce_core.h>

/** The channel list of a wheel: "1" to "16" for the stored 0 to 15, and "Omni" for 16, which only
    the wheels know. */
namespace WheelChannels
{
/** The wheel views' widgets are a little smaller than those of the other column views. */
constexpr int widgetHeight = 18;

inline juce::StringArray entries()
{
    return ParameterDescriptions::getListEntries (ControlType::Wheels, "Pitch Wheel MIDI Channel");
}

/** The "MIDI Channel" list of a wheel ("Mod Wheel" or "Pitch Wheel"): the label stays short, the
    parameter carries the wheel's name. */
inline std::unique_ptr<SingleParameterControllerComboBox> createBox (ZKEditorEngine::Ptr engine,
                                                                     const juce::String& wheelName)
{
    auto box = std::make_unique<SingleParameterControllerComboBox> (std::move (engine), "MIDI Channel",
                                                                    ControlType::Wheels, entries());
    box->setParameterName (wheelName + " MIDI Channel");
    return box;
}
} // namespace WheelChannels
