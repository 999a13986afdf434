#pragma once

#include "engine/ZKEditorEngine.h"

#include <juce_core/juce_core.h>

/** Where the chooser of a file to save a preset into starts: at a file named after the preset, in
    the last folder. */
class SaveFileSuggestion
{
public:
    /** "<name>.zkp" in the last folder (before there is one, in the folder where a chooser starts by
        itself) when the preset's name makes a file name; the last folder itself otherwise. */
    static juce::File suggest (ZKEditorEngine& engine, const juce::File& lastFolder);
};
