#include "views/AssignableControlKind.h"

#include "model/PresetLayout.h"

namespace
{
// Four views fill a bank of the editor's width.
constexpr int viewsPerBank = 4;

// The MIDI-to-DIN buttons sit under the tab of their view, a few pixels below the tab row so that
// they do not touch it (the same in the transport and sustain views).
const AssignableControlKind kinds[] = {
    { ControlType::Knob, "Knobs Midi To DIN", { 140, 3 }, viewsPerBank },
    { ControlType::Switch, "Switches Midi To DIN", { 272, 3 }, viewsPerBank },
    { ControlType::Pad, "Pads Midi To DIN", { 405, 3 }, viewsPerBank },
};
} // namespace

//==============================================================================
const AssignableControlKind& AssignableControlKind::of (int controlType)
{
    for (const auto& kind : kinds)
        if (kind.controlType == controlType)
            return kind;

    jassertfalse;
    return kinds[0];
}

juce::String AssignableControlKind::getTitle (int controlIndex) const
{
    return ParameterDescriptions::getControlName (controlType, controlIndex);
}

const std::vector<ParameterDescriptions::Mode>& AssignableControlKind::getModes() const
{
    return ParameterDescriptions::getModes (controlType);
}

ParameterDescriptions::NumberRange AssignableControlKind::getBoxRange (const juce::String& parameterName) const
{
    return ParameterDescriptions::getModeBoxRange (parameterName);
}
