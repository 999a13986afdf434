#pragma once

#include "engine/ZKEditorEngine.h"

#include <functional>
#include <juce_data_structures/juce_data_structures.h>

/** One step of a document's history: the preset dump before and after a user's edit or a load.
    Undoing and redoing hand the other dump to the window, which loads it as any load is made, so
    that every widget shows it. */
class PresetChange : public juce::UndoableAction
{
public:
    using Apply = std::function<void (const juce::Array<juce::uint8>& presetData)>;

    /** The change has been made already when it is recorded: the first perform changes nothing. */
    PresetChange (juce::Array<juce::uint8> before, juce::Array<juce::uint8> after, Apply apply);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override { return before.size() + after.size(); }

    /** How an edit is named in the Edit menu: the control and the parameter, as "Knob 3 CC". */
    static juce::String describe (const ZKEditorEngine::ParameterEdit& edit);

private:
    juce::Array<juce::uint8> before, after;
    Apply apply;
    bool done = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetChange)
};
