#include "app/DocumentHistory.h"

#include "app/PresetChange.h"
#include "engine/ZKSysEx.h"

namespace
{
constexpr juce::uint8 fileSlot = 0; // the history keeps presets as files carry them
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
        recordStep (PresetChange::describe (edit));
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
