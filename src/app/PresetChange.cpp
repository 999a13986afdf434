#include "app/PresetChange.h"

#include "model/ControlType.h"
#include "views/TransportBank.h"

PresetChange::PresetChange (juce::Array<juce::uint8> beforeChange, juce::Array<juce::uint8> afterChange,
                            Apply applyToDocument)
    : before (std::move (beforeChange))
    , after (std::move (afterChange))
    , apply (std::move (applyToDocument))
{
}

bool PresetChange::perform()
{
    if (! done)
        apply (after);

    done = true;
    return true;
}

bool PresetChange::undo()
{
    apply (before);
    done = false;
    return true;
}

juce::String PresetChange::describe (const ZKEditorEngine::ParameterEdit& edit)
{
    const auto number = juce::String (edit.controlIndex + 1);

    switch (edit.controlType)
    {
        case ControlType::Knob:
            return "Knob " + number + " " + edit.parameterName;
        case ControlType::Pad:
            return "Pad " + number + " " + edit.parameterName;
        case ControlType::Switch:
            return "Switch " + number + " " + edit.parameterName;
        case ControlType::Transport:
            return TransportBank::getButtonName (edit.controlIndex) + " " + edit.parameterName;
        case ControlType::RollMode:
            return "Roll Mode " + edit.parameterName;
        case ControlType::Sustain:
            return "Sustain Pedal " + edit.parameterName;
        default:
            break;
    }

    // The keybed's, the wheels' and the DIN flags' names say what they belong to.
    return edit.parameterName;
}
