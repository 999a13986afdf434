#include "app/PresetChange.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"

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
    // The keybed's, the wheels', the name's and the DIN flags' parameter names say what they belong to.
    switch (edit.controlType)
    {
        case ControlType::PresetName:
        case ControlType::Keybed:
        case ControlType::Wheels:
        case ControlType::MidiToDin:
            return edit.parameterName;
        default:
            return ParameterDescriptions::getControlName (edit.controlType, edit.controlIndex) + " "
                   + edit.parameterName;
    }
}
