#pragma once

#include "engine/ZKEditorEngine.h"

#include <functional>
#include <juce_data_structures/juce_data_structures.h>

/** A document's history of edits and loads, one step each, undone and redone as whole presets, and
    whether its preset differs from the one last loaded, fetched, sent or saved. A user's edit
    becomes a step by itself; the edits of a paste or fill make one step together. */
class DocumentHistory : private ZKEditorEngine::EditListener
{
public:
    /** Starts from the engine's preset, which counts as unchanged. unsavedMarkChanged is told each
        time hasUnsavedChanges() flips. */
    DocumentHistory (ZKEditorEngine::Ptr engine, std::function<void()> unsavedMarkChanged);
    ~DocumentHistory() override;

    /** Makes the change since the last step a step of that name. */
    void recordStep (const juce::String& name);

    /** The current preset is the one last loaded, fetched, sent or saved. */
    void markAsUnchanged();

    /** The same, where a slot now holds that image: the image bytes of the dump are the image's,
        the rest the current preset's. */
    void markAsUnchanged (const juce::Array<juce::uint8>& image);

    bool hasUnsavedChanges() const noexcept { return unsavedChanges; }

    juce::UndoManager& getUndoManager() noexcept { return undoManager; }

private:
    void parameterEdited (const ZKEditorEngine::ParameterEdit& edit) override;
    void editGroupStarted() override;
    void editGroupEnded (const juce::String& actionName) override;

    void applyStep (const juce::Array<juce::uint8>& presetData);
    void updateUnsavedMark();

    ZKEditorEngine::Ptr engine;
    std::function<void()> unsavedMarkChanged;
    juce::UndoManager undoManager;
    juce::Array<juce::uint8> recordedPreset;  // the preset after the last step of the history
    juce::Array<juce::uint8> unchangedPreset; // the preset last loaded, fetched, sent or saved
    bool unsavedChanges = false;
    bool applyingHistory = false;
    int editGroupDepth = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DocumentHistory)
};
