#include "app/DocumentHistory.h"

#include "engine/ParameterDescriptions.h"
#include "engine/ZKSysEx.h"
#include "model/PresetLayout.h"

namespace
{
constexpr juce::uint8 fileSlot = 0; // the history keeps presets as files carry them

/** One step of the history: the preset dump before and after a user's edit or a load. Undoing and
    redoing hand the other dump to the history, which loads it as any load is made, so that every
    widget shows it. The change has been made already when it is recorded: the first perform
    changes nothing. */
class PresetChange : public juce::UndoableAction
{
public:
    using Apply = std::function<void (const juce::Array<juce::uint8>& presetData)>;

    PresetChange (juce::Array<juce::uint8> beforeChange, juce::Array<juce::uint8> afterChange, Apply applyToDocument)
        : before (std::move (beforeChange))
        , after (std::move (afterChange))
        , apply (std::move (applyToDocument))
    {
    }

    bool perform() override
    {
        if (! done)
            apply (after);

        done = true;
        return true;
    }

    bool undo() override
    {
        apply (before);
        done = false;
        return true;
    }

    int getSizeInUnits() override { return before.size() + after.size(); }

private:
    juce::Array<juce::uint8> before, after;
    Apply apply;
    bool done = true;
};

/** How an edit is named in the Edit menu: the control and the parameter, as "Knob 3 CC". The
    keybed's, the wheels', the name's and the DIN flags' parameter names say what they belong to. */
juce::String describe (const ZKEditorEngine::ParameterEdit& edit)
{
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
} // namespace

//==============================================================================
DocumentHistory::DocumentHistory (ZKEditorEngine::Ptr engineToUse, std::function<void()> unsavedMarkChangedToUse)
    : engine (std::move (engineToUse))
    , unsavedMarkChanged (std::move (unsavedMarkChangedToUse))
{
    // The preset the document opens with is its unchanged state and the start of its history.
    recordedPreset = engine->createPresetData (fileSlot);
    unchangedPreset = recordedPreset;
    engine->addEditListener (this);
}

DocumentHistory::~DocumentHistory()
{
    engine->removeEditListener (this);
    undoManager.clearUndoHistory();
}

void DocumentHistory::recordStep (const juce::String& name)
{
    auto current = engine->createPresetData (fileSlot);

    if (current == recordedPreset)
        return;

    undoManager.beginNewTransaction (name);
    undoManager.perform (new PresetChange (recordedPreset, current, // owned by undoManager
                                           [this] (const juce::Array<juce::uint8>& data) { applyStep (data); }));
    recordedPreset = std::move (current);
    updateUnsavedMark();
}

void DocumentHistory::markAsUnchanged()
{
    unchangedPreset = engine->createPresetData (fileSlot);
    updateUnsavedMark();
}

void DocumentHistory::markAsUnchanged (const juce::Array<juce::uint8>& image)
{
    unchangedPreset = engine->createPresetData (fileSlot);

    for (int i = 0; i < image.size(); ++i)
        unchangedPreset.set (ZKSysEx::dumpImageOffset + i, image.getUnchecked (i));

    updateUnsavedMark();
}

//==============================================================================
void DocumentHistory::parameterEdited (const ZKEditorEngine::ParameterEdit& edit)
{
    if (! applyingHistory && editGroupDepth == 0)
        recordStep (describe (edit));
}

void DocumentHistory::editGroupStarted() { ++editGroupDepth; }

void DocumentHistory::editGroupEnded (const juce::String& actionName)
{
    editGroupDepth = juce::jmax (0, editGroupDepth - 1);

    if (! applyingHistory && editGroupDepth == 0)
        recordStep (actionName);
}

void DocumentHistory::applyStep (const juce::Array<juce::uint8>& presetData)
{
    {
        const juce::ScopedValueSetter<bool> applying (applyingHistory, true);
        engine->loadPresetData (presetData);
    }

    recordedPreset = presetData;
    updateUnsavedMark();
}

void DocumentHistory::updateUnsavedMark()
{
    const auto changed = engine->createPresetData (fileSlot) != unchangedPreset;

    if (changed == unsavedChanges)
        return;

    unsavedChanges = changed;

    if (unsavedMarkChanged != nullptr)
        unsavedMarkChanged();
}
